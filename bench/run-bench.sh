#!/usr/bin/env bash
# Measures whole imports of synthetic boards of about 10^3 to 10^6 records through the command-line
# host (one process per import, no progress bar): quiet, writing both the JSON and the SVG, and
# writing the KiCad board, beside one pass of the reading rules over the same file, and checks the
# scaling targets and the outputs' targets (writing the JSON and the SVG costs at most the import's
# own time again, writing the KiCad board takes at most twice the quiet import's time; the peak
# memory of each at most 1.5 times that of the quiet import). Then a mixed board of many free
# objects of every kind, whose KiCad board takes at most twice its quiet import's time too; and
# boards of objects piled on one another (stacked tracks, stacked pads, overlapping fills, many
# closed outlines, a crossing grid), each at N and 4N objects, whose every output may grow at most
# six times for four times the objects (the crossing grid's KiCad board is reported apart: its
# touching pairs grow with the square of its tracks).
#
#   bench/run-bench.sh [--sizes "1000 10000 100000 1000000"] [--alternating-sizes "..."]
#                      [--repeats N] [--kicad-only] [--micro] [--keep] [--no-mixed]
#                      [--no-piles] [--piles-only]
#
#   --sizes              record counts of the boards (default: the four powers of ten; "" for
#                        none)
#   --alternating-sizes  record counts of the boards whose nets follow each component instead of
#                        coming after all of them (default: 10^4, 10^5 and 10^6; "" for none)
#   --repeats            runs per board and measurement, taking turns; the best time counts
#                        (default 5)
#   --kicad-only         of the outputs, only the KiCad board, and no alternating boards
#   --micro              also run the Google Benchmark microbenchmarks and the report-cost
#                        comparison
#   --keep               keep the generated boards (their folder is printed)
#   --no-mixed           leave out the mixed board
#   --no-piles           leave out the piled boards
#   --piles-only         the piled boards alone
#
# Times are processor times (user + system) of the pass and of the import process, the best of the
# runs: on a shared machine they hold steadier than wall time, which is shown beside them. The pass,
# the quiet import and the imports with outputs take turns, so that a busy spell of the machine
# weighs on all alike. The machine's load average is printed before and after.
# Builds in build/bench (the bench preset: Release, CORVANE_BUILD_BENCH=ON). Exits 1 when a target
# is missed.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build/bench"
sizes="1000 10000 100000 1000000"
alternating_sizes="10000 100000 1000000"
repeats=5
kicad_only=0
micro=0
keep=0
mixed=1
piles=1
main_series=1
while [[ $# -gt 0 ]]; do
    case "$1" in
    --sizes) sizes="$2"; shift 2 ;;
    --alternating-sizes) alternating_sizes="$2"; shift 2 ;;
    --repeats) repeats="$2"; shift 2 ;;
    --kicad-only) kicad_only=1; shift ;;
    --micro) micro=1; shift ;;
    --keep) keep=1; shift ;;
    --no-mixed) mixed=0; shift ;;
    --no-piles) piles=0; shift ;;
    --piles-only) main_series=0; mixed=0; alternating_sizes=""; shift ;;
    -h | --help) sed -n '2,/^set -euo/p' "$0" | sed '$d'; exit 0 ;;
    *) echo "run-bench.sh: unknown argument $1" >&2; exit 2 ;;
    esac
done
[[ $kicad_only == 1 ]] && alternating_sizes=""
[[ -z $sizes ]] && main_series=0

# Targets.
max_exponent=1.1
max_ratio=7
max_bytes_per_object=1536
max_output_cost=1.0   # writing JSON and SVG, in units of the time of the quiet import
max_output_memory=1.5 # peak memory with both outputs, in units of that of the quiet import
max_kicad_time=2.0    # the import writing the KiCad board, in units of the time of the quiet import
max_kicad_memory=1.5  # its peak memory, in units of that of the quiet import
max_pile_growth=6     # an output's time for 4N piled objects, in units of its time for N

# The mixed board: 6,000 components of 24 pads, 3,000 nets (a plane takes one through its coded
# pads) and 250,000 free records: 60% tracks, 10% each vias, pads and arcs, 5% each fills and
# strings (about 15 MB).
mixed_board=(--components 6000 --pins 24 --nets 3000 --free-tracks 150000 --free-vias 25000
    --free-pads 25000 --free-arcs 25000 --free-fills 12500 --free-strings 12500)
# The piled boards: kind and N.
pile_boards=("stacked-tracks 16000" "stacked-pads 16000" "overlapping-fills 16000"
    "keep-out-squares 4000" "crossing-grid 2000")

echo "== Building (Release) in $build" >&2
cmake -S "$root" --preset bench >"$build.configure.log" 2>&1 || {
    cat "$build.configure.log" >&2
    exit 1
}
targets=(generate_board read_only measure_process corvane-import)
[[ $micro == 1 ]] && targets+=(corvane_microbench report_cost)
ninja -C "$build" "${targets[@]}" >&2

generate="$build/bench/generate_board"
read_only="$build/bench/read_only"
measure="$build/bench/measure_process"
importer="$build/tools/corvane-import/corvane-import"

boards="$(mktemp -d "${TMPDIR:-/tmp}/corvane-bench.XXXXXX")"
if [[ $keep == 0 ]]; then
    trap 'rm -rf "$boards"' EXIT
fi

# field NAME LINE: the value of NAME=... in a line of key=value pairs.
field() { sed -n "s/.*\\b$1=\\([^ ]*\\).*/\\1/p" <<<"$2"; }

# better A B: whether time A is less than time B, or B is not taken yet.
better() { [[ -z $2 ]] || awk -v a="$1" -v b="$2" 'BEGIN{exit !(a<b)}'; }

# measure_boards RESULTS [GENERATOR_OPTION...]: for each size of $series_sizes, generates a board,
# measures it and appends a line "size bytes records objects read_s import_s peak_kb wall_s
# outputs_s outputs_peak_kb kicad_s kicad_peak_kb" (the outputs' fields 0 unless $with_outputs is
# 1, the KiCad board's unless $with_kicad is 1).
measure_boards() {
    local results="$1" size board summary records objects bytes read_seconds best_seconds
    local best_wall peak_kb run seconds line status wall rss out_seconds out_peak_kb
    local kicad_seconds kicad_peak_kb
    shift
    : >"$results"
    for size in $series_sizes; do
        board="$boards/board-$size$*.PCB"
        board="${board// /}"
        summary="$("$generate" --records "$size" --seed 1 "$@" "$board")"
        records="$(field records "$summary")"
        objects="$(field objects "$summary")"
        bytes="$(field bytes "$summary")"
        echo "== $size: $records records, $objects objects, $bytes bytes" >&2

        # The reading pass and the imports take turns, so that a busy spell of a shared machine
        # weighs on all alike; the best of each counts.
        read_seconds=""
        best_seconds=""
        best_wall=""
        peak_kb=0
        out_seconds=""
        out_peak_kb=0
        kicad_seconds=""
        kicad_peak_kb=0
        for ((run = 0; run < repeats; run++)); do
            seconds="$(field cpu_seconds "$("$read_only" "$board" 1)")"
            if better "$seconds" "$read_seconds"; then
                read_seconds="$seconds"
            fi
            line="$("$measure" "$importer" --quiet "$board")"
            status="$(field status "$line")"
            if [[ $status != 0 ]]; then
                echo "run-bench.sh: corvane-import exited with status $status on $board" >&2
                exit 1
            fi
            seconds="$(field cpu_seconds "$line")"
            wall="$(field seconds "$line")"
            rss="$(field maxrss_kb "$line")"
            if better "$seconds" "$best_seconds"; then
                best_seconds="$seconds"
            fi
            if better "$wall" "$best_wall"; then
                best_wall="$wall"
            fi
            ((rss > peak_kb)) && peak_kb="$rss"
            if [[ $with_outputs == 1 ]]; then
                line="$("$measure" "$importer" --quiet "$board" --json "$boards/out.json" \
                    --svg "$boards/out.svg")"
                status="$(field status "$line")"
                if [[ $status != 0 ]]; then
                    echo "run-bench.sh: corvane-import with --json and --svg exited with status" \
                        "$status on $board" >&2
                    exit 1
                fi
                seconds="$(field cpu_seconds "$line")"
                rss="$(field maxrss_kb "$line")"
                if better "$seconds" "$out_seconds"; then
                    out_seconds="$seconds"
                fi
                ((rss > out_peak_kb)) && out_peak_kb="$rss"
            fi
            if [[ $with_kicad == 1 ]]; then
                line="$("$measure" "$importer" --quiet "$board" --kicad "$boards/out.kicad_pcb")"
                status="$(field status "$line")"
                if [[ $status != 0 ]]; then
                    echo "run-bench.sh: corvane-import with --kicad exited with status $status" \
                        "on $board" >&2
                    exit 1
                fi
                seconds="$(field cpu_seconds "$line")"
                rss="$(field maxrss_kb "$line")"
                if better "$seconds" "$kicad_seconds"; then
                    kicad_seconds="$seconds"
                fi
                ((rss > kicad_peak_kb)) && kicad_peak_kb="$rss"
            fi
        done
        rm -f "$boards/out.json" "$boards/out.svg" "$boards/out.kicad_pcb"
        echo "$size $bytes $records $objects $read_seconds $best_seconds $peak_kb $best_wall" \
            "${out_seconds:-0} $out_peak_kb ${kicad_seconds:-0} $kicad_peak_kb" >>"$results"
    done
}

# best_of TIME_VAR PEAK_VAR ARGS...: runs corvane-import with ARGS, keeping the best processor
# time in TIME_VAR and the highest peak memory in PEAK_VAR (kB); exits on a failed import.
best_of() {
    local -n best_time="$1" best_peak="$2"
    shift 2
    local line status seconds rss
    line="$("$measure" "$importer" "$@")"
    status="$(field status "$line")"
    if [[ $status != 0 ]]; then
        echo "run-bench.sh: corvane-import $* exited with status $status" >&2
        exit 1
    fi
    seconds="$(field cpu_seconds "$line")"
    rss="$(field maxrss_kb "$line")"
    if better "$seconds" "$best_time"; then
        best_time="$seconds"
    fi
    if [[ -z $best_peak ]] || ((rss > best_peak)); then
        best_peak="$rss"
    fi
}

# measure_outputs BOARD: the best processor time of each run of the board, taking turns: the quiet
# import, with JSON and SVG, with the KiCad board, with the BOM and the placement. Prints "quiet_s
# outputs_s kicad_s assembly_s quiet_kb kicad_kb".
measure_outputs() {
    local board="$1" run quiet="" outputs="" kicad="" assembly="" quiet_kb="" outputs_kb=""
    local kicad_kb="" assembly_kb=""
    for ((run = 0; run < repeats; run++)); do
        best_of quiet quiet_kb --quiet "$board"
        best_of outputs outputs_kb --quiet "$board" --json "$boards/out.json" --svg "$boards/out.svg"
        best_of kicad kicad_kb --quiet "$board" --kicad "$boards/out.kicad_pcb"
        best_of assembly assembly_kb --quiet "$board" --bom "$boards/out-bom.csv" \
            --positions "$boards/out-pos.csv"
    done
    rm -f "$boards"/out*
    echo "$quiet $outputs $kicad $assembly $quiet_kb $kicad_kb"
}

# summarise RESULTS TITLE ALL: the table of a series and its checks: the scaling exponent, and
# with ALL=1 the ratio to the reading pass, the peak memory, and the costs of the outputs measured
# ($with_outputs, $with_kicad) on the largest board.
summarise() {
awk -v max_exponent="$max_exponent" -v max_ratio="$max_ratio" \
    -v max_bpo="$max_bytes_per_object" -v cores="$(nproc)" -v title="$2" -v all="$3" \
    -v outputs="$with_outputs" -v max_out_cost="$max_output_cost" \
    -v max_out_memory="$max_output_memory" -v kicad="$with_kicad" \
    -v max_kicad_time="$max_kicad_time" -v max_kicad_memory="$max_kicad_memory" \
    -v mem_kb="$(awk '/MemTotal/ {print $2}' /proc/meminfo)" '
{
    n++
    size[n] = $1; bytes[n] = $2; records[n] = $3; objects[n] = $4
    readt[n] = $5; importt[n] = $6; peak[n] = $7 * 1024; wall[n] = $8
    outt[n] = $9; outpeak[n] = $10 * 1024; kicadt[n] = $11; kicadpeak[n] = $12 * 1024
}
END {
    printf "\n%s\nMachine: %d cores, %.0f GiB; processor seconds, best of the runs per board\n\n", \
        title, cores, mem_kb / 1048576
    printf "| %9s | %8s | %9s | %9s | %9s | %9s | %6s | %11s | %9s | %9s | %9s |\n", \
        "board", "file MB", "records", "objects", "read s", "import s", "ratio", \
        "records/s", "peak MB", "B/object", "wall s"
    printf "|%s|%s|%s|%s|%s|%s|%s|%s|%s|%s|%s|\n", "-----------", "----------", "-----------", \
        "-----------", "-----------", "-----------", "--------", "-------------", "-----------", \
        "-----------", "-----------"
    for (i = 1; i <= n; i++) {
        ratio[i] = readt[i] > 0 ? importt[i] / readt[i] : 0
        perobj[i] = (peak[i] - bytes[i]) / objects[i]
        printf "| %9s | %8.2f | %9d | %9d | %9.4f | %9.4f | %6.1f | %11.0f | %9.1f | %9.0f | %9.3f |\n", \
            size[i], bytes[i] / 1048576, records[i], objects[i], readt[i], importt[i], ratio[i], \
            records[i] / importt[i], peak[i] / 1048576, perobj[i], wall[i]
    }
    if (all && outputs) {
        printf "\nWith --json and --svg: processor seconds and peak memory, against the quiet import\n\n"
        printf "| %9s | %9s | %12s | %9s | %12s |\n", "board", "outputs s", "writing cost", \
            "peak MB", "peak / quiet"
        printf "|%s|%s|%s|%s|%s|\n", "-----------", "-----------", "--------------", \
            "-----------", "--------------"
        for (i = 1; i <= n; i++) {
            cost[i] = importt[i] > 0 ? (outt[i] - importt[i]) / importt[i] : 0
            memory[i] = peak[i] > 0 ? outpeak[i] / peak[i] : 0
            printf "| %9s | %9.4f | %12.2f | %9.1f | %12.2f |\n", size[i], outt[i], cost[i], \
                outpeak[i] / 1048576, memory[i]
        }
    }
    if (all && kicad) {
        printf "\nWith --kicad: processor seconds and peak memory, against the quiet import\n\n"
        printf "| %9s | %9s | %12s | %9s | %12s |\n", "board", "kicad s", "time / quiet", \
            "peak MB", "peak / quiet"
        printf "|%s|%s|%s|%s|%s|\n", "-----------", "-----------", "--------------", \
            "-----------", "--------------"
        for (i = 1; i <= n; i++) {
            ktime[i] = importt[i] > 0 ? kicadt[i] / importt[i] : 0
            kmemory[i] = peak[i] > 0 ? kicadpeak[i] / peak[i] : 0
            printf "| %9s | %9.4f | %12.2f | %9.1f | %12.2f |\n", size[i], kicadt[i], ktime[i], \
                kicadpeak[i] / 1048576, kmemory[i]
        }
    }
    # Least squares of log(import time) on log(records).
    sx = sy = sxx = sxy = 0
    for (i = 1; i <= n; i++) {
        x = log(records[i]); y = log(importt[i])
        sx += x; sy += y; sxx += x * x; sxy += x * y
    }
    exponent = n > 1 ? (n * sxy - sx * sy) / (n * sxx - sx * sx) : 0
    if (n > 1) {
        printf "\nScaling exponent (import time against records, %d sizes): %.3f\n", n, exponent
    }
    printf "\n"

    failed = 0
    if (n > 1) {
        ok = exponent <= max_exponent
        failed += !ok
        printf "%s  scaling exponent %.3f <= %.1f\n", ok ? "PASS" : "FAIL", exponent, max_exponent
    } else {
        printf "SKIP  scaling exponent: one size only\n"
    }
    if (!all) {
        exit failed > 0
    }
    ok = ratio[n] <= max_ratio
    failed += !ok
    printf "%s  import within %.1f x the reading-rules pass on the largest board (%.1f x)\n", \
        ok ? "PASS" : "FAIL", max_ratio, ratio[n]
    limit = objects[n] * max_bpo + bytes[n]
    ok = peak[n] < limit
    failed += !ok
    printf "%s  peak memory %.1f MB < %.1f MB (1.5 KB per object plus the file) on the largest board\n", \
        ok ? "PASS" : "FAIL", peak[n] / 1048576, limit / 1048576
    if (outputs) {
        ok = cost[n] <= max_out_cost
        failed += !ok
        printf "%s  writing JSON and SVG costs %.2f x the time of the quiet import <= %.1f on the largest board\n", \
            ok ? "PASS" : "FAIL", cost[n], max_out_cost
        ok = memory[n] <= max_out_memory
        failed += !ok
        printf "%s  peak memory with both outputs %.2f x that of the quiet import <= %.1f on the largest board\n", \
            ok ? "PASS" : "FAIL", memory[n], max_out_memory
    }
    if (kicad) {
        worst = 1
        for (i = 2; i <= n; i++) {
            if (ktime[i] > ktime[worst]) worst = i
        }
        ok = ktime[worst] <= max_kicad_time
        failed += !ok
        printf "%s  the import with --kicad takes at most %.2f x the time of the quiet import (board %s) <= %.1f on every board\n", \
            ok ? "PASS" : "FAIL", ktime[worst], size[worst], max_kicad_time
        ok = kmemory[n] <= max_kicad_memory
        failed += !ok
        printf "%s  peak memory with --kicad %.2f x that of the quiet import <= %.1f on the largest board\n", \
            ok ? "PASS" : "FAIL", kmemory[n], max_kicad_memory
    }
    exit failed > 0
}' "$1"
}

echo "== load average before: $(cut -d' ' -f1-3 /proc/loadavg)" >&2
status=0
with_outputs=$((1 - kicad_only))
with_kicad=1
if [[ $main_series == 1 ]]; then
    series_sizes="$sizes"
    results="$boards/results.txt"
    measure_boards "$results"
    summarise "$results" "Boards with the nets after the components" 1 || status=1
fi
if [[ -n $alternating_sizes ]]; then
    # Nets after each component, naming it and earlier ones: every component is learned from the
    # host after the node index's first walk of the board.
    series_sizes="$alternating_sizes"
    with_outputs=0
    with_kicad=0
    measure_boards "$boards/alternating.txt" --alternate
    summarise "$boards/alternating.txt" "Boards alternating components and net definitions" 0 ||
        status=1
fi

# The mixed board: many free objects of every kind beside the components.
if [[ $mixed == 1 ]]; then
    board="$boards/mixed.PCB"
    summary="$("$generate" --seed 1 "${mixed_board[@]}" "$board")"
    echo "== mixed board: $(field records "$summary") records, $(field objects "$summary")" \
        "objects, $(field bytes "$summary") bytes" >&2
    read -r quiet _ kicad _ quiet_kb kicad_kb <<<"$(measure_outputs "$board")"
    awk -v quiet="$quiet" -v kicad="$kicad" -v quiet_kb="$quiet_kb" -v kicad_kb="$kicad_kb" \
        -v bytes="$(field bytes "$summary")" -v max_kicad_time="$max_kicad_time" 'BEGIN {
        printf "\nMixed board (%.1f MB): processor seconds, best of the runs\n\n", bytes / 1048576
        printf "| quiet import s | --kicad s | time / quiet | quiet peak MB | --kicad peak MB |\n"
        printf "|---:|---:|---:|---:|---:|\n"
        printf "| %.4f | %.4f | %.2f | %.1f | %.1f |\n\n", quiet, kicad, kicad / quiet, \
            quiet_kb / 1024, kicad_kb / 1024
        ok = kicad / quiet <= max_kicad_time
        printf "%s  the import with --kicad takes %.2f x the time of the quiet import <= %.1f on the mixed board\n", \
            ok ? "PASS" : "FAIL", kicad / quiet, max_kicad_time
        exit !ok
    }' || status=1
fi

# The piled boards: each output's growth for four times the objects.
if [[ $piles == 1 ]]; then
    : >"$boards/piles.txt"
    for pile in "${pile_boards[@]}"; do
        read -r kind count <<<"$pile"
        for n in "$count" "$((4 * count))"; do
            board="$boards/pile-$kind-$n.PCB"
            "$generate" --pile "$kind" "$n" "$board" >/dev/null
            echo "== $kind, $n" >&2
            echo "$kind $n $(measure_outputs "$board")" >>"$boards/piles.txt"
            rm -f "$board"
        done
    done
    awk -v max_growth="$max_pile_growth" '
    { kind[NR] = $1; n[NR] = $2; t[NR, 1] = $3; t[NR, 2] = $4; t[NR, 3] = $5; t[NR, 4] = $6 }
    END {
        split("quiet import,JSON and SVG,KiCad board,BOM and placement", output, ",")
        printf "\nPiled boards: processor seconds for N and 4N, best of the runs, and the growth\n\n"
        printf "| board | N | output | N s | 4N s | growth |\n|---|---:|---|---:|---:|---:|\n"
        failed = 0
        for (i = 1; i < NR; i += 2) {
            for (o = 1; o <= 4; o++) {
                growth = t[i, o] > 0 ? t[i + 1, o] / t[i, o] : 0
                printf "| %s | %d | %s | %.4f | %.4f | %.1f |\n", kind[i], n[i], output[o], \
                    t[i, o], t[i + 1, o], growth
                apart = kind[i] == "crossing-grid" && o == 3
                if (!apart && growth > max_growth) {
                    failed++
                    printf "FAIL  %s: %s grows %.1f x for 4x the objects > %d\n", kind[i], \
                        output[o], growth, max_growth
                }
                if (apart) {
                    report = sprintf("REPORT  crossing grid: the KiCad board grows %.1f x for 4x the tracks (their crossings grow 16 x)", growth)
                }
            }
        }
        printf "\n%s  every output of the piled boards grows at most %d x for 4x the objects\n", \
            failed ? "FAIL" : "PASS", max_growth
        if (report != "") print report
        exit failed > 0
    }' "$boards/piles.txt" || status=1
fi

echo "== load average after: $(cut -d' ' -f1-3 /proc/loadavg)" >&2

# The report's cost: the main loop over one board with no report and with the report attached.
# Times, interleaved and repeated (the ratio of the medians), and, where valgrind is installed,
# the instructions of each import counted by callgrind, which the machine's load does not disturb.
report_cost() {
    "$build/bench/corvane_microbench" --benchmark_filter='BM_Import(CleanBoard|BoardWithStrayLines)' \
        --benchmark_repetitions=20 --benchmark_enable_random_interleaving=true \
        --benchmark_min_time=0.5 --benchmark_report_aggregates_only=true 2>/dev/null |
        awk '$1 ~ /_median$/ {
            name = $1; sub(/_median$/, "", name); split(name, part, "/")
            ms[part[1], part[2]] = $4; boards[part[1]] = 1
        }
        END {
            printf "\nReport recording, median CPU ms of the main loop (20 interleaved runs):\n"
            for (board in boards) {
                printf "  %-30s no report %8.2f   report attached %8.2f   ratio %.3f\n", \
                    board, ms[board, 0], ms[board, 1], ms[board, 1] / ms[board, 0]
            }
        }'
    if ! command -v valgrind >/dev/null; then
        echo "(valgrind not installed: no instruction counts)"
        return
    fi
    echo "Report recording, instructions of the main loop (callgrind):"
    local board mode
    for board in clean stray; do
        local counts=()
        for mode in none report; do
            counts+=("$(valgrind --tool=callgrind --callgrind-out-file=/dev/null --collect-atstart=no \
                "--toggle-collect=corvane::RunMainLoop(*)" "$build/bench/report_cost" "$board" \
                "$mode" 2>&1 | sed -n 's/.*Collected : \([0-9]*\).*/\1/p')")
        done
        awk -v board="$board" -v none="${counts[0]}" -v report="${counts[1]}" 'BEGIN {
            printf "  %-30s no report %12d   report attached %12d   ratio %.4f\n", \
                board " board", none, report, report / none
        }'
    done
}

if [[ $micro == 1 ]]; then
    echo
    "$build/bench/corvane_microbench" --benchmark_min_time=0.2 \
        --benchmark_filter='-BM_Import(CleanBoard|BoardWithStrayLines)'
    report_cost
fi
if [[ $keep == 1 ]]; then
    echo "Boards kept in $boards" >&2
fi
if [[ $status != 0 ]]; then
    echo "run-bench.sh: a target was missed (the FAIL lines above)" >&2
fi
exit "$status"
