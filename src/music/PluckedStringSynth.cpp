// SPDX-License-Identifier: GPL-3.0-or-later
#include "music/PluckedStringSynth.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ovra {

namespace {

constexpr int MAX_PARTIALS = 16;
// Plucked near the bridge: partials whose node lies at the plucking point
// are weak, as on a guitar.
constexpr double PLUCK_POSITION = 0.18;
// The fundamental falls by about 30 dB over the tone; partial k dies
// (1 + (k - 1) * this) times faster.
constexpr double FUNDAMENTAL_DECAY_SECONDS = 0.6;
constexpr double EXTRA_DECAY_PER_PARTIAL = 0.35;

} // namespace

PluckedStringSynth::PluckedStringSynth(double frequency, int32_t sampleRate, float peak) {
    const double rate = std::max(1, sampleRate);
    const double highest = std::min(HIGHEST_PARTIAL_HZ, 0.45 * rate);
    double total = 0.0;
    for (int k = 1; k <= MAX_PARTIALS && frequency > 0.0 && k * frequency < highest; ++k) {
        const double amplitude =
            std::abs(std::sin(k * std::numbers::pi * PLUCK_POSITION)) / std::pow(k, 1.5);
        const double decay =
            (1.0 + (k - 1) * EXTRA_DECAY_PER_PARTIAL) / (FUNDAMENTAL_DECAY_SECONDS * rate);
        myPartials.push_back({k * frequency / rate, amplitude, decay});
        total += amplitude;
    }
    // The partials' sum never exceeds the sum of their amplitudes.
    for (Partial& partial : myPartials) {
        partial.amplitude *= peak / total;
    }
    myAttackSamples = std::max<int64_t>(1, std::llround(ATTACK_SECONDS * rate));
    myReleaseSamples = std::max<int64_t>(1, std::llround(RELEASE_SECONDS * rate));
    myEnd = myPartials.empty() ? 0 : std::llround(TONE_SECONDS * rate);
    myReleaseStart = myEnd - myReleaseSamples;
}

void PluckedStringSynth::release() {
    if (myPosition < myReleaseStart) {
        myReleaseStart = myPosition;
        myEnd = myPosition + myReleaseSamples;
    }
}

float PluckedStringSynth::sampleAt(int64_t index) const {
    const auto n = static_cast<double>(index);
    double sum = 0.0;
    for (const Partial& partial : myPartials) {
        // The fraction of a cycle, from the index alone: no phase drifts.
        const double cycles = partial.cyclesPerSample * n;
        const double phase = cycles - std::floor(cycles);
        sum += partial.amplitude * std::exp(-partial.decayPerSample * n) *
               std::sin(2.0 * std::numbers::pi * phase);
    }
    // Raised-cosine fades in and out: no step in level or slope.
    const auto fade = [](double x) { return 0.5 - 0.5 * std::cos(std::numbers::pi * x); };
    double gain = 1.0;
    if (index < myAttackSamples) {
        gain = fade(n / static_cast<double>(myAttackSamples));
    }
    if (index >= myReleaseStart) {
        gain *= fade(static_cast<double>(myEnd - index) / static_cast<double>(myReleaseSamples));
    }
    return static_cast<float>(gain * sum);
}

void PluckedStringSynth::render(std::span<float> out) {
    for (float& sample : out) {
        sample = finished() ? 0.0f : sampleAt(myPosition);
        myPosition = std::min(myPosition + 1, myEnd);
    }
}

} // namespace ovra
