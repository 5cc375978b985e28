// SPDX-License-Identifier: GPL-3.0-or-later
// The detector's entry points on synthetic buffers: worked values of mode,
// raw peak power and fundamental, and refusal of bad arguments.
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

} // namespace
} // namespace ovra
