#!/usr/bin/env bash
# Compares the JSON of the Windows corvane-import.exe, run under wine, with the expected documents
# of the test boards and with the JSON of the native program, byte for byte; and the other files
# it writes from the same import (the KiCad board, the bill of materials, the placement) with the
# native program's.
#
#   wine-json.sh [--unless-stale] WINE_RUN WINDOWS_EXE NATIVE_PROGRAM DATA_DIR EXPECTED_DIR [BOARD...]
#
# WINE_RUN is the project's wine runner (cmake/wine-run.sh), which runs the program in the wine
# prefix of the build tree it lies in. Every DATA_DIR/*.PCB that has an EXPECTED_DIR/NAME.json is
# compared with that document, and with each EXPECTED_DIR/NAME@RULES.json under the substitute
# server's host rules RULES (HALVEX_HOST_RULES); every board (those of DATA_DIR and the BOARD
# arguments) is compared with the native program's JSON when the native program exists. Exits 77 (skipped) when the
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

# The outputs besides the JSON, by their option and file suffix.
other_outputs=("--kicad kicad_pcb" "--bom bom.csv" "--positions pos.csv")

outputs() { # PROGRAM... BOARD STEM: the JSON and every other output of one import
    local stem=${*: -1} board=${*: -2:1} option suffix output
    local arguments=(-q "$board" --json "$stem.json")
    for output in "${other_outputs[@]}"; do
        read -r option suffix <<<"$output"
        arguments+=("$option" "$stem.$suffix")
    done
    "${@:1:$#-2}" "${arguments[@]}" </dev/null
}

windows_json() { # BOARD STEM
    outputs "$wine_run" "$windows_exe" "$1" "$2"
}

check_board() { # BOARD [EXPECTED]
    local board=$1 expected=${2:-} name
    name=$(basename "$board" .PCB)
    [ -f "$board" ] || return 0
    if ! windows_json "$board" "$work/$name.win"; then
        echo "FAIL $name: the Windows program failed"
        failures=$((failures + 1))
        return 0
    fi
    if [ -n "$expected" ]; then
        compared=$((compared + 1))
        if cmp -s "$expected" "$work/$name.win.json"; then
            echo "ok   $name: same bytes as $(basename "$expected")"
        else
            echo "FAIL $name: differs from $(basename "$expected")"
            diff "$expected" "$work/$name.win.json" | head -5 || true
            failures=$((failures + 1))
        fi
    fi
    if [ "$have_native" -eq 1 ]; then
        outputs "$native" "$board" "$work/$name.native"
        local suffix
        for suffix in json kicad_pcb bom.csv pos.csv; do
            compared=$((compared + 1))
            if cmp -s "$work/$name.native.$suffix" "$work/$name.win.$suffix"; then
                echo "ok   $name.$suffix: same bytes as the native program"
            else
                echo "FAIL $name.$suffix: differs from the native program"
                diff "$work/$name.native.$suffix" "$work/$name.win.$suffix" | head -5 || true
                failures=$((failures + 1))
            fi
        done
    fi
}

for board in "$data_dir"/*.PCB; do
    name=$(basename "$board" .PCB)
    if [ -f "$expected_dir/$name.json" ]; then
        check_board "$board" "$expected_dir/$name.json"
    else
        check_board "$board"
    fi
    for expected in "$expected_dir/$name@"*.json; do
        [ -f "$expected" ] || continue
        rules=$(basename "$expected" .json)
        rules=${rules#"$name@"}
        HALVEX_HOST_RULES="$rules" check_board "$board" "$expected"
    done
done
for board in "$@"; do
    check_board "$board"
done

echo "$compared compared, $failures failed"
[ "$failures" -eq 0 ]
