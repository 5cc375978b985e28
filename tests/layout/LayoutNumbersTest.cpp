#include "layout/LayoutNumbers.hpp"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>

namespace ovra {
namespace {

TEST(LayoutFloat, ReadsDecimalNumbers) {
    EXPECT_EQ(parseLayoutFloat("12"), 12.0f);
    EXPECT_EQ(parseLayoutFloat("12.5"), 12.5f);
    EXPECT_EQ(parseLayoutFloat("7.9"), 7.9f);
    EXPECT_EQ(parseLayoutFloat("310.5"), 310.5f);
    EXPECT_EQ(parseLayoutFloat(".5"), 0.5f);
    EXPECT_EQ(parseLayoutFloat("5."), 5.0f);
    EXPECT_EQ(parseLayoutFloat("0.1"), 0.1f);
    EXPECT_EQ(parseLayoutFloat("000012.50"), 12.5f);
}

TEST(LayoutFloat, SignsAndLeadingWhitespace) {
    EXPECT_EQ(parseLayoutFloat("-3.25"), -3.25f);
    EXPECT_EQ(parseLayoutFloat("+4"), 4.0f);
    EXPECT_EQ(parseLayoutFloat(" \t\n\r\f\v-.75"), -0.75f);
    EXPECT_TRUE(std::signbit(parseLayoutFloat("-0")));
}

TEST(LayoutFloat, Exponents) {
    EXPECT_EQ(parseLayoutFloat("1e2"), 100.0f);
    EXPECT_EQ(parseLayoutFloat("1.5E-1"), 0.15f);
    EXPECT_EQ(parseLayoutFloat("2.5e+3"), 2500.0f);
    // An 'e' without digits is not part of the number.
    EXPECT_EQ(parseLayoutFloat("2e"), 2.0f);
    EXPECT_EQ(parseLayoutFloat("2e+"), 2.0f);
    EXPECT_EQ(parseLayoutFloat("2ex"), 2.0f);
}

TEST(LayoutFloat, StopsAtTheFirstCharacterThatDoesNotFit) {
    EXPECT_EQ(parseLayoutFloat("12.5px"), 12.5f);
    EXPECT_EQ(parseLayoutFloat("3.5.6"), 3.5f);
    EXPECT_EQ(parseLayoutFloat("4 5"), 4.0f);
    EXPECT_EQ(parseLayoutFloat("1,5"), 1.0f); // never a locale's decimal comma
    EXPECT_EQ(parseLayoutFloat("0x10"), 0.0f);
}

TEST(LayoutFloat, TextWithoutANumberIsZero) {
    EXPECT_EQ(parseLayoutFloat(""), 0.0f);
    EXPECT_EQ(parseLayoutFloat("abc"), 0.0f);
    EXPECT_EQ(parseLayoutFloat("-"), 0.0f);
    EXPECT_EQ(parseLayoutFloat("."), 0.0f);
    EXPECT_EQ(parseLayoutFloat("-.e5"), 0.0f);
    EXPECT_EQ(parseLayoutFloat("e5"), 0.0f);
    EXPECT_EQ(parseLayoutFloat("inf"), 0.0f);
    EXPECT_EQ(parseLayoutFloat("nan"), 0.0f);
    EXPECT_EQ(parseLayoutFloat("$ovra.x"), 0.0f);
    EXPECT_EQ(parseLayoutFloat("x12"), 0.0f);
}

TEST(LayoutFloat, OutOfRangeStaysFinite) {
    EXPECT_EQ(parseLayoutFloat("1e39"), FLT_MAX);
    EXPECT_EQ(parseLayoutFloat("1e999"), FLT_MAX);
    EXPECT_EQ(parseLayoutFloat("-1e999"), -FLT_MAX);
    EXPECT_EQ(parseLayoutFloat("0.000001e99999999999999999999"), FLT_MAX);
    EXPECT_EQ(parseLayoutFloat("1e-999"), 0.0f);
    EXPECT_EQ(parseLayoutFloat("123456e-99999999999999999999"), 0.0f);
    EXPECT_EQ(parseLayoutFloat("0e99999"), 0.0f);
    EXPECT_EQ(parseLayoutFloat(std::string(400, '9')), FLT_MAX);
    EXPECT_EQ(parseLayoutFloat("0." + std::string(400, '0') + "1"), 0.0f);
}

TEST(LayoutInt, ReadsTheIntegerPart) {
    EXPECT_EQ(parseLayoutInt("7.9"), 7);
    EXPECT_EQ(parseLayoutInt("12.7"), 12);
    EXPECT_EQ(parseLayoutInt("-12.7"), -12);
    EXPECT_EQ(parseLayoutInt("  +5"), 5);
    EXPECT_EQ(parseLayoutInt(" 42abc"), 42);
    EXPECT_EQ(parseLayoutInt("1e3"), 1);
    EXPECT_EQ(parseLayoutInt("007"), 7);
}

TEST(LayoutInt, TextWithoutANumberIsZero) {
    EXPECT_EQ(parseLayoutInt(""), 0);
    EXPECT_EQ(parseLayoutInt("abc"), 0);
    EXPECT_EQ(parseLayoutInt("-"), 0);
    EXPECT_EQ(parseLayoutInt(".9"), 0);
}

TEST(LayoutInt, ClampsTo32Bits) {
    constexpr int32_t MAX = std::numeric_limits<int32_t>::max();
    constexpr int32_t MIN = std::numeric_limits<int32_t>::min();
    EXPECT_EQ(parseLayoutInt("2147483647"), MAX);
    EXPECT_EQ(parseLayoutInt("2147483648"), MAX);
    EXPECT_EQ(parseLayoutInt("-2147483648"), MIN);
    EXPECT_EQ(parseLayoutInt("-2147483649"), MIN);
    EXPECT_EQ(parseLayoutInt(std::string(500, '9')), MAX);
    EXPECT_EQ(parseLayoutInt("-" + std::string(500, '9')), MIN);
}

} // namespace
} // namespace ovra
