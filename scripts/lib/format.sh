# The formatting check: every C and C++ file of the repository is as clang-format (with the
# checked-in .clang-format) writes it. Call from the repository's root; clang-format comes with
# install_native_deps.

check_format() {
    echo "== format check"
    git ls-files -z '*.h' '*.cpp' '*.c' | xargs -0 clang-format --dry-run --Werror
}
