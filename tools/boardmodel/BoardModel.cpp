#include "boardmodel/BoardModel.h"

#include "boardfacts/PadShape.h"

namespace corvane::cli {

std::string PadShapeName(std::uint8_t shapeCode) {
    switch (PadShape(shapeCode)) {
    case PadShape::Round:
        return "round";
    case PadShape::Rectangle:
        return "rectangle";
    case PadShape::Octagon:
        return "octagonal";
    case PadShape::RoundedRectangle:
        return "roundedRectangle";
    default:
        return "shape" + std::to_string(shapeCode);
    }
}

} // namespace corvane::cli
