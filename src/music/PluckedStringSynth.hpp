// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace ovra {

// The tone of a plucked string at an exact pitch, for playing a string's
// target to tune by ear: harmonics of the fundamental, each dying away at its
// own rate (the higher, the faster), about two seconds long. Every partial's
// phase is computed from the sample's index, so the pitch is the frequency
// asked for to double precision, however long the tone. It fades in over a
// few milliseconds and out when released or at its end, so neither start nor
// stop clicks.
class PluckedStringSynth {
public:
    static constexpr double TONE_SECONDS = 2.0;
    static constexpr double ATTACK_SECONDS = 0.004;
    static constexpr double RELEASE_SECONDS = 0.03;
    // Highest partial: a guitar's tone carries little above it.
    static constexpr double HIGHEST_PARTIAL_HZ = 5000.0;

    // `frequency` in Hz, above 0 and below half the sample rate; `peak` is
    // the most the samples reach, of full scale.
    PluckedStringSynth(double frequency, int32_t sampleRate, float peak = 0.5f);

    // Writes the next samples (in [-peak, peak]); zeros once the tone is over.
    void render(std::span<float> out);
    // Fades the tone out from the next sample on; nothing if already fading.
    void release();
    bool finished() const { return myPosition >= myEnd; }

private:
    struct Partial {
        double cyclesPerSample;
        double amplitude;
        double decayPerSample; // of the natural logarithm of the amplitude
    };

    float sampleAt(int64_t index) const;

    std::vector<Partial> myPartials;
    int64_t myPosition = 0;
    int64_t myAttackSamples;
    int64_t myReleaseSamples;
    int64_t myReleaseStart; // the fade-out's first sample
    int64_t myEnd;          // the first sample after the tone
};

} // namespace ovra
