#!/usr/bin/env bash
# Makes the manufacturing set of a Corvane board through KiCad's own plotter, and checks it with
# gerbv:
#
#   scripts/fab.sh FILE [DIR]
#
# In DIR (default out/<name>-fab/ of the repository): the KiCad board (<name>.kicad_pcb), a
# Gerber file of every copper, mask, paste and silkscreen layer that holds anything and of the
# edge (<name>-F_Cu.gbr, …),
# the Excellon drill files of the plated and the unplated holes (<name>-PTH.drl, <name>-NPTH.drl),
# the bill of materials (<name>-bom.csv), the placement (<name>-positions.csv), and a picture of
# the top copper and silkscreen drawn by gerbv from the Gerbers (<name>-top.png). Coordinates
# are those of the imported board, from its origin. On a fresh Debian machine it first installs
# what it needs (as root): the build, KiCad without its recommended packages, and gerbv. Exits
# non-zero when a step fails or gerbv cannot read a file.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

if [ "$#" -lt 1 ] || [ "$#" -gt 2 ]; then
    echo "usage: scripts/fab.sh FILE [DIR]" >&2
    exit 2
fi
file=$(realpath -m -- "$1")
name=$(basename -- "$file")
name=${name%.*}
dir=$(realpath -m -- "${2:-$root/out/$name-fab}")

cd "$root"
source scripts/lib/deps.sh
install_native_deps
install_fab_deps

log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! { cmake -S . -B build/native -G Ninja -DCORVANE_WERROR=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo &&
    cmake --build build/native --target corvane-import; } >"$log" 2>&1; then
    cat "$log" >&2
    echo "fab.sh: the build failed" >&2
    exit 1
fi

mkdir -p "$dir"
build/native/tools/corvane-import/corvane-import -q "$file" --kicad "$dir/$name.kicad_pcb" \
    --bom "$dir/$name-bom.csv" --positions "$dir/$name-positions.csv" </dev/null
if ! /usr/bin/python3 scripts/lib/kicad_fab.py "$dir/$name.kicad_pcb" "$dir" >"$log"; then
    echo "fab.sh: KiCad could not plot $dir/$name.kicad_pcb" >&2
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
rm -f "$log.err"

# The top side as a fabrication house sees it: holes, silkscreen, edge and copper, the first on
# top, each in its colour (of the files the board has).
picture=()
for layer in "PTH.drl #101010" "NPTH.drl #101010" "F_SilkS.gbr #f0f0f0" "Edge_Cuts.gbr #e8d050" \
    "F_Cu.gbr #c87533"; do
    read -r suffix colour <<<"$layer"
    if [ -f "$dir/$name-$suffix" ]; then
        picture+=(-f "$colour" "$dir/$name-$suffix")
    fi
done
if ! gerbv -x png -o "$dir/$name-top.png" -D 400 -a -B 3 -b '#0b3d1a' "${picture[@]}" \
    >/dev/null 2>&1; then
    echo "gerbv cannot draw the top side" >&2
    failures=$((failures + 1))
fi

if [ "$failures" -ne 0 ]; then
    echo "fab.sh: gerbv could not read $failures files" >&2
    exit 1
fi
echo "Wrote the manufacturing set of $name to $dir"
