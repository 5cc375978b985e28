// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ovra::bench {

// One synthetic pluck of known pitch, as the tuner would hear it.
struct Note {
    int32_t string = 0;  // 0 = low E ... 5 = high E
    double trueHz = 0.0; // the fundamental the partials follow
    double onsetSeconds = 0.0;
    std::string condition; // "clean", "40 dB", "20 dB", "10 dB"
    std::string noise;     // "none", "white", "pink"
    std::vector<int16_t> pcm;
};

inline const std::vector<std::string> CONDITIONS = {"clean", "40 dB", "20 dB", "10 dB"};

// Six strings of standard tuning, each detuned by -30 .. +30 cents, with
// inharmonicity B up to 2e-4, partials decaying at their own rates, an attack
// glide, weak fundamentals on the two lowest strings, and white and pink
// noise at 40, 20 and 10 dB. A fixed seed: the same notes every run.
std::vector<Note> makeCorpus(int32_t notesPerStringAndCondition, uint32_t seed);

} // namespace ovra::bench
