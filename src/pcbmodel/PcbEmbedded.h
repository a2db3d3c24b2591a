#pragma once
// Model of a host embedded object: a text and a 4096-byte block of host data, carried unread.

#include "pcbmodel/PcbObject.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace corvane {

class TPcbEmbedded : public TPCBObject {
public:
    static constexpr std::size_t DataSize = 4096;

    /// Allocates the data block; never calls the host.
    explicit TPcbEmbedded(HostHandle handle);

    /// The host gets the address of the data block itself.
    std::int32_t Exchange(std::uint8_t mode) override;

    String255 EmbeddedText;
    std::unique_ptr<std::uint8_t[]> EmbeddedData; // DataSize bytes
};

} // namespace corvane
