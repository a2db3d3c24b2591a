#pragma once
// Components, nets, polygons (and board outlines), split planes, coordinates and dimensions.
// Units: coordinates in host units (1/10000 mil), rotation in degrees.

#include "Container.h"
#include "HostLayerTable.h"
#include "KindRecord.h"

#include "contract/HostTypes.h"

#include <array>
#include <string>
#include <vector>

namespace halvex {

/// A component at (X, Y) on "TopLayer" or "BottomLayer". Its children are the primitives added to
/// it; its designator and comment are two text objects named by NameText and CommentText, which
/// are not among its children. New: on "TopLayer" with two new texts.
struct ComponentRecord : KindRecord<ObjectKind::Component> {
    explicit ComponentRecord(HostHandle handle) : KindRecord(handle, TopLayer) {}

    Container Children;

    std::int32_t ChannelOffset = 0;
    std::uint32_t ComponentKind = 0;
    std::uint32_t NameText = 0;
    std::uint32_t CommentText = 0;
    /// At most 250 characters.
    std::string Pattern;
    std::uint8_t Option1 = 0;
    std::uint8_t Option2 = 0;
    std::int32_t Value = 0;
    double Rotation = 0.0;
    std::uint8_t Option3 = 0;
    std::int32_t ExValue1 = 0;
    std::uint8_t ExOption1 = 0;
    std::uint8_t ExOption2 = 0;
    std::int32_t ExValue2 = 0;
    std::array<std::string, 8> SourceLinks;
    std::string DefaultModel;
};

/// A net. Its members are the conducting objects whose Net names it. New: unnamed, on
/// "MultiLayer".
struct NetRecord : KindRecord<ObjectKind::Net> {
    explicit NetRecord(HostHandle handle) : KindRecord(handle, MultiLayer) {}

    Container Members;

    std::string Name;
    std::uint8_t Option1 = 0;
    std::uint8_t Option2 = 0;
};

/// Outline segments of a polygon or split plane, the host's 37-byte records. The count is kept
/// as given; the records kept are the first min(count, 5001) (none for a negative count).
struct SegmentList {
    static constexpr std::int32_t Capacity = 5001;
    std::int32_t Count = 0;
    std::vector<corvane::SegmentRecord> Records;
};

/// A polygon (kind 10) or board outline (kind 26). New: on "TopLayer", no segments.
struct PolygonRecord : ObjectRecord {
    PolygonRecord(HostHandle handle, ObjectKind kind) : ObjectRecord(handle, kind) {
        Layer = TopLayer;
    }
    static constexpr bool Accepts(ObjectKind kind) {
        return kind == ObjectKind::Polygon || kind == ObjectKind::BoardOutline;
    }

    std::uint8_t Option1 = 0;
    std::uint8_t Option2 = 0;
    std::uint8_t Option3 = 0;
    std::uint8_t Option4 = 0;
    std::int32_t Value1 = 0;
    std::int32_t Value2 = 0;
    std::int32_t Value3 = 0;
    SegmentList Segments;
    std::uint8_t Option5 = 0;
    std::uint8_t Option6 = 0;
};

/// A split plane. New: on "InternalPlane1", no segments.
struct SplitPlaneRecord : KindRecord<ObjectKind::SplitPlane> {
    explicit SplitPlaneRecord(HostHandle handle) : KindRecord(handle, InternalPlane1) {}
    SegmentList Segments;
    std::uint8_t Option = 0;
};

/// A coordinate marker at (X, Y). New: on "TopOverlay".
struct CoordinateRecord : KindRecord<ObjectKind::Coordinate> {
    explicit CoordinateRecord(HostHandle handle) : KindRecord(handle, TopOverlay) {}
    std::array<std::int32_t, 6> Values{};
};

/// A dimension at (X, Y) with its references. New: kind 8, on "Mechanical1", no references.
struct DimensionRecord : KindRecord<ObjectKind::Dimension> {
    explicit DimensionRecord(HostHandle handle) : KindRecord(handle, Mechanical1) {}

    /// The most references a dimension keeps; a larger count is cut to it.
    static constexpr std::int32_t MaxReferences = 10000;

    std::array<std::int32_t, 7> DimValues{};
    std::uint8_t DimOption1 = 0;
    std::vector<std::array<std::int32_t, 4>> References;

    std::uint8_t DimensionKind = 8;
    std::int32_t ExtValue1 = 0;
    std::int32_t ExtValue2 = 0;
    std::int32_t ExtValue3 = 0;
    std::uint8_t ExtOption1 = 0;
    std::int32_t ExtValue4 = 0;
    std::string ExtText1;
    std::uint8_t ExtOption2 = 0;
    std::int32_t ExtValue5 = 0;
    std::string ExtText2;
    std::string ExtText3;
    std::uint64_t ExtValue64 = 0;
    std::int32_t ExtValue6 = 0;
    std::int32_t ExtValue7 = 0;
    std::int32_t ExtValue8 = 0;
    std::uint8_t ExtOption3 = 0;
    std::int32_t ExtValue9 = 0;
    std::int32_t ExtValue10 = 0;
    std::int32_t ExtValue11 = 0;
};

} // namespace halvex
