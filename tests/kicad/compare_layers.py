#!/usr/bin/python3
"""Draws every layer of corvane-import's boards twice and compares the pictures.

For every board given, corvane-import writes the KiCad board, the SVG picture and the JSON of one
import. KiCad's plotter writes the Gerber file of each layer, as scripts/fab.sh makes them, and
gerbv draws it; the same layer of the SVG alone is drawn by rsvg-convert, in the same window at the
same resolution, white on black. Texts are left out of both (the fonts differ), holes cut out of
both. Where the two pictures differ on a patch wider than the outlines' rounding (a square of BLOT
pixels), the layer fails: an arc drawn on the other side of its circle, a pad turned the wrong
way, a line gone. Boards beyond KiCad's reach (clamped by KiCad) are not drawn.

    compare_layers.py --program CORVANE_IMPORT [--jobs N] [--keep DIR] [--kicad-file KICAD_PCB]
                      BOARD...

--jobs compares N boards at a time (2). --keep keeps the pictures (N-NAME/NAME-LAYER-kicad.png,
-svg.png, -diff.png). --kicad-file compares the
given KiCad board, in place of the one corvane-import writes, with the SVG of the single BOARD
(to show that a wrong board fails). Layers compared: copper (plane layers aside: the SVG draws no
plane), silkscreen, mask and paste. Run with the python that has KiCad's pcbnew module
(/usr/bin/python3 on Debian). Exit status 0 when every layer of every board matches.
"""

import argparse
import functools
import json
import multiprocessing
import os
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

import numpy
import pcbnew
from PIL import Image

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                                "tools", "corvane-fab"))
sys.dont_write_bytecode = True  # nothing written into the source tree
import kicad_plot  # noqa: E402
import check_kicad  # noqa: E402

SVG = "{http://www.w3.org/2000/svg}"
PIXELS_PER_MIL = 0.5  # 500 dots per inch: a 10 mil line is 5 pixels wide
MOST_PIXELS = 40_000_000  # larger pictures (only of broken files) are drawn coarser
TILE_PX = 2000  # gerbv draws no wider picture: larger ones are drawn in tiles
BLOT = 3  # a difference counts where it fills a square of this many pixels a side

# Technical layers: the host layer of their own drawings, and the copper whose pads they open.
TECHNICAL = {
    "F.SilkS": ("TopOverlay", None), "B.SilkS": ("BottomOverlay", None),
    "F.Mask": ("TopSolder", "TopLayer"), "B.Mask": ("BottomSolder", "BottomLayer"),
    "F.Paste": ("TopPaste", "TopLayer"), "B.Paste": ("BottomPaste", "BottomLayer"),
}


def without_texts(board):
    """Texts are drawn in different fonts: they are moved to a layer left out of the pictures."""
    for item in board.GetDrawings():
        if isinstance(item, pcbnew.PCB_TEXT):
            item.SetLayer(pcbnew.Cmts_User)
    for fp in board.GetFootprints():
        for text in [fp.Reference(), fp.Value()] + [
                item for item in fp.GraphicalItems() if isinstance(item, pcbnew.FP_TEXT)]:
            text.SetLayer(pcbnew.Cmts_User)


def svg_parts(kicad_layer, layers):
    """The SVG's groups drawn on a KiCad layer: {group id: classes kept (None: all)}, whether the
    vias are, and whether the pads with a hole are (from every group: a pad with a hole goes
    through the board); None for a layer not compared."""
    if kicad_layer in TECHNICAL:
        own, pads = TECHNICAL[kicad_layer]
        parts = {"layer-" + own: None}
        if pads:
            parts["layer-" + pads] = {"pad"}
            if kicad_layer.endswith("Mask"):
                parts["layer-MultiLayer"] = {"pad"}
        return parts, False, kicad_layer.endswith("Mask")
    for host, kicad, plane, _ in layers.copper:
        if kicad == kicad_layer:
            if plane or not host:
                return None, False, False
            return {"layer-" + host: None, "layer-MultiLayer": None}, True, True
    return None, False, False


def centre_of(element):
    """The centre of a pad of the SVG (circles, rectangles, octagons), else None."""
    try:
        if element.tag == SVG + "circle":
            return (float(element.get("cx")), float(element.get("cy")))
        if element.tag == SVG + "rect":
            return (float(element.get("x")) + float(element.get("width")) / 2,
                    float(element.get("y")) + float(element.get("height")) / 2)
        if element.tag == SVG + "polygon":
            points = [tuple(float(v) for v in p.split(",")) for p in element.get("points").split()]
            return (sum(p[0] for p in points) / len(points), sum(p[1] for p in points) / len(points))
    except (TypeError, ValueError, ZeroDivisionError):
        pass
    return None


def hole_centres(root):
    centres = set()
    for group in root:
        if group.get("class") == "holes":
            for hole in group:
                centres.add((round(float(hole.get("cx")), 2), round(float(hole.get("cy")), 2)))
    return centres


class Window:
    """The picture's window: the SVG's own view, whole pixels at the chosen resolution."""

    def __init__(self, svg_root):
        x, y, w, h = (float(v) for v in svg_root.get("viewBox").split())
        self.per_mil = min(PIXELS_PER_MIL, (MOST_PIXELS / (w * h)) ** 0.5)
        self.width, self.height = round(w * self.per_mil) + 1, round(h * self.per_mil) + 1
        self.x, self.y = x, y

    def view_box(self):
        return "%r %r %r %r" % (self.x, self.y, self.width / self.per_mil,
                                self.height / self.per_mil)


def svg_layer(root, parts, vias, through, window, into):
    """One layer of the SVG, white on black, texts and legend left out; parts, vias and through
    as svg_parts gives them. parts None: the holes alone."""
    holes = hole_centres(root)
    root = ElementTree.fromstring(ElementTree.tostring(root))
    root.set("viewBox", window.view_box())
    root.set("width", str(window.width))
    root.set("height", str(window.height))
    for child in list(root):
        kind, ident = child.get("class"), child.get("id")
        if kind == "background":
            child.set("fill", "#000000")
        elif parts is None:
            if kind == "holes":
                child.set("fill", "#ffffff")
                child.set("stroke", "none")
            elif child.tag != SVG + "title":
                root.remove(child)
        elif kind == "layer" and (ident in parts or through):
            child.set("fill", "#ffffff")
            child.set("stroke", "#ffffff")
            keep = parts.get(ident, set())
            for parent in list(child.iter()):
                for element in list(parent):
                    cls = element.get("class")
                    if element.tag == SVG + "g" or (through and cls == "pad" and ident not in (
                            "layer-MultiLayer",) and centre_rounded(element) in holes):
                        continue
                    if cls == "text" or (ident not in parts) or (keep is not None and
                                                                 cls not in keep):
                        parent.remove(element)
        elif kind == "vias" and vias:
            child.set("fill", "#ffffff")
        elif child.tag != SVG + "title":
            root.remove(child)
    ElementTree.register_namespace("", SVG[1:-1])
    source = into + ".svg"
    ElementTree.ElementTree(root).write(source)
    subprocess.run(["rsvg-convert", "-b", "#000000", "-o", into, source], check=True)
    os.remove(source)


def centre_rounded(element):
    centre = centre_of(element)
    return centre and (round(centre[0], 2), round(centre[1], 2))


def gerber_layer(gerber, window, into):
    """The Gerber file drawn by gerbv in the same window, in tiles: its origin is the host's (the
    board's auxiliary origin), inches, y up."""
    dpi = window.per_mil * 1000
    picture = numpy.zeros((window.height, window.width), dtype=bool)
    for top in range(0, window.height, TILE_PX):
        for left in range(0, window.width, TILE_PX):
            w = min(TILE_PX, window.width - left)
            h = min(TILE_PX, window.height - top)
            x = (window.x + left / window.per_mil) / 1000
            y = -(window.y + (top + h) / window.per_mil) / 1000
            subprocess.run(["gerbv", "-x", "png", "-o", into, "-D", "%.6f" % dpi, "-O",
                            "%.6fx%.6f" % (x, y), "-w", "%dx%d" % (w, h), "-B", "0",
                            "-b", "#000000", "-f", "#ffffff", gerber],
                           check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            picture[top:top + h, left:left + w] = inked(into)
    Image.fromarray(picture).save(into)


def inked(picture):
    with Image.open(picture) as image:
        return numpy.asarray(image.convert("L")) >= 128


def blots(kicad, svg):
    """The pixels of the differences that fill a square of BLOT pixels: the outlines' rounding
    differs by a pixel or two along every edge and is no difference."""
    differs = kicad != svg
    h, w = differs.shape
    core = numpy.ones((max(h - BLOT + 1, 0), max(w - BLOT + 1, 0)), dtype=bool)
    for dy in range(BLOT):
        for dx in range(BLOT):
            core &= differs[dy:dy + h - BLOT + 1, dx:dx + w - BLOT + 1]
    return core


def compare_board(program, path, work, kicad_file):
    name = os.path.basename(path)
    stem = os.path.join(work, name)
    run = subprocess.run([program, "-q", path, "--json", stem + ".json", "--svg", stem + ".svg",
                          "--kicad", stem + ".kicad_pcb"], stdin=subprocess.DEVNULL,
                         capture_output=True, text=True)
    if run.returncode == 1 and "not a Corvane board" in run.stderr:
        return None
    if run.returncode not in (0, 3):
        return ["corvane-import failed (%d): %s" % (run.returncode, run.stderr.strip())]
    with open(stem + ".json", encoding="utf-8") as f:
        board_json = json.load(f)
    layers = check_kicad.Layers(board_json)
    svg_root = ElementTree.parse(stem + ".svg").getroot()
    window = Window(svg_root)
    board = pcbnew.LoadBoard(kicad_file or stem + ".kicad_pcb")
    check_kicad.CLAMPED[0] = False
    check_kicad.Expected(board_json, check_kicad.Sheet(board), layers, "KeepOutLayer")
    if check_kicad.CLAMPED[0]:
        return "beyond KiCad's reach"  # KiCad clamps what lies beyond: no picture to compare
    without_texts(board)
    pcbnew.ZONE_FILLER(board).Fill(board.Zones())
    problems = []
    # The holes, cut out of both pictures: KiCad plots a pad without its hole, and no copper for a
    # pad its hole takes whole; the SVG draws each pad whole and its hole over it.
    svg_layer(svg_root, None, False, False, window, stem + "-holes.png")
    holes = inked(stem + "-holes.png")
    for layer, gerber in kicad_plot.plot_layers(board, os.path.join(work, name + "-gerbers")):
        kicad_name = pcbnew.BOARD.GetStandardLayerName(layer)
        kicad_name = {"F.Silkscreen": "F.SilkS", "B.Silkscreen": "B.SilkS"}.get(kicad_name,
                                                                                 kicad_name)
        parts, vias, through = svg_parts(kicad_name, layers)
        if parts is None:
            continue
        base = "%s-%s" % (stem, kicad_name.replace(".", "_"))
        try:
            gerber_layer(gerber, window, base + "-kicad.png")
        except subprocess.CalledProcessError:
            problems.append("%s: gerbv cannot draw %s" % (kicad_name, os.path.basename(gerber)))
            continue
        svg_layer(svg_root, parts, vias, through, window, base + "-svg.png")
        kicad, svg = inked(base + "-kicad.png"), inked(base + "-svg.png")
        if kicad.shape != svg.shape:
            problems.append("%s: pictures of %r and %r pixels" % (kicad_name, kicad.shape,
                                                                  svg.shape))
            continue
        found = blots(kicad & ~holes, svg & ~holes)
        count = int(found.sum())
        if count:
            ys, xs = numpy.nonzero(found)
            problems.append("%s: %d pixels differ, around (%.0f, %.0f) mil" % (
                kicad_name, count, window.x + xs.mean() / window.per_mil,
                -(window.y + ys.mean() / window.per_mil)))
            picture = numpy.stack([svg, kicad, numpy.zeros_like(kicad)], axis=-1) * 255
            Image.fromarray(picture.astype(numpy.uint8)).save(base + "-diff.png")
    return problems


def compare_in_folder(program, work, kicad_file, numbered):
    """compare_board in a folder of the board's own, KiCad's messages kept in a file."""
    index, path = numbered
    name = os.path.basename(path)
    folder = os.path.join(work, "%d-%s" % (index, name))
    os.makedirs(folder, exist_ok=True)
    with check_kicad.kicad_messages(os.path.join(folder, name + ".kicad-messages.txt")):
        return name, compare_board(program, path, folder, kicad_file)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--program", required=True, help="corvane-import")
    parser.add_argument("--jobs", type=int, default=2, help="boards compared at a time")
    parser.add_argument("--keep", help="keep the pictures in this folder")
    parser.add_argument("--kicad-file", help="the KiCad board to compare, for a single BOARD")
    parser.add_argument("boards", nargs="+")
    args = parser.parse_args()
    if args.kicad_file and len(args.boards) != 1:
        parser.error("--kicad-file goes with a single board")
    failures = 0
    with tempfile.TemporaryDirectory() as scratch:
        work = os.path.abspath(args.keep or scratch)
        os.makedirs(work, exist_ok=True)
        compare = functools.partial(compare_in_folder, args.program, work, args.kicad_file)
        with multiprocessing.get_context("fork").Pool(max(1, args.jobs)) as pool:
            for name, problems in pool.imap(compare, enumerate(args.boards)):
                if problems is None:
                    print("--   %s: not a Corvane board" % name)
                elif isinstance(problems, str):
                    print("--   %s: %s" % (name, problems))
                elif problems:
                    failures += 1
                    print("FAIL %s" % name)
                    for problem in problems:
                        print("     %s" % problem)
                else:
                    print("ok   %s" % name)
                sys.stdout.flush()
    print("%d boards, %d with layers that differ" % (len(args.boards), failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
