// SPDX-License-Identifier: GPL-3.0-or-later
// The refinement stage on synthetic strings of known pitch, and the cases
// where it must hand back the detector's own value.
#include "engine/PitchRefiner.hpp"
#include "PluckedString.hpp"
#include "TestTones.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

namespace ovra {
namespace {

using Outcome = PitchRefiner::Outcome;
using test::PluckRecipe;

constexpr double STANDARD_TUNING[] = {82.4069, 110.0, 146.8324, 195.9977, 246.9417, 329.6276};

double cents(double f, double reference) {
    return 1200.0 * std::log2(f / reference);
}

double detuned(double f, double byCents) {
    return f * std::exp2(byCents / 1200.0);
}

// 2048 samples from half a second into the note, where a tuner reads it.
std::vector<int16_t> buffer(const PluckRecipe& recipe) {
    const auto pcm = test::toPcm16(test::synthesizePluck(recipe));
    return {pcm.begin() + 4000, pcm.begin() + 4000 + PitchRefiner::BUFFER_LENGTH};
}

class Refiner : public ::testing::Test {
protected:
    std::unique_ptr<PitchRefiner> refiner = std::make_unique<PitchRefiner>(8000.0);
};

// Harmonic strings from a guess cents away; inharmonic ones in pink noise,
// whose stretch is measured; a missing fundamental; a guess an octave or a
// twelfth low, lifted to the string.
TEST_F(Refiner, StringsAreRefinedToTheFundamentalFromAGuessNearOrBelowIt) {
    struct Case {
        double fundamental, inharmonicity, snrDb, guess; // guess as a ratio
        double tolerance;                                // cents
        int partials;                                    // 0: not checked
        std::vector<double> amplitudes;
    };
    std::vector<Case> cases;
    for (const double f : STANDARD_TUNING) {
        cases.push_back({detuned(f, 7.0), 0.0, 0.0, detuned(1.0, -4.0), 0.1, 6, {}});
        cases.push_back({detuned(f, 7.0), 0.0, 0.0, detuned(1.0, 3.5), 0.1, 6, {}});
        cases.push_back({f, 2e-4, 20.0, detuned(1.0, 2.0), 0.5, 0, {}});
    }
    cases.push_back({STANDARD_TUNING[0],
                     1e-4,
                     0.0,
                     detuned(1.0, -3.0),
                     0.2,
                     5,
                     {0.0, 0.02, 1.0, 0.8, 0.5, 0.3}});
    cases.push_back({STANDARD_TUNING[3], 5e-5, 0.0, 1.001 / 2, 0.1, 0, {}});
    cases.push_back({STANDARD_TUNING[3], 5e-5, 0.0, 1.001 / 3, 0.1, 0, {}});
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.fundamental << " Hz from " << c.guess);
        PluckRecipe recipe;
        recipe.fundamental = c.fundamental;
        recipe.inharmonicity = c.inharmonicity;
        recipe.snrDb = c.snrDb;
        recipe.noise = test::NoiseColour::Pink; // when there is noise
        if (!c.amplitudes.empty()) {
            recipe.amplitudes = c.amplitudes;
        }
        const double refined = refiner->refine(buffer(recipe).data(), c.guess * c.fundamental);
        EXPECT_EQ(refiner->lastOutcome(), Outcome::Refined);
        EXPECT_NEAR(cents(refined, c.fundamental), 0.0, c.tolerance);
        if (c.partials > 0) {
            EXPECT_EQ(refiner->lastPartialCount(), c.partials);
        }
        if (c.snrDb > 0.0) {
            EXPECT_NEAR(refiner->lastInharmonicity(), c.inharmonicity, 5e-5);
        }
    }
    // An octave high is left to the detector: every partial of it sounds.
    PluckRecipe g;
    g.fundamental = STANDARD_TUNING[3];
    g.inharmonicity = 5e-5;
    EXPECT_NEAR(cents(refiner->refine(buffer(g).data(), 2.0 * g.fundamental), g.fundamental),
                1200.0, 1.0);
}

TEST_F(Refiner, WhenTheGuessFailsTheLastRefinedNoteIsFollowedWhileItsPartialsLast) {
    PluckRecipe recipe;
    recipe.fundamental = STANDARD_TUNING[1];
    recipe.snrDb = 30.0;
    const auto tone = buffer(recipe);
    const auto noise = test::toPcm16(test::synthesizeNoise(test::NoiseColour::Pink, 0.1, 2048, 7));
    const double lost = recipe.fundamental / 4.7; // a rumble the detector took for the note

    EXPECT_EQ(refiner->refine(tone.data(), lost), lost) << "nothing to follow yet";
    ASSERT_NEAR(cents(refiner->refine(tone.data(), 110.2), recipe.fundamental), 0.0, 0.2);
    EXPECT_NEAR(cents(refiner->refine(tone.data(), lost), recipe.fundamental), 0.0, 0.2);
    EXPECT_EQ(refiner->lastOutcome(), Outcome::Refined);
    EXPECT_EQ(refiner->refine(noise.data(), lost), lost) << "the note is gone";
    EXPECT_NE(refiner->lastOutcome(), Outcome::Refined);
    EXPECT_EQ(refiner->refine(tone.data(), lost), lost) << "only the last call's note is followed";
}

// No guess, silence, noise, a pure sine (too few partials) and partials of
// different notes (disagreeing) give the guess back.
TEST_F(Refiner, NoGuessSilenceNoiseASineAndDisagreeingPartialsGiveTheGuessBack) {
    const auto tone = buffer(PluckRecipe());
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const double guess : {0.0, -110.0, 10.0, 5000.0}) {
        EXPECT_EQ(refiner->refine(tone.data(), guess), guess);
        EXPECT_EQ(refiner->lastOutcome(), Outcome::NoGuess) << guess;
    }
    EXPECT_TRUE(std::isnan(refiner->refine(tone.data(), nan)));
    EXPECT_EQ(refiner->refine(nullptr, 110.0), 110.0);

    const std::vector<int16_t> silence(PitchRefiner::BUFFER_LENGTH, 0);
    EXPECT_EQ(refiner->refine(silence.data(), 110.0), 110.0);
    EXPECT_EQ(refiner->lastOutcome(), Outcome::Silent);

    for (const auto colour : {test::NoiseColour::White, test::NoiseColour::Pink}) {
        for (uint32_t seed = 1; seed <= 20; ++seed) {
            const auto noise = test::toPcm16(
                test::synthesizeNoise(colour, 0.2, PitchRefiner::BUFFER_LENGTH, seed));
            EXPECT_EQ(refiner->refine(noise.data(), 110.0), 110.0) << seed;
            EXPECT_NE(refiner->lastOutcome(), Outcome::Refined) << seed;
        }
    }
    const auto sine = test::pcmTone(196.0, {8000.0});
    EXPECT_EQ(refiner->refine(sine.data(), 196.5), 196.5);
    EXPECT_EQ(refiner->lastOutcome(), Outcome::TooFewPartials);

    // Partials 1, 3 and 5 of A2 beside partials 2, 4 and 6 a quarter tone higher:
    // each is near k times the guess, but no one string makes them all.
    std::vector<int16_t> sum(PitchRefiner::BUFFER_LENGTH, 0);
    for (int k = 1; k <= 6; ++k) {
        const double f = k * (k % 2 == 1 ? 110.0 : detuned(110.0, 50.0));
        std::vector<double> one(static_cast<size_t>(k), 0.0);
        one.back() = 3000.0 / k;
        const auto partial = test::pcmTone(f / k, one);
        for (size_t i = 0; i < sum.size(); ++i) {
            sum[i] = static_cast<int16_t>(sum[i] + partial[i]);
        }
    }
    EXPECT_EQ(refiner->refine(sum.data(), 110.0), 110.0);
    EXPECT_EQ(refiner->lastOutcome(), Outcome::Disagree);
}

} // namespace
} // namespace ovra
