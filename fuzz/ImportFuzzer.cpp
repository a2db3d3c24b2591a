// libFuzzer target: each input is written to a file and imported through the plug-in's exports
// into a fresh board of the substitute server, as the host editor imports a file. The whole road
// runs in this process (plug-in, server and host client, linked in), instrumented, so the fuzzer
// sees the coverage of all of it.

#include "FuzzInputFile.h"
#include "LinkedHost.h"
#include "contract/HalvexHost.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using corvanefuzz::InputPath;
using corvanefuzz::Server;

// Every object on the board starts at a keyword line of its own.
std::size_t LineCount(const std::uint8_t* data, std::size_t size) {
    return 1 + static_cast<std::size_t>(std::count(data, data + size, std::uint8_t{'\n'}));
}

// What the import left must be a board the host can walk: every member, and every member of
// those (a component's primitives, a net's pads), is an object the server can describe.
void CheckBoard(std::uint32_t board, std::size_t lineCount) {
    const std::int32_t count = Server().GetMemberCount(board);
    if (count < 0 || static_cast<std::size_t>(count) > lineCount) {
        __builtin_trap();
    }
    for (std::int32_t i = 0; i < count; ++i) {
        const std::uint32_t member = Server().GetMemberAt(board, i);
        HalvexObjectInfo info{};
        if (Server().GetObjectInfo(member, &info) != HALVEX_STATUS_OK) {
            __builtin_trap();
        }
        const std::int32_t children = Server().GetMemberCount(member);
        for (std::int32_t j = 0; j < children; ++j) {
            HalvexObjectInfo child{};
            if (Server().GetObjectInfo(Server().GetMemberAt(member, j), &child) !=
                HALVEX_STATUS_OK) {
                __builtin_trap();
            }
        }
    }
}

// The report of the import in its three forms: each a zero-terminated text.
void ReadReports() {
    for (std::uint8_t format = 0; format <= 2; ++format) {
        const char* text = corvanefuzz::ImportReport(format);
        if (text == nullptr) {
            __builtin_trap();
        }
        (void)std::strlen(text);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    (void)corvanefuzz::Modules(); // the plug-in starts, as when the host loads it
    corvanefuzz::RemoveInputAtExit();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Server().CloseAllBoards();
    corvanefuzz::WriteInput(data, size);
    const std::uint32_t board = Server().OpenBoard(InputPath().c_str());

    const bool recognised = corvanefuzz::CallRecognised(InputPath());
    const bool imported = corvanefuzz::CallImport(InputPath());
    // Nobody presses Escape here, so a recognised file imports to its end and answers true; false
    // would be a failure the exports caught and turned into an answer.
    if (imported != recognised) {
        __builtin_trap();
    }
    CheckBoard(board, LineCount(data, size));
    ReadReports();
    // The server forgets the board now rather than at the next input, so that an input frees what
    // it made and the fuzzer looks for leaks only where something was really kept.
    Server().CloseAllBoards();
    return 0;
}
