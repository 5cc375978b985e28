// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace ovra {

// Sharpens the detector's fundamental on the same buffer. The detector's
// parabola on unwindowed 1.95 Hz bins leaves up to a few cents of bias; here
// the first six partials are measured near k times the detector's value on a
// Hann-windowed spectrum sampled eight times finer, and
// f_k = k * f0 * sqrt(1 + B * k^2) is fitted to them, so the string's
// inharmonicity B does not pull the fundamental sharp.
//
// The guess only has to name the right string and octave; a guess an octave
// or a twelfth low (only every second or third partial of it sounds) is
// corrected. Every working
// array is a member: a refinement allocates nothing. Not safe for concurrent
// use; hold it by std::unique_ptr (about 65 KB).
class PitchRefiner {
public:
    static constexpr int32_t BUFFER_LENGTH = 2048;
    static constexpr int32_t PARTIAL_COUNT = 6;
    // Two unknowns (f0, B) and one more partial to check the fit against.
    static constexpr int32_t MIN_PARTIALS = 3;
    // The fine grid's spacing is a bin of an 8x zero-padded transform.
    static constexpr int32_t ZOOM = 8;

    enum class Outcome {
        Refined,        // the fitted fundamental was returned
        NoGuess,        // the guess was 0, not finite or outside the range refined
        Silent,         // the buffer holds only zeros
        TooFewPartials, // fewer than MIN_PARTIALS partials stand out of the noise
        Disagree        // the partials do not fit one string (see refine)
    };

    explicit PitchRefiner(double sampleRate);
    PitchRefiner(const PitchRefiner&) = delete;
    PitchRefiner& operator=(const PitchRefiner&) = delete;

    // The refined fundamental of BUFFER_LENGTH samples, or `guess` unchanged
    // when the partials are too weak, too few, or disagree: after dropping
    // partials more than four expected deviations off the fit, fewer than
    // MIN_PARTIALS remain, or B is outside -1e-4 .. 1e-3 (guitar strings lie
    // around 1e-5 .. 5e-4), or the fit lies more than 30 cents from the guess.
    // When the guess fails so and the previous call refined a fundamental,
    // that one is tried as the guess: the detector loses a fading note to
    // noise (a subharmonic, a rumble) before its partials are gone.
    double refine(const int16_t* samples, double guess);

    // What the last call found.
    Outcome lastOutcome() const { return myOutcome; }
    int32_t lastPartialCount() const { return myKeptCount; }
    double lastInharmonicity() const { return myInharmonicity; }

private:
    struct Partial {
        int32_t harmonic = 0;
        double frequency = 0.0; // Hz
        double localSnr = 0.0;  // peak power over the mean noise power of a bin
        double coarseBin = 0.0; // interpolated position on the coarse grid
        double fineBin = 0.0;   // centre of the three fine points
        double finePower[3] = {};
        bool kept = true;
    };

    double refineAround(double guess);
    bool transform(const int16_t* samples);
    double noiseBetweenPartials(double guess) const;
    double coarsePower(int32_t bin) const;
    int32_t locatePartials(double guess, double noisePower);
    int32_t commonHarmonicStep(int32_t count) const;
    void measurePartials(int32_t count);
    void evaluateFine(const double* fineBins, int32_t count, double* power) const;
    bool fit(int32_t count, double* a, double* b) const;
    Outcome fitAndCheck(int32_t count, double guess, double* fundamental);

    double mySampleRate;
    double myWindow[BUFFER_LENGTH] = {};
    double myWindowed[BUFFER_LENGTH] = {};
    double myReal[BUFFER_LENGTH / 2] = {};
    double myImaginary[BUFFER_LENGTH / 2] = {};
    double myCosines[BUFFER_LENGTH / 2] = {};
    double mySines[BUFFER_LENGTH / 2] = {};
    Partial myPartials[PARTIAL_COUNT];
    Outcome myOutcome = Outcome::NoGuess;
    int32_t myKeptCount = 0;
    double myEnergy = 0.0;
    double myPrevious = 0.0; // the last call's refined fundamental, 0 if it failed
    double myInharmonicity = 0.0;
};

} // namespace ovra
