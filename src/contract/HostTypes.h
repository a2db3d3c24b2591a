#pragma once
// Basic types of the contract with the host PCB server: every width here is fixed by the host.

#include <cstddef>
#include <cstdint>

#if defined(_WIN32)
#define PCBAPI_CALL __stdcall
#define PCBAPI_EXPORT __declspec(dllexport)
#else
#define PCBAPI_CALL
#define PCBAPI_EXPORT __attribute__((visibility("default")))
#endif

namespace corvane {

/// Opaque 32-bit name of a host object (board, primitive, component, net, iterator); 0 = none.
using HostHandle = std::uint32_t;

/// Classic layer number, 0 (no layer) to 82.
using TLayer = std::uint8_t;

/// The host's 32-bit layer identifier: low 16 bits the number, high 16 bits the class tag.
using TLayerId = std::uint32_t;

/// One-byte Boolean as exchanged with the host (0 or 1).
using Bool8 = std::uint8_t;

/// Mode of a property exchange: read copies host values into the model, write applies them.
inline constexpr std::uint8_t ExchangeWrite = 0;
inline constexpr std::uint8_t ExchangeRead = 1;

/// A block of host data the model carries without looking inside.
template <std::size_t N> struct OpaqueBytes { std::uint8_t Bytes[N]; };

/// One polygon or split-plane segment record as the host lays it out (37 bytes).
using SegmentRecord = OpaqueBytes<37>;

} // namespace corvane
