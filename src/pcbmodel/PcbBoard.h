#pragma once
// Model-side mirror of one host board.

#include "pcbserver/HostTypes.h"

#include <cstdint>

namespace corvane {

class TPcbBoard {
public:
    /// Stores the host board handle; never calls the host.
    explicit TPcbBoard(HostHandle boardHandle);
    virtual ~TPcbBoard();

    TPcbBoard(const TPcbBoard&) = delete;
    TPcbBoard& operator=(const TPcbBoard&) = delete;

    HostHandle GetBoardHandle() const { return BoardHandle; }

    /// Adds a host object to the board. Handle 0 answers 1 without calling the host; otherwise
    /// the result of PcbApi_AddObjectToContainer(board, object).
    std::int32_t AddObject(HostHandle objectHandle);

    HostHandle BoardHandle;
};

} // namespace corvane
