#include "textformat/NaturalOrder.h"

namespace corvane::cli {

bool NaturalLess(std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    while (i < a.size() && j < b.size()) {
        if (digit(a[i]) && digit(b[j])) {
            std::size_t ei = i, ej = j;
            while (ei < a.size() && digit(a[ei])) {
                ++ei;
            }
            while (ej < b.size() && digit(b[ej])) {
                ++ej;
            }
            // Compare the runs as numbers: leading zeros aside, the longer is the larger.
            std::size_t si = i, sj = j;
            while (si + 1 < ei && a[si] == '0') {
                ++si;
            }
            while (sj + 1 < ej && b[sj] == '0') {
                ++sj;
            }
            if (ei - si != ej - sj) {
                return ei - si < ej - sj;
            }
            const int order = a.compare(si, ei - si, b, sj, ej - sj);
            if (order != 0) {
                return order < 0;
            }
            i = ei, j = ej;
            continue;
        }
        if (a[i] != b[j]) {
            return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
        }
        ++i, ++j;
    }
    return a.size() - i < b.size() - j || (a.size() - i == b.size() - j && a < b);
}

} // namespace corvane::cli
