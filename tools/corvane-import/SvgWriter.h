#pragma once
// A picture of the board as SVG: each layer's copper, overlay, keep-out and mechanical objects in
// its own colour, pads in their shapes with their holes, vias, arcs, fills and texts, seen from
// the top with y pointing up, fitted to the board, with a legend of the layers present.

#include "BoardModel.h"

#include <string>

namespace halvex::cli {

/// The whole SVG document. Every drawn object carries its kind as its class ("track", "via",
/// "pad", "arc", "fill", "text"; holes "hole"), so that tools can find and count them.
std::string BoardToSvg(const Board& board);

} // namespace halvex::cli
