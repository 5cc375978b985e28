// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/LayoutNumbers.hpp"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cstdint>
#include <limits>
#include <system_error>
#include <version>

// emscripten's libc++ has no floating-point std::from_chars; fast_float's
// has the same interface and rounds correctly too, so both give the same
// double. It reports overflow as infinity and underflow as zero (or a
// subnormal) rather than out of range, which the lines below turn into
// FLT_MAX and 0.0 just the same. OVRA_LAYOUT_FAST_FLOAT picks it anywhere,
// for the tests of that path.
#if !defined(__cpp_lib_to_chars) || defined(OVRA_LAYOUT_FAST_FLOAT)
#include <fast_float/fast_float.h>
#define OVRA_DECIMAL_FROM_CHARS 1
#endif

namespace ovra {

namespace {

#if defined(OVRA_DECIMAL_FROM_CHARS)
using fast_float::chars_format;
using fast_float::from_chars;
#else
using std::chars_format;
using std::from_chars;
#endif

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

size_t skipSpace(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && isSpace(text[i])) {
        ++i;
    }
    return i;
}

// For a number too large or too small for a double: the decimal exponent of
// its leading non-zero digit, which tells the two apart.
int64_t leadingDecimalExponent(std::string_view intPart, std::string_view fracPart,
                               int64_t exponent) {
    int64_t position = 0;
    const size_t firstInt = intPart.find_first_not_of('0');
    if (firstInt != std::string_view::npos) {
        position = static_cast<int64_t>(intPart.size() - firstInt) - 1;
    } else {
        const size_t firstFrac = fracPart.find_first_not_of('0');
        position = -static_cast<int64_t>(firstFrac == std::string_view::npos ? 0 : firstFrac) - 1;
    }
    return position + exponent;
}

} // namespace

float parseLayoutFloat(std::string_view text) {
    size_t i = skipSpace(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const size_t mantissaStart = i;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
    }
    const std::string_view intPart = text.substr(mantissaStart, i - mantissaStart);
    std::string_view fracPart;
    if (i < text.size() && text[i] == '.') {
        size_t j = i + 1;
        while (j < text.size() && isDigit(text[j])) {
            ++j;
        }
        fracPart = text.substr(i + 1, j - i - 1);
        if (!intPart.empty() || !fracPart.empty()) {
            i = j;
        }
    }
    if (intPart.empty() && fracPart.empty()) {
        return 0.0f;
    }

    int64_t exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        bool negativeExponent = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            negativeExponent = text[j] == '-';
            ++j;
        }
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j])) {
                if (exponent < 1'000'000'000) { // saturate: far beyond any double
                    exponent = exponent * 10 + (text[j] - '0');
                }
                ++j;
            }
            exponent = negativeExponent ? -exponent : exponent;
            i = j;
        }
    }

    const std::string_view number = text.substr(mantissaStart, i - mantissaStart);
    double value = 0.0;
    const auto result =
        from_chars(number.data(), number.data() + number.size(), value, chars_format::general);
    float magnitude = 0.0f;
    if (result.ec == std::errc::result_out_of_range) {
        magnitude = leadingDecimalExponent(intPart, fracPart, exponent) > 0 ? FLT_MAX : 0.0f;
    } else if (result.ec != std::errc()) {
        magnitude = 0.0f;
    } else if (value > static_cast<double>(FLT_MAX)) {
        magnitude = FLT_MAX; // also keeps the conversion below defined
    } else {
        magnitude = static_cast<float>(value);
    }
    return negative ? -magnitude : magnitude;
}

int parseLayoutInt(std::string_view text) {
    size_t i = skipSpace(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    constexpr int64_t LIMIT = static_cast<int64_t>(std::numeric_limits<int32_t>::max()) + 1;
    int64_t magnitude = 0;
    while (i < text.size() && isDigit(text[i])) {
        magnitude = std::min<int64_t>(magnitude * 10 + (text[i] - '0'), LIMIT);
        ++i;
    }
    const int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<int32_t>::max()) {
        return std::numeric_limits<int32_t>::max();
    }
    if (value < std::numeric_limits<int32_t>::min()) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int>(value);
}

} // namespace ovra
