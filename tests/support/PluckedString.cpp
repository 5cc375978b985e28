// SPDX-License-Identifier: GPL-3.0-or-later
#include "PluckedString.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

namespace ovra::test {

namespace {

constexpr double ATTACK_SECONDS = 0.005;

double meanSquare(const double* x, size_t count) {
    double sum = 0.0;
    for (size_t i = 0; i < count; ++i) {
        sum += x[i] * x[i];
    }
    return count > 0 ? sum / static_cast<double>(count) : 0.0;
}

} // namespace

std::vector<double> synthesizeNoise(NoiseColour colour, double rms, size_t count, uint32_t seed) {
    std::mt19937 generator(seed);
    std::normal_distribution<double> normal(0.0, 1.0);
    std::vector<double> noise(count);
    // Pink by Paul Kellet's economical filter of white noise.
    double b0 = 0.0;
    double b1 = 0.0;
    double b2 = 0.0;
    for (double& v : noise) {
        const double white = normal(generator);
        if (colour == NoiseColour::White) {
            v = white;
        } else {
            b0 = 0.99765 * b0 + white * 0.0990460;
            b1 = 0.96300 * b1 + white * 0.2965164;
            b2 = 0.57000 * b2 + white * 1.0526913;
            v = b0 + b1 + b2 + white * 0.1848;
        }
    }
    const double scale = rms / std::sqrt(std::max(meanSquare(noise.data(), count), 1e-300));
    for (double& v : noise) {
        v *= scale;
    }
    return noise;
}

std::vector<double> synthesizePluck(const PluckRecipe& recipe) {
    const double rate = recipe.sampleRate;
    const auto total = static_cast<size_t>(recipe.seconds * rate);
    const auto onset = std::min(total, static_cast<size_t>(recipe.onsetSeconds * rate));
    std::vector<double> samples(total, 0.0);
    const double twoPi = 2.0 * std::numbers::pi;
    for (size_t k = 1; k <= recipe.amplitudes.size(); ++k) {
        const double kk = static_cast<double>(k);
        const double frequency =
            kk * recipe.fundamental * std::sqrt(1.0 + recipe.inharmonicity * kk * kk);
        if (frequency >= 0.5 * rate) {
            break;
        }
        const double decay =
            recipe.decayPerSecond * (1.0 + (kk - 1.0) * recipe.extraDecayPerPartial);
        double phase = 0.3 * kk; // fixed, unequal starting phases
        for (size_t i = onset; i < total; ++i) {
            const double t = static_cast<double>(i - onset) / rate;
            const double glide =
                std::exp2(recipe.glideCents * std::exp(-t / recipe.glideSeconds) / 1200.0);
            const double attack = std::min(1.0, t / ATTACK_SECONDS);
            samples[i] +=
                recipe.amplitudes[k - 1] * attack * std::exp(-decay * t) * std::sin(phase);
            phase += twoPi * frequency * glide / rate;
        }
    }
    const double loudest = std::max(
        1e-300, std::abs(*std::max_element(samples.begin(), samples.end(), [](double a, double b) {
            return std::abs(a) < std::abs(b);
        })));
    for (double& v : samples) {
        v *= recipe.peak / loudest;
    }
    if (recipe.snrDb > 0.0) {
        const size_t measured = std::min(total - onset, static_cast<size_t>(rate));
        const double signal = meanSquare(samples.data() + onset, measured);
        const auto noise =
            synthesizeNoise(recipe.noise, std::sqrt(signal / std::pow(10.0, recipe.snrDb / 10.0)),
                            total, recipe.seed);
        for (size_t i = 0; i < total; ++i) {
            samples[i] += noise[i];
        }
    }
    return samples;
}

} // namespace ovra::test
