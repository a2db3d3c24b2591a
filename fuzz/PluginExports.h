#pragma once
// The plug-in's exported functions, linked into the fuzz target and called by their C names with
// length-prefixed file names, as the host editor calls them.

#include "contract/CorvaneImporter.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

extern "C" {
std::uint8_t CORVANE_IMPORTER_CALL RecognisedPCBFile(const std::uint8_t* fileName);
std::uint8_t CORVANE_IMPORTER_CALL ImportFileIntoPcb(const std::uint8_t* fileName,
                                                     const std::uint8_t* reserved);
const char* CORVANE_IMPORTER_CALL GetImportReport(std::uint8_t format);
}

namespace corvanefuzz {

/// A length byte and at most 255 characters, in a buffer of 256 bytes.
inline std::array<std::uint8_t, 256> ShortString(const std::string& text) {
    std::array<std::uint8_t, 256> bytes{};
    const std::size_t n = std::min<std::size_t>(text.size(), 255);
    bytes[0] = static_cast<std::uint8_t>(n);
    std::copy_n(text.begin(), n, bytes.begin() + 1);
    return bytes;
}

inline bool CallRecognised(const std::string& fileName) {
    const auto name = ShortString(fileName);
    return RecognisedPCBFile(name.data()) != 0;
}

inline bool CallImport(const std::string& fileName) {
    const auto name = ShortString(fileName);
    const auto reserved = ShortString("");
    return ImportFileIntoPcb(name.data(), reserved.data()) != 0;
}

} // namespace corvanefuzz
