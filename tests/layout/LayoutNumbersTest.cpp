#include "layout/LayoutNumbers.hpp"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>

namespace ovra {
namespace {

using FloatCases = std::initializer_list<std::pair<std::string, float>>;
using IntCases = std::initializer_list<std::pair<std::string, int32_t>>;

void expectFloats(FloatCases cases) {
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(parseLayoutFloat(text), value) << '"' << text << '"';
    }
}

void expectInts(IntCases cases) {
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(parseLayoutInt(text), value) << '"' << text << '"';
    }
}

// Tables of text and the number read from it, a few cases a line.
// clang-format off
TEST(LayoutFloat, StopsAtTheFirstCharacterThatDoesNotFit) {
    // Never a locale's decimal comma.
    expectFloats({{"12.5px", 12.5f}, {"3.5.6", 3.5f}, {"4 5", 4.0f}, {"1,5", 1.0f},
                  {"0x10", 0.0f}});
}

TEST(LayoutFloat, TextWithoutANumberIsZero) {
    for (const char* text : {"", "abc", "-", ".", "-.e5", "e5", "inf", "nan", "$ovra.x", "x12"}) {
        EXPECT_EQ(parseLayoutFloat(text), 0.0f) << '"' << text << '"';
    }
}

TEST(LayoutFloat, OutOfRangeStaysFinite) {
    expectFloats({{"1e39", FLT_MAX}, {"1e999", FLT_MAX}, {"-1e999", -FLT_MAX},
                  {"0.000001e99999999999999999999", FLT_MAX}, {"1e-999", 0.0f},
                  {"123456e-99999999999999999999", 0.0f}, {"0e99999", 0.0f},
                  {std::string(400, '9'), FLT_MAX}, {"0." + std::string(400, '0') + "1", 0.0f}});
}

TEST(LayoutInt, ClampsTo32Bits) {
    constexpr int32_t MAX = std::numeric_limits<int32_t>::max();
    constexpr int32_t MIN = std::numeric_limits<int32_t>::min();
    expectInts({{"2147483647", MAX}, {"2147483648", MAX}, {"-2147483648", MIN},
                {"-2147483649", MIN}, {std::string(500, '9'), MAX},
                {"-" + std::string(500, '9'), MIN}});
}
// clang-format on

} // namespace
} // namespace ovra
