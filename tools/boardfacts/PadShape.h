#pragma once
// The host's pad shapes.

#include <cstdint>

namespace corvane::cli {

/// The host's pad shape codes, as the server's pad gives them (its TopShape; the importer turns
/// the file's own codes into these). Other codes pass from the file as read and have no shape
/// of their own.
enum class PadShape : std::uint8_t { Round = 1, Rectangle = 2, Octagon = 3, RoundedRectangle = 9 };

} // namespace corvane::cli
