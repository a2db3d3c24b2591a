#!/usr/bin/env bash
# corvane-import with the server, the plug-in and the host client linked in (the binding of a
# build without dynamic loading) against the program that loads them as modules: every board is
# imported by both, each writing every document (JSON, SVG, the board page, the KiCad board, the
# bill of materials, the placement) and the JSON report, and both must write the same bytes, print
# the same summary (but its time) and end with the same status. The linked program must load no
# module: it runs with neither module next to it, and it refers to no dlopen.
#
#   linked-documents.sh LINKED_PROGRAM LOADED_PROGRAM BOARD_OR_FOLDER...
#
# Every file of a FOLDER is a board. The boards of the first folder are also imported under the
# substitute server's host rules (HALVEX_HOST_RULES), with a board large enough that the writers
# put their sections aside in scratch files.
set -euo pipefail

if [ "$#" -lt 3 ]; then
    echo "usage: $0 LINKED_PROGRAM LOADED_PROGRAM BOARD_OR_FOLDER..." >&2
    exit 2
fi
linked=$1 loaded=$2
shift 2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0 compared=0

fail() {
    echo "FAIL $*"
    failures=$((failures + 1))
}

# Alone in a folder of its own, the linked program has no module beside it to find.
mkdir "$work/bin"
cp "$linked" "$work/bin/corvane-import"
linked=$work/bin/corvane-import
if nm -D --undefined-only "$linked" | grep -qw dlopen; then
    fail "the linked program refers to dlopen"
fi
if readelf -d "$linked" | grep -E 'NEEDED.*(Halvex|CorvaneImport)'; then
    fail "the linked program needs a module"
fi

# The documents of one import, by their option; each is written as STEM.OPTION (STEM.json, ...).
source "$(dirname "$0")/../support/document-options.sh"
mapfile -t documents < <(document_options "$loaded")
[ "${#documents[@]}" -ge 6 ] || fail "the program lists ${#documents[@]} documents"

# run PROGRAM BOARD STEM: writes STEM.* and STEM.summary, STEM.status.
run() {
    local program=$1 board=$2 stem=$3 option status=0
    local arguments=("$board" --report json --report-file "$stem.report.json")
    for option in "${documents[@]}"; do
        arguments+=("$option" "$stem.${option#--}")
    done
    HALVEX_SERVER= CORVANE_PLUGIN= "$program" "${arguments[@]}" </dev/null >"$stem.out" \
        2>"$stem.err" || status=$?
    echo "$status" >"$stem.status"
    grep -v '^Time:' "$stem.out" >"$stem.summary" || true
}

check_board() { # BOARD LABEL
    local board=$1 label=$2 suffix
    run "$linked" "$board" "$work/linked"
    run "$loaded" "$board" "$work/loaded"
    for suffix in status summary err report.json "${documents[@]#--}"; do
        compared=$((compared + 1))
        if [ -e "$work/loaded.$suffix" ] || [ -e "$work/linked.$suffix" ]; then
            if ! cmp -s "$work/loaded.$suffix" "$work/linked.$suffix"; then
                fail "$label: the $suffix differs"
                diff "$work/loaded.$suffix" "$work/linked.$suffix" | head -5 || true
            fi
        fi
    done
    rm -f "$work"/loaded.* "$work"/linked.*
}

first_folder=""
for place in "$@"; do
    if [ -d "$place" ]; then
        first_folder=${first_folder:-$place}
        for board in "$place"/*; do
            [ -f "$board" ] && check_board "$board" "$(basename "$board")"
        done
    elif [ -f "$place" ]; then
        check_board "$place" "$(basename "$place")"
    fi
done
if [ -n "$first_folder" ]; then
    for board in "$first_folder"/*.PCB; do
        HALVEX_HOST_RULES=newest-first,multilayer-pads-on-copper \
            check_board "$board" "$(basename "$board")@newest-first,multilayer-pads-on-copper"
    done
fi
awk 'BEGIN { printf "PCB FILE 4\r\n"; for (i = 0; i < 20000; i++)
             printf "FT\r\n%d %d %d %d 8 %d\r\nFV\r\n%d %d 50 28\r\n", i % 900, int(i / 900),
                    i % 900 + 5, int(i / 900) + 5, 1 + i % 13, i % 700, int(i / 700);
             printf "ENDPCB\r\n" }' >"$work/large.PCB"
check_board "$work/large.PCB" large.PCB

echo "$compared compared, $failures failed"
[ "$failures" -eq 0 ]
