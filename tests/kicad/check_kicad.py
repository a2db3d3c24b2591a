#!/usr/bin/python3
"""Checks corvane-import's KiCad boards with KiCad itself.

For every board given, corvane-import writes the JSON and the KiCad file of one import; KiCad's
pcbnew module loads the KiCad file, and everything KiCad reports is compared with the JSON, to the
nanometre: footprints (name, reference, value, side, place), pads (place, size, shape, hole, layers,
net), tracks, arcs (their ends, centre and the point halfway along), vias, fills, texts, nets,
zones and the board's edge. Then KiCad's design-rule check runs and its counts are printed; it must
find no outline error on any board, and on the boards named with --clean no short, no clearance
violation and no unconnected pad either, with every track on a net; on the boards named with
--finds-clearance it must find a clearance violation.

    check_kicad.py --program CORVANE_IMPORT [--clean NAME]... [--finds-clearance NAME]... BOARD...

The expected values follow docs/kicad-export.md. Run with the python that has KiCad's pcbnew module
(/usr/bin/python3 on Debian). Exit status 0 when every board passes.
"""

import argparse
import collections
import contextlib
import csv
import json
import math
import os
import re
import subprocess
import sys
import tempfile

import pcbnew

MAX_NM = 1_500_000_000
WILDCARD = "*"  # a net the import left open: the exporter may give it the net it touches

# Host layers that are not copper, and their KiCad layers.
NON_COPPER = {
    "TopOverlay": "F.SilkS", "BottomOverlay": "B.SilkS", "TopPaste": "F.Paste",
    "BottomPaste": "B.Paste", "TopSolder": "F.Mask", "BottomSolder": "B.Mask",
    "KeepOutLayer": "Margin", "DrillGuide": "Dwgs.User", "DrillDrawing": "Dwgs.User",
}
PAD_SHAPES = {
    pcbnew.PAD_SHAPE_CIRCLE: "circle", pcbnew.PAD_SHAPE_OVAL: "oval",
    pcbnew.PAD_SHAPE_RECT: "rect", pcbnew.PAD_SHAPE_ROUNDRECT: "roundrect",
    pcbnew.PAD_SHAPE_CHAMFERED_RECT: "octagon",
}
# KiCad 6 calls some layers by their long names; the file and this checker use the short ones.
SHORT_NAMES = {"F.Silkscreen": "F.SilkS", "B.Silkscreen": "B.SilkS", "F.Adhesive": "F.Adhes",
               "B.Adhesive": "B.Adhes", "User.Drawings": "Dwgs.User", "User.Comments": "Cmts.User",
               "User.Eco1": "Eco1.User", "User.Eco2": "Eco2.User", "F.Courtyard": "F.CrtYd",
               "B.Courtyard": "B.CrtYd"}
PAD_KINDS = {pcbnew.PAD_ATTRIB_PTH: "thru_hole", pcbnew.PAD_ATTRIB_NPTH: "np_thru_hole",
             pcbnew.PAD_ATTRIB_SMD: "smd"}


def round_away(value):
    return int(math.floor(abs(value) + 0.5)) * (1 if value >= 0 else -1)


def nm(units):
    """Host units (1/10000 mil) in nanometres, halves away from zero."""
    whole, rest = divmod(abs(units) * 254, 100)
    value = whole + (1 if rest >= 50 else 0)
    return -value if units < 0 else value


CLAMPED = [False]  # set when a value lay beyond KiCad's reach and was clamped


def clamp(value):
    if abs(value) > MAX_NM:
        CLAMPED[0] = True
    return max(-MAX_NM, min(MAX_NM, value))


def size(units):
    return clamp(nm(abs(units)))


def line_width(units):
    """KiCad gives a graphic line of width 0 its default width."""
    return size(units) if units else 100_000


def pad_size(units):
    """KiCad's smallest pad is 1 micrometre."""
    return max(size(units), 1000)


def degrees(value):
    if not math.isfinite(value):
        return 0.0
    angle = math.fmod(value, 360.0)
    if angle < 0:
        angle += 360.0
    return 0.0 if angle >= 360.0 else angle


def number_after(name, prefix, last):
    match = re.fullmatch(prefix + r"([1-9][0-9]?)", name)
    return int(match.group(1)) if match and int(match.group(1)) <= last else 0


def kicad_text(text):
    return "".join("?" if (ord(c) < 32 and c not in "\t\n\r") or ord(c) == 127 else c
                   for c in text)


class Sheet:
    """Host coordinates to KiCad's: the host origin lies at the board's auxiliary origin."""

    def __init__(self, board):
        origin = board.GetDesignSettings().GetAuxOrigin()
        self.x0, self.y0 = origin.x, origin.y
        if MAX_NM in (abs(self.x0), abs(self.y0)):
            CLAMPED[0] = True

    def at(self, x, y):
        return (clamp(self.x0 + nm(x)), clamp(self.y0 - nm(y)))

    def on_circle(self, centre, radius, angle):
        angle = degrees(angle)
        r = nm(radius)
        exact = {0.0: (r, 0), 90.0: (0, -r), 180.0: (-r, 0), 270.0: (0, r)}
        if angle in exact:
            dx, dy = exact[angle]
            return (clamp(centre[0] + dx), clamp(centre[1] + dy))
        rad = angle * math.pi / 180.0
        length = radius * 2.54
        return (clamp(centre[0] + round_away(length * math.cos(rad))),
                clamp(centre[1] - round_away(length * math.sin(rad))))


class Layers:
    """The copper stack and the layer of every host layer, by the rules of the exporter."""

    def __init__(self, board_json):
        used = set()
        for prims, texts in primitive_sets(board_json):
            for kind in ("tracks", "pads", "arcs", "fills", "texts"):
                used.update(o["layer"] for o in prims[kind])
            for v in prims["vias"]:
                used.update((v["startLayer"], v["endLayer"]))
            used.update(t["layer"] for t in texts)
        inner = [("MidLayer%d" % n, None) for n in range(1, 31) if "MidLayer%d" % n in used]
        listed = set()
        for plane in board_json["planes"]:
            name = plane["layer"]
            if number_after(name, "InternalPlane", 16) and name not in listed:
                listed.add(name)
                if plane["net"] is not None or name in used:
                    inner.append((name, plane["net"]))
        inner += [("InternalPlane%d" % n, None) for n in range(1, 17)
                  if "InternalPlane%d" % n in used and "InternalPlane%d" % n not in listed]
        inner = inner[:30]
        if len(inner) % 2:
            inner.append(("", None))
        self.copper = [("TopLayer", "F.Cu", False, None)]
        self.copper += [(host, "In%d.Cu" % (i + 1), host.startswith("InternalPlane"), net)
                        for i, (host, net) in enumerate(inner)]
        self.copper.append(("BottomLayer", "B.Cu", False, None))
        self.by_host = {host: kicad for host, kicad, _, _ in self.copper if host}

    def copper_of(self, host):
        if host == "MultiLayer":
            return [kicad for _, kicad, _, _ in self.copper]
        return [self.by_host[host]] if host in self.by_host else []

    def non_copper(self, host):
        if host in NON_COPPER:
            return NON_COPPER[host]
        mech = number_after(host, "Mechanical", 16)
        if mech:
            return {1: "Dwgs.User", 2: "Eco1.User", 3: "Eco2.User"}.get(
                mech, "User.%d" % min(mech - 3, 9))
        return "Cmts.User"

    def layer(self, host):
        return self.by_host.get(host) or self.non_copper(host)

    def span(self, start, end):
        names = [kicad for _, kicad, _, _ in self.copper]
        if start not in self.by_host or end not in self.by_host:
            return names[0], names[-1]
        a, b = sorted((names.index(self.by_host[start]), names.index(self.by_host[end])))
        return names[a], names[b]


def primitive_sets(board_json):
    """The free objects and each component's, with the component's own texts."""
    yield board_json, []
    for c in board_json["components"]:
        yield c, [t for t in (c["designatorText"], c["commentText"]) if t]


class Expected:
    """Items as (key, net) pairs, keys being tuples that KiCad's items must match exactly."""

    def __init__(self, board_json, sheet, layers, edge_layer):
        self.items = []
        self.middles = collections.defaultdict(list)  # arc key: the points halfway along
        self.sheet, self.layers, self.edge_layer = sheet, layers, edge_layer
        for index, (prims, _) in enumerate(primitive_sets(board_json)):
            free = index == 0
            for t in prims["tracks"]:
                self.track(t, free)
            for a in prims["arcs"]:
                self.arc(a, free)
            for v in prims["vias"]:
                top, bottom = layers.span(v["startLayer"], v["endLayer"])
                self.add(("via", sheet.at(v["x"], v["y"]), size(v["size"]), size(v["hole"]),
                          top, bottom), v["net"])
            for f in prims["fills"]:
                self.fill(f)
            for t in prims["texts"]:
                self.text(t, "gr_text" if free else "user")
            for p in prims["pads"]:
                self.pad(p)
        for c in board_json["components"]:
            sheet.at(c["x"], c["y"])  # notes a footprint beyond KiCad's reach
            for role, text, content in (("reference", c["designatorText"], c["designator"]),
                                        ("value", c["commentText"], c["comment"])):
                if text:
                    self.text(text, role)
                else:
                    self.add(("hidden", role, kicad_text(content)), None)
        for p in board_json["pads"]:
            self.add(("hidden", "reference", kicad_text(p["name"])), None)
            self.add(("hidden", "value", ""), None)
        for host, kicad, plane, net in layers.copper:
            if plane and net is not None:
                self.add(("plane zone", kicad), net)

    def add(self, key, net):
        self.items.append((key, WILDCARD if net is None else net))

    def on_edge(self, item, free):
        return free and item["layer"] == self.edge_layer

    def track(self, t, free):
        ends = tuple(sorted((self.sheet.at(t["x1"], t["y1"]), self.sheet.at(t["x2"], t["y2"]))))
        if self.on_edge(t, free):
            self.add(("line", "edge", ends, line_width(t["width"])), None)
            return
        copper = self.layers.copper_of(t["layer"])
        for layer in copper:
            self.add(("segment", layer, ends, size(t["width"])), t["net"])
        if not copper:
            self.add(("line", self.layers.non_copper(t["layer"]), ends, line_width(t["width"])),
                     None)

    def arc(self, a, free):
        centre = self.sheet.at(a["x"], a["y"])
        radius = abs(a["radius"])  # a negative radius counts by its magnitude
        copper = self.layers.copper_of(a["layer"])
        layer = "edge" if self.on_edge(a, free) else None
        width = size(a["width"]) if copper and not layer else line_width(a["width"])
        if radius == 0:
            for lay in copper:
                self.add(("segment", lay, (centre, centre), width), a["net"])
            if not copper:
                self.add(("circle", layer or self.layers.non_copper(a["layer"]), centre, centre,
                          width), None)
            return
        start_angle = a["startAngle"] if math.isfinite(a["startAngle"]) else 0.0
        sweep = a["endAngle"] - a["startAngle"]
        sweep = math.fmod(sweep, 360.0) if math.isfinite(sweep) else 0.0
        if sweep <= 0:
            sweep += 360.0
        start = self.sheet.on_circle(centre, radius, start_angle)
        if copper and not layer:
            pieces = ([(start_angle, 180.0), (start_angle + 180.0, 180.0)] if sweep >= 360
                      else [(start_angle, sweep)])
            for lay in copper:
                for begin, extent in pieces:
                    ends = tuple(sorted((self.sheet.on_circle(centre, radius, begin),
                                         self.sheet.on_circle(centre, radius,
                                                              begin + extent))))
                    key = ("arc track", lay, ends, centre, width)
                    self.add(key, a["net"])
                    self.middles[key].append(
                        self.sheet.on_circle(centre, radius, begin + extent / 2))
            return
        layer = layer or self.layers.non_copper(a["layer"])
        if sweep >= 360:
            self.add(("circle", layer, centre, start, width), None)
        else:
            end = self.sheet.on_circle(centre, radius, start_angle + sweep)
            key = ("arc", layer, tuple(sorted((start, end))), centre, width)
            self.add(key, None)
            self.middles[key].append(
                self.sheet.on_circle(centre, radius, start_angle + sweep / 2))

    def fill_corners(self, f):
        a, b = self.sheet.at(f["x1"], f["y1"]), self.sheet.at(f["x2"], f["y2"])
        rotation = degrees(f["rotation"])
        if rotation == 0:
            return tuple(sorted({(a[0], a[1]), (b[0], a[1]), (b[0], b[1]), (a[0], b[1])}))
        cx, cy = (a[0] + b[0]) / 2, (a[1] + b[1]) / 2
        hw, hh = abs(b[0] - a[0]) / 2, abs(b[1] - a[1]) / 2
        quarter = {90.0: (0, 1), 180.0: (-1, 0), 270.0: (0, -1)}
        c, s = quarter.get(rotation, (math.cos(rotation * math.pi / 180),
                                      math.sin(rotation * math.pi / 180)))
        return tuple(sorted((round_away(cx + x * c + y * s), round_away(cy - x * s + y * c))
                            for x, y in ((-hw, -hh), (hw, -hh), (hw, hh), (-hw, hh))))

    def fill(self, f):
        corners = self.fill_corners(f)
        if f["layer"] == "KeepOutLayer":
            self.add(("rule area", corners), None)
            return
        copper = self.layers.copper_of(f["layer"])
        for layer in copper:
            if f["net"] is None:
                # Without a net of its own it may still take the net of the copper it touches.
                self.add(("copper fill", layer, corners), None)
            else:
                self.add(("copper fill", layer, corners), f["net"])
        if not copper:
            self.add(("filled", self.layers.non_copper(f["layer"]), corners), None)

    def text(self, t, role):
        self.add((role, kicad_text(t["text"]), self.sheet.at(t["x"], t["y"]), size(t["height"]),
                  size(t["width"]), degrees(t["rotation"]), t["mirror"],
                  self.layers.layer(t["layer"])), None)

    def pad(self, p):
        x, y = pad_size(p["xSize"]), pad_size(p["ySize"])
        shape = {"round": "circle" if abs(p["xSize"]) == abs(p["ySize"]) else "oval", "rectangle": "rect",
                 "octagonal": "octagon", "roundedRectangle": "roundrect"}.get(p["shape"], "rect")
        if shape == "circle":
            y = x
        layer = p["layer"]
        net = p["net"]
        if p["hole"] > 0 and p["hole"] >= min(abs(p["xSize"]), abs(p["ySize"])):
            kind, net = "np_thru_hole", ""
        elif p["hole"] > 0 or layer == "MultiLayer":
            kind = "thru_hole" if p["hole"] > 0 else "smd"
        else:
            kind = "smd"
        if p["hole"] > 0 or layer == "MultiLayer":
            layer_set = tuple(sorted([k for _, k, _, _ in self.layers.copper] +
                                     ["F.Mask", "B.Mask"]))
        elif layer in self.layers.by_host:
            cu = self.layers.by_host[layer]
            side = {"F.Cu": ("F.Paste", "F.Mask"), "B.Cu": ("B.Paste", "B.Mask")}.get(cu, ())
            layer_set = tuple(sorted((cu,) + side))
        else:
            layer_set = (self.layers.non_copper(layer),)
            net = ""
        copper = kind != "np_thru_hole" and net != ""
        self.add(("pad", p["name"] if copper else "", self.sheet.at(p["x"], p["y"]), shape, x, y,
                  size(p["hole"]) if p["hole"] > 0 else 0, kind, layer_set,
                  degrees(p["rotation"])), net)


def layer_name(layer):
    name = pcbnew.BOARD.GetStandardLayerName(layer)
    return SHORT_NAMES.get(name, name)


def point(p):
    return (p.x, p.y)


def halfway(start, centre, angle):
    """The point halfway along an arc as KiCad draws it: from its start, turned about its centre
    by half its angle (tenths of a degree, clockwise on the sheet)."""
    rad = angle / 20.0 * math.pi / 180.0
    dx, dy = start.x - centre.x, start.y - centre.y
    return (centre.x + dx * math.cos(rad) - dy * math.sin(rad),
            centre.y + dx * math.sin(rad) + dy * math.cos(rad))


def compare_middles(expected, actual):
    """Every arc must pass through the host's middle, not only share its ends and centre: an arc
    drawn on the other side of its circle has the same ends. Within a thousandth of its radius
    (KiCad works its angle out from whole nanometres), and a micrometre."""
    problems = []
    for key, want in expected.items():
        have = list(actual.get(key, []))
        reach = max(1000.0, math.dist(key[2][0], key[3]) / 1000.0)
        for middle in want:
            near = [p for p in have if math.dist(p, middle) <= reach]
            if near:
                have.remove(near[0])
            elif have:
                problems.append("arc through %r, KiCad's through (%d, %d): %r" %
                                (middle, round(have[0][0]), round(have[0][1]), key))
    return problems


class Actual:
    """What KiCad reports, as the same (key, net) pairs."""

    def __init__(self, board, edge_mapped):
        self.items = []
        self.middles = collections.defaultdict(list)
        self.board = board
        self.edge_mapped = edge_mapped
        self.edge_rects = []
        for item in board.GetTracks():
            self.track(item)
        for item in board.GetDrawings():
            self.drawing(item, None)
        for fp in board.GetFootprints():
            for item in fp.GraphicalItems():
                self.drawing(item, fp)
            for pad in fp.Pads():
                self.pad(pad)
            for role, text in (("reference", fp.Reference()), ("value", fp.Value())):
                if text.IsVisible():
                    self.text(text, role, fp)
                else:
                    self.items.append((("hidden", role, text.GetText()), WILDCARD))
        for zone in board.Zones():
            self.zone(zone)

    @staticmethod
    def name(layer):
        return layer_name(layer)

    def track(self, t):
        layer, net, width = self.name(t.GetLayer()), t.GetNetname(), t.GetWidth()
        if t.GetClass() == "PCB_VIA":
            top, bottom = t.TopLayer(), t.BottomLayer()
            self.items.append((("via", point(t.GetPosition()), t.GetWidth(), t.GetDrillValue(),
                                self.name(top), self.name(bottom)), net))
            return
        ends = tuple(sorted((point(t.GetStart()), point(t.GetEnd()))))
        if t.GetClass() == "PCB_ARC":
            key = ("arc track", layer, ends, point(t.GetCenter()), width)
            self.items.append((key, net))
            self.middles[key].append(halfway(t.GetStart(), t.GetCenter(), t.GetAngle()))
        else:
            self.items.append((("segment", layer, ends, width), net))

    def drawing(self, d, fp):
        if isinstance(d, (pcbnew.PCB_TEXT, pcbnew.FP_TEXT)):
            self.text(d, "gr_text" if fp is None else "user", fp)
            return
        layer = self.name(d.GetLayer())
        if layer in ("Edge.Cuts", self.edge_mapped) and fp is None:
            layer = "edge" if d.GetShape() != pcbnew.SHAPE_T_RECT or layer != "Edge.Cuts" else layer
        shape, width = d.GetShape(), d.GetWidth()
        if shape == pcbnew.SHAPE_T_SEGMENT:
            key = ("line", layer, tuple(sorted((point(d.GetStart()), point(d.GetEnd())))), width)
        elif shape == pcbnew.SHAPE_T_ARC:
            key = ("arc", layer, tuple(sorted((point(d.GetStart()), point(d.GetEnd())))),
                   point(d.GetCenter()), width)
            self.middles[key].append(halfway(d.GetStart(), d.GetCenter(), d.GetArcAngle()))
        elif shape == pcbnew.SHAPE_T_CIRCLE:
            key = ("circle", layer, point(d.GetCenter()), point(d.GetEnd()), width)
        elif shape == pcbnew.SHAPE_T_RECT:
            corners = tuple(sorted(set(point(p) for p in d.GetRectCorners())))
            if layer == "Edge.Cuts":
                self.edge_rects.append(corners)
                return
            key = self.filled(layer, corners)
        elif shape == pcbnew.SHAPE_T_POLY:
            outline = d.GetPolyShape().Outline(0)
            corners = tuple(sorted(point(outline.CPoint(i)) for i in range(outline.PointCount())))
            key = self.filled(layer, corners)
        else:
            key = ("unexpected shape", layer, d.GetShapeStr())
        self.items.append((key, WILDCARD))

    @staticmethod
    def filled(layer, corners):
        return ("copper fill" if layer.endswith(".Cu") else "filled", layer, corners)

    def text(self, t, role, fp):
        angle = t.GetTextAngle() + (fp.GetOrientation() if fp is not None else 0)
        justified = (t.GetHorizJustify() == pcbnew.GR_TEXT_HJUSTIFY_LEFT and
                     t.GetVertJustify() == pcbnew.GR_TEXT_VJUSTIFY_BOTTOM)
        if t.GetTextWidth() != t.GetTextHeight() or not justified:
            role = "badly sized or justified " + role
        self.items.append(((role, t.GetText(), point(t.GetPosition()), t.GetTextHeight(),
                            t.GetTextThickness(), degrees(angle / 10.0), t.IsMirrored(),
                            self.name(t.GetLayer())), WILDCARD))

    def pad(self, p):
        shape = PAD_SHAPES.get(p.GetShape(), "other")
        if shape == "octagon" and (abs(p.GetChamferRectRatio() - 0.292893) > 1e-9 or
                                   p.GetChamferPositions() != 15):
            shape = "badly chamfered"
        layers = tuple(sorted(self.name(layer) for layer in p.GetLayerSet().Seq()
                              if self.board.IsLayerEnabled(layer)))
        self.items.append((("pad", p.GetNumber(), point(p.GetPosition()), shape,
                            p.GetSize().x, p.GetSize().y, p.GetDrillSize().x,
                            PAD_KINDS.get(p.GetAttribute(), "other"), layers,
                            degrees(p.GetOrientation() / 10.0)), p.GetNetname()))

    def zone(self, z):
        outline = z.Outline().Outline(0)
        corners = tuple(sorted(point(outline.CPoint(i)) for i in range(outline.PointCount())))
        if z.GetIsRuleArea():
            allowed = (z.GetDoNotAllowTracks() and z.GetDoNotAllowVias() and
                       z.GetDoNotAllowPads() and z.GetDoNotAllowCopperPour())
            self.items.append((("rule area" if allowed else "open rule area", corners), WILDCARD))
        elif self.board.GetLayerType(z.GetLayer()) == pcbnew.LT_POWER:
            self.items.append((("plane zone", self.name(z.GetLayer())), z.GetNetname()))
        else:
            self.items.append((("copper fill", self.name(z.GetLayer()), corners), z.GetNetname()))


def compare(expected, actual):
    """Differences between the two lists of (key, net): keys must match one to one; an expected
    net must be the actual one unless it is the wildcard."""
    problems = []
    want = collections.defaultdict(list)
    have = collections.defaultdict(list)
    for key, net in expected:
        want[key].append(net)
    for key, net in actual:
        have[key].append(net)
    for key in want.keys() | have.keys():
        w, h = want.get(key, []), have.get(key, [])
        if len(w) != len(h):
            problems.append("%d expected, %d in KiCad: %r" % (len(w), len(h), key))
            continue
        left = list(h)
        for net in sorted(n for n in w if n != WILDCARD):
            if net in left:
                left.remove(net)
            else:
                problems.append("net %r expected, KiCad has %r: %r" % (net, h, key))
    return problems


def footprint_name(pattern):
    return "".join("_" if c in ':/\\<>"' or ord(c) < 32 or ord(c) == 127 else c for c in pattern)


def placement_rotations(positions_file):
    """The rotation of each designator's parts in the placement file, in its order."""
    rotations = collections.defaultdict(list)
    with open(positions_file, encoding="utf-8", newline="") as f:
        for line in csv.DictReader(f):
            rotations[line["Designator"]].append(float(line["Rotation (degrees)"]))
    return rotations


def check_footprints(board, board_json, sheet, rotations):
    """Footprints lie at the components' places, turned as the placement file says."""
    problems = []
    expected = collections.Counter()
    for c in board_json["components"]:
        side = "B.Cu" if c["layer"] == "BottomLayer" else "F.Cu"
        expected[(footprint_name(c["pattern"]), c["designator"], c["comment"], side,
                  sheet.at(c["x"], c["y"]), rotations[c["designator"]].pop(0))] += 1
    for p in board_json["pads"]:
        side = "B.Cu" if p["layer"] == "BottomLayer" and p["hole"] <= 0 else "F.Cu"
        expected[("FreePad", p["name"], "", side, sheet.at(p["x"], p["y"]), 0.0)] += 1
    actual = collections.Counter(
        (str(fp.GetFPID().GetLibItemName()), fp.GetReference(), fp.GetValue(),
         layer_name(fp.GetLayer()), point(fp.GetPosition()),
         degrees(fp.GetOrientation() / 10.0)) for fp in board.GetFootprints())
    for key in (expected - actual):
        problems.append("footprint missing in KiCad: %r" % (key,))
    for key in (actual - expected):
        problems.append("footprint not expected: %r" % (key,))
    return problems


def check_layers_and_nets(board, board_json, layers):
    problems = []
    enabled = [layer_name(l) for l in board.GetEnabledLayers().CuStack()]
    want = [kicad for _, kicad, _, _ in layers.copper]
    if enabled != want:
        problems.append("copper layers %r, expected %r" % (enabled, want))
    for _, kicad, plane, _ in layers.copper:
        kind = board.GetLayerType(board.GetLayerID(kicad))
        if (kind == pcbnew.LT_POWER) != plane:
            problems.append("layer %s: type %d" % (kicad, kind))
    names = {str(name) for name in board.GetNetsByName().keys()}
    for net in board_json["nets"]:
        if net["name"] not in names:
            problems.append("net %r missing" % net["name"])
    return problems


def check_edge(board, actual):
    """The fallback rectangle holds every pad and track; without it the edge lies on the edge."""
    problems = []
    if len(actual.edge_rects) > 1:
        problems.append("%d rectangles on Edge.Cuts" % len(actual.edge_rects))
    for rect in actual.edge_rects:
        xs, ys = [p[0] for p in rect], [p[1] for p in rect]
        points = [point(p.GetPosition()) for p in board.GetPads()]
        points += [point(t.GetStart()) for t in board.GetTracks()]
        points += [point(t.GetEnd()) for t in board.GetTracks()]
        outside = [p for p in points
                   if not (min(xs) < p[0] < max(xs) and min(ys) < p[1] < max(ys))]
        if outside:
            problems.append("the edge rectangle leaves %d points outside" % len(outside))
    return problems


PAPERS_MM = {"A4": (297, 210), "A3": (420, 297), "A2": (594, 420), "A1": (841, 594),
             "A0": (1189, 841)}


def check_sheet(board, sheet, kicad_file):
    """The board is placed on the sheet, its corner on the 100 mil grid."""
    problems = []
    if sheet.x0 % 2_540_000 != 0 or sheet.y0 % 2_540_000 != 0:
        problems.append("origin (%d, %d) is not on the 100 mil grid" % (sheet.x0, sheet.y0))
    with open(kicad_file, encoding="utf-8") as f:
        paper = re.search(r'^  \(paper "(\w+)"\)$', f.read(), re.M)
    width, height = PAPERS_MM.get(paper.group(1) if paper else "", (0, 0))
    box = board.GetBoardEdgesBoundingBox()
    if (box.GetX() < 0 or box.GetY() < 0 or box.GetRight() > width * 1_000_000 or
            box.GetBottom() > height * 1_000_000):
        problems.append("the board lies outside its sheet (%s)" % (paper and paper.group(1)))
    return problems


def design_rule_counts(board, report):
    pcbnew.ZONE_FILLER(board).Fill(board.Zones())
    if not pcbnew.WriteDRCReport(board, report, pcbnew.EDA_UNITS_MILLIMETRES, True):
        return None
    with open(report, encoding="utf-8") as f:
        return collections.Counter(re.findall(r"^\[(\w+)\]", f.read(), re.M))


@contextlib.contextmanager
def kicad_messages(into):
    """KiCad's own messages on standard error (overflow warnings on boards beyond its reach, …)
    go to a file, shown only with a failure."""
    sys.stderr.flush()
    saved = os.dup(2)
    with open(into, "w") as target:
        os.dup2(target.fileno(), 2)
    try:
        yield
    finally:
        os.dup2(saved, 2)
        os.close(saved)


def check_board(program, path, work, clean, finds_clearance, edge_layer):
    name = os.path.basename(path)
    stem = os.path.join(work, name)
    command = [program, "-q", path, "--json", stem + ".json", "--kicad", stem + ".kicad_pcb",
               "--positions", stem + ".pos.csv"]
    if edge_layer:
        command += ["--edge-layer", edge_layer]
    run = subprocess.run(command, stdin=subprocess.DEVNULL, capture_output=True, text=True)
    if run.returncode == 1 and "not a Corvane board" in run.stderr:
        return [], None  # nothing imported, nothing to check
    if run.returncode not in (0, 3):
        return ["corvane-import failed (%d): %s" % (run.returncode, run.stderr.strip())], None
    with open(stem + ".json", encoding="utf-8") as f:
        board_json = json.load(f)
    board = pcbnew.LoadBoard(stem + ".kicad_pcb")
    CLAMPED[0] = False
    sheet = Sheet(board)
    layers = Layers(board_json)
    edge = edge_layer or "KeepOutLayer"
    expected = Expected(board_json, sheet, layers, edge)
    actual = Actual(board, layers.non_copper(edge))
    if CLAMPED[0]:
        # Beyond KiCad's reach values are clamped, and KiCad works out arcs and footprint
        # children from clamped values: only the counts of what it holds can be compared.
        def kinds(items):
            return [((key[0],), WILDCARD) for key, _ in items]
        problems = compare(kinds(expected.items), kinds(actual.items))
    else:
        problems = compare(expected.items, actual.items)
        problems += compare_middles(expected.middles, actual.middles)
        problems += check_footprints(board, board_json, sheet,
                                     placement_rotations(stem + ".pos.csv"))
        problems += check_edge(board, actual)
        problems += check_sheet(board, sheet, stem + ".kicad_pcb")
    problems += check_layers_and_nets(board, board_json, layers)
    counts = design_rule_counts(board, stem + ".drc.txt")
    if counts is None:
        problems.append("KiCad's design-rule check did not run")
        counts = collections.Counter()
    if counts["invalid_outline"]:
        problems.append("KiCad finds no closed board outline")
    if counts["item_on_disabled_layer"]:
        problems.append("%d items on layers the board lacks" % counts["item_on_disabled_layer"])
    if clean:
        for kind in ("shorting_items", "clearance", "unconnected_items"):
            if counts[kind]:
                problems.append("%d %s on a board that must have none" % (counts[kind], kind))
        netless = sum(1 for t in board.GetTracks() if t.GetNetCode() == 0)
        if netless:
            problems.append("%d tracks or vias without a net" % netless)
    if finds_clearance and not counts["clearance"]:
        problems.append("no clearance violation found on a board that has one")
    return problems, counts


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--program", required=True, help="corvane-import")
    parser.add_argument("--clean", action="append", default=[],
                        help="a board (file name) that must pass the design-rule check clean")
    parser.add_argument("--finds-clearance", action="append", default=[],
                        help="a board (file name) on which the check must find a clearance fault")
    parser.add_argument("--edge-layer", help="passed to corvane-import")
    parser.add_argument("--keep", help="keep the outputs in this folder")
    parser.add_argument("boards", nargs="+")
    args = parser.parse_args()
    failures = 0
    with tempfile.TemporaryDirectory() as scratch:
        work = args.keep or scratch
        os.makedirs(work, exist_ok=True)
        for path in args.boards:
            name = os.path.basename(path)
            messages = os.path.join(work, name + ".kicad-messages.txt")
            with kicad_messages(messages):
                problems, counts = check_board(args.program, path, work, name in args.clean,
                                               name in args.finds_clearance, args.edge_layer)
            if counts is None and not problems:
                print("--   %s: not a Corvane board" % name)
                continue
            drc = ", ".join("%s %d" % kv for kv in sorted((counts or {}).items())) or "nothing"
            if problems:
                failures += 1
                print("FAIL %s" % name)
                for problem in problems[:20]:
                    print("     %s" % problem)
                if len(problems) > 20:
                    print("     ... %d more" % (len(problems) - 20))
                with open(messages, encoding="utf-8", errors="replace") as f:
                    for line in f.read().splitlines()[:10]:
                        print("     KiCad: %s" % line)
            else:
                print("ok   %s" % name)
            print("     design-rule check: %s" % drc)
    print("%d boards, %d failed" % (len(args.boards), failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
