#!/usr/bin/env bash
# Makes the manufacturing set of a Corvane board through KiCad's own plotter, and checks it with
# gerbv:
#
#   scripts/fab.sh [--accept-damage] FILE [DIR]
#
# FILE `-` reads the board from standard input (its files are then named stdin). In DIR (default
# out/<the file's path and whole name>-fab/ of the repository, as scripts/run.sh names its outputs:
# out/examples/demo.PCB-fab/ for examples/demo.PCB): the KiCad board (<name>.kicad_pcb), a Gerber
# file of every copper, mask, paste and silkscreen layer that holds anything and of the edge
# (<name>-F_Cu.gbr, …), the Excellon drill files of the plated and the unplated holes
# (<name>-PTH.drl, <name>-NPTH.drl), the bill of materials (<name>-bom.csv), the placement
# (<name>-positions.csv), and a picture of the top copper and silkscreen drawn by gerbv from the
# Gerbers (<name>-top.png). Coordinates are those of the imported board, from its origin.
#
# The set is made in a temporary folder beside DIR and put in place whole when every step has
# passed: DIR then holds this set alone, nothing of an earlier one. A DIR that holds anything but
# such a set is refused. A board whose import may have lost data (a file cut short, ...) is refused
# with corvane-import's status 6 and its summary's line, unless --accept-damage is given. A board
# whose edge layer holds no closed outline gets a rectangle around everything as its edge: said on
# standard error. A board with nothing to make (no pad and no copper, such as an empty board) is
# refused with status 1 and no set is made. On a fresh Debian machine it first installs what it needs (as root): the build,
# KiCad without its recommended packages, and gerbv; CORVANE_IMPORT names a corvane-import to run
# instead of building one. Exits non-zero when a step fails or gerbv cannot read a file.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

usage() {
    echo "usage: scripts/fab.sh [--accept-damage] FILE [DIR]" >&2
    exit 2
}
accept_damage=0
if [ "${1:-}" = "--accept-damage" ]; then
    accept_damage=1
    shift
fi
if [ "$#" -lt 1 ] || [ "$#" -gt 2 ]; then
    usage
fi
if [ "$1" = "-" ]; then
    file=-
    name=stdin
    default_dir=$root/out/stdin-fab
else
    file=$(realpath -m -- "$1")
    name=$(basename -- "$file")
    name=${name%.*}
    case $file in
    "$root"/*) default_dir=$root/out/${file#"$root"/}-fab ;;
    *) default_dir=$root/out/${file#/}-fab ;;
    esac
fi
dir=$(realpath -m -- "${2:-$default_dir}")

# Only a folder of files a set holds is replaced: a wrong DIR never loses anything else.
if [ -e "$dir" ]; then
    if [ ! -d "$dir" ]; then
        echo "fab.sh: $dir is not a folder" >&2
        exit 2
    fi
    for entry in "$dir"/* "$dir"/.[!.]*; do
        [ -e "$entry" ] || continue
        case $(basename -- "$entry") in
        *.kicad_pcb | *.gbr | *.drl | *-bom.csv | *-positions.csv | *-top.png) [ -f "$entry" ] && continue ;;
        esac
        echo "fab.sh: $dir holds $(basename -- "$entry"), which no manufacturing set holds;" \
            "give an empty or new folder" >&2
        exit 2
    done
fi

cd "$root"
log=$(mktemp)
work=""
trap 'rm -f "$log" "$log.err"; [ -z "$work" ] || rm -rf "$work"' EXIT
if [ -n "${CORVANE_IMPORT:-}" ]; then
    program=$CORVANE_IMPORT
    source scripts/lib/deps.sh
    install_fab_deps
else
    source scripts/lib/deps.sh
    install_native_deps
    install_fab_deps
    if ! { cmake -S . -B build/native -G Ninja -DCORVANE_WERROR=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo &&
        cmake --build build/native --target corvane-import; } >"$log" 2>&1; then
        cat "$log" >&2
        echo "fab.sh: the build failed" >&2
        exit 1
    fi
    program=build/native/tools/corvane-import/corvane-import
fi

mkdir -p "$(dirname "$dir")"
work=$(mktemp -d "$(dirname "$dir")/.$(basename "$dir").XXXXXXXX")
strict=(--strict)
[ "$accept_damage" -eq 0 ] || strict=()
status=0
"$program" "${strict[@]}" --kicad "$work/$name.kicad_pcb" --bom "$work/$name-bom.csv" \
    --positions "$work/$name-positions.csv" -- "$file" >"$log" || status=$?
# The summary's lines that say what the set cannot show: a possible loss, objects the KiCad board
# clamped or placed far from the rest, a made-up edge.
grep -E "^Import: .*lost|^KiCad board:|^Edge:" "$log" >&2 || true
if [ "$status" -eq 6 ]; then
    echo "fab.sh: the import may have lost data; no set is made (--accept-damage makes it)" >&2
    exit 6
elif [ "$status" -ne 0 ]; then
    echo "fab.sh: corvane-import failed ($status)" >&2
    exit "$status"
fi
# A board with nothing to make (no pad, no copper) is refused by kicad_fab.py with status 3.
plot_status=0
/usr/bin/python3 scripts/lib/kicad_fab.py "$work/$name.kicad_pcb" "$work" >"$log" ||
    plot_status=$?
if [ "$plot_status" -eq 3 ]; then
    echo "fab.sh: $name has no pad and no copper: there is nothing to make; no set is made" >&2
    exit 1
elif [ "$plot_status" -ne 0 ]; then
    echo "fab.sh: KiCad could not plot $name.kicad_pcb" >&2
    exit 1
fi
mapfile -t plotted <"$log"

# gerbv reads each file and writes it out again; any complaint of its own fails the file.
failures=0
for output in "${plotted[@]}"; do
    case $output in *.drl) kind=drill ;; *) kind=rs274x ;; esac
    if gerbv -x "$kind" -o "$log" "$output" >"$log.err" 2>&1 && [ -s "$log" ] &&
        ! grep -qiE "critical|warning|error|could not" "$log.err"; then
        echo "gerbv reads $(basename "$output")"
    else
        echo "gerbv cannot read $(basename "$output"):" >&2
        head -5 "$log.err" >&2
        failures=$((failures + 1))
    fi
done

# The top side as a fabrication house sees it: holes, silkscreen, edge and copper, the first on
# top, each in its colour (of the files the board has).
picture=()
for layer in "PTH.drl #101010" "NPTH.drl #101010" "F_SilkS.gbr #f0f0f0" "Edge_Cuts.gbr #e8d050" \
    "F_Cu.gbr #c87533"; do
    read -r suffix colour <<<"$layer"
    if [ -f "$work/$name-$suffix" ]; then
        picture+=(-f "$colour" "$work/$name-$suffix")
    fi
done
if ! gerbv -x png -o "$work/$name-top.png" -D 400 -a -B 3 -b '#0b3d1a' "${picture[@]}" \
    >/dev/null 2>&1; then
    echo "gerbv cannot draw the top side" >&2
    failures=$((failures + 1))
fi

if [ "$failures" -ne 0 ]; then
    echo "fab.sh: gerbv could not read $failures files; no set is made" >&2
    exit 1
fi
# The set in place whole: the earlier folder is moved aside, then removed.
chmod 755 "$work"
if [ -e "$dir" ]; then
    old=$(mktemp -d "$(dirname "$dir")/.$(basename "$dir").old.XXXXXXXX")
    mv -- "$dir" "$old/set"
    mv -- "$work" "$dir"
    rm -rf "$old"
else
    mv -- "$work" "$dir"
fi
work=""
echo "Wrote the manufacturing set of $name to $dir"
