#include "textformat/DecimalText.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace corvane::cli::decimal {
namespace {

// Every whole number below 2^53 is a double of its own: its digits are its shortest form.
constexpr double ExactIntegerLimit = 9007199254740992.0;

// A value's significant digits without trailing zeros and the power of ten of the first one:
// value = 0.d1d2... * 10^(Exponent + 1).
struct Digits {
    std::array<char, 24> Text{};
    int Count = 0;
    int Exponent = 0;
};

Digits WholeDigits(std::uint64_t whole) {
    Digits digits;
    std::array<char, 24> reversed{};
    int count = 0;
    for (; whole != 0; whole /= 10) {
        reversed[static_cast<std::size_t>(count++)] = static_cast<char>('0' + whole % 10);
    }
    digits.Exponent = count - 1;
    int first = 0;
    while (first < count && reversed[static_cast<std::size_t>(first)] == '0') {
        ++first; // trailing zeros of the number
    }
    for (int i = count - 1; i >= first; --i) {
        digits.Text[static_cast<std::size_t>(digits.Count++)] =
            reversed[static_cast<std::size_t>(i)];
    }
    return digits;
}

// The fewest significant digits that read back to the value: printf rounds correctly, so the
// first precision whose text reads back is the shortest, and its digits the closest to the value.
Digits ShortestDigits(double magnitude) {
    std::array<char, 40> text{};
    for (int precision = 1; precision <= 17; ++precision) {
        std::snprintf(text.data(), text.size(), "%.*e", precision - 1, magnitude);
        if (std::strtod(text.data(), nullptr) == magnitude) {
            break;
        }
    }
    Digits digits;
    const char* c = text.data();
    for (; *c != 'e'; ++c) {
        if (*c != '.') {
            digits.Text[static_cast<std::size_t>(digits.Count++)] = *c;
        }
    }
    while (digits.Count > 1 && digits.Text[static_cast<std::size_t>(digits.Count - 1)] == '0') {
        --digits.Count;
    }
    digits.Exponent = std::atoi(c + 1);
    return digits;
}

std::size_t ScientificLength(const Digits& d) {
    const int exponent = std::abs(d.Exponent);
    const std::size_t exponentDigits = exponent >= 100 ? 3 : 2;
    return static_cast<std::size_t>(d.Count) + (d.Count > 1 ? 1 : 0) + 2 + exponentDigits;
}

std::size_t FixedLength(const Digits& d) {
    if (d.Exponent < 0) {
        return 2 + static_cast<std::size_t>(-d.Exponent - 1 + d.Count); // "0." zeros digits
    }
    if (d.Count <= d.Exponent + 1) {
        return static_cast<std::size_t>(d.Exponent + 1);
    }
    return static_cast<std::size_t>(d.Count + 1);
}

void AppendScientific(std::string& out, const Digits& d) {
    out += d.Text[0];
    if (d.Count > 1) {
        out += '.';
        out.append(d.Text.data() + 1, static_cast<std::size_t>(d.Count - 1));
    }
    out += d.Exponent < 0 ? "e-" : "e+";
    const int exponent = std::abs(d.Exponent);
    if (exponent >= 100) {
        out += static_cast<char>('0' + exponent / 100);
    }
    out += static_cast<char>('0' + exponent / 10 % 10);
    out += static_cast<char>('0' + exponent % 10);
}

void AppendFixed(std::string& out, const Digits& d) {
    const auto count = static_cast<std::size_t>(d.Count);
    if (d.Exponent < 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-d.Exponent - 1), '0');
        out.append(d.Text.data(), count);
        return;
    }
    const auto whole = static_cast<std::size_t>(d.Exponent + 1);
    if (count <= whole) {
        out.append(d.Text.data(), count);
        out.append(whole - count, '0');
        return;
    }
    out.append(d.Text.data(), whole);
    out += '.';
    out.append(d.Text.data() + whole, count - whole);
}

void AppendWhole(std::string& out, std::uint64_t whole) {
    std::array<char, 24> reversed{};
    std::size_t count = 0;
    do {
        reversed[count++] = static_cast<char>('0' + whole % 10);
        whole /= 10;
    } while (whole != 0);
    while (count > 0) {
        out += reversed[--count];
    }
}

} // namespace

void AppendShortest(std::string& out, double value) {
    if (std::signbit(value)) {
        out += '-';
    }
    const double magnitude = std::fabs(value);
    if (magnitude == 0) {
        out += '0';
        return;
    }
    const Digits digits = magnitude < ExactIntegerLimit && magnitude == std::floor(magnitude)
                              ? WholeDigits(static_cast<std::uint64_t>(magnitude))
                              : ShortestDigits(magnitude);
    if (ScientificLength(digits) < FixedLength(digits)) {
        AppendScientific(out, digits);
    } else if (digits.Count <= digits.Exponent + 1 && magnitude >= ExactIntegerLimit) {
        // A whole number in fixed notation is written with all its digits, exactly.
        std::array<char, 320> text{};
        const int length = std::snprintf(text.data(), text.size(), "%.0f", magnitude);
        out.append(text.data(), static_cast<std::size_t>(length));
    } else {
        AppendFixed(out, digits);
    }
}

void AppendHundredths(std::string& out, double value) {
    const double hundredths = std::round(value * 100.0);
    if (hundredths == 0 || !std::isfinite(hundredths)) {
        out += '0';
        return;
    }
    if (std::fabs(hundredths) >= ExactIntegerLimit) {
        // Too large for whole hundredths: printf's correctly rounded text, trailing zeros cut.
        std::array<char, 400> text{};
        const int length = std::snprintf(text.data(), text.size(), "%.2f", hundredths / 100.0);
        std::size_t end = static_cast<std::size_t>(length);
        while (text[end - 1] == '0') {
            --end;
        }
        if (text[end - 1] == '.') {
            --end;
        }
        out.append(text.data(), end);
        return;
    }
    if (hundredths < 0) {
        out += '-';
    }
    const auto magnitude = static_cast<std::uint64_t>(std::fabs(hundredths));
    AppendWhole(out, magnitude / 100);
    const std::uint64_t fraction = magnitude % 100;
    if (fraction != 0) {
        out += '.';
        out += static_cast<char>('0' + fraction / 10);
        if (fraction % 10 != 0) {
            out += static_cast<char>('0' + fraction % 10);
        }
    }
}

} // namespace corvane::cli::decimal
