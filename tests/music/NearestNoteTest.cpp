// Finding the nearest equal-tempered note in the tables and in custom scales.
#include "music/WEXMusicUtil.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>
#include <vector>

namespace ovra {
namespace {

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

TEST(NearestFrequency, OutParametersAreOptional) {
    int32_t octave = -1;
    int32_t note = -1;
    EXPECT_EQ(WEXMusicUtil::getNearestFrequency(196.5, nullptr, nullptr), 196.0);
    EXPECT_EQ(WEXMusicUtil::getNearestFrequency(196.5, &octave, nullptr), 196.0);
    EXPECT_EQ(WEXMusicUtil::getNearestFrequency(196.5, nullptr, &note), 196.0);
    EXPECT_EQ(octave, 3);
    EXPECT_EQ(note, 7);
}

TEST(NearestMatch, CloserElementAndZeroAboveTheLastOrOutsideTheLength) {
    const double a[] = {10.0, 20.0, 40.0};
    struct Case {
        double number;
        const double* array;
        int32_t length, index;
    };
    const Case cases[] = {{14.0, a, 3, 0}, {15.0, a, 3, 1},      {31.0, a, 3, 2}, {40.0, a, 3, 2},
                          {2.0, a, 3, 0},  {41.0, a, 3, 0},      {10.0, a, 3, 0}, {39.0, a, 2, 0},
                          {39.0, a, 0, 0}, {39.0, nullptr, 3, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(WEXMusicUtil::indexOfNearestMatchForNumber(c.number, c.array, c.length), c.index)
            << c.number << " length " << c.length;
    }
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
