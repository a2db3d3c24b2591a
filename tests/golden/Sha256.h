#pragma once
// SHA-256 of a text, as 64 lower-case hexadecimal digits: the stored fingerprint of a trace too
// long to keep whole.

#include <string>
#include <string_view>

namespace golden {

std::string Sha256Hex(std::string_view bytes);

} // namespace golden
