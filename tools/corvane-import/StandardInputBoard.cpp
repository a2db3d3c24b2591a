#include "corvane-import/StandardInputBoard.h"

#include "cliplatform/PlatformFiles.h"

#include <cstdio>

namespace corvane::cli {
namespace {

// Standard input in binary, so that its bytes are copied as they are.
std::FILE* BinaryStandardInput() {
    UseBinaryStandardStreams();
    return stdin;
}

} // namespace

StandardInputBoard::StandardInputBoard()
    : copy_(BinaryStandardInput(), "stdin.PCB",
            {"a temporary file for standard input", "standard input", "keep standard input in"},
            [](const std::string& piece, bool) { return piece; }) {}

} // namespace corvane::cli
