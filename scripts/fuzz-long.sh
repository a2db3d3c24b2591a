#!/usr/bin/env bash
# A long local fuzzing run of the fuzz targets, for use by hand (CI runs the short one of
# scripts/lib/fuzz.sh). Each target runs a number of executions from its own corpus, kept in
# DIR-corpus/<target> between runs (DIR is the build folder, build/fuzz) and seeded from
# fuzz/corpus and tests/malformed/cases;
# the targets run side by side. At the end it reports, per target, the executions run and the
# coverage libFuzzer reached (edges, features, corpus), then the lines and functions of the
# plug-in's sources that the corpus covers (a coverage build replays it).
#
#   scripts/fuzz-long.sh [--runs N] [--target import|reading|writers] [--build DIR]
#                        [--without-asan] [--no-source-coverage] [-- LIBFUZZER_OPTION...]
#
# --without-asan builds the targets with UBSan only (about twice the executions per second, but
# memory faults that do not crash go unseen); give it its own --build folder.
#
# N is per target (default 10000000); inputs are up to 4 KB and an input may take up to
# fuzz_input_seconds (scripts/lib/fuzz.sh) unless an option says otherwise.
# Findings are left in DIR/artifacts and make the script exit non-zero.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/deps.sh
source scripts/lib/fuzz.sh

runs=10000000
build=build/fuzz
targets=("${fuzz_targets[@]}")
source_coverage=1
sanitizers=()
while [ $# -gt 0 ]; do
    case "$1" in
    --runs) runs="$2"; shift 2 ;;
    --target) targets=("$2"); shift 2 ;;
    --build) build="$2"; shift 2 ;;
    --no-source-coverage) source_coverage=0; shift ;;
    --without-asan) sanitizers=(-DCORVANE_FUZZ_SANITIZERS=undefined); shift ;;
    --) shift; break ;;
    *)
        echo "usage: $0 [--runs N] [--target import|reading|writers] [--build DIR] [--without-asan]" \
            "[--no-source-coverage]" \
            "[-- LIBFUZZER_OPTION...]" >&2
        exit 2
        ;;
    esac
done

corpora="$build-corpus"
logs="$build-logs"
install_fuzz_deps
echo "== fuzz build"
build_fuzzers "$build" "${sanitizers[@]}"
mkdir -p "$logs"

declare -A pids=()
for target in "${targets[@]}"; do
    if [ ! -d "$corpora/$target" ]; then
        seed_corpus "$target" "$corpora/$target"
    fi
    echo "== fuzz_$target: $runs executions (log $logs/$target.log)"
    run_fuzzer "$build" "$target" "$corpora/$target" "$logs/$target.log" -runs="$runs" \
        -max_len=4096 "$@" &
    # shellcheck disable=SC2034 # read by wait_for_fuzzers through its name
    pids[$target]=$!
done

failed=0
wait_for_fuzzers "$build" "$logs" pids || failed=1
for target in "${targets[@]}"; do
    echo "fuzz_$target: corpus of $(find "$corpora/$target" -type f | wc -l) inputs"
done

if [ "$source_coverage" -eq 1 ]; then
    # Replay each corpus once in a build with source coverage, and report the plug-in's share.
    coverage_build="$build-coverage"
    echo "== source coverage of the corpora"
    build_fuzzers "$coverage_build" -DCORVANE_FUZZ_COVERAGE=ON
    for target in "${targets[@]}"; do
        profile="$coverage_build/$target"
        LLVM_PROFILE_FILE="$profile.profraw" "$coverage_build/fuzz/fuzz_$target" -runs=0 \
            -max_len=4096 "$corpora/$target" >"$logs/$target-coverage.log" 2>&1 || true
        llvm-profdata merge -sparse "$profile.profraw" -o "$profile.profdata"
        echo "-- fuzz_$target: sources of src/ covered by its corpus"
        llvm-cov report "$coverage_build/fuzz/fuzz_$target" -instr-profile="$profile.profdata" \
            "$PWD/src/importer" "$PWD/src/serverclient" "$PWD/src/pcbmodel" | tail -n 1 |
            awk '{printf "   regions %s, functions %s, lines %s (totals for src/importer, src/serverclient, src/pcbmodel)\n", $4, $7, $10}'
        llvm-cov report "$coverage_build/fuzz/fuzz_$target" -instr-profile="$profile.profdata" \
            "$PWD/src/importer" | tail -n 1 |
            awk '{printf "   regions %s, functions %s, lines %s (src/importer alone)\n", $4, $7, $10}'
    done
fi
exit "$failed"
