#pragma once
// The board as a JSON document (docs/board-json.md describes it).

#include "BoardModel.h"

#include <string>

namespace halvex::cli {

/// The whole document, ending with a line end. Deterministic: the same board gives the same bytes.
std::string BoardToJson(const Board& board);

} // namespace halvex::cli
