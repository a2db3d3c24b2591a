#!/usr/bin/env bash
# The converter's page against the native program: the gzipped size of the page (its one file,
# build/web/index.html), and the time to convert PRJ12.PCB (when ../shared/corpus has it) and
# generated boards of 10^4 and 10^5 records with every document, in headless Chromium (the
# conversion inside the worker, best of 5) and natively (the whole process, best of 5), with the
# memory the page's program grew to (the browser's default allows 2 GiB).
#
#   bench/run-web-bench.sh [NATIVE_BUILD_DIR]    (default build/native; build/web must be built)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build=$(realpath "${1:-$root/build/native}")
program="$build/tools/corvane-import/corvane-import"
generate="$build/bench/generate_board"
page="$root/build/web/index.html"
[ -x "$program" ] && [ -x "$generate" ] && [ -f "$page" ] || {
    echo "run-web-bench.sh: build $build and build/web first" >&2
    exit 2
}
cd "$root"
[ -d node_modules/puppeteer-core ] || npm ci --ignore-scripts --no-audit --no-fund --loglevel=error
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
boards=()
for board in ../shared/corpus/PRJ12.PCB; do
    [ -f "$board" ] && boards+=("$board")
done
for records in 10000 100000; do
    "$generate" --records "$records" --seed 1 "$work/generated-$records.PCB" >/dev/null
    boards+=("$work/generated-$records.PCB")
done
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "page: $(stat -c %s "$page") bytes, $(gzip -9c "$page" | wc -c) gzipped"
echo
echo "| board | native s | page s | page / native | page memory MiB |"
echo "|---|---|---|---|---|"
node bench/web-bench.mjs "$page" 5 "${boards[@]}" | while read -r name seconds memory status; do
    board=$(printf '%s\n' "${boards[@]}" | grep "/$name\$")
    best=""
    for _ in 1 2 3 4 5; do
        rm -rf "$work/out" && mkdir "$work/out"
        start=$(date +%s.%N)
        "$program" "$board" --json "$work/out/b.json" --svg "$work/out/b.svg" --html "$work/out/b.html" \
            --kicad "$work/out/b.kicad_pcb" --bom "$work/out/b.bom.csv" --positions "$work/out/b.pos.csv" \
            --report text --report-file "$work/out/b.txt" >/dev/null
        end=$(date +%s.%N)
        t=$(echo "$end - $start" | bc -l)
        if [ -z "$best" ] || [ "$(echo "$t < $best" | bc -l)" -eq 1 ]; then best=$t; fi
    done
    printf '| %s | %.3f | %s | %.2f | %d |\n' "$name" "$best" "$seconds" \
        "$(echo "$seconds / $best" | bc -l)" "$((memory / 1048576))"
    [ "$status" = 0 ] || echo "status $status for $name" >&2
done
