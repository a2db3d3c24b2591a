#include "pcbmodel/PcbNet.h"

#include "serverclient/PcbApi.h"

namespace corvane {

TPcbNet::TPcbNet(HostHandle handle) : TPcbGroupObject(handle) {
    ObjectId = KindCode;
}

std::int32_t TPcbNet::Exchange(std::uint8_t mode) {
    ExchangeBitFields(mode);
    return PcbApi_QueryNet(mode, Handle, &Tag, &Name, &NetOption1, &NetOption2);
}

void TPcbNet::GetName(String255& out) const {
    out = Name;
}

} // namespace corvane
