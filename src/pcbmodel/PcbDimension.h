#pragma once
// Model of a host dimension: its drawing values, its extended settings and up to 200 references
// to the objects it measures. Values in host units of 1/10000 mil.

#include "pcbmodel/PcbGroupObject.h"

#include <array>
#include <cstdint>

namespace corvane {

/// One reference of a dimension: four host values.
struct TDimensionReference {
    std::int32_t First = 0;
    std::int32_t Second = 0;
    std::int32_t Third = 0;
    std::int32_t Fourth = 0;
};

class TPcbDimension : public TPcbGroupObject {
public:
    static constexpr std::int32_t MaxReferences = 200;

    /// Stores the handle, the dimension kind code and dimension kind 8; never calls the host.
    explicit TPcbDimension(HostHandle handle);

    /// Exchanges the dimension, its reference count and references, and its extended settings;
    /// answers the bitwise AND of the dimension and extended results. Only references that fit
    /// the array are exchanged, and none for a negative count.
    std::int32_t Exchange(std::uint8_t mode) override;

    /// ReferenceCount limited to the references the array holds.
    std::int32_t ReferencesInArray() const;

    std::uint8_t DimensionKind = 8;
    std::int32_t ExtValue1 = 0;
    std::int32_t ExtValue2 = 0;
    std::int32_t DimValue1 = 0;
    std::int32_t DimValue2 = 0;
    std::int32_t DimValue3 = 0;
    std::int32_t DimValue4 = 0;
    std::int32_t DimValue5 = 0;
    std::int32_t DimValue6 = 0;
    std::int32_t DimValue7 = 0;
    std::int32_t ExtValue3 = 0;
    std::uint8_t ExtOption1 = 0;
    std::int32_t ExtValue4 = 0;
    String255 ExtText1;
    std::uint8_t ExtOption2 = 0;
    std::int32_t ExtValue5 = 0;
    String255 ExtText2;
    String255 ExtText3;
    std::uint64_t ExtValue64 = 0;
    std::int32_t ExtValue6 = 0;
    std::int32_t ExtValue7 = 0;
    std::int32_t ExtValue8 = 0;
    std::uint8_t ExtOption3 = 0;
    std::int32_t ExtValue9 = 0;
    std::int32_t ExtValue10 = 0;
    std::int32_t ExtValue11 = 0;
    std::uint8_t DimOption1 = 0;
    std::array<TDimensionReference, MaxReferences> References{};
    std::int32_t ReferenceCount = 0; // as reported by the host; may exceed the array
};

} // namespace corvane
