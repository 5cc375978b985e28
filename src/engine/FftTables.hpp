// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace ovra {

// The longest transform whose tables are kept: the detector's largest spectrum.
inline constexpr int32_t FFT_TABLED_LENGTH = 4096;

// Twiddle factors of the pass that combines blocks of `half` points, position
// m = 0 .. half-1, with the exponent sign given by `direction`. These are the
// transform's own expressions (cosine in double, sine of the angle rounded to
// float); a table must hold exactly these values for results to stay the same.
void computeFftTwiddles(int32_t direction, int32_t half, double* cosines, double* sines);

// Every pass of a transform of up to FFT_TABLED_LENGTH points, computed once
// per process: the pass with blocks of `half` points reads entries
// half-1 .. 2*half-2. Only directions +1 and -1 are kept; others get nulls.
struct FftTwiddleTable {
    const double* cosines = nullptr;
    const double* sines = nullptr;
};
FftTwiddleTable fftTwiddleTable(int32_t direction);

// The bit-reversal permutation of a transform of `length` points (a power of
// two up to FFT_TABLED_LENGTH): the source index of every position, and the
// same as in-place work, the pairs to swap (low < high) and the fixed points.
// Null members for any other length.
struct FftBitReversal {
    const uint16_t* order = nullptr;
    const uint16_t* swapLow = nullptr;
    const uint16_t* swapHigh = nullptr;
    int32_t swapCount = 0;
    const uint16_t* fixed = nullptr;
    int32_t fixedCount = 0;
};
FftBitReversal fftBitReversal(int32_t length);

// Builds the forward transform's tables now, so that no analysis on a capture
// thread pays for (or allocates) them.
void prepareFftTables();

} // namespace ovra
