// The harmonic-ratio vote: ratio table and matching window, the weights a
// peak pair casts, and the choice of the winning (peak, harmonic) cell.
#include "QuorlTestAccess.hpp"
#include "engine/Quorl.hpp"

#include <gtest/gtest.h>

#include <memory>

namespace ovra {
namespace {

using Peak = QuorlTestAccess::Peak;

class HarmonicVote : public ::testing::Test {
protected:
    void SetUp() override {
        q = std::make_unique<Quorl>(8000.0f);
        QuorlTestAccess::clearSpectrum(*q, 2048);
    }
    std::unique_ptr<Quorl> q;
};

TEST(HarmonicRatioTable, RatiosAreTheQuotientsInStrictlyAscendingOrder) {
    Quorl q(8000.0f); // the class is initialised by its first detector
    EXPECT_DOUBLE_EQ(Quorl::harmonicRatio(0), 7.0 / 6.0);
    EXPECT_DOUBLE_EQ(Quorl::harmonicRatio(10), 2.0);
    EXPECT_DOUBLE_EQ(Quorl::harmonicRatio(28), 12.0);
    for (int i = 0; i < Quorl::HARMONIC_RATIO_COUNT; ++i) {
        EXPECT_EQ(Quorl::harmonicRatio(i), static_cast<double>(Quorl::HARMONIC_NUMERATORS[i]) /
                                               Quorl::HARMONIC_DENOMINATORS[i]);
        if (i > 0) {
            EXPECT_LT(Quorl::harmonicRatio(i - 1), Quorl::harmonicRatio(i)) << i;
        }
    }
}

TEST_F(HarmonicVote, FitFindsTableRatiosWithinOnePointFivePercent) {
    EXPECT_EQ(q->fitToIntegerRatio(2.0), 10);
    EXPECT_EQ(q->fitToIntegerRatio(1.5), 5);
    EXPECT_EQ(q->fitToIntegerRatio(12.1), 28);
    EXPECT_EQ(q->fitToIntegerRatio(1.0113), -1); // main peak and side lobe
    EXPECT_EQ(q->fitToIntegerRatio(1.1), -1);    // below 7/6
    EXPECT_EQ(q->fitToIntegerRatio(13.0), -1);   // above 12
    EXPECT_EQ(q->fitToIntegerRatio(2.1), -1);    // 21/10 is not in the table
}

TEST_F(HarmonicVote, OverlappingWindowsPreferTheSmallerRatio) {
    // 1.183 lies within 1.5 % of both 7/6 and 6/5.
    EXPECT_EQ(q->fitToIntegerRatio(1.183), 0);
    EXPECT_EQ(q->fitToIntegerRatio(1.19), 1);
}

TEST_F(HarmonicVote, ToleranceIsStrict) {
    // Exactly 1.5 % from 5/4 and from 5/1: not matched; just inside: matched.
    EXPECT_EQ(q->fitToIntegerRatio(1.23125), -1);
    EXPECT_EQ(q->fitToIntegerRatio(1.26875), -1);
    EXPECT_EQ(q->fitToIntegerRatio(4.925), -1);
    EXPECT_EQ(q->fitToIntegerRatio(5.075), -1);
    EXPECT_EQ(q->fitToIntegerRatio(1.2313), 2);
    EXPECT_EQ(q->fitToIntegerRatio(1.2687), 2);
    EXPECT_EQ(q->fitToIntegerRatio(5.0749), 21);
}

TEST_F(HarmonicVote, EmptyListHasNoFundamental) {
    QuorlTestAccess::setPeaks(*q, {});
    EXPECT_EQ(q->calculateFundamentalFromHarmonicRatios(), 0.0);
}

TEST_F(HarmonicVote, LonePeakIsItsOwnFundamental) {
    QuorlTestAccess::setPeaks(*q, {{123.4, 900}});
    EXPECT_EQ(q->calculateFundamentalFromHarmonicRatios(), 123.4);
    EXPECT_EQ(q->harmonicWeight(0, 1), 1.0);
}

TEST_F(HarmonicVote, ThreePeakExampleVotesFor110) {
    QuorlTestAccess::setPeaks(*q, {{220, 900}, {110, 400}, {330, 100}});
    EXPECT_DOUBLE_EQ(q->calculateFundamentalFromHarmonicRatios(), 110.0);
    EXPECT_NEAR(q->harmonicWeight(0, 2), 35.22, 1e-9);
    EXPECT_NEAR(q->harmonicWeight(1, 1), 34.64, 1e-9);
    EXPECT_NEAR(q->harmonicWeight(1, 2), 20.93 + 10.20, 1e-9);
    EXPECT_NEAR(q->harmonicWeight(2, 3), 12.22 + 11.64, 1e-9);
    EXPECT_NEAR(q->harmonicWeight(2, 12), 6.37 + 7.32, 1e-9);
    EXPECT_EQ(q->harmonicWeight(0, 1), 0.0);
    int32_t peak = -1;
    int32_t harmonic = -1;
    q->findMaximumWeight(&peak, &harmonic, nullptr);
    EXPECT_EQ(peak, 0);
    EXPECT_EQ(harmonic, 2);
}

TEST_F(HarmonicVote, EqualTotalsGoToTheStrongerPeak) {
    QuorlTestAccess::setPeaks(*q, {{200, 400}, {300, 100}});
    EXPECT_DOUBLE_EQ(q->calculateFundamentalFromHarmonicRatios(), 100.0);
    EXPECT_NEAR(q->harmonicWeight(0, 2), 11.28, 1e-9);
    EXPECT_NEAR(q->harmonicWeight(1, 3), 11.28, 1e-9);
    EXPECT_EQ(q->harmonicWeight(0, 2), q->harmonicWeight(1, 3));
}

TEST_F(HarmonicVote, DeepReadingsOfLargeRatiosSubtractAndHighHarmonicsAreDropped) {
    QuorlTestAccess::setPeaks(*q, {{100, 400}, {1200, 400}});
    EXPECT_DOUBLE_EQ(q->calculateFundamentalFromHarmonicRatios(), 100.0);
    EXPECT_NEAR(q->harmonicWeight(0, 1), 15.4, 1e-9);
    EXPECT_NEAR(q->harmonicWeight(0, 2), 6.82, 1e-9);
    EXPECT_NEAR(q->harmonicWeight(0, 3), -1.76, 1e-9);
    EXPECT_NEAR(q->harmonicWeight(0, 4), -10.34, 1e-9);
    EXPECT_NEAR(q->harmonicWeight(1, 12), 15.4, 1e-9);
    for (int h = 0; h < Quorl::HARMONIC_NUMBER_COUNT; ++h) {
        if (h != 12) {
            EXPECT_EQ(q->harmonicWeight(1, h), 0.0) << h;
        }
    }
}

TEST_F(HarmonicVote, SlotOrderDoesNotChangeWhichPeakIsLower) {
    QuorlTestAccess::setPeaks(*q, {{1200, 400}, {100, 400}});
    EXPECT_DOUBLE_EQ(q->calculateFundamentalFromHarmonicRatios(), 100.0);
    EXPECT_NEAR(q->harmonicWeight(1, 1), 15.4, 1e-9);
    EXPECT_NEAR(q->harmonicWeight(0, 12), 15.4, 1e-9);
}

TEST_F(HarmonicVote, SideLobeRatioCastsNoVote) {
    QuorlTestAccess::setPeaks(*q, {{440.0, 1000}, {440.0 * 1.0113, 50}});
    EXPECT_EQ(q->calculateFundamentalFromHarmonicRatios(), 0.0);
    for (int s = 0; s < 2; ++s) {
        for (int h = 0; h < Quorl::HARMONIC_NUMBER_COUNT; ++h) {
            EXPECT_EQ(q->harmonicWeight(s, h), 0.0);
        }
    }
}

TEST_F(HarmonicVote, WeakerPeakDominatesThePairWeight) {
    QuorlTestAccess::setPeaks(*q, {{100, 10000}, {200, 25}});
    q->calculateFundamentalFromHarmonicRatios();
    // sqrt(25) + 0.1 * sqrt(10000) = 15 for the plain 2/1 reading.
    EXPECT_NEAR(q->harmonicWeight(0, 1), 15.0, 1e-12);
    EXPECT_NEAR(q->harmonicWeight(0, 2), 15.0 * 0.91, 1e-12); // 4/2 reading
    EXPECT_NEAR(q->harmonicWeight(1, 2), 15.0, 1e-12);
}

TEST_F(HarmonicVote, AddWeightScalesByComplexityAndLinksTheLowerPeakToTheDenominator) {
    QuorlTestAccess::setPeaks(*q, {{300, 1}, {150, 1}});
    q->clearHarmonicWeights();
    q->addWeight(1.0, 0, 1, 8, 4);
    EXPECT_NEAR(q->harmonicWeight(1, 4), 0.73, 1e-12); // 150 Hz is the lower peak
    EXPECT_NEAR(q->harmonicWeight(0, 8), 0.73, 1e-12);
    q->addWeight(1.0, 1, 0, 3, 2);
    EXPECT_NEAR(q->harmonicWeight(1, 2), 0.94, 1e-12);
    EXPECT_NEAR(q->harmonicWeight(0, 3), 0.94, 1e-12);
    q->addWeight(2.0, 0, 1, 2, 1);
    EXPECT_NEAR(q->harmonicWeight(1, 1), 2.0, 1e-12);
    EXPECT_NEAR(q->harmonicWeight(0, 2), 2.0, 1e-12);
}

TEST_F(HarmonicVote, HarmonicNumbersAbove14AreIgnored) {
    QuorlTestAccess::setPeaks(*q, {{100, 1}});
    q->clearHarmonicWeights();
    q->addHarmonicLinkForPeak(0, 14, 2.5);
    q->addHarmonicLinkForPeak(0, 15, 9.0);
    q->addHarmonicLinkForPeak(0, 36, 9.0);
    EXPECT_EQ(q->harmonicWeight(0, 14), 2.5);
    double total = 0.0;
    for (int h = 0; h < Quorl::HARMONIC_NUMBER_COUNT; ++h) {
        total += q->harmonicWeight(0, h);
    }
    EXPECT_EQ(total, 2.5);
}

TEST_F(HarmonicVote, MaximumRatioIsAgainstTheDisplacedMaximumNotTheRunnerUp) {
    QuorlTestAccess::setPeaks(*q, {{100, 1}, {200, 1}});
    q->clearHarmonicWeights();
    q->addHarmonicLinkForPeak(0, 1, 2.0);
    q->addHarmonicLinkForPeak(0, 3, 5.0);
    q->addHarmonicLinkForPeak(1, 2, 4.0); // runner-up, scanned after the winner
    int32_t peak = -1;
    int32_t harmonic = -1;
    float ratio = -1.0f;
    q->findMaximumWeight(&peak, &harmonic, &ratio);
    EXPECT_EQ(peak, 0);
    EXPECT_EQ(harmonic, 3);
    EXPECT_EQ(ratio, 2.5f);
}

TEST_F(HarmonicVote, MaximumRatioIsZeroWithASingleImprovement) {
    QuorlTestAccess::setPeaks(*q, {{100, 1}, {200, 1}});
    q->clearHarmonicWeights();
    q->addHarmonicLinkForPeak(0, 4, 3.0);
    q->addHarmonicLinkForPeak(1, 1, 3.0); // equal: does not replace
    int32_t peak = -1;
    int32_t harmonic = -1;
    float ratio = -1.0f;
    q->findMaximumWeight(&peak, &harmonic, &ratio);
    EXPECT_EQ(peak, 0);
    EXPECT_EQ(harmonic, 4);
    EXPECT_EQ(ratio, 0.0f);
}

TEST_F(HarmonicVote, NegativeOrZeroWeightsNeverWin) {
    QuorlTestAccess::setPeaks(*q, {{100, 1}, {200, 1}});
    q->clearHarmonicWeights();
    q->addHarmonicLinkForPeak(1, 5, -3.0);
    int32_t peak = -1;
    int32_t harmonic = -1;
    q->findMaximumWeight(&peak, &harmonic, nullptr);
    EXPECT_EQ(peak, 0);
    EXPECT_EQ(harmonic, 0);
}

TEST_F(HarmonicVote, WeightsBeyondThePeakCountAreNotScanned) {
    QuorlTestAccess::setPeaks(*q, {{100, 1}, {200, 1}, {300, 1}});
    q->clearHarmonicWeights();
    q->addHarmonicLinkForPeak(0, 1, 1.0);
    q->addHarmonicLinkForPeak(2, 1, 9.0);
    QuorlTestAccess::setPeaks(*q, {{100, 1}, {200, 1}});
    int32_t peak = -1;
    int32_t harmonic = -1;
    q->findMaximumWeight(&peak, &harmonic, nullptr);
    EXPECT_EQ(peak, 0);
    EXPECT_EQ(harmonic, 1);
}

} // namespace
} // namespace ovra
