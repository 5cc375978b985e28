// SPDX-License-Identifier: GPL-3.0-or-later
// The detector's entry points on synthetic buffers: worked values of mode,
// raw peak power and fundamental, and refusal of bad arguments. Its inner
// stages on hand-made inputs: the ranked peak list built from a power
// spectrum (qualification of a bin, the ten-slot ranking, the interpolated
// frequencies), and the harmonic-ratio vote (ratio table and matching
// window, the weights a peak pair casts, the winning cell).
#include "QuorlTestAccess.hpp"
#include "TestTones.hpp"
#include "engine/Quorl.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace ovra {
namespace {

using test::pcmTone;

constexpr double BIN_HZ = 8000.0 / 4096.0;

class Detector : public ::testing::Test {
protected:
    std::unique_ptr<Quorl> q = std::make_unique<Quorl>(8000.0f);
};

TEST_F(Detector, OnBinSineGivesItsFrequencyAndPowerAQuarterOfAmplitudeSquared) {
    double power = 0.0;
    EXPECT_NEAR(
        q->detectPitchByHarmonics(pcmTone(225 * BIN_HZ, {1000}).data(), 2048, nullptr, &power),
        439.453125, 0.01);
    EXPECT_NEAR(power, 250000.0, 250.0);
}

TEST_F(Detector, SilenceAndBadArgumentsGiveZeroEverywhere) {
    const std::vector<int16_t> zeros(2048, 0);
    const auto samples = pcmTone(440.0, {1000}, 4096);
    const std::pair<const int16_t*, int32_t> cases[] = {
        {zeros.data(), 2048},   {samples.data(), 0},    {samples.data(), -1}, {samples.data(), 3},
        {samples.data(), 1000}, {samples.data(), 4096}, {nullptr, 2048}};
    for (const auto& [data, length] : cases) {
        double fundamental = -1.0;
        double power = -1.0;
        EXPECT_EQ(q->detectPitchByHarmonics(data, length, &fundamental, &power), 0.0) << length;
        EXPECT_EQ(fundamental, 0.0) << length;
        EXPECT_EQ(power, 0.0) << length;
    }
}

TEST_F(Detector, LoudestPitchTakesTheSpacingToTheNextStrongPeak) {
    double fundamental = 0.0;
    EXPECT_EQ(q->detectLoudestPitch(pcmTone(440.0, {1000}).data(), &fundamental), 0.0)
        << "no buffer length yet";
    q->setBufferLength(2048);
    // On-bin partials at bins 225 and 450: 450 bins / factor minus the mode.
    const double mode =
        q->detectLoudestPitch(pcmTone(225 * BIN_HZ, {6000, 4000}).data(), &fundamental);
    EXPECT_NEAR(mode, 439.45, 0.01);
    EXPECT_NEAR(fundamental, 450.0 / 0.51200002431869507 - mode, 1e-9);
    EXPECT_GT(q->rawPeakPower(), 0.0);
}

TEST_F(Detector, FixedPointModeMatchesAndExponentsAboveNineAreRefused) {
    const auto samples = pcmTone(100 * 8000.0 / 1024, {8000}, 512);
    double fixedPower = 0.0;
    EXPECT_NEAR(q->detectPitchWithFFFTByHarmonics(samples.data(), 9, nullptr, &fixedPower), 781.25,
                0.1);
    double power = 0.0;
    q->detectPitchByHarmonics(samples.data(), 512, nullptr, &power);
    EXPECT_NEAR(fixedPower / power, 0.25, 0.01);
    for (int32_t bad : {10, -1}) {
        double fundamental = -1.0;
        EXPECT_EQ(q->detectPitchWithFFFTByHarmonics(samples.data(), bad, &fundamental, &power),
                  0.0);
        EXPECT_EQ(fundamental, 0.0) << bad;
    }
}

constexpr int32_t HALF = 256; // analysed bins in these hand-made spectra

// A detector whose spectrum of 2 * half points is all zero.
template <int32_t half> class DetectorStage : public ::testing::Test {
protected:
    void SetUp() override { QuorlTestAccess::clearSpectrum(*q, half); }
    std::unique_ptr<Quorl> q = std::make_unique<Quorl>(8000.0f);
};

class PeakList : public DetectorStage<HALF> {
protected:
    void set(int32_t bin, double power) { QuorlTestAccess::power(*q, bin) = power; }
    std::vector<int32_t> bins() const {
        std::vector<int32_t> out;
        for (int s = 0; s < q->peakCount(); ++s) {
            out.push_back(q->peakIndex(s));
        }
        return out;
    }
};

TEST_F(PeakList, StrictMaximaAboveHalfAPercentOfTheTopRankStrongestFirstAndRebuildsForget) {
    struct Case {
        const char* what;
        std::vector<std::pair<int32_t, double>> spectrum;
        std::vector<int32_t> bins;
    };
    const Case cases[] = {
        {"strongest first", {{10, 50}, {20, 400}, {30, 100}}, {20, 30, 10}},
        {"a plateau is never a strict maximum", {{40, 1000}, {41, 1000}, {80, 300}}, {80}},
        // Bin HALF lies beyond the analysed half and is never looked at.
        {"first and last analysed bins are no candidates",
         {{0, 1000}, {HALF - 1, 900}, {HALF, 5000}, {100, 50}},
         {100}},
        {"exactly 0.5 % of the top is not listed", {{50, 1000}, {60, 5.0}, {70, 5.01}}, {50, 70}},
        // clang-format off
        {"twelve maxima keep the ten strongest",
         {{10, 30}, {20, 120}, {30, 70}, {40, 10}, {50, 110}, {60, 60},
          {70, 90}, {80, 20}, {90, 100}, {100, 50}, {110, 80}, {120, 40}},
         {20, 50, 90, 70, 110, 30, 60, 100, 120, 10}},
        // Bin 150 equals the weakest listed; bin 160 beats five of them.
        {"a full list drops an equal candidate and admits a stronger one",
         {{10, 100}, {20, 101}, {30, 102}, {40, 103}, {50, 104}, {60, 105},
          {70, 106}, {80, 107}, {90, 108}, {100, 109}, {150, 100}, {160, 104.5}},
         {100, 90, 80, 70, 60, 160, 50, 40, 30, 20}},
        // clang-format on
        {"equal powers arriving apart keep their order", {{10, 5}, {20, 5}, {30, 4}}, {10, 20, 30}},
        // The displaced earlier peak travels past its equal, which it does
        // not beat, and settles behind it.
        {"equal powers pushed down together swap", {{10, 5}, {20, 5}, {30, 6}}, {30, 20, 10}},
        {"all-zero spectrum", {}, {}}};
    // Each case is rebuilt over the previous case's list.
    for (const Case& c : cases) {
        QuorlTestAccess::clearSpectrum(*q, HALF);
        for (const auto& [bin, power] : c.spectrum) {
            set(bin, power);
        }
        q->detectPeaks();
        EXPECT_EQ(bins(), c.bins) << c.what;
    }
    // Frequencies are interpolated and converted.
    QuorlTestAccess::clearSpectrum(*q, HALF);
    set(99, 1);
    set(100, 3);
    set(101, 2);
    q->detectPeaks();
    ASSERT_EQ(q->peakCount(), 1);
    EXPECT_DOUBLE_EQ(q->peakFrequency(0), (100.0 + 1.0 / 6.0) / q->frequencyConversionFactor());
}

class HarmonicVote : public DetectorStage<2048> {
protected:
    double vote(std::initializer_list<QuorlTestAccess::Peak> peaks) {
        QuorlTestAccess::setPeaks(*q, peaks);
        return q->calculateFundamentalFromHarmonicRatios();
    }
    double w(int32_t slot, int32_t harmonic) const { return q->harmonicWeight(slot, harmonic); }
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
