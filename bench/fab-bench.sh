#!/usr/bin/env bash
# The manufacturing sets of eight boards: eight calls of corvane-fab, one board each (KiCad starts
# eight times), against one call with the folder of the eight (KiCad starts once). Prints the wall
# and processor times of each repeat and the ratios of the medians (docs/performance.md).
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

# run_timed OUTPUT COMMAND...: the command's wall and processor seconds (user and system, its
# children's included) into OUTPUT as "WALL CPU".
run_timed() {
    local output=$1 times
    shift
    times=$({ TIMEFORMAT='%R %U %S'; time "$@" >/dev/null 2>&1; } 2>&1)
    awk '{ print $1, $2 + $3 }' <<<"$times" >"$output"
}
eight_calls() {
    local board
    for board in "$work"/boards/*.PCB; do
        "$fab" --output "$work/sets/$(basename "$board")-fab" "$board"
    done
}
singles=() together=() singles_cpu=() together_cpu=()
for repeat in $(seq 1 "$repeats"); do
    rm -rf "$work/sets" && mkdir "$work/sets"
    run_timed "$work/times" eight_calls
    read -r wall cpu <"$work/times"
    singles+=("$wall") singles_cpu+=("$cpu")
    rm -rf "$work/sets" && mkdir "$work/sets"
    run_timed "$work/times" "$fab" --out-dir "$work/sets" "$work/boards"
    read -r wall cpu <"$work/times"
    together+=("$wall") together_cpu+=("$cpu")
    [ "$(ls "$work/sets" | wc -l)" -eq 8 ] || { echo "fab-bench: not eight sets" >&2; exit 1; }
    printf 'repeat %d: eight calls %.2f s (processor %.2f s), one call %.2f s (processor %.2f s)\n' \
        "$repeat" "${singles[-1]}" "${singles_cpu[-1]}" "${together[-1]}" "${together_cpu[-1]}"
done
median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
awk -v single="$(median "${singles[@]}")" -v batch="$(median "${together[@]}")" \
    -v single_cpu="$(median "${singles_cpu[@]}")" -v batch_cpu="$(median "${together_cpu[@]}")" 'BEGIN {
    printf "median: eight calls %.2f s (%.2f s a board), one call %.2f s (%.2f s a board): " \
        "%.2f of the time\n", single, single / 8, batch, batch / 8, batch / single
    printf "processor time: eight calls %.2f s, one call %.2f s: %.2f\n", single_cpu, batch_cpu,
        batch_cpu / single_cpu }'
