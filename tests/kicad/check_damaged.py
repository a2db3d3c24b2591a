#!/usr/bin/python3
"""Damaged copies of real boards: one line changed each, as old files come off floppies and mail
gateways. For every copy, corvane-import must not call the import complete, --strict must end
with status 6, scripts/fab.sh must refuse it, and every object of the clean board that does not
come from the damaged line must keep its exact place in the KiCad board, as KiCad's pcbnew loads
both (places measured from the auxiliary origin, the host's origin: the sheet may move as a
whole).

    check_damaged.py --program CORVANE_IMPORT --fab scripts/fab.sh BOARD...

Run with the python that has KiCad's pcbnew module (/usr/bin/python3 on Debian). Exit status 0
when every copy passes.
"""

import argparse
import collections
import os
import re
import subprocess
import sys
import tempfile

import pcbnew


def numbers_line(lines, keyword, skip=0):
    """The index of the first data line after the (skip+1)-th line that is the keyword alone."""
    found = [i for i, line in enumerate(lines) if line.rstrip(b"\r") == keyword]
    return found[skip] + 1


def first_component_text(lines):
    """The index of the first component's comment geometry line (COMP, three strings, then it)."""
    return numbers_line(lines, b"COMP") + 3


def replace_numbers(line, index, value):
    fields = line.rstrip(b"\r").split()
    fields[index] = value
    return b" ".join(fields) + (b"\r" if line.endswith(b"\r") else b"")


# Each damage: its name, the line it changes (an index into the lines, found from the clean
# file), the changed line, and the data lines whose objects it may take along (indices).
def damages(lines):
    track = numbers_line(lines, b"FT")
    pad = numbers_line(lines, b"CP")
    text = first_component_text(lines)
    keyword = pad - 1
    return [
        ("keyword letter", keyword, b"CQ\r", [pad, pad + 1]),
        ("far value in a free record", track, replace_numbers(lines[track], 2, b"3000000"),
         [track]),
        ("far value in a component", text, replace_numbers(lines[text], 0, b"3000000"), [text]),
        ("NUL bytes", track, lines[track][:7] + b"\0\0\0" + lines[track][7:], [track]),
        ("CR inside numbers", track, lines[track][:7] + b"\r" + lines[track][7:], [track]),
        # A line cut short takes its last numbers from the next record, which it eats.
        ("cut line", track, b" ".join(lines[track].split()[:3]) + b"\r", [track, track + 2]),
        ("long number", text, replace_numbers(lines[text], 0, b"12345678901234567890123"),
         [text]),
    ]


def mils_points(line):
    """The (x, y) pairs a data line names, in mils: its first two numbers, and the next two of a
    line of four or more (a track's or a fill's other end)."""
    numbers = [int(n) for n in re.findall(rb"-?\d+", line)]
    points = {tuple(numbers[0:2])} if len(numbers) >= 2 else set()
    if len(numbers) >= 6:
        points.add(tuple(numbers[2:4]))
    return points


def run(command, **kwargs):
    return subprocess.run(command, stdin=subprocess.DEVNULL, capture_output=True, text=True,
                          errors="replace", **kwargs)


class Places:
    """Every object of a KiCad board with its place from the auxiliary origin, in nanometres with
    y down, without what may follow from the damage elsewhere (nets, a footprint's turn, the
    made-up edge around the board)."""

    def __init__(self, path):
        board = pcbnew.LoadBoard(path)
        origin = board.GetDesignSettings().GetAuxOrigin()
        self.x0, self.y0 = origin.x, origin.y
        self.items = collections.Counter()
        name = board.GetLayerName
        for t in board.GetTracks():
            if t.GetClass() == "PCB_VIA":
                self.add(("via",), t.GetPosition())
            else:
                self.add(("track", name(t.GetLayer())), t.GetStart(), t.GetEnd())
        for d in board.GetDrawings():
            self.drawing(d, name)
        for fp in board.GetFootprints():
            self.add(("footprint", fp.GetReference()), fp.GetPosition())
            for pad in fp.Pads():
                self.add(("pad", fp.GetReference(), pad.GetNumber()), pad.GetPosition())
            for text in (fp.Reference(), fp.Value()):
                self.add(("text", text.GetText(), name(text.GetLayer())), text.GetPosition())
            for d in fp.GraphicalItems():
                self.drawing(d, name)
        for z in board.Zones():
            outline = z.Outline().Outline(0)
            self.add(("zone",), *[outline.CPoint(i) for i in range(outline.PointCount())])

    def drawing(self, d, name):
        layer = name(d.GetLayer())
        if isinstance(d, (pcbnew.PCB_TEXT, pcbnew.FP_TEXT)):
            self.add(("text", d.GetText(), layer), d.GetPosition())
        elif layer != "Edge.Cuts":
            self.add(("drawing", layer, d.GetShape()), d.GetStart(), d.GetEnd())

    def add(self, kind, *points):
        self.items[kind + tuple(sorted((p.x - self.x0, p.y - self.y0) for p in points))] += 1


def nm(mils):
    return (mils[0] * 25400, -mils[1] * 25400)


def check_copy(args, work, name, clean_lines, clean_places, damage):
    what, index, changed, taken = damage
    lines = list(clean_lines)
    lines[index] = changed
    stem = os.path.join(work, "%s-%s" % (name, what.replace(" ", "-")))
    path = stem + ".PCB"
    with open(path, "wb") as f:
        f.write(b"\n".join(lines))
    problems = []
    strict = run([args.program, "--strict", path, "--kicad", stem + ".kicad_pcb",
                  "--report", "text"])
    # The report goes to standard output, the summary then to standard error.
    complete = "Import:      complete" in strict.stdout + strict.stderr
    if complete:
        problems.append("the import is called complete")
    elif strict.returncode != 6:
        problems.append("--strict ends with %d, not 6" % strict.returncode)
    if not complete:
        fab = run([args.fab, path, stem + "-fab"],
                  env=dict(os.environ, CORVANE_IMPORT=os.path.abspath(args.program)))
        if fab.returncode != 6 or os.path.exists(stem + "-fab"):
            problems.append("fab.sh does not refuse it (%d)" % fab.returncode)
    # Every object of the clean board not made from the damaged lines is where it was.
    near = {nm(p) for i in taken for p in mils_points(clean_lines[i])}
    damaged = Places(stem + ".kicad_pcb").items
    for key, count in clean_places.items():
        if damaged[key] >= count:
            continue
        points = [p for p in key if isinstance(p, tuple)]
        if not any(p in near for p in points):
            problems.append("moved or lost: %r" % (key,))
    return problems


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--program", required=True, help="corvane-import")
    parser.add_argument("--fab", required=True, help="scripts/fab.sh")
    parser.add_argument("boards", nargs="+")
    args = parser.parse_args()
    failures = 0
    with tempfile.TemporaryDirectory() as work:
        for board in args.boards:
            name = os.path.splitext(os.path.basename(board))[0]
            with open(board, "rb") as f:
                clean_lines = f.read().split(b"\n")
            kicad = os.path.join(work, name + ".kicad_pcb")
            result = run([args.program, "-q", board, "--kicad", kicad])
            if result.returncode != 0:
                print("FAIL %s: the clean board does not import (%d)" % (name, result.returncode))
                failures += 1
                continue
            clean_places = Places(kicad).items
            for damage in damages(clean_lines):
                problems = check_copy(args, work, name, clean_lines, clean_places, damage)
                label = "%s, %s (line %d)" % (name, damage[0], damage[1] + 1)
                if problems:
                    failures += 1
                    print("FAIL %s" % label)
                    for problem in problems[:10]:
                        print("     %s" % problem)
                else:
                    print("ok   %s" % label)
    print("%d damaged copies, %d failed" % (len(args.boards) * 7, failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
