// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace ovra {

// Three quarters of a 1024-point sine period in Q15: 32767 * sin(2*pi*i/1024),
// truncated toward zero. A cosine is read 256 entries further on.
extern const int16_t Sinewave[768];

// In-place 16-bit fixed-point transform of 2^m points (at most 1024).
// Forward (inverse == 0) halves at every stage, so the result is scaled by
// 1/N and the return value is 0. Inverse halves only the stages that would
// otherwise overflow and returns how many did. Returns -1 and leaves the
// data untouched when 2^m exceeds 1024 (or m is negative).
int32_t fix_fft(int16_t real[], int16_t imaginary[], int16_t m, int16_t inverse);

} // namespace ovra
