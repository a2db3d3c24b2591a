#include "pcbmodel/PcbEmbeddedBoard.h"

#include "serverclient/LayerNumbering.h"
#include "serverclient/PcbApi.h"

namespace corvane {

TPcbEmbeddedBoard::TPcbEmbeddedBoard(HostHandle handle) : TPCBObject(handle) {
    ObjectId = KindCodeOf(ObjectKind::EmbeddedBoard);
    SetClassicLayer(layer::TopLayer);
}

std::int32_t TPcbEmbeddedBoard::Exchange(std::uint8_t mode) {
    ExchangeBitFields(mode);
    return PcbApi_QueryEmbeddedBoard(mode, Handle, &Flags, &Tag, &ObjectFlag, &X, &Y,
                                     &EmbeddedBoardText, &EmbeddedValue1, &EmbeddedValue2,
                                     &EmbeddedValue3, &EmbeddedValue4, &EmbeddedValue64, &Mirror,
                                     &EmbeddedOption);
}

bool TPcbEmbeddedBoard::GetMirror() const {
    return Mirror != 0;
}

void TPcbEmbeddedBoard::SetMirror(bool value) {
    Mirror = value ? 1 : 0;
}

} // namespace corvane
