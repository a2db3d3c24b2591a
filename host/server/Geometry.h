#pragma once
// Bounding rectangles of objects, as PcbApi_QueryObjectBoundingRectangle reports them.
// Units: host units (1/10000 mil).

#include "ObjectStore.h"

#include <cstdint>

namespace halvex {

struct Rect {
    std::int32_t Left = 0;
    std::int32_t Bottom = 0;
    std::int32_t Right = 0;
    std::int32_t Top = 0;
};

/// The smallest upright rectangle around the object's copper or ink: a track's segment grown by
/// half its width; an arc's whole circle grown by half its line width; a via's circle; a pad's
/// largest part, turned by its rotation; a fill's corners, turned about its centre; a text's box
/// (its length x 2/3 of its height wide, its height high) turned about its origin; a component's
/// children and texts together (its point without them). Other kinds: their reference point.
Rect BoundingRectangle(const ObjectStore& objects, const ObjectRecord& object);

} // namespace halvex
