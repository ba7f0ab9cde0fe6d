#!/usr/bin/env bash
# Runs the AT-SPI checks of the window, and of a record window beside it, on a real
# accessibility bus, under Xvfb.
set -uo pipefail
program=$1
here=$(cd "$(dirname "$0")" && pwd)
for tool in Xvfb dbus-run-session /usr/libexec/at-spi-bus-launcher; do
    command -v $tool >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "SKIP: pyatspi is not installed"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
display=140
while [ -e "/tmp/.X${display}-lock" ]; do display=$((display + 1)); done

dbus-run-session -- bash -c '
    program=$1 here=$2 work=$3 display=$4
    Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    export DISPLAY=":$display"
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    /usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/bus.log" 2>&1 &
    sleep 0.5
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 XDG_CONFIG_HOME="$work/config" "$program" 2>"$work/program.log" &
    pid=$!
    /usr/bin/python3 "$here/test_atspi.py"
    status=$?
    kill -TERM $pid; wait $pid
    # a record beside the main window
    record="$here/../docs/pelda/robbantas.mseed"
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 XDG_CONFIG_HOME="$work/config" "$program" "$record" \
        2>"$work/program-record.log" &
    pid=$!
    VELORIX_PROGRAM="$program" VELORIX_RECORD="$record" /usr/bin/python3 "$here/test_atspi_record.py" ||
        status=1
    kill -TERM $pid; wait $pid || status=1
    # the same on a laptop: 1366 × 768 with a window manager, the category clicked by the pointer
    if command -v openbox >/dev/null && command -v xdotool >/dev/null; then
        laptop=$((display + 1))
        Xvfb ":$laptop" -screen 0 1366x768x24 -dpi 96 -nolisten tcp >"$work/xvfb-laptop.log" 2>&1 &
        export DISPLAY=":$laptop"
        for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
        openbox >"$work/wm.log" 2>&1 &
        sleep 0.5
        QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 XDG_CONFIG_HOME="$work/config-laptop" "$program" "$record" \
            2>"$work/program-laptop.log" &
        pid=$!
        VELORIX_PROGRAM="$program" VELORIX_RECORD="$record" VELORIX_SCREEN=1366x768 \
            /usr/bin/python3 "$here/test_atspi_record.py" || status=1
        kill -TERM $pid; wait $pid || status=1
    fi
    kill $(jobs -p) 2>/dev/null
    exit $status
' bash "$program" "$here" "$work" "$display"
