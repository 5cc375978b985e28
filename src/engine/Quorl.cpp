// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Quorl.hpp"

#include "common/SystemLog.hpp"
#include "engine/FftAndPeakScans.hpp"
#include "engine/FftTables.hpp"
#include "engine/fix_fft.hpp"

#include <cmath>
#include <mutex>

namespace ovra {

const int32_t Quorl::HARMONIC_NUMERATORS[HARMONIC_RATIO_COUNT] = {
    7, 6, 5, 4, 7, 3, 11, 5, 7, 11, 2, 11, 7, 5, 8, 3, 10, 7, 11, 4, 9, 5, 6, 7, 8, 9, 10, 11, 12};
const int32_t Quorl::HARMONIC_DENOMINATORS[HARMONIC_RATIO_COUNT] = {
    6, 5, 4, 3, 5, 2, 7, 3, 4, 6, 1, 5, 3, 2, 3, 1, 3, 2, 3, 1, 2, 1, 1, 1, 1, 1, 1, 1, 1};

// The detector's transforms always read their twiddles from the tables.
static_assert(FFT_TABLED_LENGTH >= Quorl::MAX_SPECTRUM_LENGTH);

namespace {

// Filled once by the class initialisation, read-only afterwards.
double HARMONIC_RATIOS[Quorl::HARMONIC_RATIO_COUNT] = {};

// Relative distance below which a frequency ratio counts as a table ratio.
constexpr double RATIO_TOLERANCE = 0.015;
// Share of the strongest bin's power that a listed peak must exceed.
constexpr double PEAK_THRESHOLD_FACTOR = 0.005;
// Share of the strongest bin's power for the loudest-pitch second peak.
constexpr double LOUDEST_PITCH_THRESHOLD_FACTOR = 0.05;
// Weight lost per unit by which numerator + denominator exceed 3.
constexpr double COMPLEXITY_PENALTY = -0.03;

} // namespace

Quorl::Quorl(float sampleRate) : mySampleRate(sampleRate) {
    initialize();
}

void Quorl::initialize() {
    // Capture threads may create detectors concurrently; the table must be
    // complete before any of them reads it.
    static std::once_flag once;
    std::call_once(once, [] {
        systemLog("Debug Quorl - InitHR");
        initializeHarmonicRatios();
        prepareFftTables();
    });
}

void Quorl::initializeHarmonicRatios() {
    for (int32_t i = 0; i < HARMONIC_RATIO_COUNT; ++i) {
        HARMONIC_RATIOS[i] = static_cast<double>(HARMONIC_NUMERATORS[i]) /
                             static_cast<double>(HARMONIC_DENOMINATORS[i]);
    }
}

double Quorl::harmonicRatio(int32_t index) {
    if (index < 0 || index >= HARMONIC_RATIO_COUNT) {
        return 0.0;
    }
    return HARMONIC_RATIOS[index];
}

bool Quorl::isValidBufferLength(int32_t bufferLength) {
    return bufferLength >= 1 && bufferLength <= MAX_BUFFER_LENGTH &&
           (bufferLength & (bufferLength - 1)) == 0;
}

void Quorl::setBufferLength(int32_t bufferLength) {
    if (!isValidBufferLength(bufferLength)) {
        systemLog("Quorl: buffer length %d refused (a power of two from 1 to %d is needed)",
                  bufferLength, MAX_BUFFER_LENGTH);
        return;
    }
    myBufferLength = bufferLength;
    mySpectrumLength = 2 * bufferLength;
    myFrequencyConversionFactor =
        static_cast<double>(static_cast<float>(mySpectrumLength) / mySampleRate);
}

int32_t Quorl::computeSpectrum(const int16_t* samples) {
    const int32_t n = myBufferLength;
    runFFTOfSamples(1, samples, n, 2 * n, myRealValues, myImaginaryValues);
    computePowerSpectrum(myRealValues, myImaginaryValues, n, myPowerValues);
    return findStrongestBin();
}

int32_t Quorl::findStrongestBin() const {
    double best = 0.0;
    int32_t bin = 0;
    for (int32_t j = 0; j < myBufferLength; ++j) {
        if (myPowerValues[j] > best) {
            best = myPowerValues[j];
            bin = j;
        }
    }
    return bin;
}

double Quorl::modeFrequencyOfBin(int32_t bin) const {
    return interpolatePeakX(myPowerValues, bin, 0, myBufferLength) / myFrequencyConversionFactor;
}

void Quorl::finishAnalysis(int32_t strongestBin, double* fundamentalVariable,
                           double* rawPeakPowerVariable) {
    if (fundamentalVariable != nullptr) {
        detectPeaks();
        *fundamentalVariable = calculateFundamentalFromHarmonicRatios();
    }
    if (rawPeakPowerVariable != nullptr) {
        *rawPeakPowerVariable = myPowerValues[strongestBin];
    }
}

namespace {

double refuse(double* fundamentalVariable, double* rawPeakPowerVariable) {
    if (fundamentalVariable != nullptr) {
        *fundamentalVariable = 0.0;
    }
    if (rawPeakPowerVariable != nullptr) {
        *rawPeakPowerVariable = 0.0;
    }
    return 0.0;
}

} // namespace

double Quorl::detectPitchByHarmonics(const int16_t* samples, int32_t bufferLength,
                                     double* fundamentalVariable, double* rawPeakPowerVariable) {
    if (samples == nullptr || !isValidBufferLength(bufferLength)) {
        systemLog("Quorl: analysis of %d samples at %p refused", bufferLength,
                  static_cast<const void*>(samples));
        return refuse(fundamentalVariable, rawPeakPowerVariable);
    }
    setBufferLength(bufferLength);
    const int32_t strongest = computeSpectrum(samples);
    const double mode = modeFrequencyOfBin(strongest);
    finishAnalysis(strongest, fundamentalVariable, rawPeakPowerVariable);
    return mode;
}

double Quorl::detectLoudestPitch(const int16_t* samples, double* fundamentalVariable) {
    if (samples == nullptr || !isValidBufferLength(myBufferLength)) {
        systemLog("Quorl: loudest-pitch analysis refused (samples %p, buffer length %d)",
                  static_cast<const void*>(samples), myBufferLength);
        return refuse(fundamentalVariable, nullptr);
    }
    const int32_t n = myBufferLength;
    const int32_t strongest = computeSpectrum(samples);
    const double mode = modeFrequencyOfBin(strongest);
    myRawPeakPower = myPowerValues[strongest];
    if (fundamentalVariable != nullptr) {
        const double threshold = LOUDEST_PITCH_THRESHOLD_FACTOR * myRawPeakPower;
        const int32_t next = findNextPeakIndex(myPowerValues, strongest + 5, n, threshold);
        if (next == -1) {
            *fundamentalVariable = mode;
        } else {
            *fundamentalVariable = next / myFrequencyConversionFactor - mode;
        }
    }
    return mode;
}

double Quorl::detectPitchWithFFFTByHarmonics(const int16_t* samples, int32_t bufferLengthExponent,
                                             double* fundamentalVariable,
                                             double* rawPeakPowerVariable) {
    if (samples == nullptr || bufferLengthExponent < 0 ||
        bufferLengthExponent > MAX_FIXED_BUFFER_LENGTH_EXPONENT) {
        systemLog("Quorl: fixed-point analysis of 2^%d samples at %p refused", bufferLengthExponent,
                  static_cast<const void*>(samples));
        return refuse(fundamentalVariable, rawPeakPowerVariable);
    }
    const auto n = static_cast<int32_t>(std::pow(2.0, bufferLengthExponent));
    setBufferLength(n);
    for (int32_t i = 0; i < n; ++i) {
        myFixedRealValues[i] = samples[i];
        myFixedImaginaryValues[i] = 0;
    }
    for (int32_t i = n; i < 2 * n; ++i) {
        myFixedRealValues[i] = 0;
        myFixedImaginaryValues[i] = 0;
    }
    fix_fft(myFixedRealValues, myFixedImaginaryValues,
            static_cast<int16_t>(bufferLengthExponent + 1), 0);
    for (int32_t k = 0; k < n; ++k) {
        // Two squares of -32768 overflow 32 bits; sum them in 64.
        const int64_t re = myFixedRealValues[k];
        const int64_t im = myFixedImaginaryValues[k];
        myPowerValues[k] = static_cast<double>(re * re + im * im);
    }
    const int32_t strongest = findStrongestBin();
    const double mode = modeFrequencyOfBin(strongest);
    finishAnalysis(strongest, fundamentalVariable, rawPeakPowerVariable);
    return mode;
}

void Quorl::detectPeaks() {
    myPeakCount = 0;
    const int32_t n = mySpectrumLength / 2;
    if (n <= 0) {
        return;
    }
    const int32_t top = getTopPeakIndex(myPowerValues, 0, n);
    const double threshold = PEAK_THRESHOLD_FACTOR * myPowerValues[top];
    for (int32_t i = 1; i <= n - 2; ++i) {
        if (threshold < myPowerValues[i] && myPowerValues[i] > myPowerValues[i - 1] &&
            myPowerValues[i] > myPowerValues[i + 1]) {
            rankPeak(i);
        }
    }
    for (int32_t k = 0; k < myPeakCount; ++k) {
        myPeakFrequencyArray[k] = interpolatePeakX(myPowerValues, myPeakIndexArray[k], 0, n) /
                                  myFrequencyConversionFactor;
    }
}

void Quorl::rankPeak(int32_t bin) {
    if (bin < 0 || bin >= MAX_SPECTRUM_LENGTH) {
        return;
    }
    // Insertion: a slot whose power is strictly below the candidate's takes
    // the candidate, and the slot's former entry travels on as the candidate.
    int32_t candidateIndex = bin;
    double candidatePower = myPowerValues[bin];
    for (int32_t s = 0; s < PEAK_SLOT_COUNT; ++s) {
        int32_t slotIndex = -1;
        double slotPower = 0.0;
        if (s < myPeakCount && myPeakIndexArray[s] >= 0) {
            slotIndex = myPeakIndexArray[s];
            slotPower = myPowerValues[slotIndex];
        }
        if (slotPower < candidatePower) {
            myPeakIndexArray[s] = candidateIndex;
            candidateIndex = slotIndex;
            candidatePower = slotPower;
        }
    }
    if (myPeakCount <= PEAK_SLOT_COUNT - 1) {
        ++myPeakCount;
    }
}

double Quorl::calculateFundamentalFromHarmonicRatios() {
    clearHarmonicWeights();
    if (myPeakCount <= 0) {
        return 0.0;
    }
    if (myPeakCount == 1) {
        myHarmonicWeights[0][1] = 1.0;
    }
    for (int32_t i = 0; i < myPeakCount; ++i) {
        for (int32_t j = i + 1; j < myPeakCount; ++j) {
            comparePeak(i, j, myPowerValues[myPeakIndexArray[i]],
                        myPowerValues[myPeakIndexArray[j]]);
        }
    }
    int32_t peak = 0;
    int32_t harmonic = 0;
    findMaximumWeight(&peak, &harmonic, nullptr);
    if (harmonic == 0) {
        return 0.0;
    }
    return myPeakFrequencyArray[peak] / harmonic;
}

void Quorl::clearHarmonicWeights() {
    for (auto& row : myHarmonicWeights) {
        for (double& weight : row) {
            weight = 0.0;
        }
    }
}

void Quorl::comparePeak(int32_t peakA, int32_t withOtherPeak, double withAmplitudeA,
                        double withAmplitudeB) {
    const int32_t peakB = withOtherPeak;
    if (peakA < 0 || peakA >= PEAK_SLOT_COUNT || peakB < 0 || peakB >= PEAK_SLOT_COUNT) {
        return;
    }
    const double fA = myPeakFrequencyArray[peakA];
    const double fB = myPeakFrequencyArray[peakB];
    const double high = fA > fB ? fA : fB;
    const double low = fA > fB ? fB : fA;
    const double small =
        std::sqrt(withAmplitudeA < withAmplitudeB ? withAmplitudeA : withAmplitudeB);
    const double large =
        std::sqrt(withAmplitudeA < withAmplitudeB ? withAmplitudeB : withAmplitudeA);

    const int32_t i = fitToIntegerRatio(high / low);
    if (i == -1) {
        return;
    }
    // The weaker peak sets the strength of the vote.
    const double weight = small + 0.1 * large;
    const int32_t numerator = HARMONIC_NUMERATORS[i];
    const int32_t denominator = HARMONIC_DENOMINATORS[i];
    // Vote for the plain reading and for the readings two, three and four
    // times as deep, which addWeight makes progressively weaker.
    for (int32_t k = 1; k <= 4; ++k) {
        addWeight(weight, peakA, peakB, k * numerator, k * denominator);
    }
}

int32_t Quorl::fitToIntegerRatio(double ratio) const {
    for (int32_t i = 0; i < HARMONIC_RATIO_COUNT; ++i) {
        const double r = HARMONIC_RATIOS[i];
        if (std::fabs(ratio - r) / r < RATIO_TOLERANCE) {
            return i;
        }
    }
    return -1;
}

void Quorl::addWeight(double weight, int32_t peakA, int32_t peakB, int32_t numerator,
                      int32_t denominator) {
    if (peakA < 0 || peakA >= PEAK_SLOT_COUNT || peakB < 0 || peakB >= PEAK_SLOT_COUNT) {
        return;
    }
    const double scaled = ((numerator + denominator - 3) * COMPLEXITY_PENALTY + 1.0) * weight;
    if (myPeakFrequencyArray[peakA] < myPeakFrequencyArray[peakB]) {
        addHarmonicLinkForPeak(peakA, denominator, scaled);
        addHarmonicLinkForPeak(peakB, numerator, scaled);
    } else {
        addHarmonicLinkForPeak(peakB, denominator, scaled);
        addHarmonicLinkForPeak(peakA, numerator, scaled);
    }
}

void Quorl::addHarmonicLinkForPeak(int32_t peak, int32_t withHarmonicNumber, double withWeight) {
    if (peak < 0 || peak >= PEAK_SLOT_COUNT || withHarmonicNumber < 0) {
        return;
    }
    if (withHarmonicNumber <= HARMONIC_NUMBER_COUNT - 1) {
        myHarmonicWeights[peak][withHarmonicNumber] += withWeight;
    }
}

void Quorl::findMaximumWeight(int32_t* peakVariable, int32_t* withHarmonicNumberVariable,
                              float* topWeightRatio) const {
    double best = 0.0;
    double previous = 0.0;
    int32_t peak = 0;
    int32_t harmonic = 0;
    for (int32_t s = 0; s < myPeakCount && s < PEAK_SLOT_COUNT; ++s) {
        for (int32_t h = 0; h < HARMONIC_NUMBER_COUNT; ++h) {
            if (myHarmonicWeights[s][h] > best) {
                previous = best;
                best = myHarmonicWeights[s][h];
                peak = s;
                harmonic = h;
            }
        }
    }
    if (peakVariable != nullptr) {
        *peakVariable = peak;
    }
    if (withHarmonicNumberVariable != nullptr) {
        *withHarmonicNumberVariable = harmonic;
    }
    if (topWeightRatio != nullptr) {
        *topWeightRatio = previous == 0.0 ? 0.0f : static_cast<float>(best / previous);
    }
}

int32_t Quorl::peakIndex(int32_t slot) const {
    return (slot >= 0 && slot < PEAK_SLOT_COUNT) ? myPeakIndexArray[slot] : -1;
}

double Quorl::peakFrequency(int32_t slot) const {
    return (slot >= 0 && slot < PEAK_SLOT_COUNT) ? myPeakFrequencyArray[slot] : 0.0;
}

double Quorl::harmonicWeight(int32_t slot, int32_t harmonicNumber) const {
    if (slot < 0 || slot >= PEAK_SLOT_COUNT || harmonicNumber < 0 ||
        harmonicNumber >= HARMONIC_NUMBER_COUNT) {
        return 0.0;
    }
    return myHarmonicWeights[slot][harmonicNumber];
}

double Quorl::powerValue(int32_t bin) const {
    return (bin >= 0 && bin < MAX_SPECTRUM_LENGTH) ? myPowerValues[bin] : 0.0;
}

double Quorl::realValue(int32_t index) const {
    return (index >= 0 && index < MAX_SPECTRUM_LENGTH) ? myRealValues[index] : 0.0;
}

double Quorl::imaginaryValue(int32_t index) const {
    return (index >= 0 && index < MAX_SPECTRUM_LENGTH) ? myImaginaryValues[index] : 0.0;
}

} // namespace ovra
