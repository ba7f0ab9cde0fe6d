#!/usr/bin/env bash
# Start-up cost in instructions (callgrind), to the first frame, offscreen: the program's main
# window next to the same widgets on bare Qt. Prints both and their ratio (the goal: 1.05 at
# most). Usage: bench/indulas.sh [build folder, default build/default]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/default}"
bench="$build/bench_indulas"
[ -x "$bench" ] || { echo "bench/indulas.sh: build $bench first" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
count() { # the instructions of one run
    QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$work/config" LC_ALL=C.UTF-8 \
        valgrind --tool=callgrind --callgrind-out-file="$work/out" "$bench" "$@" >/dev/null 2>"$work/log"
    sed -n 's/.*Collected : *//p' "$work/log" | tr -d ' '
}
count >/dev/null # a first run makes the settings file, as every start after the first has it
velorix=$(count)
floor=$(count alap)
awk -v v="$velorix" -v f="$floor" 'BEGIN {
    printf "start-up to the first frame (instructions, callgrind, offscreen)\n"
    printf "  the same widgets on bare Qt: %d\n", f
    printf "  Velorix:                     %d\n", v
    printf "  ratio:                       %.3f (goal: at most 1.050)\n", v / f
}'
