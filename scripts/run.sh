#!/usr/bin/env bash
# The main job: import a Corvane board with corvane-import, print its summary, and write its JSON
# and SVG to out/<name>.json and out/<name>.svg.
#
#   scripts/run.sh [FILE] [OPTIONS]
#
# FILE defaults to examples/demo.PCB; OPTIONS go to corvane-import (for example --quiet). On a
# fresh Debian machine it first installs what the build needs (as root), then builds the program
# in build/native, the build scripts/test.sh uses. The exit status is corvane-import's.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

file="$root/examples/demo.PCB"
if [ "$#" -gt 0 ] && [ "${1#-}" = "$1" ]; then
    # Relative to where the script was started from, not to the repository.
    file=$(realpath -m -- "$1")
    shift
fi

cd "$root"
source scripts/lib/deps.sh
install_native_deps

quiet=0
for option in "$@"; do
    case $option in -q | --quiet) quiet=1 ;; esac
done

# The build speaks only when it fails.
log=$(mktemp)
trap 'rm -f "$log"' EXIT
[ "$quiet" -eq 1 ] || echo "Building corvane-import in build/native ..." >&2
if ! { cmake -S . -B build/native -G Ninja -DCORVANE_WERROR=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo &&
    cmake --build build/native --target corvane-import; } >"$log" 2>&1; then
    cat "$log" >&2
    echo "run.sh: the build failed" >&2
    exit 1
fi

name=$(basename -- "$file")
name=${name%.*}
mkdir -p out
status=0
build/native/tools/corvane-import/corvane-import "$file" --json "out/$name.json" \
    --svg "out/$name.svg" "$@" || status=$?
if [ "$quiet" -eq 0 ] && { [ "$status" -eq 0 ] || [ "$status" -eq 3 ]; }; then
    echo "Wrote out/$name.json and out/$name.svg"
fi
exit "$status"
