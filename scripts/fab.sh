#!/usr/bin/env bash
# The manufacturing sets of Corvane boards, made in the repository by the command the package
# installs (tools/corvane-fab/corvane-fab; its --help says what a set holds):
#
#   scripts/fab.sh [--accept-damage] FILE [DIR]          one board's set, into DIR
#   scripts/fab.sh [--accept-damage] FILE|FOLDER...      each board's set, all in one KiCad process
#
# Without DIR each set goes to out/ of the repository under the board's path and whole name, as
# scripts/run.sh names its outputs: out/examples/demo.PCB-fab/ for examples/demo.PCB,
# out/home/me/boards/x.PCB-fab/ for /home/me/boards/x.PCB, out/stdin-fab/ for `-`. Two operands
# are FILE and DIR when the second is no file and no folder of boards. On a fresh Debian machine
# it first installs what it needs (as root): the build, KiCad without its recommended packages,
# and gerbv; then builds corvane-import in build/native (scripts/lib/build.sh). CORVANE_IMPORT
# names a corvane-import to run instead of building one. The exit status is corvane-fab's.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

usage() {
    echo "usage: scripts/fab.sh [--accept-damage] FILE [DIR]" >&2
    echo "       scripts/fab.sh [--accept-damage] FILE|FOLDER..." >&2
    exit 2
}
options=()
operands=()
for argument in "$@"; do
    case $argument in
    -h | --help)
        sed -n '2,/^set -euo/{/^set -euo/d;s/^# \{0,1\}//;p}' "$0"
        exit 0
        ;;
    --accept-damage) options+=("$argument") ;;
    -) operands+=("$argument") ;;
    -*) usage ;;
    *) operands+=("$argument") ;;
    esac
done
[ "${#operands[@]}" -ge 1 ] || usage

# A folder of boards: one that holds a .PCB file (a set's folder never does).
holds_boards() {
    [ -d "$1" ] && find "$1" -maxdepth 1 -type f -iname '*.pcb' | grep -q .
}
fab_arguments=()
if [ "${#operands[@]}" -eq 2 ] && [ ! -f "${operands[1]}" ] && ! holds_boards "${operands[1]}"; then
    board=${operands[0]}
    [ "$board" = "-" ] || board=$(realpath -m -- "$board")
    fab_arguments=(--output "$(realpath -m -- "${operands[1]}")" -- "$board")
else
    # Each set under out/, after the board's path from the repository (or from /).
    fab_arguments=(--out-dir out --keep-paths --)
    for operand in "${operands[@]}"; do
        if [ "$operand" = "-" ]; then
            fab_arguments+=(-)
        else
            fab_arguments+=("$(realpath -m -- "$operand")")
        fi
    done
fi

source "$root/scripts/lib/deps.sh"
if [ -n "${CORVANE_IMPORT:-}" ]; then
    install_fab_deps
else
    source "$root/scripts/lib/build.sh"
    install_native_deps
    install_fab_deps
    build_corvane_import "$root" 0 || { echo "fab.sh: no corvane-import to run" >&2; exit 1; }
    CORVANE_IMPORT=$root/build/native/tools/corvane-import/corvane-import
fi
export CORVANE_IMPORT
# From the repository, whose boards then keep their path from it under out/.
cd "$root"
exec tools/corvane-fab/corvane-fab "${options[@]}" "${fab_arguments[@]}"
