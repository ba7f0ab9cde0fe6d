#!/usr/bin/env bash
# The real program under a headless Wayland compositor, with each stored window state:
# the window appears (a buffer is attached and committed to its surface), the program
# lives on, and closing it (SIGTERM closes the window as the close box does) ends it
# with status 0 and a store that the next start can use.
set -uo pipefail
program=$1
command -v weston >/dev/null || { echo "SKIP: weston is not installed"; exit 77; }

work=$(mktemp -d)
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
weston --backend=headless-backend.so --socket=velorix-test --idle-time=0 \
    --width=1024 --height=768 >"$work/weston.log" 2>&1 &
weston_pid=$!
trap 'kill $weston_pid 2>/dev/null; wait $weston_pid 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do
    [ -S "$XDG_RUNTIME_DIR/velorix-test" ] && break
    sleep 0.1
done
[ -S "$XDG_RUNTIME_DIR/velorix-test" ] || { echo "FAILED: weston did not start"; cat "$work/weston.log"; exit 1; }

failures=0
for state in 0 1 2; do
    config="$work/config-$state"
    mkdir -p "$config"
    printf '[Form1]\nablak%%U00E1llapot=%s\nablak%%20balsz%%U00E9le=1440\n' "$state" >"$config/Velorix.ini"
    log="$work/wayland-$state.log"
    XDG_CONFIG_HOME="$config" WAYLAND_DISPLAY=velorix-test QT_QPA_PLATFORM=wayland \
        WAYLAND_DEBUG=client "$program" 2>"$log" &
    pid=$!
    shown=no
    for _ in $(seq 100); do
        if grep -q 'wl_surface@[0-9]*\.attach(wl_buffer' "$log" && grep -q 'wl_surface@[0-9]*\.commit' "$log"; then
            shown=yes
            break
        fi
        kill -0 $pid 2>/dev/null || break
        sleep 0.1
    done
    sleep 0.5 # a protocol error follows the first frame
    if [ $shown = yes ] && kill -0 $pid 2>/dev/null; then
        kill -TERM $pid
        wait $pid
        status=$?
    else
        wait $pid
        status="ended early ($?)"
    fi
    stored=$(sed -n 's/^ablak%\(U00\)\?[Ee]1llapot=//p' "$config/Velorix.ini")
    if [ $shown = yes ] && [ "$status" = 0 ] && ! grep -q 'Protocol error' "$log" && [ "$stored" = 0 ]; then
        echo "ok: stored state $state: the window appeared, the program closed with status 0, state $stored kept"
    else
        echo "FAILED: stored state $state: window shown: $shown, status: $status, stored state: '$stored'"
        grep -v '^\[' "$log" | tail -5
        failures=$((failures + 1))
    fi
done
echo "$failures failed"
[ $failures -eq 0 ]
