#pragma once
// The process's resident memory, now and at its highest so far, to show that an import of a large
// file holds no more than a record at a time beyond what the server keeps.

#include <cstdint>

namespace malformedtest {

/// Bytes resident now; 0 when the system cannot say.
std::uint64_t CurrentResidentBytes();
/// The most bytes resident at any time so far; 0 when the system cannot say.
std::uint64_t PeakResidentBytes();

/// True when AddressSanitizer runs in this build: its shadow memory and the quarantine of freed
/// blocks make resident sizes say nothing about what the program itself holds.
constexpr bool ResidentSizesMeaningful() {
#if defined(__SANITIZE_ADDRESS__)
    return false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return false;
#else
    return true;
#endif
#else
    return true;
#endif
}

} // namespace malformedtest
