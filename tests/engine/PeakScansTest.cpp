// SPDX-License-Identifier: GPL-3.0-or-later
// The three scans over a power spectrum: parabolic refinement of a peak,
// first strongest bin, and the next qualifying local maximum.
#include "engine/FftAndPeakScans.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace ovra {
namespace {

TEST(InterpolatePeakX, ParabolaVertexAndBoundsReturnedUnchanged) {
    const std::vector<double> v = {0, 1, 3, 2, 0};
    EXPECT_DOUBLE_EQ(interpolatePeakX(v.data(), 2, 0, 5), 2.0 + 1.0 / 6.0);
    const std::vector<double> symmetric = {0, 2, 9, 2, 0};
    EXPECT_DOUBLE_EQ(interpolatePeakX(symmetric.data(), 2, 0, 5), 2.0);
    // Values outside the bounds must not be read: make them poison.
    const std::vector<double> poison = {1e300, 5, 3, 4, 1e300};
    EXPECT_EQ(interpolatePeakX(poison.data(), 1, 1, 4), 1.0);
    EXPECT_EQ(interpolatePeakX(poison.data(), 3, 1, 4), 3.0);
}

TEST(GetTopPeakIndex, FirstOfEqualMaximaInTheHalfOpenRangeOrStartWhenEmpty) {
    struct Case {
        std::vector<double> values;
        int32_t start, end, index;
    };
    const Case cases[] = {{{1, 5, 5, 2}, 0, 4, 1},
                          {{9, 1, 3, 2, 8}, 1, 4, 2},
                          {{9, 1, 3, 2, 8}, 1, 5, 4},
                          {{1, 2, 3}, 2, 1, 2},
                          {{1, 2, 3}, 0, 0, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(getTopPeakIndex(c.values.data(), c.start, c.end), c.index)
            << "case " << &c - cases;
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
