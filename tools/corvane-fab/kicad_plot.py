"""Plots a KiCad board with KiCad's own plotter, in the calling process: Gerber files of every
copper, mask, paste and silkscreen layer that holds anything and of the edge, Excellon drill
files, plated and unplated apart, and KiCad's Gerber job file, which names the Gerber files and
what each one is.

Coordinates are those of the auxiliary origin, which corvane-import puts on the origin of the
imported board, so the files measure from the same point as the board file did. Imported by
corvane_fab.py, with the python that has KiCad's pcbnew module. A board with nothing to make
(no pad and no copper) is refused before anything is plotted (NothingToMake).
"""

import os

import pcbnew

# Technical layers in the order a fabrication house lists them, with their files' suffixes.
TECHNICAL = [
    (pcbnew.F_Paste, "F_Paste"), (pcbnew.F_SilkS, "F_SilkS"), (pcbnew.F_Mask, "F_Mask"),
    (pcbnew.B_Mask, "B_Mask"), (pcbnew.B_SilkS, "B_SilkS"), (pcbnew.B_Paste, "B_Paste"),
]


def used_layers(board):
    """The layers anything is on: pads, tracks, vias, zones, graphics, texts, footprint graphics."""
    used = set()
    for item in board.GetTracks():
        used.update(item.GetLayerSet().Seq())
    for zone in board.Zones():
        if not zone.GetIsRuleArea():
            used.update(zone.GetLayerSet().Seq())
    for fp in board.GetFootprints():
        for pad in fp.Pads():
            used.update(pad.GetLayerSet().Seq())
        for item in fp.GraphicalItems():
            used.add(item.GetLayer())
        for text in (fp.Reference(), fp.Value()):
            if text.IsVisible():
                used.add(text.GetLayer())
    for item in board.GetDrawings():
        used.add(item.GetLayer())
    return used


class PlotError(Exception):
    """KiCad could not plot a layer or wrote no file."""


class NothingToMake(Exception):
    """The board holds no pad and no copper: a fabrication house could make nothing of it."""


def something_to_make(board):
    """Whether a fabrication house could make anything of the board: a pad, or copper (a track, a
    via, a zone or a drawing on a copper layer)."""
    copper = pcbnew.LSET.AllCuMask()
    if len(board.GetTracks()) or any(len(fp.Pads()) for fp in board.GetFootprints()):
        return True
    if any(not zone.GetIsRuleArea() and zone.GetLayerSet().Contains(layer)
           for zone in board.Zones() for layer in copper.Seq()):
        return True
    drawings = list(board.GetDrawings())
    for fp in board.GetFootprints():
        drawings += list(fp.GraphicalItems())
    return any(copper.Contains(item.GetLayer()) for item in drawings)


def plot(board_file, out):
    """Every file of the board, in DIR out: the Gerber files, the drill files and the job file, as
    paths. Raises PlotError when KiCad writes less."""
    board = pcbnew.LoadBoard(board_file)
    if not something_to_make(board):
        raise NothingToMake("%s holds no pad and no copper: there is nothing to make"
                            % os.path.basename(board_file))
    pcbnew.ZONE_FILLER(board).Fill(board.Zones())
    gerbers = plot_layers(board, out)
    written = [name for _, name in gerbers]
    written += drill_files(board, board_file, out)
    written.append(job_file(board, board_file, out, gerbers))
    for name in written:
        if not os.path.isfile(name):
            raise PlotError("KiCad wrote no %s" % os.path.basename(name))
    return written


def plot_layers(board, out):
    """Gerber files of the board's layers that hold anything and of the edge, as (layer, file)."""
    out = os.path.abspath(out)
    os.makedirs(out, exist_ok=True)
    controller = pcbnew.PLOT_CONTROLLER(board)
    options = controller.GetPlotOptions()
    options.SetOutputDirectory(out)
    options.SetPlotFrameRef(False)
    options.SetUseAuxOrigin(True)
    options.SetUseGerberProtelExtensions(False)
    options.SetCreateGerberJobFile(False)
    # Extended attributes only as comments: every reader, gerbv included, reads the files.
    options.SetUseGerberAttributes(False)
    options.SetUseGerberX2format(False)
    options.SetIncludeGerberNetlistInfo(False)
    options.SetSubtractMaskFromSilk(False)
    options.SetExcludeEdgeLayer(True)
    options.SetDrillMarksType(pcbnew.PCB_PLOT_PARAMS.NO_DRILL_SHAPE)
    options.SetScale(1)
    options.SetMirror(False)

    used = used_layers(board)
    # An empty layer is not plotted: a Gerber file without apertures is not a layer of the board
    # (and gerbv takes it for an old format it cannot read).
    layers = [(layer, board.GetLayerName(layer).replace(".", "_"))
              for layer in board.GetEnabledLayers().CuStack() if layer in used]
    layers += [(layer, suffix) for layer, suffix in TECHNICAL if layer in used]
    layers.append((pcbnew.Edge_Cuts, "Edge_Cuts"))
    written = []
    for layer, suffix in layers:
        controller.SetLayer(layer)
        controller.OpenPlotfile(suffix, pcbnew.PLOT_FORMAT_GERBER, suffix)
        if not controller.PlotLayer():
            raise PlotError("KiCad could not plot %s" % suffix)
        written.append((layer, controller.GetPlotFileName()))
    controller.ClosePlot()
    return written


def drill_files(board, board_file, out):
    drill = pcbnew.EXCELLON_WRITER(board)
    # Not mirrored, full header, the auxiliary origin, plated and unplated holes in two files.
    drill.SetOptions(False, False, board.GetDesignSettings().GetAuxOrigin(), False)
    drill.SetFormat(True)
    drill.CreateDrillandMapFilesSet(os.path.abspath(out), True, False)
    stem = os.path.splitext(os.path.basename(board_file))[0]
    return [os.path.join(os.path.abspath(out), "%s-%s.drl" % (stem, kind))
            for kind in ("PTH", "NPTH")]


def job_file(board, board_file, out, gerbers):
    """KiCad's Gerber job file (<stem>-job.gbrjob): the board's size and stack, and each Gerber
    file with the layer it is, which a board house reads instead of guessing from names."""
    writer = pcbnew.GERBER_JOBFILE_WRITER(board)
    for layer, name in gerbers:
        writer.AddGbrFile(layer, os.path.basename(name))
    stem = os.path.splitext(os.path.basename(board_file))[0]
    path = os.path.join(os.path.abspath(out), "%s-job.gbrjob" % stem)
    if not writer.CreateJobFile(path):
        raise PlotError("KiCad could not write %s" % os.path.basename(path))
    return path
