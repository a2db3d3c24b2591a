#!/usr/bin/env bash
# The manufacturing sets of eight boards: eight calls of corvane-fab, one board each (KiCad starts
# eight times), against one call with the folder of the eight (KiCad starts once). Prints the wall
# times of each repeat and the ratio of the medians (docs/performance.md).
#
#   bench/fab-bench.sh [--repeats N] [CORVANE_IMPORT]
#
# The boards: the two real boards of ../shared/corpus (the demo board stands in for a missing
# one), the demo board and five test boards, each a whole set (the --strict import passes on
# each). CORVANE_IMPORT defaults to build/native's; KiCad and gerbv must be installed
# (scripts/lib/deps.sh install_fab_deps).
set -euo pipefail
cd "$(dirname "$0")/.."
repeats=3
if [ "${1:-}" = "--repeats" ]; then
    repeats=$2
    shift 2
fi
export CORVANE_IMPORT=$(realpath "${1:-build/native/tools/corvane-import/corvane-import}")
fab=$PWD/tools/corvane-fab/corvane-fab

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/boards"
index=0
for board in ../shared/corpus/PRJ.PCB ../shared/corpus/PRJ12.PCB examples/demo.PCB \
    tests/kicad/data/routed.PCB tests/kicad/data/netless-gap.PCB \
    tests/kicad/data/netless-routed.PCB tests/tools/data/duplicates.PCB \
    tests/tools/data/damaged-sizes.PCB; do
    [ -f "$board" ] || board=examples/demo.PCB
    index=$((index + 1))
    cp "$board" "$work/boards/$index-$(basename "$board")"
done

seconds() { date +%s.%N; }
singles=()
together=()
for repeat in $(seq 1 "$repeats"); do
    rm -rf "$work/sets" && mkdir "$work/sets"
    start=$(seconds)
    for board in "$work"/boards/*.PCB; do
        "$fab" --output "$work/sets/$(basename "$board")-fab" "$board" >/dev/null 2>&1
    done
    singles+=("$(awk -v a="$(seconds)" -v b="$start" 'BEGIN { print a - b }')")
    rm -rf "$work/sets" && mkdir "$work/sets"
    start=$(seconds)
    "$fab" --out-dir "$work/sets" "$work/boards" >/dev/null 2>&1
    together+=("$(awk -v a="$(seconds)" -v b="$start" 'BEGIN { print a - b }')")
    [ "$(ls "$work/sets" | wc -l)" -eq 8 ] || { echo "fab-bench: not eight sets" >&2; exit 1; }
    printf 'repeat %d: eight calls %.2f s, one call %.2f s\n' "$repeat" "${singles[-1]}" \
        "${together[-1]}"
done
median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
single=$(median "${singles[@]}")
batch=$(median "${together[@]}")
awk -v single="$single" -v batch="$batch" 'BEGIN {
    printf "median: eight calls %.2f s (%.2f s a board), one call %.2f s (%.2f s a board): " \
        "%.2f of the time\n", single, single / 8, batch, batch / 8, batch / single }'
