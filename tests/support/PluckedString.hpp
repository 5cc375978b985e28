// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ovra::test {

enum class NoiseColour { White, Pink };

// A plucked string of known pitch for accuracy checks: partial k sits at
// k * f0 * sqrt(1 + B k^2), decays at its own rate, and the pitch starts sharp
// and glides down to f0 after the attack, as a string does when plucked hard.
struct PluckRecipe {
    double fundamental = 110.0;
    double inharmonicity = 0.0; // B
    std::vector<double> amplitudes = {1.0, 0.6, 0.4, 0.25, 0.15, 0.1};
    double decayPerSecond = 0.5;       // of the first partial
    double extraDecayPerPartial = 0.3; // partial k decays (1 + (k - 1) * this) times faster
    double glideCents = 0.0;           // pitch offset at the onset
    double glideSeconds = 0.05;        // time constant of the glide
    double onsetSeconds = 0.0;         // silence (or noise alone) before the pluck
    double seconds = 2.0;
    double peak = 0.5;  // of full scale, before noise
    double snrDb = 0.0; // noise power below the tone's first second; 0: no noise
    NoiseColour noise = NoiseColour::White;
    uint32_t seed = 1;
    int sampleRate = 8000;
};

// Mono samples in [-1, 1] (use toPcm16 for the buffers the tuner reads).
std::vector<double> synthesizePluck(const PluckRecipe& recipe);

// Noise alone, of the given RMS level.
std::vector<double> synthesizeNoise(NoiseColour colour, double rms, size_t count, uint32_t seed);

} // namespace ovra::test
