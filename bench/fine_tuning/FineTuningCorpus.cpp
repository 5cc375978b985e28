// SPDX-License-Identifier: GPL-3.0-or-later
#include "FineTuningCorpus.hpp"

#include "PluckedString.hpp"
#include "TestTones.hpp"

#include <cmath>
#include <numbers>
#include <random>

namespace ovra::bench {

namespace {

constexpr double STANDARD_TUNING[] = {82.4069, 110.0, 146.8324, 195.9977, 246.9417, 329.6276};
constexpr int32_t PARTIALS = 10;
constexpr double ONSET = 0.3;
constexpr double SECONDS = 4.0; // the steady window ends 3.5 s after the onset

struct Noise {
    const char* condition;
    const char* colour;
    double snrDb;
};

constexpr Noise NOISES[] = {{"clean", "none", 0.0},  {"40 dB", "white", 40.0},
                            {"40 dB", "pink", 40.0}, {"20 dB", "white", 20.0},
                            {"20 dB", "pink", 20.0}, {"10 dB", "white", 10.0},
                            {"10 dB", "pink", 10.0}};

} // namespace

std::vector<Note> makeCorpus(int32_t notesPerStringAndCondition, uint32_t seed) {
    std::mt19937 random(seed);
    const auto uniform = [&random](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    };
    std::vector<Note> notes;
    for (const Noise& noise : NOISES) {
        // The clean condition gets as many notes as the two colours of the others.
        const int32_t count = notesPerStringAndCondition * (noise.snrDb == 0.0 ? 2 : 1);
        for (int32_t string = 0; string < 6; ++string) {
            for (int32_t i = 0; i < count; ++i) {
                test::PluckRecipe recipe;
                recipe.fundamental = STANDARD_TUNING[string] * std::exp2(uniform(-30, 30) / 1200);
                recipe.inharmonicity = uniform(0.0, 2e-4);
                // Plucked at a fifth to a tenth of the string: partial k ~ sin(pi k p) / k.
                const double position = uniform(0.1, 0.2);
                recipe.amplitudes.clear();
                for (int32_t k = 1; k <= PARTIALS; ++k) {
                    recipe.amplitudes.push_back(
                        std::abs(std::sin(std::numbers::pi * k * position)) / k);
                }
                if (string < 2 && i % 2 == 0) {
                    recipe.amplitudes[0] *= uniform(0.1, 0.3); // a weak fundamental
                }
                recipe.decayPerSecond = uniform(0.3, 0.8);
                recipe.extraDecayPerPartial = uniform(0.2, 0.5);
                recipe.glideCents = uniform(0.0, 15.0);
                recipe.glideSeconds = 0.05;
                recipe.onsetSeconds = ONSET;
                recipe.seconds = SECONDS;
                recipe.peak = uniform(0.3, 0.7);
                recipe.snrDb = noise.snrDb;
                recipe.noise = std::string(noise.colour) == "pink" ? test::NoiseColour::Pink
                                                                   : test::NoiseColour::White;
                recipe.seed = static_cast<uint32_t>(random());
                notes.push_back({string, recipe.fundamental, ONSET, noise.condition, noise.colour,
                                 test::toPcm16(test::synthesizePluck(recipe))});
            }
        }
    }
    return notes;
}

} // namespace ovra::bench
