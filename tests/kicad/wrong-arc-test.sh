#!/usr/bin/env bash
# The layer comparison fails on one arc drawn on the wrong side of its circle: for each BOARD, its
# KiCad board with the ends of its middle footprint arc swapped (KiCad 6.0 then draws the rest of
# the circle) must fail on that arc's silkscreen layer alone.
#
#   wrong-arc-test.sh CORVANE_IMPORT BOARD...      (from the repository's root)
set -uo pipefail
program=$1
shift
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
for board in "$@"; do
    "$program" -q "$board" --kicad "$scratch/right.kicad_pcb" || exit 1
    layer=$(/usr/bin/python3 - "$scratch/right.kicad_pcb" "$scratch/wrong.kicad_pcb" <<'PY'
import re, sys
text = open(sys.argv[1], encoding="utf-8").read()
arc = re.compile(r'\(fp_arc \(start ([^)]*)\) \(mid ([^)]*)\) \(end ([^)]*)\)(.*?\(layer "([^"]*)")')
arcs = list(arc.finditer(text))
if not arcs:
    sys.exit("no footprint arc")
found = arcs[len(arcs) // 2]
swapped = "(fp_arc (start %s) (mid %s) (end %s)%s" % (
    found.group(3), found.group(2), found.group(1), found.group(4))
open(sys.argv[2], "w", encoding="utf-8").write(text[:found.start()] + swapped + text[found.end():])
print(found.group(5))
PY
    ) || exit 1
    status=0
    /usr/bin/python3 tests/kicad/compare_layers.py --program "$program" \
        --kicad-file "$scratch/wrong.kicad_pcb" "$board" >"$scratch/out.txt" || status=$?
    if [ "$status" -ne 1 ] || ! grep -q " $layer:" "$scratch/out.txt" ||
        [ "$(grep -c "pixels differ" "$scratch/out.txt")" -ne 1 ]; then
        echo "FAIL: one arc on the wrong side of $(basename "$board"): status $status:"
        cat "$scratch/out.txt"
        failures=$((failures + 1))
    else
        echo "one arc on the wrong side of $(basename "$board") fails:" \
            "$(grep " $layer:" "$scratch/out.txt" | sed 's/^ *//')"
    fi
done
[ "$failures" -eq 0 ]
