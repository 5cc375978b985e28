// The detector's entry point on synthetic buffers: worked values of mode,
// raw peak power and fundamental, and refusal of bad arguments.
#include "TestTones.hpp"
#include "common/LogCapture.hpp"
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
    LogCapture log;
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
    EXPECT_EQ(log.lines().size(), 6u); // every refusal but the silence is logged
}

} // namespace
} // namespace ovra
