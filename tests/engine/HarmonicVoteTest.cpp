// SPDX-License-Identifier: GPL-3.0-or-later
// The harmonic-ratio vote: ratio table and matching window, the weights a
// peak pair casts, and the choice of the winning (peak, harmonic) cell.
#include "QuorlTestAccess.hpp"
#include "engine/Quorl.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace ovra {
namespace {

class HarmonicVote : public ::testing::Test {
protected:
    void SetUp() override { QuorlTestAccess::clearSpectrum(*q, 2048); }
    double vote(std::initializer_list<QuorlTestAccess::Peak> peaks) {
        QuorlTestAccess::setPeaks(*q, peaks);
        return q->calculateFundamentalFromHarmonicRatios();
    }
    double w(int32_t slot, int32_t harmonic) const { return q->harmonicWeight(slot, harmonic); }
    std::unique_ptr<Quorl> q = std::make_unique<Quorl>(8000.0f);
};

TEST_F(HarmonicVote, FitFindsTableRatiosWithinAStrictOnePointFivePercentPreferringTheSmaller) {
    // 1.0113 is a main peak and its side lobe, 1.1 is below 7/6, 13 above 12
    // and 21/10 not in the table. 1.183 lies within 1.5 % of both 7/6 and 6/5.
    // Exactly 1.5 % from 5/4 and from 5/1 is not matched; just inside is.
    const std::pair<double, int32_t> cases[] = {
        {2.0, 10},   {1.5, 5},    {12.1, 28},  {1.0113, -1},  {1.1, -1},     {13.0, -1},
        {2.1, -1},   {1.183, 0},  {1.19, 1},   {1.23125, -1}, {1.26875, -1}, {4.925, -1},
        {5.075, -1}, {1.2313, 2}, {1.2687, 2}, {5.0749, 21}};
    for (const auto& [ratio, index] : cases) {
        EXPECT_EQ(q->fitToIntegerRatio(ratio), index) << ratio;
    }
}

TEST_F(HarmonicVote, ThreePeakExampleVotesFor110AndASideLobeRatioCastsNone) {
    EXPECT_DOUBLE_EQ(vote({{220, 900}, {110, 400}, {330, 100}}), 110.0);
    EXPECT_NEAR(w(0, 2), 35.22, 1e-9);
    EXPECT_NEAR(w(1, 1), 34.64, 1e-9);
    EXPECT_NEAR(w(1, 2), 20.93 + 10.20, 1e-9);
    EXPECT_NEAR(w(2, 3), 12.22 + 11.64, 1e-9);
    EXPECT_NEAR(w(2, 12), 6.37 + 7.32, 1e-9);
    EXPECT_EQ(w(0, 1), 0.0);
    int32_t peak = -1;
    int32_t harmonic = -1;
    q->findMaximumWeight(&peak, &harmonic, nullptr);
    EXPECT_EQ(std::pair(peak, harmonic), std::pair(0, 2));
    // A main peak and its side lobe cast no vote.
    EXPECT_EQ(vote({{440.0, 1000}, {440.0 * 1.0113, 50}}), 0.0);
    for (int h = 0; h < Quorl::HARMONIC_NUMBER_COUNT; ++h) {
        EXPECT_EQ(w(0, h), 0.0) << h;
        EXPECT_EQ(w(1, h), 0.0) << h;
    }
}

} // namespace
} // namespace ovra
