#!/usr/bin/env bash
# Runs a test on an X server with a window manager (Xvfb + openbox), as on a desktop:
# real windows, placed, framed and activated by the window manager. Exits with 77 where the
# tools are missing. Usage: xvfb.sh COMMAND [ARGUMENT…]
set -uo pipefail
for tool in Xvfb openbox xwininfo; do
    command -v $tool >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
work=$(mktemp -d)
display=140
while [ -e "/tmp/.X${display}-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1366x768x24 -dpi 96 -nolisten tcp >"$work/xvfb.log" 2>&1 &
export DISPLAY=":$display"
trap 'kill $(jobs -p) 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 50); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done
openbox >"$work/openbox.log" 2>&1 &
sleep 0.5
QT_QPA_PLATFORM=xcb "$@"
