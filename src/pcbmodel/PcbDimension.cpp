#include "pcbmodel/PcbDimension.h"

#include "serverclient/PcbApi.h"

#include <algorithm>

namespace corvane {

TPcbDimension::TPcbDimension(HostHandle handle) : TPcbGroupObject(handle) {
    ObjectId = KindCodeOf(ObjectKind::Dimension);
}

std::int32_t TPcbDimension::ReferencesInArray() const {
    return std::clamp(ReferenceCount, std::int32_t{0}, MaxReferences);
}

std::int32_t TPcbDimension::Exchange(std::uint8_t mode) {
    ExchangeBitFields(mode);
    const std::int32_t dimension = PcbApi_QueryDimension(
        mode, Handle, &Flags, &Tag, &ObjectFlag, &X, &Y, &DimValue1, &DimValue2, &Layer, &DimValue3,
        &DimValue4, &DimValue5, &DimValue6, &DimValue7, &DimOption1);
    PcbApi_References_Count(mode, Handle, &ReferenceCount);
    const std::int32_t references = ReferencesInArray();
    for (std::int32_t c = 0; c < references; ++c) {
        TDimensionReference& reference = References[static_cast<std::size_t>(c)];
        PcbApi_References_At(mode, Handle, c, &reference.First, &reference.Second, &reference.Third,
                             &reference.Fourth);
    }
    const std::int32_t extended = PcbApi_QueryExtDimension(
        mode, Handle, &DimensionKind, &ExtValue1, &ExtValue2, &ExtValue3, &ExtOption1, &ExtValue4,
        &ExtText1, &ExtOption2, &ExtValue5, &ExtText2, &ExtText3, &ExtValue64, &ExtValue6,
        &ExtValue7, &ExtValue8, &ExtOption3, &ExtValue9, &ExtValue10, &ExtValue11);
    return dimension & extended;
}

} // namespace corvane
