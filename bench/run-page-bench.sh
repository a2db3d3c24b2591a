#!/usr/bin/env bash
# The board page's benchmark: page size against the JSON's, the time until the board is first drawn
# in headless Chromium, and the frame time while panning, for the demo, the real boards (when
# ../shared/corpus has them) and generated boards of 10^4 and 10^5 records.
#
#   bench/run-page-bench.sh [BUILD_DIR]    (default build/native, which has generate_board)
#
# Installs puppeteer-core from the lock file (npm ci) when it is missing. Prints a Markdown table.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build=$(realpath "${1:-$root/build/native}")
program="$build/tools/corvane-import/corvane-import"
generate="$build/bench/generate_board"
[ -x "$program" ] && [ -x "$generate" ] || {
    echo "run-page-bench.sh: build $build first (cmake --build --preset native)" >&2
    exit 2
}
cd "$root"
[ -d node_modules/puppeteer-core ] || npm ci --ignore-scripts --no-audit --no-fund --loglevel=error
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
boards=(examples/demo.PCB)
for board in ../shared/corpus/*.PCB; do
    [ -f "$board" ] && boards+=("$board")
done
for records in 10000 100000; do
    "$generate" --records "$records" --seed 1 "$work/generated-$records.PCB" >/dev/null
    boards+=("$work/generated-$records.PCB")
done
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
node bench/page-bench.mjs "$program" "${boards[@]}"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
