#pragma once
// The server's host-side functions, as the loaded server module gives them.

#include "contract/HalvexHost.h"

namespace corvane::cli {

/// The server's host-side functions the program uses.
struct HalvexApi {
    decltype(&Halvex_OpenBoard) OpenBoard = nullptr;
    decltype(&Halvex_CloseAllBoards) CloseAllBoards = nullptr;
    decltype(&Halvex_SetProgressSink) SetProgressSink = nullptr;
    decltype(&Halvex_GetBoardInfo) GetBoardInfo = nullptr;
    decltype(&Halvex_GetMemberCount) GetMemberCount = nullptr;
    decltype(&Halvex_GetMemberAt) GetMemberAt = nullptr;
    decltype(&Halvex_GetObjectInfo) GetObjectInfo = nullptr;
    decltype(&Halvex_GetStackLayer) GetStackLayer = nullptr;
    decltype(&Halvex_LayerName) LayerName = nullptr;
};

} // namespace corvane::cli
