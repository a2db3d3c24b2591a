#include "pcbmodel/PcbEmbedded.h"

#include "serverclient/PcbApi.h"

namespace corvane {

TPcbEmbedded::TPcbEmbedded(HostHandle handle)
    : TPCBObject(handle), EmbeddedData(std::make_unique<std::uint8_t[]>(DataSize)) {
    ObjectId = KindCodeOf(ObjectKind::Embedded);
}

std::int32_t TPcbEmbedded::Exchange(std::uint8_t mode) {
    ExchangeBitFields(mode);
    return PcbApi_QueryEmbedded(mode, Handle, &EmbeddedText, EmbeddedData.get());
}

} // namespace corvane
