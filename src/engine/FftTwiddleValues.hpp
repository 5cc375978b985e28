// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace ovra {

// The forward twiddles of the transform's widest tabled pass (blocks of 2048
// points), computed once with glibc and compiled in as exact hex-float
// constants (FftTwiddleValues.cpp, written by scripts/make-fft-tables.sh).
// C libraries differ in the last bit of cos and sin; with these, every
// build (native or WebAssembly) transforms with the same bits.
inline constexpr int32_t FFT_TWIDDLE_VALUE_COUNT = 2048;
extern const double FFT_FORWARD_COSINES[FFT_TWIDDLE_VALUE_COUNT];
extern const double FFT_FORWARD_SINES[FFT_TWIDDLE_VALUE_COUNT];

} // namespace ovra
