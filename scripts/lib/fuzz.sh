# Fuzzing with libFuzzer: the targets of fuzz/ (fuzz_import: files imported through the plug-in's
# exports into the substitute server; fuzz_reading: the reading rules alone; fuzz_writers: files
# imported, then written into every document of corvane-import), built
# with clang, coverage instrumentation, AddressSanitizer (with LeakSanitizer) and UBSan. Source
# scripts/lib/deps.sh first (apt_install), and call from the repository's root.

fuzz_targets=(import reading writers)

# clang with libFuzzer and the sanitizer runtimes; llvm for the symbolizer and the coverage tools.
install_fuzz_deps() {
    apt_install clang libclang-rt-14-dev llvm
}

# build_fuzzers BUILD_DIR [CMAKE_OPTION...]: configures BUILD_DIR with the fuzz preset (a clang
# build of the fuzz targets only) and builds them.
build_fuzzers() {
    local build="$1"
    shift
    cmake --preset fuzz -B "$build" "$@" >/dev/null
    cmake --build "$build" -j "$(nproc)" --target "${fuzz_targets[@]/#/fuzz_}" -- --quiet
}

# The sanitizers' options while fuzzing: every report is a finding; leaks are looked for after
# each input that allocated more than it freed.
fuzz_environment() {
    export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:abort_on_error=0:allocator_may_return_null=0:handle_abort=1"
    export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
}

# seed_corpus TARGET DIR: fills DIR with the target's seeds (the small valid boards of every record
# kind and the malformed corpus).
seed_corpus() {
    local dir="$2"
    mkdir -p "$dir"
    cp fuzz/corpus/import/* "$dir"/
    cp tests/malformed/cases/* "$dir"/
}

# The time one input may take, in seconds. An input of a few kilobytes takes milliseconds, with
# every sanitizer, on a busy machine: one that takes seconds is a finding (geometry whose cost grows
# with the square of its objects, a loop that does not end).
fuzz_input_seconds=5

# run_fuzzer BUILD_DIR TARGET CORPUS_DIR LOG [LIBFUZZER_OPTION...]: one libFuzzer run; its exit
# status is the fuzzer's (non-zero on a crash, leak, sanitizer report, an input that takes longer
# than fuzz_input_seconds, or out-of-memory).
run_fuzzer() {
    local build="$1" target="$2" corpus="$3" log="$4"
    shift 4
    mkdir -p "$build/artifacts"
    (
        fuzz_environment
        "$build/fuzz/fuzz_$target" -dict=fuzz/import.dict -timeout="$fuzz_input_seconds" -rss_limit_mb=2048 \
            -malloc_limit_mb=2048 -print_final_stats=1 -error_exitcode=77 \
            -timeout_exitcode=78 -artifact_prefix="$build/artifacts/$target-" "$@" "$corpus" \
            >"$log" 2>&1
    )
}

# The executions and the coverage libFuzzer reached, from the last lines of its log.
fuzz_summary() {
    local log="$1"
    local done_line units
    done_line=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n 1 || true)
    units=$(grep -E '^stat::number_of_executed_units' "$log" | tail -n 1 | awk '{print $2}' || true)
    echo "${units:-?} executions; ${done_line:-no final line}"
}

# wait_for_fuzzers BUILD_DIR LOG_DIR PIDS: waits for the fuzzers started side by side (PIDS names
# an associative array of target to process id; each logs to LOG_DIR/TARGET.log) and prints each
# one's executions and coverage, or on a finding the end of its log. Fails if any found something.
wait_for_fuzzers() {
    local build="$1" logs="$2"
    local -n started="$3"
    local failed=0 target
    for target in "${fuzz_targets[@]}"; do
        [ -n "${started[$target]:-}" ] || continue
        if wait "${started[$target]}"; then
            echo "fuzz_$target: $(fuzz_summary "$logs/$target.log")"
        else
            failed=1
            echo "fuzz_$target FAILED (input kept in $build/artifacts):"
            grep -v -E '^#[0-9]+[[:space:]]+(NEW|REDUCE|pulse|INITED|RELOAD)' "$logs/$target.log" |
                tail -n 60 || true
        fi
    done
    return "$failed"
}

# Executions of each target in the short run. An import runs the whole plug-in and the server on
# a file, several times the work of the reading rules alone, and the writers' target adds a walk
# of the board and every document to each import: 60000 imports and 200000 readings take about
# two minutes each on one core, 20000 imports with every document about 40 s (ASan and UBSan).
# The three side by side on two cores take about three minutes, the writers' target sharing the
# cores adding about a minute to the two others.
declare -A fuzz_short_runs=([import]=60000 [reading]=200000 [writers]=20000)

# run_short_fuzz [BUILD_DIR]: builds the targets in BUILD_DIR (build/fuzz) and runs each for a
# fixed number of executions (fuzz_short_runs, or CORVANE_FUZZ_RUNS for each) from a fixed seed,
# all at once, on inputs of up to 1 KB. Fails on any finding; the input that found it is left in
# BUILD_DIR/artifacts.
run_short_fuzz() {
    local build="${1:-build/fuzz}"
    install_fuzz_deps
    echo "== fuzz build (clang, libFuzzer, AddressSanitizer, UBSan)"
    build_fuzzers "$build"
    local work
    work=$(mktemp -d)
    local -A pids=()
    local target
    for target in "${fuzz_targets[@]}"; do
        local runs="${CORVANE_FUZZ_RUNS:-${fuzz_short_runs[$target]}}"
        echo "== short fuzzing: fuzz_$target, $runs executions"
        seed_corpus "$target" "$work/$target"
        # Entropic scheduling costs more than it finds in a run this short.
        run_fuzzer "$build" "$target" "$work/$target" "$work/$target.log" -runs="$runs" -seed=1 \
            -max_len=1024 -entropic=0 &
        # shellcheck disable=SC2034 # read by wait_for_fuzzers through its name
        pids[$target]=$!
    done
    local failed=0
    wait_for_fuzzers "$build" "$work" pids || failed=1
    rm -rf "$work"
    return "$failed"
}
