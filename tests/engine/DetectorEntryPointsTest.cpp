// The detector's three entry points on synthetic buffers: mode frequency,
// raw peak power, fundamental, and what each leaves in the object.
#include "SignalMaker.hpp"
#include "common/LogCapture.hpp"
#include "engine/Quorl.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace ovra {
namespace {

using test::BUFFER_LENGTH;
using test::harmonicTone;
using test::sine;

constexpr double BIN_HZ = 8000.0 / 4096.0;
constexpr double BIN_HZ_512 = 8000.0 / 1024.0; // for 512-sample buffers

class Detector : public ::testing::Test {
protected:
    std::unique_ptr<Quorl> q = std::make_unique<Quorl>(8000.0f);
};
using DetectorSetup = Detector;
using DetectPitchByHarmonics = Detector;
using DetectLoudestPitch = Detector;
using DetectPitchWithFFFT = Detector;

TEST_F(DetectorSetup, FreshDetectorHasNoBufferLengthAndEmptyResults) {
    EXPECT_EQ(q->sampleRate(), 8000.0f);
    EXPECT_EQ(q->bufferLength(), 0);
    EXPECT_EQ(q->spectrumLength(), 0);
    EXPECT_EQ(q->peakCount(), 0);
    EXPECT_EQ(q->rawPeakPower(), 0.0);
}

TEST_F(DetectorSetup, ConversionFactorIsSinglePrecisionAndInvalidLengthsAreRefusedAndLogged) {
    q->setBufferLength(2048);
    EXPECT_EQ(q->bufferLength(), 2048);
    EXPECT_EQ(q->spectrumLength(), 4096);
    EXPECT_EQ(q->frequencyConversionFactor(), 0.51200002431869507);
    LogCapture log;
    for (int32_t bad : {0, -4, 3, 1000, 4096}) {
        q->setBufferLength(bad);
        EXPECT_EQ(q->bufferLength(), 2048) << bad;
    }
    EXPECT_EQ(log.lines().size(), 5u);
}

TEST_F(DetectPitchByHarmonics, SilenceGivesZeroEverywhere) {
    const std::vector<int16_t> zeros(BUFFER_LENGTH, 0);
    double fundamental = -1.0;
    double power = -1.0;
    EXPECT_EQ(q->detectPitchByHarmonics(zeros.data(), BUFFER_LENGTH, &fundamental, &power), 0.0);
    EXPECT_EQ(fundamental, 0.0);
    EXPECT_EQ(power, 0.0);
    EXPECT_EQ(q->peakCount(), 0);
}

TEST_F(DetectPitchByHarmonics, OnBinSineGivesItsFrequencyAndPowerAQuarterOfAmplitudeSquared) {
    double power = 0.0;
    const double mode = q->detectPitchByHarmonics(sine(225 * BIN_HZ, 1000.0).data(), BUFFER_LENGTH,
                                                  nullptr, &power);
    EXPECT_NEAR(mode, 439.453125, 0.01);
    EXPECT_NEAR(power, 250000.0, 250.0);
    EXPECT_EQ(q->powerValue(225), power);
    double quiet = 0.0;
    q->detectPitchByHarmonics(sine(300 * BIN_HZ, 8000.0).data(), BUFFER_LENGTH, nullptr, &power);
    q->detectPitchByHarmonics(sine(300 * BIN_HZ, 2000.0).data(), BUFFER_LENGTH, nullptr, &quiet);
    EXPECT_NEAR(power / quiet, 16.0, 0.01);
    EXPECT_NEAR(power, 8000.0 * 8000.0 / 4.0, 8000.0 * 8000.0 / 4.0 * 1e-3);
}

TEST_F(DetectPitchByHarmonics, PureSineHasOnlySideLobesAndNoFundamental) {
    double fundamental = -1.0;
    EXPECT_NEAR(
        q->detectPitchByHarmonics(sine(440.0, 1000.0).data(), BUFFER_LENGTH, &fundamental, nullptr),
        439.87, 0.01);
    EXPECT_EQ(fundamental, 0.0);
    const double expected[] = {439.87, 444.98, 433.81, 449.08, 429.80, 453.03, 425.86};
    ASSERT_EQ(q->peakCount(), 7);
    for (int s = 0; s < 7; ++s) {
        EXPECT_NEAR(q->peakFrequency(s), expected[s], 0.01) << "slot " << s;
    }
}

TEST_F(DetectPitchByHarmonics, StrongSecondHarmonicStillYieldsTheFundamental) {
    const auto samples = harmonicTone(82.41, {500, 1000, 600, 400, 300});
    double fundamental = 0.0;
    const double mode =
        q->detectPitchByHarmonics(samples.data(), BUFFER_LENGTH, &fundamental, nullptr);
    EXPECT_NEAR(mode, 164.7, 0.1);
    EXPECT_LT(mode, 2 * 82.41); // the interpolation reads slightly low
    EXPECT_GT(fundamental, 82.2);
    EXPECT_LT(fundamental, 82.4);
}

TEST_F(DetectPitchByHarmonics, ConstantOffsetGivesModeExactlyZero) {
    const std::vector<int16_t> offset(BUFFER_LENGTH, 1200);
    double power = 0.0;
    EXPECT_EQ(q->detectPitchByHarmonics(offset.data(), BUFFER_LENGTH, nullptr, &power), 0.0);
    EXPECT_GT(power, 0.0);
}

TEST_F(DetectPitchByHarmonics, WithoutFundamentalVariableThePeakListIsLeftAlone) {
    double fundamental = 0.0;
    q->detectPitchByHarmonics(harmonicTone(110.0, {1000, 500, 300}).data(), BUFFER_LENGTH,
                              &fundamental, nullptr);
    const auto peakList = [this] {
        std::vector<double> out; // bins, each followed by its harmonic weights
        for (int s = 0; s < q->peakCount(); ++s) {
            out.push_back(q->peakIndex(s));
            for (int h = 0; h < Quorl::HARMONIC_NUMBER_COUNT; ++h) {
                out.push_back(q->harmonicWeight(s, h));
            }
        }
        return out;
    };
    ASSERT_GT(q->peakCount(), 1);
    const auto before = peakList();
    double power = 0.0;
    EXPECT_NEAR(
        q->detectPitchByHarmonics(sine(700.0, 3000.0).data(), BUFFER_LENGTH, nullptr, &power),
        700.0, 1.0);
    EXPECT_GT(power, 0.0);
    EXPECT_EQ(peakList(), before);
}

TEST_F(DetectPitchByHarmonics, ModeOnlyWhenBothVariablesAreNull) {
    EXPECT_NEAR(
        q->detectPitchByHarmonics(sine(250.0, 5000.0).data(), BUFFER_LENGTH, nullptr, nullptr),
        250.0, 0.5);
    EXPECT_EQ(q->rawPeakPower(), 0.0); // only the loudest-pitch entry point stores it
}

TEST_F(DetectPitchByHarmonics, ShorterPowerOfTwoBuffersAreAnalysedAtTheirLength) {
    double power = 0.0;
    const double mode =
        q->detectPitchByHarmonics(sine(100 * BIN_HZ_512, 4000.0, 512).data(), 512, nullptr, &power);
    EXPECT_EQ(q->spectrumLength(), 1024);
    EXPECT_NEAR(mode, 781.25, 0.05);
    EXPECT_NEAR(power, 4000.0 * 4000.0 / 4.0, 4000.0 * 4000.0 / 4.0 * 2e-3);
}

TEST_F(DetectPitchByHarmonics, BadArgumentsAreRefusedWithZeroResults) {
    const auto samples = sine(440.0, 1000.0, 4096);
    LogCapture log;
    const std::pair<const int16_t*, int32_t> cases[] = {
        {samples.data(), 0},    {samples.data(), -1},   {samples.data(), 3},
        {samples.data(), 1000}, {samples.data(), 4096}, {nullptr, 2048}};
    for (const auto& [data, length] : cases) {
        double fundamental = -1.0;
        double power = -1.0;
        EXPECT_EQ(q->detectPitchByHarmonics(data, length, &fundamental, &power), 0.0) << length;
        EXPECT_EQ(fundamental, 0.0) << length;
        EXPECT_EQ(power, 0.0) << length;
    }
    EXPECT_EQ(log.lines().size(), 6u);
}

TEST_F(DetectLoudestPitch, LoneStrongPeakIsItsOwnFundamental) {
    q->setBufferLength(BUFFER_LENGTH);
    double fundamental = 0.0;
    const double mode = q->detectLoudestPitch(sine(225 * BIN_HZ, 1000.0).data(), &fundamental);
    EXPECT_NEAR(mode, 439.453125, 0.01);
    EXPECT_EQ(fundamental, mode);
    EXPECT_NEAR(q->rawPeakPower(), 250000.0, 250.0);
}

TEST_F(DetectLoudestPitch, SpacingToTheNextStrongPeakGivesTheFundamental) {
    q->setBufferLength(BUFFER_LENGTH);
    // On-bin partials at bins 225 and 450: 450 bins / factor minus the mode.
    double fundamental = 0.0;
    const double mode =
        q->detectLoudestPitch(harmonicTone(225 * BIN_HZ, {6000, 4000}).data(), &fundamental);
    EXPECT_NEAR(mode, 439.45, 0.01);
    EXPECT_NEAR(fundamental, 450.0 / 0.51200002431869507 - mode, 1e-9);
}

TEST_F(DetectLoudestPitch, UsesTheLengthOfThePreviousAnalysis) {
    const auto samples = sine(100 * BIN_HZ_512, 4000.0, 512);
    q->detectPitchByHarmonics(samples.data(), 512, nullptr, nullptr);
    EXPECT_NEAR(q->detectLoudestPitch(samples.data(), nullptr), 781.25, 0.05);
    EXPECT_EQ(q->spectrumLength(), 1024);
}

TEST_F(DetectLoudestPitch, WithoutAnyBufferLengthIsRefused) {
    LogCapture log;
    double fundamental = -1.0;
    EXPECT_EQ(q->detectLoudestPitch(sine(440.0, 1000.0).data(), &fundamental), 0.0);
    EXPECT_EQ(fundamental, 0.0);
    EXPECT_EQ(log.lines().size(), 1u);
}

TEST_F(DetectPitchWithFFFT, FixedPointModeMatchesAndPowerIsAboutAQuarter) {
    const auto samples = sine(100 * BIN_HZ_512, 8000.0, 512);
    double fixedPower = 0.0;
    double fixedFundamental = -1.0;
    EXPECT_NEAR(
        q->detectPitchWithFFFTByHarmonics(samples.data(), 9, &fixedFundamental, &fixedPower),
        781.25, 0.1);
    EXPECT_EQ(q->bufferLength(), 512);
    EXPECT_GE(fixedFundamental, 0.0);
    double power = 0.0;
    q->detectPitchByHarmonics(samples.data(), 512, nullptr, &power);
    EXPECT_NEAR(fixedPower / power, 0.25, 0.01);
}

TEST_F(DetectPitchWithFFFT, SmallestExponentAndFullScaleNegativeInputAreHandled) {
    const int16_t one[1] = {1000};
    double power = -1.0;
    EXPECT_EQ(q->detectPitchWithFFFTByHarmonics(one, 0, nullptr, &power), 0.0);
    EXPECT_EQ(q->bufferLength(), 1);
    EXPECT_GT(power, 0.0);
    const std::vector<int16_t> samples(512, -32768);
    double fundamental = -1.0;
    power = 0.0;
    EXPECT_EQ(q->detectPitchWithFFFTByHarmonics(samples.data(), 9, &fundamental, &power), 0.0);
    EXPECT_GT(power, 0.0);
}

TEST_F(DetectPitchWithFFFT, ExponentAboveNineIsRefused) {
    const std::vector<int16_t> samples(4096, 100);
    LogCapture log;
    for (int32_t bad : {10, 11, -1}) {
        double fundamental = -1.0;
        double power = -1.0;
        EXPECT_EQ(q->detectPitchWithFFFTByHarmonics(samples.data(), bad, &fundamental, &power),
                  0.0);
        EXPECT_EQ(fundamental, 0.0) << bad;
        EXPECT_EQ(power, 0.0) << bad;
    }
    EXPECT_EQ(log.lines().size(), 3u);
}

} // namespace
} // namespace ovra
