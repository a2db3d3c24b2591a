#pragma once
// Tracks, vias, arcs, fills and regions, with the host's defaults for a new object of each kind.
// Units: coordinates and sizes in host units (1/10000 mil), angles in degrees.

#include "HostLayerTable.h"
#include "KindRecord.h"

namespace halvex {

/// A straight segment from (X, Y) to (X2, Y2). New: 10 mil wide on "TopLayer".
struct TrackRecord : KindRecord<ObjectKind::Track> {
    explicit TrackRecord(HostHandle handle) : KindRecord(handle, TopLayer) {}
    std::int32_t X2 = 0;
    std::int32_t Y2 = 0;
    std::int32_t Width = Mils(10);
    std::int32_t Aux1 = 0;
    std::int32_t Aux2 = 0;
    std::int32_t Aux3 = 0;
};

/// A via at (X, Y). New: 50 mil with a 28 mil hole from "TopLayer" to "BottomLayer", on
/// "MultiLayer".
struct ViaRecord : KindRecord<ObjectKind::Via> {
    explicit ViaRecord(HostHandle handle) : KindRecord(handle, MultiLayer) {}
    std::int32_t Size = Mils(50);
    std::int32_t HoleSize = Mils(28);
    corvane::TLayer StartLayer = TopLayer;
    corvane::TLayer EndLayer = BottomLayer;
    Bool8 PadViaFlag1 = 0;
    Bool8 PadViaFlag2 = 0;

    /// True when the via has copper on the classic layer: the signal layers from StartLayer to
    /// EndLayer, every internal plane and "MultiLayer".
    bool CoversLayer(corvane::TLayer layer) const;
};

/// An arc around (X, Y). New: a full circle of radius 50 mil, 10 mil wide, on "TopLayer".
struct ArcRecord : KindRecord<ObjectKind::Arc> {
    explicit ArcRecord(HostHandle handle) : KindRecord(handle, TopLayer) {}
    std::int32_t Radius = Mils(50);
    double StartAngle = 0.0;
    double EndAngle = 360.0;
    std::int32_t LineWidth = Mils(10);
    std::int32_t Aux1 = 0;
};

/// A rectangle from corner (X, Y) to corner (X2, Y2). New: 100 mil square at the origin on
/// "TopLayer".
struct FillRecord : KindRecord<ObjectKind::Fill> {
    explicit FillRecord(HostHandle handle) : KindRecord(handle, TopLayer) {}
    std::int32_t X2 = Mils(100);
    std::int32_t Y2 = Mils(100);
    std::int32_t Aux1 = 0;
    double Rotation = 0.0;
};

/// A region; its own values are the host's and only carried. New: on "TopLayer".
struct RegionRecord : KindRecord<ObjectKind::Region> {
    explicit RegionRecord(HostHandle handle) : KindRecord(handle, TopLayer) {}
    std::uint8_t RegionByte = 0;
    std::int32_t Value1 = 0;
    std::int32_t Value2 = 0;
    std::int32_t Value3 = 0;
    std::int32_t Value4 = 0;
    std::int32_t Value5 = 0;
    std::int32_t Value6 = 0;
};

inline bool ViaRecord::CoversLayer(corvane::TLayer layer) const {
    if (layer == MultiLayer || IsClassicPlane(layer)) {
        return true;
    }
    const auto low = StartLayer < EndLayer ? StartLayer : EndLayer;
    const auto high = StartLayer < EndLayer ? EndLayer : StartLayer;
    return layer >= TopLayer && layer <= BottomLayer && layer >= low && layer <= high;
}

} // namespace halvex
