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

TEST_F(HarmonicVote, ThreePeakExampleVotesFor110) {
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
}

TEST_F(HarmonicVote, EqualTotalsGoToTheStrongerPeak) {
    EXPECT_DOUBLE_EQ(vote({{200, 400}, {300, 100}}), 100.0);
    EXPECT_NEAR(w(0, 2), 11.28, 1e-9);
    EXPECT_NEAR(w(1, 3), 11.28, 1e-9);
    EXPECT_EQ(w(0, 2), w(1, 3));
}

TEST_F(HarmonicVote, SideLobeRatioCastsNoVote) {
    EXPECT_EQ(vote({{440.0, 1000}, {440.0 * 1.0113, 50}}), 0.0);
    for (int h = 0; h < Quorl::HARMONIC_NUMBER_COUNT; ++h) {
        EXPECT_EQ(w(0, h), 0.0) << h;
        EXPECT_EQ(w(1, h), 0.0) << h;
    }
}

TEST_F(HarmonicVote, FindMaximumWeightPicksTheFirstStrictlyLargestPositiveCellOfListedPeaks) {
    struct Link {
        int32_t peak, harmonic;
        double weight;
    };
    struct Case {
        std::vector<Link> links;
        int32_t peak, harmonic;
        std::optional<float> ratio; // not asked for when absent
        const char* what;
    };
    const Case cases[] = {
        {{{0, 1, 2.0}, {0, 3, 5.0}, {1, 2, 4.0}}, 0, 3, 2.5f, "ratio to displaced, not runner-up"},
        {{{0, 4, 3.0}, {1, 1, 3.0}}, 0, 4, 0.0f, "an equal weight does not replace"},
        {{{1, 5, -3.0}}, 0, 0, std::nullopt, "negative weights never win"},
        {{{0, 1, 1.0}, {2, 1, 9.0}}, 0, 1, std::nullopt, "peaks beyond the count not scanned"}};
    for (const Case& c : cases) {
        QuorlTestAccess::setPeaks(*q, {{100, 1}, {200, 1}, {300, 1}});
        q->clearHarmonicWeights();
        for (const Link& l : c.links) {
            q->addHarmonicLinkForPeak(l.peak, l.harmonic, l.weight);
        }
        QuorlTestAccess::setPeaks(*q, {{100, 1}, {200, 1}});
        int32_t peak = -1;
        int32_t harmonic = -1;
        float ratio = -1.0f;
        q->findMaximumWeight(&peak, &harmonic, c.ratio ? &ratio : nullptr);
        EXPECT_EQ(std::pair(peak, harmonic), std::pair(c.peak, c.harmonic)) << c.what;
        if (c.ratio) {
            EXPECT_EQ(ratio, *c.ratio) << c.what;
        }
    }
}

} // namespace
} // namespace ovra
