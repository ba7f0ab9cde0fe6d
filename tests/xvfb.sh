#!/usr/bin/env bash
# Runs a test on an X server with a window manager (Xvfb + openbox), as on a desktop:
# real windows, placed, framed and activated by the window manager. Exits with 77 where the
# tools are missing. Usage: [XVFB_SCREEN=WxH] xvfb.sh COMMAND [ARGUMENT…] (1366x768 unless
# given)
set -uo pipefail
for tool in Xvfb openbox xwininfo; do
    command -v $tool >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
# the server takes a free display itself and says which, so that tests run side by side
Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1366x768}x24" -dpi 96 -nolisten tcp \
    3>"$work/display" >"$work/xvfb.log" 2>&1 &
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(tr -d '[:space:]' <"$work/display")"
for _ in $(seq 50); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done
openbox >"$work/openbox.log" 2>&1 &
sleep 0.5
QT_QPA_PLATFORM=xcb "$@"
