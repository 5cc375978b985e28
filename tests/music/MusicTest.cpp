// SPDX-License-Identifier: GPL-3.0-or-later
// Cents, the note tables and nearest notes, worked by hand.
#include "music/WEXMusicUtil.hpp"
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <tuple>

namespace ovra {
namespace {

constexpr double INF = std::numeric_limits<double>::infinity();

TEST(Cents, OctaveIs1200SignFollowsDirectionAndNonPositiveRatiosFollowTheLogarithm) {
    EXPECT_NEAR(WEXMusicUtil::getCentsDifference(880.0, 440.0), 1200.0, 1e-9);
    EXPECT_NEAR(WEXMusicUtil::getCentsDifference(440.0, 880.0), -1200.0, 1e-9);
    EXPECT_EQ(WEXMusicUtil::getCentsDifference(440.0, 440.0), 0.0);
    EXPECT_NEAR(WEXMusicUtil::getCentsDifference(466.16, 440.0), 100.0, 0.02);
    EXPECT_EQ(WEXMusicUtil::getCentsDifference(0.0, 440.0), -INF);
    EXPECT_TRUE(std::isnan(WEXMusicUtil::getCentsDifference(-440.0, 440.0)));
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

TEST(NearestFrequency, CloserEntryTiesGoUpAndNothingIsWrittenAboveTheTable) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double in, frequency;
        int32_t octave, note;
    };
    // Exact entries, closer neighbours (31.5 across an octave boundary), the
    // exact C7/C#7 midpoint going up, below the table, and above the table or
    // undefined (nothing written).
    const Case cases[] = {
        {440.0, 440.0, 4, 9},  {3951.1, 3951.1, 7, 11}, {82.0, 82.407, 2, 4},
        {32.0, 32.703, 1, 0},  {31.5, 30.868, 0, 11},   {(2093.0 + 2217.5) / 2.0, 2217.5, 7, 1},
        {5.0, 0.0, 0, 11},     {12.0, 16.352, 0, 0},    {4000.0, 0.0, -99, -99},
        {-1.0, 0.0, -99, -99}, {nan, 0.0, -99, -99},    {inf, 0.0, -99, -99}};
    for (const Case& c : cases) {
        int32_t octave = -99, note = -99;
        const double f = WEXMusicUtil::getNearestFrequency(c.in, &octave, &note);
        EXPECT_EQ(std::tuple(f, octave, note), std::tuple(c.frequency, c.octave, c.note)) << c.in;
    }
}

TEST(CustomScale, A4IsTheReferenceAndOctavesDouble) {
    EXPECT_EQ(WEXMusicUtil::frequencyOfCustomScaleNote(57, 432.0), 432.0);
    EXPECT_DOUBLE_EQ(WEXMusicUtil::frequencyOfCustomScaleNote(69, 432.0), 864.0);
    EXPECT_DOUBLE_EQ(WEXMusicUtil::frequencyOfCustomScaleNote(45, 440.0), 220.0);
}

} // namespace
} // namespace ovra
