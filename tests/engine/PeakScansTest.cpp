// The three scans over a power spectrum: parabolic refinement of a peak,
// first strongest bin, and the next qualifying local maximum.
#include "engine/FftAndPeakScans.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace ovra {
namespace {

TEST(InterpolatePeakX, ParabolaVertexBetweenNeighbours) {
    std::vector<double> v(10, 0.0);
    v[4] = 1.0;
    v[5] = 3.0;
    v[6] = 2.0;
    EXPECT_DOUBLE_EQ(interpolatePeakX(v.data(), 5, 0, 10), 5.0 + 1.0 / 6.0);
}

TEST(InterpolatePeakX, SymmetricNeighboursGiveTheIndexItself) {
    const std::vector<double> v = {0, 2, 9, 2, 0};
    EXPECT_DOUBLE_EQ(interpolatePeakX(v.data(), 2, 0, 5), 2.0);
}

TEST(InterpolatePeakX, LeansTowardTheStrongerNeighbourByAtMostHalfABin) {
    const std::vector<double> left = {0, 8, 8.0001, 1, 0};
    const std::vector<double> right = {0, 1, 8.0001, 8, 0};
    const double l = interpolatePeakX(left.data(), 2, 0, 5);
    const double r = interpolatePeakX(right.data(), 2, 0, 5);
    EXPECT_LT(l, 2.0);
    EXPECT_GE(l, 1.5);
    EXPECT_GT(r, 2.0);
    EXPECT_LE(r, 2.5);
}

TEST(InterpolatePeakX, BoundsAreReturnedUnchanged) {
    // Values outside the bounds must not be read: make them poison.
    const std::vector<double> v = {1e300, 5, 3, 4, 1e300};
    EXPECT_EQ(interpolatePeakX(v.data(), 1, 1, 4), 1.0);
    EXPECT_EQ(interpolatePeakX(v.data(), 3, 1, 4), 3.0);
    const std::vector<double> w = {7, 1, 2};
    EXPECT_EQ(interpolatePeakX(w.data(), 0, 0, 3), 0.0);
    EXPECT_EQ(interpolatePeakX(w.data(), 2, 0, 3), 2.0);
}

TEST(GetTopPeakIndex, FirstOfEqualMaximaInTheHalfOpenRangeOrStartWhenEmpty) {
    struct Case {
        std::vector<double> values;
        int32_t start, end, index;
    };
    const Case cases[] = {{{1, 5, 5, 2}, 0, 4, 1},    {{9, 1, 3, 2, 8}, 1, 4, 2},
                          {{9, 1, 3, 2, 8}, 1, 5, 4}, {{1, 2, 3}, 1, 2, 1},
                          {{1, 2, 3}, 2, 1, 2},       {{1, 2, 3}, 0, 0, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(getTopPeakIndex(c.values.data(), c.start, c.end), c.index)
            << "range " << c.start << ".." << c.end << " of case " << &c - cases;
    }
}

TEST(FindNextPeakIndex, StrictMaximumAboveAStrictThresholdNeverTheStartOrTheLastBin) {
    struct Case {
        std::vector<double> values;
        int32_t start, length;
        double threshold;
        int32_t index;
    };
    // Skips its start bin; from 0 finds bin 1; never the last bin; a plateau
    // is no maximum; the threshold is strict; a start beyond finds nothing.
    const Case cases[] = {{{0, 9, 0, 0, 5, 0}, 1, 6, 1.0, 4}, {{0, 9, 0, 0, 5, 0}, 0, 6, 1.0, 1},
                          {{0, 0, 0, 1, 9}, 0, 5, 0.5, -1},   {{0, 5, 5, 0, 0}, 0, 5, 1.0, -1},
                          {{0, 3, 0, 4, 0}, 0, 5, 3.0, 3},    {{0, 3, 0, 4, 0}, 0, 5, 4.0, -1},
                          {{0, 3, 0, 4, 0}, 10, 5, 0.0, -1}};
    for (const Case& c : cases) {
        EXPECT_EQ(findNextPeakIndex(c.values.data(), c.start, c.length, c.threshold), c.index)
            << "case " << &c - cases;
    }
}

} // namespace
} // namespace ovra
