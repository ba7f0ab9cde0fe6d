#!/usr/bin/env bash
# The real program on an X server with a window manager (Xvfb + openbox), with stores
# that users and editors leave behind: a state 2 that the window system cannot give a
# fixed-size window, and a position typed by hand with a decimal comma.
set -uo pipefail
program=$1
command -v xdotool >/dev/null || { echo "SKIP: xdotool is not installed"; exit 77; }
# on an X server of its own, 1024 × 768, with its window manager (xvfb.sh)
if [ -z "${VELORIX_ON_XVFB:-}" ]; then
    VELORIX_ON_XVFB=1 XVFB_SCREEN=1024x768 exec bash "$(dirname "$0")/xvfb.sh" bash "$0" "$@"
fi

work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT

failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
state_of() { sed -n 's/^ablak%\(U00\)\?[Ee]1llapot=//p' "$1/Velorix.ini"; }
left_of() { sed -n 's/^ablak%20balsz%\(U00\)\?[Ee]9le=//p' "$1/Velorix.ini"; }

# Starts the program with a store; leaves its pid in $pid and its window's client-area
# position in $x $y.
start() { # config folder, locale
    XDG_CONFIG_HOME="$1" LANG="$2" LC_ALL="$2" "$program" 2>"$1/stderr" &
    pid=$!
    window=""
    for _ in $(seq 100); do
        window=$(xdotool search --pid $pid --name 'MSZ 13018' 2>/dev/null | head -n1)
        [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || return 1
    sleep 1.6 # the window system frames and places it
    x=$(xwininfo -id "$window" | sed -n 's/.*Absolute upper-left X: *//p')
    y=$(xwininfo -id "$window" | sed -n 's/.*Absolute upper-left Y: *//p')
}
stop() {
    kill -TERM $pid
    wait $pid
}

# A stored maximized state: the window opens, and when it is closed at its normal size,
# the state 0 and its position are stored.
config="$work/maximized"
mkdir -p "$config"
printf '[Form1]\nablak%%U00E1llapot=2\nablak%%20balsz%%U00E9le=1500\n' >"$config/Velorix.ini"
if start "$config" C.UTF-8; then
    xdotool windowmove "$window" 300 200
    sleep 0.8
    x=$(xwininfo -id "$window" | sed -n 's/.*Absolute upper-left X: *//p')
    stop; status=$?
    state=$(state_of "$config")
    left=$(left_of "$config")
    if [ "$status" = 0 ] && [ "$state" = 0 ] && [ -n "$left" ] && [ $((left / 15)) -le "$x" ] &&
        [ $((x - left / 15)) -le 10 ]; then
        echo "ok: stored state 2: closed at normal size stores state 0 and left $left (client at x $x)"
    else
        fail "stored state 2: status $status, stored state '$state', left '$left', client x $x"
        cat "$config/Velorix.ini"
    fi
else
    fail "stored state 2: no window"
fi

# A left edge typed by hand with an unquoted decimal comma: 1234,5 twips (82 pixels), not
# the default of a quarter of the screen (256 pixels), under a comma and a point locale.
for locale in hu_HU.UTF-8 C.UTF-8; do
    config="$work/comma-$locale"
    mkdir -p "$config"
    printf '[Form1]\nablak balszéle=1234,5\nablak felsőszéle=1500\n' >"$config/Velorix.ini"
    if start "$config" "$locale"; then
        stop
        if [ "$x" -ge 82 ] && [ "$x" -le 92 ]; then
            echo "ok: hand-typed 1234,5 under $locale: the client area at x $x"
        else
            fail "hand-typed 1234,5 under $locale: the client area at x $x"
        fi
    else
        fail "hand-typed 1234,5 under $locale: no window"
    fi
done

# A record given on the command line: the main window and the record window beside it; the
# close of the session closes both, and the program ends normally.
record="$(cd "$(dirname "$0")/.." && pwd)/docs/pelda/robbantas.mseed"
config="$work/record"
mkdir -p "$config"
XDG_CONFIG_HOME="$config" "$program" "$record" 2>"$config/stderr" &
pid=$!
main="" rec="" asked=""
for _ in $(seq 150); do
    # the sample's floats name no unit: asked for, answered from the keyboard (the first
    # choice has the focus; down to mm/s, chosen, OK)
    if [ -z "$asked" ]; then
        asked=$(xdotool search --all --onlyvisible --pid $pid --name '^Mértékegység$' 2>/dev/null | head -n1)
        [ -n "$asked" ] && xdotool windowactivate --sync "$asked" key Down space Return 2>/dev/null
    fi
    main=$(xdotool search --all --onlyvisible --pid $pid --name 'MSZ 13018' 2>/dev/null | head -n1)
    # the record window itself, not the one that shows its opening
    rec=$(xdotool search --all --onlyvisible --pid $pid --name 'robbantas\.mseed$' 2>/dev/null | head -n1)
    [ -n "$main" ] && [ -n "$rec" ] && break
    sleep 0.1
done
if [ -n "$main" ] && [ -n "$rec" ]; then
    width=$(xwininfo -id "$rec" | sed -n 's/.*Width: *//p')
    kill -TERM $pid; wait $pid; status=$?
    if [ "$status" = 0 ] && [ "$width" -ge 600 ]; then
        echo "ok: velorix FILE shows the main window and the record window ($width px wide)"
    else
        fail "velorix FILE: status $status, record window $width px wide"
    fi
else
    fail "velorix FILE: main window '$main', record window '$rec'"
    cat "$config/stderr"
    kill -TERM $pid 2>/dev/null; wait $pid
fi

echo "$failures failed"
[ $failures -eq 0 ]
