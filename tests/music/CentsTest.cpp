// Cents between frequencies, frequencies from cents, and the folded
// whole-number difference.
#include "music/WEXMusicUtil.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace ovra {
namespace {

constexpr double INF = std::numeric_limits<double>::infinity();

TEST(Cents, FactorIs1200OverLnTwoAndASecondInitialisationChangesNothing) {
    for (int call = 1; call <= 2; ++call) {
        WEXMusicUtil::initialize();
        EXPECT_DOUBLE_EQ(WEXMusicUtil::centsFactor(), 1731.2340490667561) << "call " << call;
    }
}

TEST(Cents, OctaveIs1200SignFollowsDirectionAndNonPositiveRatiosFollowTheLogarithm) {
    EXPECT_NEAR(WEXMusicUtil::getCentsDifference(880.0, 440.0), 1200.0, 1e-9);
    EXPECT_NEAR(WEXMusicUtil::getCentsDifference(440.0, 880.0), -1200.0, 1e-9);
    EXPECT_EQ(WEXMusicUtil::getCentsDifference(440.0, 440.0), 0.0);
    EXPECT_NEAR(WEXMusicUtil::getCentsDifference(466.16, 440.0), 100.0, 0.02);
    EXPECT_EQ(WEXMusicUtil::getCentsDifference(0.0, 440.0), -INF);
    EXPECT_TRUE(std::isnan(WEXMusicUtil::getCentsDifference(-440.0, 440.0)));
}

TEST(Cents, FrequencyFromCentsIsTheInverse) {
    EXPECT_NEAR(WEXMusicUtil::getFrequencyFromBaseFrequency(440.0, 1200.0), 880.0, 1e-9);
    EXPECT_NEAR(WEXMusicUtil::getFrequencyFromBaseFrequency(440.0, -100.0), 415.305, 0.001);
    EXPECT_EQ(WEXMusicUtil::getFrequencyFromBaseFrequency(440.0, 0.0), 440.0);
    for (double cents : {-700.0, -33.3, 0.5, 49.0, 2400.0}) {
        const double f = WEXMusicUtil::getFrequencyFromBaseFrequency(196.0, cents);
        EXPECT_NEAR(WEXMusicUtil::getCentsDifference(f, 196.0), cents, 1e-9);
    }
}

TEST(Cents, FromStandardMeasuresAgainstTheNearestTableNote) {
    EXPECT_EQ(WEXMusicUtil::getCentsFromStandard(440.0), 0.0);
    EXPECT_NEAR(WEXMusicUtil::getCentsFromStandard(445.0), 1200.0 * std::log2(445.0 / 440.0), 1e-9);
    EXPECT_NEAR(WEXMusicUtil::getCentsFromStandard(81.0), 1200.0 * std::log2(81.0 / 82.407), 1e-9);
    EXPECT_EQ(WEXMusicUtil::getCentsFromStandard(4000.0), INF);
}

TEST(Cents, DeltaCentsTruncatesThenSubtractsFiftyOnceAndIsSafeForHugeOrUndefined) {
    const double cases[][3] = {{10.0, -40.5, 50.0}, {0.0, 75.9, 25.0},  {75.9, 0.0, 25.0},
                               {50.9, 0.0, 50.0},   {120.0, 0.0, 70.0}, {-12.7, 0.0, 12.0}};
    for (const auto& c : cases) {
        EXPECT_EQ(WEXMusicUtil::getDeltaCents(c[0], c[1]), c[2]) << c[0] << " vs " << c[1];
    }
    EXPECT_EQ(WEXMusicUtil::getDeltaCents(1e300, 0.0), 2147483647.0 - 50.0);
    EXPECT_EQ(WEXMusicUtil::getDeltaCents(-1e300, 0.0), 2147483648.0 - 50.0);
    EXPECT_TRUE(std::isnan(WEXMusicUtil::getDeltaCents(std::nan(""), 0.0)));
}

} // namespace
} // namespace ovra
