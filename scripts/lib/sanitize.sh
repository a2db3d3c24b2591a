# The sanitizer build: everything built with AddressSanitizer (LeakSanitizer included) and
# UndefinedBehaviorSanitizer without recovery, and the whole test suite run in it. Any report of
# theirs fails the test that made it. Source scripts/lib/deps.sh first (apt_install), and call
# from the repository's root.

# The sanitizers' run-time options: stop at the first report, look for leaks at exit, and give
# symbolised stacks.
sanitizer_environment() {
    export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:abort_on_error=0:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:detect_invalid_pointer_pairs=0:${ASAN_OPTIONS_EXTRA:-}"
    export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:report_error_type=1"
    export LSAN_OPTIONS="report_objects=1"
}

# run_sanitizer_tests [BUILD_DIR]: configures BUILD_DIR (build/sanitize) with the sanitize preset,
# builds it and runs ctest in it.
run_sanitizer_tests() {
    local build="${1:-build/sanitize}"
    local jobs
    jobs=$(nproc)
    install_native_deps
    echo "== sanitizer build (AddressSanitizer with LeakSanitizer, UBSan without recovery)"
    cmake --preset sanitize -B "$build" >/dev/null
    cmake --build "$build" -j "$jobs" -- --quiet
    echo "== sanitizer tests"
    (
        sanitizer_environment
        ctest --test-dir "$build" --output-on-failure -j "$jobs" --timeout 600
    )
}
