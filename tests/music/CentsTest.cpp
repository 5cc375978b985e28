// Cents between frequencies, frequencies from cents, and the folded
// whole-number difference.
#include "music/WEXMusicUtil.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace ovra {
namespace {

class Cents : public ::testing::Test {
protected:
    static void SetUpTestSuite() { WEXMusicUtil::initialize(); }
};

TEST_F(Cents, FactorIs1200OverLnTwo) {
    EXPECT_DOUBLE_EQ(WEXMusicUtil::centsFactor(), 1731.2340490667561);
    WEXMusicUtil::initialize(); // a second call changes nothing
    EXPECT_DOUBLE_EQ(WEXMusicUtil::centsFactor(), 1731.2340490667561);
}

TEST_F(Cents, OctaveIs1200AndSignFollowsDirection) {
    EXPECT_NEAR(WEXMusicUtil::getCentsDifference(880.0, 440.0), 1200.0, 1e-9);
    EXPECT_NEAR(WEXMusicUtil::getCentsDifference(440.0, 880.0), -1200.0, 1e-9);
    EXPECT_EQ(WEXMusicUtil::getCentsDifference(440.0, 440.0), 0.0);
    EXPECT_NEAR(WEXMusicUtil::getCentsDifference(466.16, 440.0), 100.0, 0.02);
}

TEST_F(Cents, NonPositiveRatiosFollowTheLogarithm) {
    EXPECT_EQ(WEXMusicUtil::getCentsDifference(0.0, 440.0),
              -std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(WEXMusicUtil::getCentsDifference(-440.0, 440.0)));
}

TEST_F(Cents, FrequencyFromCents) {
    EXPECT_NEAR(WEXMusicUtil::getFrequencyFromBaseFrequency(440.0, 1200.0), 880.0, 1e-9);
    EXPECT_NEAR(WEXMusicUtil::getFrequencyFromBaseFrequency(440.0, -100.0), 415.305, 0.001);
    EXPECT_EQ(WEXMusicUtil::getFrequencyFromBaseFrequency(440.0, 0.0), 440.0);
}

TEST_F(Cents, CentsAndFrequencyAreInverse) {
    for (double cents : {-700.0, -33.3, 0.5, 49.0, 2400.0}) {
        const double f = WEXMusicUtil::getFrequencyFromBaseFrequency(196.0, cents);
        EXPECT_NEAR(WEXMusicUtil::getCentsDifference(f, 196.0), cents, 1e-9);
    }
}

TEST_F(Cents, FromStandardMeasuresAgainstTheNearestTableNote) {
    EXPECT_EQ(WEXMusicUtil::getCentsFromStandard(440.0), 0.0);
    EXPECT_NEAR(WEXMusicUtil::getCentsFromStandard(445.0), 1200.0 * std::log2(445.0 / 440.0), 1e-9);
    EXPECT_NEAR(WEXMusicUtil::getCentsFromStandard(81.0), 1200.0 * std::log2(81.0 / 82.407), 1e-9);
    EXPECT_EQ(WEXMusicUtil::getCentsFromStandard(4000.0), std::numeric_limits<double>::infinity());
}

TEST_F(Cents, DeltaCentsTruncatesThenSubtractsFiftyOnce) {
    EXPECT_EQ(WEXMusicUtil::getDeltaCents(10.0, -40.5), 50.0);
    EXPECT_EQ(WEXMusicUtil::getDeltaCents(0.0, 75.9), 25.0);
    EXPECT_EQ(WEXMusicUtil::getDeltaCents(75.9, 0.0), 25.0);
    EXPECT_EQ(WEXMusicUtil::getDeltaCents(50.9, 0.0), 50.0);
    EXPECT_EQ(WEXMusicUtil::getDeltaCents(120.0, 0.0), 70.0);
    EXPECT_EQ(WEXMusicUtil::getDeltaCents(-12.7, 0.0), 12.0);
}

TEST_F(Cents, DeltaCentsOfHugeOrUndefinedDifferencesIsSafe) {
    EXPECT_EQ(WEXMusicUtil::getDeltaCents(1e300, 0.0), 2147483647.0 - 50.0);
    EXPECT_EQ(WEXMusicUtil::getDeltaCents(-1e300, 0.0), 2147483648.0 - 50.0);
    EXPECT_TRUE(std::isnan(WEXMusicUtil::getDeltaCents(std::nan(""), 0.0)));
}

} // namespace
} // namespace ovra
