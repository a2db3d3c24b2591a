#include "textformat/TextEncoding.h"

#include <cstdint>

namespace corvane::cli {
namespace {

// The length of the sequence a lead byte opens and the lowest value it may encode (0: no lead).
struct Lead {
    int Length;
    std::uint32_t Lowest;
};

Lead LeadOf(unsigned char byte) {
    if (byte < 0x80) {
        return {1, 0};
    }
    if ((byte & 0xE0) == 0xC0) {
        return {2, 0x80};
    }
    if ((byte & 0xF0) == 0xE0) {
        return {3, 0x800};
    }
    if ((byte & 0xF8) == 0xF0) {
        return {4, 0x10000};
    }
    return {0, 0};
}

} // namespace

bool IsUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto first = static_cast<unsigned char>(text[i]);
        const Lead lead = LeadOf(first);
        if (lead.Length == 0 || i + static_cast<std::size_t>(lead.Length) > text.size()) {
            return false;
        }
        std::uint32_t value = lead.Length == 1 ? first : first & (0x7Fu >> lead.Length);
        for (int k = 1; k < lead.Length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            value = (value << 6) | (next & 0x3Fu);
        }
        if (value < lead.Lowest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
            return false;
        }
        i += static_cast<std::size_t>(lead.Length);
    }
    return true;
}

std::string FileNameAsUtf8(std::string_view name) {
    if (IsUtf8(name)) {
        return std::string(name);
    }
    std::string utf8;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | (byte >> 6));
            utf8 += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return utf8;
}

} // namespace corvane::cli
