#include "pcbmodel/PcbBoard.h"

#include "pcbserver/PcbApi.h"

namespace corvane {

TPcbBoard::TPcbBoard(HostHandle boardHandle) : BoardHandle(boardHandle) {}

TPcbBoard::~TPcbBoard() = default;

std::int32_t TPcbBoard::AddObject(HostHandle objectHandle) {
    if (objectHandle == 0) {
        return 1;
    }
    return PcbApi_AddObjectToContainer(BoardHandle, objectHandle);
}

} // namespace corvane
