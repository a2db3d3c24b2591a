#include "boardmodel/BoardModel.h"

namespace corvane::cli {

std::string PadShapeName(std::uint8_t shapeCode) {
    switch (shapeCode) {
    case 1:
        return "round";
    case 2:
        return "rectangle";
    case 3:
        return "octagonal";
    case 9:
        return "roundedRectangle";
    default:
        return "shape" + std::to_string(shapeCode);
    }
}

} // namespace corvane::cli
