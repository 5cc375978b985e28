// SPDX-License-Identifier: GPL-3.0-or-later
// The plucked tone measured as a listener's ear or a tuner would: its pitch
// for every string of two tunings, its decay, and its edges.
#include "music/PluckedStringSynth.hpp"
#include "model/Tunings.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

namespace ovra {
namespace {

constexpr double TWO_PI = 2.0 * std::numbers::pi;

std::vector<float> render(PluckedStringSynth& synth, double seconds, int rate) {
    std::vector<float> out(static_cast<size_t>(seconds * rate));
    synth.render(out);
    return out;
}

// The frequency near `guess` of a tone, independent of its amplitude: the
// phase of the guess's component in 0.1 s Hann windows every 10 ms,
// unwrapped along the tone; its slope is the distance from the guess.
double measuredFrequency(const std::vector<float>& x, double guess, int rate) {
    const size_t window = static_cast<size_t>(rate / 10);
    const size_t hop = static_cast<size_t>(rate / 100);
    std::vector<double> times;
    std::vector<double> phases;
    for (size_t start = 0; start + window <= x.size(); start += hop) {
        std::complex<double> sum;
        std::complex<double> turn = std::polar(1.0, -TWO_PI * guess * start / rate);
        const std::complex<double> step = std::polar(1.0, -TWO_PI * guess / rate);
        for (size_t n = 0; n < window; ++n, turn *= step) {
            const double w = 0.5 - 0.5 * std::cos(TWO_PI * static_cast<double>(n) / window);
            sum += w * x[start + n] * turn;
        }
        double phase = std::arg(sum);
        if (!phases.empty()) {
            phase = phases.back() + std::remainder(phase - phases.back(), TWO_PI);
        }
        times.push_back(static_cast<double>(start) / rate);
        phases.push_back(phase);
    }
    double meanT = 0, meanP = 0;
    for (size_t i = 0; i < times.size(); ++i) {
        meanT += times[i] / times.size();
        meanP += phases[i] / times.size();
    }
    double covariance = 0, variance = 0;
    for (size_t i = 0; i < times.size(); ++i) {
        covariance += (times[i] - meanT) * (phases[i] - meanP);
        variance += (times[i] - meanT) * (times[i] - meanT);
    }
    return guess + covariance / variance / TWO_PI;
}

double rms(const std::vector<float>& x, double from, double to, int rate) {
    double sum = 0;
    const auto first = static_cast<size_t>(from * rate), last = static_cast<size_t>(to * rate);
    for (size_t i = first; i < last; ++i) {
        sum += x[i] * x[i];
    }
    return std::sqrt(sum / static_cast<double>(last - first));
}

float steepestStep(const std::vector<float>& x, size_t from, size_t to) {
    float steepest = 0;
    for (size_t i = std::max<size_t>(from, 1); i < std::min(to, x.size()); ++i) {
        steepest = std::max(steepest, std::abs(x[i] - x[i - 1]));
    }
    return steepest;
}

TEST(PluckedStringSynth, PlaysEveryStringsTargetWithinATenthOfACent) {
    const struct {
        const char* tuning;
        int32_t referencePitch;
        int rate;
    } cases[] = {{"standard", 440, 48000}, {"drop-d", 432, 44100}};
    for (const auto& c : cases) {
        const auto targets = targetFrequencies(*findTuning(c.tuning), c.referencePitch);
        for (const float target : targets) {
            PluckedStringSynth synth(target, c.rate);
            // The tone as played, its fade-out aside: the phase needs it loud.
            const std::vector<float> tone = render(synth, 1.9, c.rate);
            // Guessed a quarter tone off: the measure finds the pitch itself.
            const double guess = target * std::pow(2.0, 50.0 / 1200.0);
            const double cents =
                1200.0 * std::log2(measuredFrequency(tone, guess, c.rate) / target);
            EXPECT_NEAR(cents, 0.0, 0.1) << c.tuning << " " << target << " Hz";
        }
    }
}

TEST(PluckedStringSynth, DecaysAndEndsWithoutAClickByItselfOrWhenReleased) {
    constexpr int RATE = 48000;
    for (const double frequency : {82.407, 329.63}) {
        PluckedStringSynth whole(frequency, RATE);
        const std::vector<float> tone = render(whole, 2.2, RATE);
        EXPECT_EQ(tone[0], 0.0f);
        EXPECT_GT(rms(tone, 0.1, 0.3, RATE), 8 * rms(tone, 1.6, 1.8, RATE)) << "dies away";
        EXPECT_TRUE(whole.finished());
        EXPECT_EQ(rms(tone, PluckedStringSynth::TONE_SECONDS, 2.2, RATE), 0.0);
        // A click is a step well beyond the steepest of the tone itself.
        const float ownSteepest = steepestStep(tone, RATE / 100, RATE / 10);
        EXPECT_LT(steepestStep(tone, 0, tone.size()), 1.5f * ownSteepest) << frequency;

        PluckedStringSynth released(frequency, RATE);
        std::vector<float> early = render(released, 0.3, RATE);
        released.release();
        const std::vector<float> rest = render(released, 0.2, RATE);
        early.insert(early.end(), rest.begin(), rest.end());
        EXPECT_LT(steepestStep(early, 0, early.size()), 1.5f * ownSteepest) << frequency;
        EXPECT_EQ(rms(early, 0.301 + PluckedStringSynth::RELEASE_SECONDS, 0.5, RATE), 0.0);
        EXPECT_TRUE(released.finished());
    }
}

} // namespace
} // namespace ovra
