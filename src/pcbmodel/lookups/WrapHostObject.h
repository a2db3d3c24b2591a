#pragma once
// Building the model object of the right class for a host handle.

#include "pcbmodel/PcbObject.h"

#include <cstdint>
#include <memory>

namespace corvane {

/// The host's kind codes count only in their low seven bits.
inline constexpr std::uint32_t KindCodeMask = 0x7F;

/// A new, unread model object of the class of a kind code (1..22 and 26), or nullptr for a code
/// without a class. Never calls the host.
std::unique_ptr<TPCBObject> NewModelObject(std::uint8_t kind, HostHandle handle);

/// Classifies a handle by the kind the host reports (only its low seven bits count), builds the
/// model object of that class and reads it from the host; nullptr when the kind has no class.
std::unique_ptr<TPCBObject> WrapHostObject(HostHandle handle);

} // namespace corvane
