// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/LayoutNumbers.hpp"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>

namespace ovra {
namespace {

// Tables of text and the number read from it, a few cases a line.
// clang-format off
TEST(LayoutNumbers, FloatsStopAtTheFirstMisfitAreZeroWithoutANumberAndStayFinite) {
    const std::pair<std::string, float> cases[] = {
        // Never a locale's decimal comma.
        {"12.5px", 12.5f}, {"3.5.6", 3.5f}, {"4 5", 4.0f}, {"1,5", 1.0f}, {"0x10", 0.0f},
        {"", 0.0f}, {"abc", 0.0f}, {"-", 0.0f}, {".", 0.0f}, {"-.e5", 0.0f}, {"e5", 0.0f},
        {"inf", 0.0f}, {"nan", 0.0f}, {"$ovra.x", 0.0f}, {"x12", 0.0f},
        {"1e39", FLT_MAX}, {"1e999", FLT_MAX}, {"-1e999", -FLT_MAX},
        {"0.000001e99999999999999999999", FLT_MAX}, {"1e-999", 0.0f},
        {"123456e-99999999999999999999", 0.0f}, {"0e99999", 0.0f},
        {std::string(400, '9'), FLT_MAX}, {"0." + std::string(400, '0') + "1", 0.0f}};
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(parseLayoutFloat(text), value) << '"' << text << '"';
    }
}

TEST(LayoutNumbers, IntsClampTo32Bits) {
    constexpr int32_t MAX = std::numeric_limits<int32_t>::max();
    constexpr int32_t MIN = std::numeric_limits<int32_t>::min();
    const std::pair<std::string, int32_t> cases[] = {
        {"2147483647", MAX}, {"2147483648", MAX}, {"-2147483648", MIN},
        {"-2147483649", MIN}, {std::string(500, '9'), MAX}, {"-" + std::string(500, '9'), MIN}};
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(parseLayoutInt(text), value) << '"' << text << '"';
    }
}
// clang-format on

} // namespace
} // namespace ovra
