// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace ovra {

// In-place radix-2 decimation-in-time transform of `length` points (a power
// of two), scaled by 2/N, with the exponent sign given by `direction`
// (+1 in the detector). Twiddles use the angle constant 3.14159265; those of
// the detector's sizes and directions come from tables built once. Any other
// length leaves the arrays untouched.
void runFFT(int32_t direction, int32_t length, double* real, double* imaginary);

// Abscissa (in bins) of the vertex of the parabola through the values at
// index-1, index, index+1; the index itself at the lower bound or at the
// last position before the (exclusive) upper bound.
// runFFT of `sampleCount` samples zero-padded to `length` points (imaginary
// part zero), with bit-identical results, but reading the samples directly
// into their permuted places.
void runFFTOfSamples(int32_t direction, const int16_t* samples, int32_t sampleCount, int32_t length,
                     double* real, double* imaginary);

// power[j] = real[j]^2 + imaginary[j]^2 for j < count.
void computePowerSpectrum(const double* real, const double* imaginary, int32_t count,
                          double* power);

double interpolatePeakX(const double* values, int32_t index, int32_t lowerBound,
                        int32_t upperBound);

// Index of the first largest value in [start, end); start when the range
// holds at most one value.
int32_t getTopPeakIndex(const double* values, int32_t start, int32_t end);

// First strict local maximum above threshold at from+1 .. count-2, or -1.
int32_t findNextPeakIndex(const double* values, int32_t from, int32_t count, double threshold);

} // namespace ovra
