// The picture of a board built by hand, walked as the host link walks one: exact text.

#include "svgwriter/SvgWriter.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace corvane::cli {
namespace {

TEST(SvgDocument, ATrackAComponentsPadAndATextGiveThisText) {
    StringOutputStream out(std::filesystem::temp_directory_path().string());
    SvgDocumentWriter writer(out, "hand.PCB");
    Track track;
    track.X1 = 0, track.Y1 = 200000, track.X2 = 1000000, track.Y2 = 200000, track.Width = 100000;
    track.Layer = "TopLayer";
    writer.OnTrack(track, BoardOwner);
    Component component;
    component.Designator = "R1";
    writer.OnComponentBegin(component);
    Pad pad;
    pad.X = 500000, pad.Y = 500000, pad.XSize = 600000, pad.YSize = 600000, pad.Hole = 300000;
    pad.ShapeCode = 1;
    pad.Layer = "MultiLayer";
    writer.OnPad(pad, Owner{1});
    writer.OnComponentEnd();
    Text text;
    text.X = 0, text.Y = 1000000, text.Height = 500000;
    text.Content = "R&D";
    text.Layer = "TopOverlay";
    writer.OnText(text, BoardOwner);
    writer.OnBoardEnd();
    // Extent: x from -5 (the track's round end) to 112.5 (the text's box), y from -150 (the
    // text's top) to -7.57 (the pad's reach); a margin of 20, then the legend's three rows.
    EXPECT_EQ(out.Text(), R"svg(<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" viewBox="-25 -170 157.5 199.45" width="948" height="1200">
<title>hand.PCB</title>
<rect class="background" x="-25" y="-170" width="157.5" height="199.45" fill="#10121a"/>
<g class="layer" id="layer-TopLayer" fill="#e03c3c" stroke="#e03c3c" stroke-linecap="round" font-family="sans-serif">
<line class="track" x1="0" y1="-20" x2="100" y2="-20" stroke-width="10"/>
</g>
<g class="layer" id="layer-TopOverlay" fill="#f0e040" stroke="#f0e040" stroke-linecap="round" font-family="sans-serif">
<text class="text" transform="translate(0 -100)" font-size="69.44">R&amp;D</text>
</g>
<g class="layer" id="layer-MultiLayer" fill="#c8c8c8" stroke="#c8c8c8" stroke-linecap="round" font-family="sans-serif">
<circle class="pad" cx="50" cy="-50" r="30" stroke="none"/>
</g>
<g class="holes" fill="#10121a" stroke="#000000" stroke-width="0.08">
<circle class="hole" cx="50" cy="-50" r="15"/>
</g>
<g class="legend" font-family="sans-serif" font-size="3.24">
<rect class="swatch" x="-22.97" y="12.43" width="4.05" height="3.24" fill="#e03c3c"/>
<text class="label" x="-17.3" y="15.47" fill="#e0e0e0">TopLayer</text>
<rect class="swatch" x="-22.97" y="17.29" width="4.05" height="3.24" fill="#f0e040"/>
<text class="label" x="-17.3" y="20.33" fill="#e0e0e0">TopOverlay</text>
<rect class="swatch" x="-22.97" y="22.16" width="4.05" height="3.24" fill="#c8c8c8"/>
<text class="label" x="-17.3" y="25.2" fill="#e0e0e0">MultiLayer</text>
</g>
</svg>
)svg");
}

} // namespace
} // namespace corvane::cli
