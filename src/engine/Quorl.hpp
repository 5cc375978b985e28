// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace ovra {

class QuorlTestAccess;

// The pitch detector. One object holds every working array of an analysis
// (about 130 KB) and the transform's tables are built with the class, so an
// analysis allocates nothing; hold it by
// std::unique_ptr. Not safe for concurrent use: each call uses the arrays as
// scratch space.
class Quorl {
public:
    static constexpr int32_t MAX_SPECTRUM_LENGTH = 4096;
    static constexpr int32_t MAX_BUFFER_LENGTH = MAX_SPECTRUM_LENGTH / 2;
    static constexpr int32_t MAX_FIXED_BUFFER_LENGTH_EXPONENT = 9;
    static constexpr int32_t PEAK_SLOT_COUNT = 10;
    static constexpr int32_t HARMONIC_NUMBER_COUNT = 15;
    static constexpr int32_t HARMONIC_RATIO_COUNT = 29;

    static const int32_t HARMONIC_NUMERATORS[HARMONIC_RATIO_COUNT];
    static const int32_t HARMONIC_DENOMINATORS[HARMONIC_RATIO_COUNT];

    explicit Quorl(float sampleRate);
    Quorl(const Quorl&) = delete;
    Quorl& operator=(const Quorl&) = delete;

    // Class initialisation: logs "Debug Quorl - InitHR", fills the ratio
    // table and builds the transform's shared tables. Runs once per process, at the latest when the
    // first detector is constructed; further calls do nothing.
    static void initialize();
    static void initializeHarmonicRatios();
    // Numerator / denominator of table entry i (0 before initialisation).
    static double harmonicRatio(int32_t index);

    // n must be a power of two from 1 to 2048; other values are refused
    // (logged, previous length kept).
    void setBufferLength(int32_t bufferLength);

    // The application's entry point: mode frequency in Hz; on request the
    // fundamental (0.0 when none is found) and the power of the strongest bin.
    // A refused call (null samples, bad length) returns 0.0 and writes 0.0
    // into the variables given.
    double detectPitchByHarmonics(const int16_t* samples, int32_t bufferLength,
                                  double* fundamentalVariable, double* rawPeakPowerVariable);

    // Analyses the current buffer length; the fundamental is taken from the
    // spacing between the strongest bin and the next peak above 5 % of it.
    double detectLoudestPitch(const int16_t* samples, double* fundamentalVariable);

    // Fixed-point variant for 2^exponent samples, exponent 0..9.
    double detectPitchWithFFFTByHarmonics(const int16_t* samples, int32_t bufferLengthExponent,
                                          double* fundamentalVariable,
                                          double* rawPeakPowerVariable);

    // Peak list: up to ten strict local maxima above 0.5 % of the strongest
    // bin, strongest first, with interpolated frequencies.
    void detectPeaks();
    void rankPeak(int32_t bin);

    // Harmonic-ratio vote over every pair of listed peaks.
    double calculateFundamentalFromHarmonicRatios();
    void clearHarmonicWeights();
    void comparePeak(int32_t peakA, int32_t withOtherPeak, double withAmplitudeA,
                     double withAmplitudeB);
    int32_t fitToIntegerRatio(double ratio) const;
    void addWeight(double weight, int32_t peakA, int32_t peakB, int32_t numerator,
                   int32_t denominator);
    void addHarmonicLinkForPeak(int32_t peak, int32_t withHarmonicNumber, double withWeight);
    void findMaximumWeight(int32_t* peakVariable, int32_t* withHarmonicNumberVariable,
                           float* topWeightRatio) const;

    // Read access to the state of the last analysis.
    float sampleRate() const { return mySampleRate; }
    int32_t bufferLength() const { return myBufferLength; }
    int32_t spectrumLength() const { return mySpectrumLength; }
    double frequencyConversionFactor() const { return myFrequencyConversionFactor; }
    double rawPeakPower() const { return myRawPeakPower; }
    int32_t peakCount() const { return myPeakCount; }
    int32_t peakIndex(int32_t slot) const;
    double peakFrequency(int32_t slot) const;
    double harmonicWeight(int32_t slot, int32_t harmonicNumber) const;
    double powerValue(int32_t bin) const;
    double realValue(int32_t index) const;
    double imaginaryValue(int32_t index) const;

private:
    friend class QuorlTestAccess;

    static bool isValidBufferLength(int32_t bufferLength);
    // Zero-pads and transforms myBufferLength samples, fills the power
    // spectrum; returns the strongest bin.
    int32_t computeSpectrum(const int16_t* samples);
    int32_t findStrongestBin() const;
    double modeFrequencyOfBin(int32_t bin) const;
    void finishAnalysis(int32_t strongestBin, double* fundamentalVariable,
                        double* rawPeakPowerVariable);

    float mySampleRate = 0.0f;
    int32_t myBufferLength = 0;
    int32_t mySpectrumLength = 0;
    int32_t myPeakIndexArray[PEAK_SLOT_COUNT] = {};
    double myPeakFrequencyArray[PEAK_SLOT_COUNT] = {};
    double myHarmonicWeights[PEAK_SLOT_COUNT][HARMONIC_NUMBER_COUNT] = {};
    int32_t myPeakCount = 0;
    double myRealValues[MAX_SPECTRUM_LENGTH] = {};
    double myImaginaryValues[MAX_SPECTRUM_LENGTH] = {};
    double myPowerValues[MAX_SPECTRUM_LENGTH] = {};
    int16_t myFixedRealValues[MAX_SPECTRUM_LENGTH] = {};
    int16_t myFixedImaginaryValues[MAX_SPECTRUM_LENGTH] = {};
    double myRawPeakPower = 0.0;
    double myFrequencyConversionFactor = 0.0;
};

} // namespace ovra
