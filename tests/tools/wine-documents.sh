#!/usr/bin/env bash
# Compares the documents of the Windows corvane-import.exe, run under wine (every document its
# --help lists: JSON, SVG, the board page, the KiCad board, the bill of materials and the
# placement), with the expected documents of the test boards
# and with those of the native program, byte for byte; a board large enough that the writers put
# their sections aside in scratch files is among them.
#
#   wine-documents.sh [--unless-stale] WINE_RUN WINDOWS_EXE NATIVE_PROGRAM DATA_DIR EXPECTED_DIR [BOARD...]
#
# WINE_RUN is the project's wine runner (cmake/wine-run.sh), which runs the program in the wine
# prefix of the build tree it lies in. Every DATA_DIR/*.PCB that has an EXPECTED_DIR/NAME.json or
# NAME.svg is compared with that document, and with each EXPECTED_DIR/NAME@RULES.json under the
# substitute server's host rules RULES (HALVEX_HOST_RULES); every board (those of DATA_DIR, the BOARD arguments and
# the generated one) is compared with the native program's documents when that program exists. Exits 77 (skipped) when the
# Windows program or wine is missing, and, with --unless-stale, when the Windows program is older
# than the native one (a Windows build left from before the latest changes, not yet rebuilt).
set -euo pipefail

unless_stale=0
if [ "${1:-}" = "--unless-stale" ]; then
    unless_stale=1
    shift
fi

wine_run=$1 windows_exe=$2 native=$3 data_dir=$4 expected_dir=$5
shift 5

if [ ! -f "$windows_exe" ] || ! command -v wine >/dev/null 2>&1; then
    echo "skipped: no Windows program ($windows_exe) or no wine"
    exit 77
fi
have_native=0
[ -x "$native" ] && have_native=1
if [ "$unless_stale" -eq 1 ] && [ "$have_native" -eq 1 ] && [ "$windows_exe" -ot "$native" ]; then
    echo "skipped: $windows_exe is older than $native"
    exit 77
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0 compared=0

# The documents of one import, by their option; each is written as STEM.OPTION (STEM.json, ...).
source "$(dirname "$0")/../support/document-options.sh"
mapfile -t documents < <(document_options "$wine_run" "$windows_exe")
if [ "${#documents[@]}" -lt 6 ]; then
    echo "FAIL the Windows program lists ${#documents[@]} documents"
    exit 1
fi

write_documents() { # PROGRAM... BOARD STEM
    local stem=${*: -1} board=${*: -2:1} option
    local arguments=(-q "$board")
    for option in "${documents[@]}"; do
        arguments+=("$option" "$stem.${option#--}")
    done
    "${@:1:$#-2}" "${arguments[@]}" </dev/null
}

# compare NAME WHAT EXPECTED ACTUAL
compare() {
    compared=$((compared + 1))
    if cmp -s "$3" "$4"; then
        echo "ok   $1: same bytes as $2"
    else
        echo "FAIL $1: differs from $2"
        diff "$3" "$4" | head -5 || true
        failures=$((failures + 1))
    fi
}

check_board() { # BOARD [EXPECTED_STEM]
    local board=$1 expected=${2:-} name extension
    name=$(basename "$board" .PCB)
    [ -f "$board" ] || return 0
    if ! write_documents "$wine_run" "$windows_exe" "$board" "$work/$name.win"; then
        echo "FAIL $name: the Windows program failed"
        failures=$((failures + 1))
        return 0
    fi
    for extension in json svg; do
        if [ -n "$expected" ] && [ -f "$expected.$extension" ]; then
            compare "$name" "$(basename "$expected").$extension" "$expected.$extension" \
                "$work/$name.win.$extension"
        fi
    done
    if [ "$have_native" -eq 1 ]; then
        write_documents "$native" "$board" "$work/$name.native"
        for extension in "${documents[@]#--}"; do
            compare "$name" "the native program's $extension" "$work/$name.native.$extension" \
                "$work/$name.win.$extension"
        done
    fi
}

for board in "$data_dir"/*.PCB; do
    name=$(basename "$board" .PCB)
    check_board "$board" "$expected_dir/$name"
    # NAME@RULES.json: the document under the substitute server's host rules RULES.
    for expected in "$expected_dir/$name@"*.json; do
        [ -f "$expected" ] || continue
        rules=$(basename "$expected" .json)
        HALVEX_HOST_RULES="${rules#"$name@"}" check_board "$board" "${expected%.json}"
    done
done
for board in "$@"; do
    check_board "$board"
done
# Sections of megabytes: the writers' scratch files (unnamed on Linux, delete-on-close on Windows).
awk 'BEGIN { printf "PCB FILE 4\r\n"; for (i = 0; i < 20000; i++)
             printf "FT\r\n%d %d %d %d 8 %d\r\nFV\r\n%d %d 50 28\r\n", i % 900, int(i / 900),
                    i % 900 + 5, int(i / 900) + 5, 1 + i % 13, i % 700, int(i / 700);
             printf "ENDPCB\r\n" }' >"$work/large.PCB"
check_board "$work/large.PCB"

echo "$compared compared, $failures failed"
[ "$failures" -eq 0 ]
