// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/PitchRefiner.hpp"

#include "engine/FftAndPeakScans.hpp"
#include "engine/FftTables.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <numeric>

namespace ovra {

namespace {

constexpr int32_t N = PitchRefiner::BUFFER_LENGTH;
constexpr int32_t HALF = N / 2;

// Guesses outside this range are not refined: below, partials crowd into the
// window's main lobe; above, fewer than three partials fit below the limit.
constexpr double MIN_GUESS_HZ = 30.0;
constexpr double MAX_GUESS_HZ = 1200.0;
// Partials above this share of the sample rate are left out (anti-alias roll-off).
constexpr double HIGHEST_PARTIAL_SHARE = 0.45;
// A partial is sought within this many cents of its prediction, but at least
// within this many coarse bins.
constexpr double SEARCH_CENTS = 25.0;
constexpr double SEARCH_MIN_BINS = 2.0;
// A partial counts when its peak bin holds this many times the mean noise
// power of a bin (13 dB): noise alone gets there far less than once in a
// million bins.
constexpr double MIN_LOCAL_SNR = 20.0;
// The fit's weights stop growing here, so that the loudest partial cannot
// outvote the others on its window's remaining bias.
constexpr double MAX_WEIGHTED_SNR = 1.0e6;
// Expected scatter of a partial's frequency, in coarse bins: the bound for a
// sinusoid, widened for the Hann window; never taken below one cent.
constexpr double SCATTER_SCALE = 1.5 / std::numbers::pi;
constexpr double MIN_SCATTER_CENTS = 1.0;
constexpr double MAX_DEVIATIONS = 4.0;
constexpr double MIN_INHARMONICITY = -1.0e-4;
constexpr double MAX_INHARMONICITY = 1.0e-3;
constexpr double MAX_SHIFT_CENTS = 30.0;

double centsBetween(double f, double reference) {
    return 1200.0 * std::log2(f / reference);
}

// Vertex offset (-0.5 .. 0.5 for a proper peak) of the parabola through the
// logarithms of three powers, the middle one the largest.
double logParabolaOffset(double below, double middle, double above) {
    const double l0 = std::log(below);
    const double l1 = std::log(middle);
    const double l2 = std::log(above);
    const double curvature = l0 - 2.0 * l1 + l2;
    return curvature < 0.0 ? 0.5 * (l0 - l2) / curvature : 0.0;
}

using Quad = double __attribute__((vector_size(32)));
constexpr int32_t MAX_GOERTZEL_GROUPS = 5;

// Power of the windowed samples at 4 * GROUPS frequencies given as
// 2 cos(omega), by Goertzel recursions running side by side (unused lanes
// carry coefficient 0 and are ignored). The group count is a compile-time
// constant so that the recursions' states stay in registers; always inlined
// so that it is compiled for the processor its caller was cloned for.
template <int32_t GROUPS>
[[gnu::always_inline]] inline void goertzelGroups(const double* x, const double* coefficients,
                                                  double* power) {
    Quad c[GROUPS];
    Quad s1[GROUPS] = {};
    Quad s2[GROUPS] = {};
    for (int32_t g = 0; g < GROUPS; ++g) {
        std::memcpy(&c[g], coefficients + 4 * g, sizeof(Quad));
    }
    for (int32_t n = 0; n < N; ++n) {
        const double sample = x[n];
#pragma GCC unroll 8
        for (int32_t g = 0; g < GROUPS; ++g) {
            // sample - s2 does not wait for the previous step's result.
            const Quad s = (sample - s2[g]) + c[g] * s1[g];
            s2[g] = s1[g];
            s1[g] = s;
        }
    }
    for (int32_t g = 0; g < GROUPS; ++g) {
        const Quad p = s1[g] * s1[g] + s2[g] * s2[g] - c[g] * s1[g] * s2[g];
        std::memcpy(power + 4 * g, &p, sizeof(Quad));
    }
}

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__SANITIZE_ADDRESS__) &&                  \
    !defined(__SANITIZE_THREAD__)
__attribute__((target_clones("avx", "default")))
#endif
void goertzelQuads(const double* x, const double* coefficients, int32_t groups, double* power) {
    switch (groups) {
    case 1:
        goertzelGroups<1>(x, coefficients, power);
        break;
    case 2:
        goertzelGroups<2>(x, coefficients, power);
        break;
    case 3:
        goertzelGroups<3>(x, coefficients, power);
        break;
    case 4:
        goertzelGroups<4>(x, coefficients, power);
        break;
    case 5:
        goertzelGroups<5>(x, coefficients, power);
        break;
    default:
        break;
    }
}

} // namespace

PitchRefiner::PitchRefiner(double sampleRate) : mySampleRate(sampleRate) {
    prepareFftTables();
    const double twoPi = 2.0 * std::numbers::pi;
    for (int32_t n = 0; n < N; ++n) {
        myWindow[n] = 0.5 - 0.5 * std::cos(twoPi * n / N);
    }
    for (int32_t k = 0; k < HALF; ++k) {
        myCosines[k] = std::cos(twoPi * k / N);
        mySines[k] = std::sin(twoPi * k / N);
    }
}

double PitchRefiner::refine(const int16_t* samples, double guess) {
    const double previous = myPrevious;
    myPrevious = 0.0;
    myKeptCount = 0;
    myInharmonicity = 0.0;
    // No fundamental from the detector means no note: nothing to refine.
    if (samples == nullptr || !(guess > 0.0 && std::isfinite(guess))) {
        myOutcome = Outcome::NoGuess;
        return guess;
    }
    if (!transform(samples)) {
        myOutcome = Outcome::Silent;
        return guess;
    }
    double fundamental = refineAround(guess);
    // The detector loses a fading note to noise first: when its value leads
    // nowhere, the note of the previous buffer is tried while its partials last.
    if (myOutcome != Outcome::Refined && previous > 0.0) {
        const Outcome failure = myOutcome;
        fundamental = refineAround(previous);
        if (myOutcome != Outcome::Refined) {
            myOutcome = failure;
            fundamental = guess;
        }
    }
    if (myOutcome == Outcome::Refined) {
        myPrevious = fundamental;
        return fundamental;
    }
    return guess;
}

double PitchRefiner::refineAround(double guess) {
    myKeptCount = 0;
    myInharmonicity = 0.0;
    if (!(guess >= MIN_GUESS_HZ && guess <= MAX_GUESS_HZ)) {
        myOutcome = Outcome::NoGuess;
        return guess;
    }
    const double noisePower = noiseBetweenPartials(guess);
    double searched = guess;
    int32_t count = locatePartials(searched, noisePower);
    // Only every second (or third) partial of the guess sounding means the
    // detector fell an octave (or a twelfth) low, as it does on noisy, fading
    // notes: a string always has partials that are not multiples of two or three.
    if (const int32_t step = commonHarmonicStep(count); step > 1) {
        searched *= step;
        count = locatePartials(searched, noisePower);
    }
    if (count < MIN_PARTIALS) {
        myOutcome = Outcome::TooFewPartials;
        return guess;
    }
    measurePartials(count);
    double fundamental = guess;
    myOutcome = fitAndCheck(count, searched, &fundamental);
    return fundamental;
}

// Windows the samples and transforms them as a half-length complex sequence
// (even samples real, odd imaginary). False for a silent buffer.
bool PitchRefiner::transform(const int16_t* samples) {
    // Four running sums, so that the additions need not wait for each other.
    double energy[4] = {};
    for (int32_t m = 0; m < HALF; m += 2) {
        const double even = myWindow[2 * m] * samples[2 * m];
        const double odd = myWindow[2 * m + 1] * samples[2 * m + 1];
        const double nextEven = myWindow[2 * m + 2] * samples[2 * m + 2];
        const double nextOdd = myWindow[2 * m + 3] * samples[2 * m + 3];
        myWindowed[2 * m] = even;
        myWindowed[2 * m + 1] = odd;
        myWindowed[2 * m + 2] = nextEven;
        myWindowed[2 * m + 3] = nextOdd;
        myReal[m] = even;
        myImaginary[m] = odd;
        myReal[m + 1] = nextEven;
        myImaginary[m + 1] = nextOdd;
        energy[0] += even * even;
        energy[1] += odd * odd;
        energy[2] += nextEven * nextEven;
        energy[3] += nextOdd * nextOdd;
    }
    myEnergy = (energy[0] + energy[1]) + (energy[2] + energy[3]);
    if (myEnergy == 0.0) {
        return false;
    }
    runFFT(1, HALF, myReal, myImaginary);
    return true;
}

// The mean noise power of a coarse bin, from the bins halfway between the
// partials expected for the guess.
double PitchRefiner::noiseBetweenPartials(double guess) const {
    // Three bins around each midpoint; their median is robust to a stray
    // peak, and the median of exponentially distributed powers is ln 2 of
    // their mean.
    double between[3 * PARTIAL_COUNT];
    int32_t count = 0;
    const double binsPerHz = N / mySampleRate;
    for (int32_t k = 1; k <= PARTIAL_COUNT; ++k) {
        const auto bin = static_cast<int32_t>(std::lround((k + 0.5) * guess * binsPerHz));
        if (bin + 1 >= HIGHEST_PARTIAL_SHARE * N) {
            break;
        }
        for (int32_t b = bin - 1; b <= bin + 1; ++b) {
            between[count++] = coarsePower(b);
        }
    }
    double noise = 0.0;
    if (count > 0) {
        std::nth_element(between, between + count / 2, between + count);
        noise = between[count / 2] / std::numbers::ln2;
    }
    // Even a clean synthetic tone has rounding noise; never divide by zero.
    return std::max(noise, 1.0e-15 * myEnergy);
}

// Power of coarse bin k (1 <= k < HALF) of the windowed samples, from the
// half-length transform: the even and odd samples' spectra are separated from
// Z[k] and Z[HALF - k], then combined with the twiddle of bin k.
double PitchRefiner::coarsePower(int32_t bin) const {
    const double a = myReal[bin];
    const double b = myImaginary[bin];
    const double c = myReal[HALF - bin];
    const double d = myImaginary[HALF - bin];
    const double evenReal = 0.5 * (a + c);
    const double evenImaginary = 0.5 * (b - d);
    const double oddReal = 0.5 * (b + d);
    const double oddImaginary = -0.5 * (a - c);
    const double re = evenReal + myCosines[bin] * oddReal - mySines[bin] * oddImaginary;
    const double im = evenImaginary + myCosines[bin] * oddImaginary + mySines[bin] * oddReal;
    return re * re + im * im;
}

// Finds each partial's strongest coarse bin near its prediction (k times the
// fundamental implied by the last partial found, or by the guess), keeps
// those that stand out of the noise, and returns how many were kept.
int32_t PitchRefiner::locatePartials(double guess, double noisePower) {
    const double binsPerHz = N / mySampleRate;
    const double searchShare = std::exp2(SEARCH_CENTS / 1200.0) - 1.0;
    double implied = guess;
    int32_t count = 0;
    for (int32_t k = 1; k <= PARTIAL_COUNT; ++k) {
        const double predicted = k * implied * binsPerHz;
        const double reach = std::max(SEARCH_MIN_BINS, predicted * searchShare);
        const auto low = std::max<int32_t>(1, static_cast<int32_t>(std::floor(predicted - reach)));
        const auto high = static_cast<int32_t>(std::ceil(predicted + reach));
        if (high + 1 >= HIGHEST_PARTIAL_SHARE * N) {
            break;
        }
        int32_t best = low;
        double bestPower = -1.0;
        for (int32_t bin = low; bin <= high; ++bin) {
            const double p = coarsePower(bin);
            if (p > bestPower) {
                bestPower = p;
                best = bin;
            }
        }
        // A maximum at the edge of the range is the skirt of something else.
        if (best == low || best == high || bestPower < MIN_LOCAL_SNR * noisePower) {
            continue;
        }
        Partial& partial = myPartials[count++];
        partial.harmonic = k;
        partial.localSnr = bestPower / noisePower;
        partial.coarseBin =
            best + logParabolaOffset(coarsePower(best - 1), bestPower, coarsePower(best + 1));
        partial.kept = true;
        implied = partial.coarseBin / binsPerHz / k;
    }
    return count;
}

// The greatest common divisor of the harmonic numbers found, when at least
// two were found; 1 otherwise.
int32_t PitchRefiner::commonHarmonicStep(int32_t count) const {
    if (count < 2) {
        return 1;
    }
    int32_t step = 0;
    for (int32_t i = 0; i < count; ++i) {
        step = std::gcd(step, myPartials[i].harmonic);
    }
    return step;
}

// Three points of the fine grid around each coarse estimate; where the
// largest is not the middle one, the three move one step towards it (at most
// twice), then a parabola on the log power gives the frequency.
void PitchRefiner::measurePartials(int32_t count) {
    double bins[4 * MAX_GOERTZEL_GROUPS] = {};
    double power[4 * MAX_GOERTZEL_GROUPS] = {};
    for (int32_t i = 0; i < count; ++i) {
        myPartials[i].fineBin = std::round(myPartials[i].coarseBin * ZOOM);
        for (int32_t j = 0; j < 3; ++j) {
            bins[3 * i + j] = myPartials[i].fineBin + (j - 1);
        }
    }
    evaluateFine(bins, 3 * count, power);
    for (int32_t i = 0; i < count; ++i) {
        std::copy_n(power + 3 * i, 3, myPartials[i].finePower);
    }
    for (int32_t step = 0; step < 2; ++step) {
        int32_t moving = 0;
        int32_t which[PARTIAL_COUNT] = {};
        for (int32_t i = 0; i < count; ++i) {
            const double* p = myPartials[i].finePower;
            if (p[0] > p[1] || p[2] > p[1]) {
                const double direction = p[2] > p[0] ? 1.0 : -1.0;
                myPartials[i].fineBin += direction;
                bins[moving] = myPartials[i].fineBin + direction;
                which[moving++] = i;
            }
        }
        if (moving == 0) {
            break;
        }
        evaluateFine(bins, moving, power);
        for (int32_t m = 0; m < moving; ++m) {
            double* p = myPartials[which[m]].finePower;
            if (bins[m] > myPartials[which[m]].fineBin) {
                p[0] = p[1];
                p[1] = p[2];
                p[2] = power[m];
            } else {
                p[2] = p[1];
                p[1] = p[0];
                p[0] = power[m];
            }
        }
    }
    const double hzPerFineBin = mySampleRate / (static_cast<double>(N) * ZOOM);
    for (int32_t i = 0; i < count; ++i) {
        Partial& partial = myPartials[i];
        const double* p = partial.finePower;
        partial.frequency = (partial.fineBin + logParabolaOffset(p[0], p[1], p[2])) * hzPerFineBin;
    }
}

void PitchRefiner::evaluateFine(const double* fineBins, int32_t count, double* power) const {
    double coefficients[4 * MAX_GOERTZEL_GROUPS] = {};
    const double radiansPerFineBin = 2.0 * std::numbers::pi / (static_cast<double>(N) * ZOOM);
    for (int32_t i = 0; i < count; ++i) {
        coefficients[i] = 2.0 * std::cos(radiansPerFineBin * fineBins[i]);
    }
    goertzelQuads(myWindowed, coefficients, (count + 3) / 4, power);
}

// Weighted least squares of y_k = (f_k / k)^2 = a + b k^2 over the kept
// partials, with a = f0^2 and b = f0^2 B. A partial's frequency scatters with
// variance proportional to 1 / SNR, so y_k's with 4 f0^2 / (k^2 SNR).
bool PitchRefiner::fit(int32_t count, double* a, double* b) const {
    double s = 0.0;
    double sx = 0.0;
    double sy = 0.0;
    double sxx = 0.0;
    double sxy = 0.0;
    for (int32_t i = 0; i < count; ++i) {
        const Partial& partial = myPartials[i];
        if (!partial.kept) {
            continue;
        }
        const double k = partial.harmonic;
        const double x = k * k;
        const double y = (partial.frequency / k) * (partial.frequency / k);
        const double w = x * std::min(partial.localSnr, MAX_WEIGHTED_SNR);
        s += w;
        sx += w * x;
        sy += w * y;
        sxx += w * x * x;
        sxy += w * x * y;
    }
    const double determinant = s * sxx - sx * sx;
    if (!(determinant > 0.0)) {
        return false;
    }
    *b = (s * sxy - sx * sy) / determinant;
    *a = (sy - *b * sx) / s;
    return *a > 0.0;
}

PitchRefiner::Outcome PitchRefiner::fitAndCheck(int32_t count, double guess, double* fundamental) {
    const double binHz = mySampleRate / N;
    int32_t kept = count;
    double a = 0.0;
    double b = 0.0;
    while (true) {
        if (kept < MIN_PARTIALS) {
            return Outcome::Disagree;
        }
        if (!fit(count, &a, &b)) {
            return Outcome::Disagree;
        }
        int32_t worst = -1;
        double worstDeviations = MAX_DEVIATIONS;
        for (int32_t i = 0; i < count; ++i) {
            const Partial& partial = myPartials[i];
            const double k = partial.harmonic;
            const double squared = a + b * k * k;
            if (!partial.kept || squared <= 0.0) {
                continue;
            }
            const double scatter =
                std::max(SCATTER_SCALE * binHz / std::sqrt(partial.localSnr),
                         partial.frequency * (std::exp2(MIN_SCATTER_CENTS / 1200.0) - 1.0));
            const double deviations =
                std::abs(partial.frequency - k * std::sqrt(squared)) / scatter;
            if (deviations > worstDeviations) {
                worstDeviations = deviations;
                worst = i;
            }
        }
        if (worst < 0) {
            break;
        }
        myPartials[worst].kept = false;
        --kept;
    }
    myKeptCount = kept;
    myInharmonicity = b / a;
    const double f0 = std::sqrt(a);
    if (myInharmonicity < MIN_INHARMONICITY || myInharmonicity > MAX_INHARMONICITY ||
        std::abs(centsBetween(f0, guess)) > MAX_SHIFT_CENTS) {
        return Outcome::Disagree;
    }
    *fundamental = f0;
    return Outcome::Refined;
}

} // namespace ovra
