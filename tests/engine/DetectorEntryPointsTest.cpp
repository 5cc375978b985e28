// The detector's three entry points on synthetic buffers: mode frequency,
// raw peak power, fundamental, and what each leaves in the object.
#include "SignalMaker.hpp"
#include "common/LogCapture.hpp"
#include "engine/Quorl.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace ovra {
namespace {

using test::BUFFER_LENGTH;
using test::harmonicTone;
using test::sine;

constexpr double BIN_HZ = 8000.0 / 4096.0;

std::unique_ptr<Quorl> makeDetector() {
    return std::make_unique<Quorl>(8000.0f);
}

TEST(DetectorSetup, FreshDetectorHasNoBufferLengthAndEmptyResults) {
    const auto q = makeDetector();
    EXPECT_EQ(q->sampleRate(), 8000.0f);
    EXPECT_EQ(q->bufferLength(), 0);
    EXPECT_EQ(q->spectrumLength(), 0);
    EXPECT_EQ(q->peakCount(), 0);
    EXPECT_EQ(q->rawPeakPower(), 0.0);
}

TEST(DetectorSetup, ConversionFactorIsComputedInSinglePrecision) {
    const auto q = makeDetector();
    q->setBufferLength(2048);
    EXPECT_EQ(q->bufferLength(), 2048);
    EXPECT_EQ(q->spectrumLength(), 4096);
    EXPECT_EQ(q->frequencyConversionFactor(), 0.51200002431869507);
}

TEST(DetectorSetup, InvalidBufferLengthsAreRefusedAndLogged) {
    const auto q = makeDetector();
    q->setBufferLength(1024);
    LogCapture log;
    for (int32_t bad : {0, -4, 3, 1000, 4096}) {
        q->setBufferLength(bad);
        EXPECT_EQ(q->bufferLength(), 1024) << bad;
    }
    EXPECT_EQ(log.lines().size(), 5u);
}

TEST(DetectPitchByHarmonics, SilenceGivesZeroEverywhere) {
    const auto q = makeDetector();
    const std::vector<int16_t> zeros(BUFFER_LENGTH, 0);
    double fundamental = -1.0;
    double power = -1.0;
    EXPECT_EQ(q->detectPitchByHarmonics(zeros.data(), BUFFER_LENGTH, &fundamental, &power), 0.0);
    EXPECT_EQ(fundamental, 0.0);
    EXPECT_EQ(power, 0.0);
    EXPECT_EQ(q->peakCount(), 0);
}

TEST(DetectPitchByHarmonics, OnBinSineGivesItsFrequencyAndQuarterSquaredAmplitude) {
    const auto q = makeDetector();
    const auto samples = sine(225 * BIN_HZ, 1000.0);
    double power = 0.0;
    const double mode = q->detectPitchByHarmonics(samples.data(), BUFFER_LENGTH, nullptr, &power);
    EXPECT_NEAR(mode, 439.453125, 0.01);
    EXPECT_NEAR(power, 250000.0, 250.0);
    EXPECT_EQ(q->powerValue(225), power);
}

TEST(DetectPitchByHarmonics, RawPeakPowerScalesWithAmplitudeSquared) {
    const auto q = makeDetector();
    double loud = 0.0;
    double quiet = 0.0;
    q->detectPitchByHarmonics(sine(300 * BIN_HZ, 8000.0).data(), BUFFER_LENGTH, nullptr, &loud);
    q->detectPitchByHarmonics(sine(300 * BIN_HZ, 2000.0).data(), BUFFER_LENGTH, nullptr, &quiet);
    EXPECT_NEAR(loud / quiet, 16.0, 0.01);
    EXPECT_NEAR(loud, 8000.0 * 8000.0 / 4.0, 8000.0 * 8000.0 / 4.0 * 1e-3);
}

TEST(DetectPitchByHarmonics, PureSineHasOnlySideLobesAndNoFundamental) {
    const auto q = makeDetector();
    const auto samples = sine(440.0, 1000.0);
    double fundamental = -1.0;
    const double mode =
        q->detectPitchByHarmonics(samples.data(), BUFFER_LENGTH, &fundamental, nullptr);
    EXPECT_NEAR(mode, 439.87, 0.01);
    EXPECT_EQ(fundamental, 0.0);
    const double expected[] = {439.87, 444.98, 433.81, 449.08, 429.80, 453.03, 425.86};
    ASSERT_EQ(q->peakCount(), 7);
    for (int s = 0; s < 7; ++s) {
        EXPECT_NEAR(q->peakFrequency(s), expected[s], 0.01) << "slot " << s;
    }
}

TEST(DetectPitchByHarmonics, StrongSecondHarmonicStillYieldsTheFundamental) {
    const auto q = makeDetector();
    const auto samples = harmonicTone(82.41, {500, 1000, 600, 400, 300});
    double fundamental = 0.0;
    const double mode =
        q->detectPitchByHarmonics(samples.data(), BUFFER_LENGTH, &fundamental, nullptr);
    EXPECT_NEAR(mode, 164.7, 0.1);
    EXPECT_LT(mode, 2 * 82.41); // the interpolation reads slightly low
    EXPECT_GT(fundamental, 82.2);
    EXPECT_LT(fundamental, 82.4);
}

TEST(DetectPitchByHarmonics, ConstantOffsetGivesModeExactlyZero) {
    const auto q = makeDetector();
    const std::vector<int16_t> offset(BUFFER_LENGTH, 1200);
    double power = 0.0;
    EXPECT_EQ(q->detectPitchByHarmonics(offset.data(), BUFFER_LENGTH, nullptr, &power), 0.0);
    EXPECT_GT(power, 0.0);
}

TEST(DetectPitchByHarmonics, WithoutFundamentalVariableThePeakListIsLeftAlone) {
    const auto q = makeDetector();
    double fundamental = 0.0;
    q->detectPitchByHarmonics(harmonicTone(110.0, {1000, 500, 300}).data(), BUFFER_LENGTH,
                              &fundamental, nullptr);
    const int32_t count = q->peakCount();
    ASSERT_GT(count, 1);
    std::vector<int32_t> bins;
    std::vector<double> weights;
    for (int s = 0; s < count; ++s) {
        bins.push_back(q->peakIndex(s));
        for (int h = 0; h < Quorl::HARMONIC_NUMBER_COUNT; ++h) {
            weights.push_back(q->harmonicWeight(s, h));
        }
    }
    double power = 0.0;
    const double mode =
        q->detectPitchByHarmonics(sine(700.0, 3000.0).data(), BUFFER_LENGTH, nullptr, &power);
    EXPECT_NEAR(mode, 700.0, 1.0);
    EXPECT_GT(power, 0.0);
    ASSERT_EQ(q->peakCount(), count);
    size_t w = 0;
    for (int s = 0; s < count; ++s) {
        EXPECT_EQ(q->peakIndex(s), bins[s]);
        for (int h = 0; h < Quorl::HARMONIC_NUMBER_COUNT; ++h) {
            EXPECT_EQ(q->harmonicWeight(s, h), weights[w++]);
        }
    }
}

TEST(DetectPitchByHarmonics, ModeOnlyWhenBothVariablesAreNull) {
    const auto q = makeDetector();
    EXPECT_NEAR(
        q->detectPitchByHarmonics(sine(250.0, 5000.0).data(), BUFFER_LENGTH, nullptr, nullptr),
        250.0, 0.5);
    EXPECT_EQ(q->rawPeakPower(), 0.0); // only the loudest-pitch entry point stores it
}

TEST(DetectPitchByHarmonics, ShorterPowerOfTwoBuffersAreAnalysedAtTheirLength) {
    const auto q = makeDetector();
    const auto samples = sine(100 * 8000.0 / 1024.0, 4000.0, 512);
    double power = 0.0;
    const double mode = q->detectPitchByHarmonics(samples.data(), 512, nullptr, &power);
    EXPECT_EQ(q->spectrumLength(), 1024);
    EXPECT_NEAR(mode, 781.25, 0.05);
    EXPECT_NEAR(power, 4000.0 * 4000.0 / 4.0, 4000.0 * 4000.0 / 4.0 * 2e-3);
}

TEST(DetectPitchByHarmonics, BadArgumentsAreRefusedWithZeroResults) {
    const auto q = makeDetector();
    const auto samples = sine(440.0, 1000.0, 4096);
    LogCapture log;
    for (int32_t bad : {0, -1, 3, 1000, 4096}) {
        double fundamental = -1.0;
        double power = -1.0;
        EXPECT_EQ(q->detectPitchByHarmonics(samples.data(), bad, &fundamental, &power), 0.0);
        EXPECT_EQ(fundamental, 0.0);
        EXPECT_EQ(power, 0.0);
    }
    double fundamental = -1.0;
    EXPECT_EQ(q->detectPitchByHarmonics(nullptr, 2048, &fundamental, nullptr), 0.0);
    EXPECT_EQ(fundamental, 0.0);
    EXPECT_EQ(log.lines().size(), 6u);
}

TEST(DetectLoudestPitch, LoneStrongPeakIsItsOwnFundamental) {
    const auto q = makeDetector();
    q->setBufferLength(BUFFER_LENGTH);
    double fundamental = 0.0;
    const double mode = q->detectLoudestPitch(sine(225 * BIN_HZ, 1000.0).data(), &fundamental);
    EXPECT_NEAR(mode, 439.453125, 0.01);
    EXPECT_EQ(fundamental, mode);
    EXPECT_NEAR(q->rawPeakPower(), 250000.0, 250.0);
}

TEST(DetectLoudestPitch, SpacingToTheNextStrongPeakGivesTheFundamental) {
    const auto q = makeDetector();
    q->setBufferLength(BUFFER_LENGTH);
    // On-bin partials at bins 225 and 450: 450 bins / factor minus the mode.
    std::vector<int16_t> samples(BUFFER_LENGTH);
    const auto a = sine(225 * BIN_HZ, 6000.0);
    const auto b = sine(450 * BIN_HZ, 4000.0);
    for (int i = 0; i < BUFFER_LENGTH; ++i) {
        samples[i] = static_cast<int16_t>(a[i] + b[i]);
    }
    double fundamental = 0.0;
    const double mode = q->detectLoudestPitch(samples.data(), &fundamental);
    EXPECT_NEAR(mode, 439.45, 0.01);
    EXPECT_NEAR(fundamental, 450.0 / 0.51200002431869507 - mode, 1e-9);
}

TEST(DetectLoudestPitch, UsesTheLengthOfThePreviousAnalysis) {
    const auto q = makeDetector();
    const auto samples = sine(100 * 8000.0 / 1024.0, 4000.0, 512);
    q->detectPitchByHarmonics(samples.data(), 512, nullptr, nullptr);
    EXPECT_NEAR(q->detectLoudestPitch(samples.data(), nullptr), 781.25, 0.05);
    EXPECT_EQ(q->spectrumLength(), 1024);
}

TEST(DetectLoudestPitch, WithoutAnyBufferLengthIsRefused) {
    const auto q = makeDetector();
    const auto samples = sine(440.0, 1000.0);
    LogCapture log;
    double fundamental = -1.0;
    EXPECT_EQ(q->detectLoudestPitch(samples.data(), &fundamental), 0.0);
    EXPECT_EQ(fundamental, 0.0);
    EXPECT_EQ(log.lines().size(), 1u);
}

TEST(DetectPitchWithFFFT, FixedPointModeMatchesAndPowerIsAboutAQuarter) {
    const auto q = makeDetector();
    const auto samples = sine(100 * 8000.0 / 1024.0, 8000.0, 512);
    double fixedPower = 0.0;
    double fixedFundamental = -1.0;
    const double mode =
        q->detectPitchWithFFFTByHarmonics(samples.data(), 9, &fixedFundamental, &fixedPower);
    EXPECT_EQ(q->bufferLength(), 512);
    EXPECT_NEAR(mode, 781.25, 0.1);
    double power = 0.0;
    q->detectPitchByHarmonics(samples.data(), 512, nullptr, &power);
    EXPECT_NEAR(fixedPower / power, 0.25, 0.01);
    EXPECT_GE(fixedFundamental, 0.0);
}

TEST(DetectPitchWithFFFT, SmallestExponentAnalysesOneSample) {
    const auto q = makeDetector();
    const int16_t one[1] = {1000};
    double power = -1.0;
    EXPECT_EQ(q->detectPitchWithFFFTByHarmonics(one, 0, nullptr, &power), 0.0);
    EXPECT_EQ(q->bufferLength(), 1);
    EXPECT_GT(power, 0.0);
}

TEST(DetectPitchWithFFFT, FullScaleNegativeInputIsHandled) {
    const auto q = makeDetector();
    const std::vector<int16_t> samples(512, -32768);
    double power = 0.0;
    double fundamental = -1.0;
    EXPECT_EQ(q->detectPitchWithFFFTByHarmonics(samples.data(), 9, &fundamental, &power), 0.0);
    EXPECT_GT(power, 0.0);
}

TEST(DetectPitchWithFFFT, ExponentAboveNineIsRefused) {
    const auto q = makeDetector();
    const std::vector<int16_t> samples(4096, 100);
    LogCapture log;
    for (int32_t bad : {10, 11, -1}) {
        double fundamental = -1.0;
        double power = -1.0;
        EXPECT_EQ(q->detectPitchWithFFFTByHarmonics(samples.data(), bad, &fundamental, &power),
                  0.0);
        EXPECT_EQ(fundamental, 0.0);
        EXPECT_EQ(power, 0.0);
    }
    EXPECT_EQ(log.lines().size(), 3u);
}

} // namespace
} // namespace ovra
