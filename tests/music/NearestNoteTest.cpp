// Finding the nearest equal-tempered note in the tables and in custom scales.
#include "music/WEXMusicUtil.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace ovra {
namespace {

struct Nearest {
    double frequency;
    int32_t octave;
    int32_t note;
};

Nearest nearest(double f) {
    Nearest n{0.0, -99, -99};
    n.frequency = WEXMusicUtil::getNearestFrequency(f, &n.octave, &n.note);
    return n;
}

TEST(NearestFrequency, ExactTableEntries) {
    const Nearest a4 = nearest(440.0);
    EXPECT_EQ(a4.frequency, 440.0);
    EXPECT_EQ(a4.octave, 4);
    EXPECT_EQ(a4.note, 9);
    const Nearest b7 = nearest(3951.1);
    EXPECT_EQ(b7.frequency, 3951.1);
    EXPECT_EQ(b7.octave, 7);
    EXPECT_EQ(b7.note, 11);
}

TEST(NearestFrequency, RoundsToTheCloserNeighbour) {
    const Nearest e2 = nearest(82.0);
    EXPECT_EQ(e2.frequency, 82.407);
    EXPECT_EQ(e2.octave, 2);
    EXPECT_EQ(e2.note, 4);
    const Nearest c1 = nearest(32.0);
    EXPECT_EQ(c1.frequency, 32.703);
    EXPECT_EQ(c1.octave, 1);
    EXPECT_EQ(c1.note, 0);
}

TEST(NearestFrequency, LowerNeighbourAcrossAnOctaveBoundary) {
    const Nearest b0 = nearest(31.5);
    EXPECT_EQ(b0.frequency, 30.868);
    EXPECT_EQ(b0.octave, 0);
    EXPECT_EQ(b0.note, 11);
}

TEST(NearestFrequency, HalfwayGoesToTheUpperEntry) {
    // C7 and C#7 are exact in binary, so their midpoint is exactly halfway.
    const double halfway = (2093.0 + 2217.5) / 2.0;
    ASSERT_EQ(halfway - 2093.0, 2217.5 - halfway);
    const Nearest n = nearest(halfway);
    EXPECT_EQ(n.frequency, 2217.5);
    EXPECT_EQ(n.octave, 7);
    EXPECT_EQ(n.note, 1);
}

TEST(NearestFrequency, BelowTheTable) {
    const Nearest low = nearest(5.0);
    EXPECT_EQ(low.frequency, 0.0);
    EXPECT_EQ(low.octave, 0);
    EXPECT_EQ(low.note, 11);
    const Nearest c0 = nearest(12.0);
    EXPECT_EQ(c0.frequency, 16.352);
    EXPECT_EQ(c0.octave, 0);
    EXPECT_EQ(c0.note, 0);
}

TEST(NearestFrequency, AboveTheTableOrUndefinedWritesNothing) {
    for (double f : {4000.0, -1.0, std::numeric_limits<double>::quiet_NaN(),
                     std::numeric_limits<double>::infinity()}) {
        const Nearest n = nearest(f);
        EXPECT_EQ(n.frequency, 0.0) << f;
        EXPECT_EQ(n.octave, -99) << f;
        EXPECT_EQ(n.note, -99) << f;
    }
}

TEST(NearestFrequency, OutParametersAreOptional) {
    int32_t octave = -1;
    EXPECT_EQ(WEXMusicUtil::getNearestFrequency(196.5, nullptr, nullptr), 196.0);
    EXPECT_EQ(WEXMusicUtil::getNearestFrequency(196.5, &octave, nullptr), 196.0);
    EXPECT_EQ(octave, 3);
    int32_t note = -1;
    EXPECT_EQ(WEXMusicUtil::getNearestFrequency(196.5, nullptr, &note), 196.0);
    EXPECT_EQ(note, 7);
}

TEST(NearestFrequency, EveryEntryIsItsOwnNearest) {
    for (int32_t o = 0; o < OCTAVE_COUNT; ++o) {
        for (int32_t n = 0; n < NOTES_PER_OCTAVE; ++n) {
            const Nearest got = nearest(OCTAVE[o][n]);
            EXPECT_EQ(got.octave, o);
            EXPECT_EQ(got.note, n);
        }
    }
}

TEST(NearestMatch, IndexOfTheCloserElement) {
    const std::vector<double> a = {10.0, 20.0, 40.0};
    EXPECT_EQ(WEXMusicUtil::indexOfNearestMatchForNumber(14.0, a.data(), 3), 0);
    EXPECT_EQ(WEXMusicUtil::indexOfNearestMatchForNumber(15.0, a.data(), 3), 1);
    EXPECT_EQ(WEXMusicUtil::indexOfNearestMatchForNumber(31.0, a.data(), 3), 2);
    EXPECT_EQ(WEXMusicUtil::indexOfNearestMatchForNumber(40.0, a.data(), 3), 2);
    EXPECT_EQ(WEXMusicUtil::indexOfNearestMatchForNumber(2.0, a.data(), 3), 0);
}

TEST(NearestMatch, AboveTheLastElementGivesZero) {
    const std::vector<double> a = {10.0, 20.0, 40.0};
    EXPECT_EQ(WEXMusicUtil::indexOfNearestMatchForNumber(41.0, a.data(), 3), 0);
    EXPECT_EQ(WEXMusicUtil::indexOfNearestMatchForNumber(10.0, a.data(), 3), 0);
}

TEST(NearestMatch, LengthLimitsTheSearch) {
    const std::vector<double> a = {10.0, 20.0, 40.0};
    EXPECT_EQ(WEXMusicUtil::indexOfNearestMatchForNumber(39.0, a.data(), 2), 0);
    EXPECT_EQ(WEXMusicUtil::indexOfNearestMatchForNumber(39.0, a.data(), 0), 0);
    EXPECT_EQ(WEXMusicUtil::indexOfNearestMatchForNumber(39.0, nullptr, 3), 0);
}

TEST(NearestMatch, CustomScaleLookupFindsTheNote) {
    std::vector<double> scale(96);
    WEXMusicUtil::fillCustomScale(scale.data(), 96, 432.0);
    EXPECT_EQ(WEXMusicUtil::nearestAbsoluteIndexForFrequency(432.0, scale.data(), 96), 57);
    EXPECT_EQ(WEXMusicUtil::nearestAbsoluteIndexForFrequency(440.0, scale.data(), 96), 57);
    EXPECT_EQ(WEXMusicUtil::nearestAbsoluteIndexForFrequency(81.0, scale.data(), 96), 28);
}

} // namespace
} // namespace ovra
