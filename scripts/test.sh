#!/usr/bin/env bash
# Checks the formatting, builds everything and runs every test: the native build (warnings as errors), the installed
# program and its Debian package, the board page and the converter's page (WebAssembly) in
# headless Chromium, the KiCad export
# checked by KiCad, the sanitizer build, the 32-bit Windows build under wine, and a short fuzzing
# run. Each build is configured by its preset of CMakePresets.json (build/PRESET). On a fresh
# Debian machine it first installs what it needs with apt-get (as root). Exits non-zero on any
# failure.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/deps.sh
source scripts/lib/kicad.sh
source scripts/lib/sanitize.sh
source scripts/lib/fuzz.sh
source scripts/lib/format.sh
source scripts/lib/install.sh
source scripts/lib/page.sh
source scripts/lib/web.sh

# Each stage's start, in seconds since this script began: CI's time limit is for the whole run.
elapsed() { echo "-- ${SECONDS} s"; }

install_native_deps
install_windows_deps
# KiCad early: the native tests compare the placement rules with its footprint library.
install_fab_deps
elapsed

# Formatting first: it takes seconds and names the file.
check_format
elapsed

jobs=$(nproc)
echo "== native build"
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs" -- --quiet
echo "== native tests"
ctest --preset native -j "$jobs"
elapsed

# The program as a person installs it: cmake --install, and the Debian package.
run_install_checks build/native
elapsed

# The board page: its data code under Node, the page of every board in headless Chromium.
run_page_checks build/native
elapsed

# The converter in a page: the WebAssembly build, its downloads against the native documents.
run_web_checks build/native
elapsed

# The KiCad boards, checked by KiCad itself, and the manufacturing sets, by KiCad and gerbv.
run_kicad_checks build/native
elapsed

# The whole suite again under AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer.
run_sanitizer_tests build/sanitize
elapsed

# The real target: the 32-bit Windows DLL, with the test programs run under wine (in a wine
# prefix of the build tree's own, which the first build makes).
echo "== windows build"
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs" -- --quiet
echo "== windows tests (wine)"
ctest --preset windows -j "$jobs"
elapsed

# A short fuzzing run of a fixed number of executions per target; any finding fails.
run_short_fuzz build/fuzz
elapsed
