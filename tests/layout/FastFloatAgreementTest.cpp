// SPDX-License-Identifier: GPL-3.0-or-later
// The browser build reads layout numbers with fast_float, the desktop with
// the standard library's from_chars: both must give the same double for
// every decimal, or the same float once out of range.
#include <fast_float/fast_float.h>
#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace ovra {
namespace {

void expectSameReading(const std::string& text) {
    const char* first = text.data();
    const char* last = first + text.size();
    double standard = 0.0;
    const auto s = std::from_chars(first, last, standard, std::chars_format::general);
    double fast = 0.0;
    const auto f = fast_float::from_chars(first, last, fast, fast_float::chars_format::general);
    ASSERT_EQ(s.ptr, f.ptr) << text;
    if (s.ec == std::errc::result_out_of_range) {
        // fast_float answers infinity or a value below the normal range there,
        // which the layout reader turns into FLT_MAX or 0 as it does out_of_range.
        EXPECT_EQ(f.ec, std::errc()) << text;
        EXPECT_TRUE(std::isinf(fast) || std::fabs(fast) < DBL_MIN) << text << " -> " << fast;
        return;
    }
    ASSERT_EQ(s.ec, f.ec) << text;
    if (s.ec == std::errc()) {
        EXPECT_EQ(std::bit_cast<uint64_t>(standard), std::bit_cast<uint64_t>(fast)) << text;
    }
}

TEST(FastFloatAgreement, HardCasesReadTheSame) {
    // Exact halves, the edges of the normal and subnormal ranges, overflow,
    // and digits far beyond what a double holds.
    // clang-format off
    const std::vector<std::string> cases = {
        "0", "-0", "1", "0.1", "12.5", "3.14159265", "9007199254740993", "9007199254740995",
        "2.2250738585072011e-308", "2.2250738585072014e-308", "4.9406564584124654e-324",
        "2.4703282292062327e-324", "2.4703282292062328e-324", "1.7976931348623157e308",
        "1.7976931348623158e308", "1.7976931348623159e308", "1e309", "1e-400",
        "7.2057594037927933e16", "0.000000000000000000000000000000000000000000001",
        "340282346638528859811704183484516925440", "1.00000005960464477539062499",
        "1.000000059604644775390625", "1.00000005960464477539062501", std::string(400, '9'),
        "0." + std::string(400, '0') + "1", "1" + std::string(30, '0') + "e-30",
        "123456789012345678901234567890e-10"};
    // clang-format on
    for (const std::string& text : cases) {
        expectSameReading(text);
    }
}

// Decimals of the layout files' shape, from short to absurd.
TEST(FastFloatAgreement, RandomDecimalsReadTheSame) {
    std::mt19937 rng(19);
    const auto digits = [&](int count) {
        std::string text;
        for (int i = 0; i < count; ++i) {
            text += static_cast<char>('0' + rng() % 10);
        }
        return text;
    };
    for (int n = 0; n < 20000; ++n) {
        std::string text = (rng() % 4 == 0) ? "-" : "";
        text += digits(1 + static_cast<int>(rng() % 20));
        if (rng() % 2 == 0) {
            text += "." + digits(static_cast<int>(rng() % 20));
        }
        if (rng() % 3 == 0) {
            text += (rng() % 2 == 0) ? "e" : "e-";
            text += std::to_string(rng() % 340);
        }
        expectSameReading(text);
    }
}

} // namespace
} // namespace ovra
