// SPDX-License-Identifier: GPL-3.0-or-later
// The plucked tone measured as a tuner would: its pitch for every string of
// two tunings, its decay, and its edges.
#include "music/PluckedStringSynth.hpp"
#include "model/Tunings.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <span>
#include <vector>

namespace ovra {
namespace {

constexpr double TWO_PI = 2.0 * std::numbers::pi;

std::vector<float> render(PluckedStringSynth& synth, double seconds, int rate) {
    std::vector<float> out(static_cast<size_t>(seconds * rate));
    synth.render(out);
    return out;
}

// The frequency near `guess`, whatever the amplitude does: how fast the phase
// of the guess's component turns, followed in 0.1 s Hann windows every 10 ms.
double measuredFrequency(const std::vector<float>& x, double guess, int rate) {
    const size_t window = rate / 10, hop = rate / 100;
    double turned = 0, last = 0;
    size_t start = 0;
    for (; start + window <= x.size(); start += hop) {
        std::complex<double> sum, turn = std::polar(1.0, -TWO_PI * guess * start / rate);
        const std::complex<double> step = std::polar(1.0, -TWO_PI * guess / rate);
        for (size_t n = 0; n < window; ++n, turn *= step) {
            sum += (0.5 - 0.5 * std::cos(TWO_PI * n / window)) * x[start + n] * turn;
        }
        turned += start == 0 ? 0.0 : std::remainder(std::arg(sum) - last, TWO_PI);
        last = std::arg(sum);
    }
    return guess + turned / (TWO_PI * static_cast<double>(start - hop) / rate);
}

// Loudest sample, and steepest step between two, from..to seconds in.
std::pair<float, float> peakAndSteepest(const std::vector<float>& x, double from, double to) {
    std::pair<float, float> result;
    const size_t end = std::min(x.size(), static_cast<size_t>(to * 48000));
    for (size_t i = std::max<size_t>(1, from * 48000); i < end; ++i) {
        result.first = std::max(result.first, std::abs(x[i]));
        result.second = std::max(result.second, std::abs(x[i] - x[i - 1]));
    }
    return result;
}

TEST(PluckedStringSynth, PlaysEveryStringsTargetWithinATenthOfACent) {
    for (const auto& [tuning, pitch, rate] :
         {std::tuple{"standard", 440, 48000}, {"drop-d", 432, 44100}}) {
        for (const float target : targetFrequencies(*findTuning(tuning), pitch)) {
            PluckedStringSynth synth(target, rate);
            // Guessed a quarter tone sharp: the measure finds the pitch itself.
            const double guess = target * std::pow(2.0, 50.0 / 1200.0);
            const double hz = measuredFrequency(render(synth, 1.9, rate), guess, rate);
            EXPECT_NEAR(1200.0 * std::log2(hz / target), 0.0, 0.1) << tuning << " " << target;
        }
    }
}

TEST(PluckedStringSynth, DecaysAndEndsWithoutAClickByItselfOrWhenReleased) {
    for (const double frequency : {82.407, 329.63}) {
        PluckedStringSynth whole(frequency, 48000), released(frequency, 48000);
        const std::vector<float> tone = render(whole, 2.2, 48000);
        std::vector<float> early = render(released, 0.3, 48000);
        released.release();
        early.resize(early.size() + 9600);
        released.render(std::span(early).subspan(14400));
        // A click is a step well beyond the steepest of the tone itself.
        const auto [loud, ownSteepest] = peakAndSteepest(tone, 0.01, 0.1);
        EXPECT_EQ(tone[0], 0.0f);
        EXPECT_GT(loud, 10 * peakAndSteepest(tone, 1.6, 1.8).first) << "dies away";
        for (const auto& [x, end] : {std::pair{tone, PluckedStringSynth::TONE_SECONDS},
                                     {early, 0.3 + PluckedStringSynth::RELEASE_SECONDS}}) {
            EXPECT_LT(peakAndSteepest(x, 0, 2.2).second, 1.5f * ownSteepest) << frequency;
            EXPECT_EQ(peakAndSteepest(x, end + 0.001, 2.2).first, 0.0f) << frequency;
        }
        EXPECT_TRUE(whole.finished() && released.finished());
    }
}

} // namespace
} // namespace ovra
