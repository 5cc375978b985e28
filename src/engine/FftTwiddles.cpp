// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/FftTables.hpp"

#include <cmath>

namespace ovra {

namespace {

// The detector's angle constant: a decimal approximation, not full-precision pi.
constexpr double APPROXIMATE_PI = 3.14159265;

} // namespace

// Kept apart from the tables: the generator of the compiled-in values
// (tools/fft-tables) links this alone.
void computeFftTwiddles(int32_t direction, int32_t half, double* cosines, double* sines) {
    const double baseAngle = direction * APPROXIMATE_PI;
    const double step = baseAngle / half;
    for (int32_t m = 0; m < half; ++m) {
        const double angle = step * m;
        cosines[m] = std::cos(angle);
        sines[m] = std::sin(static_cast<double>(static_cast<float>(angle)));
    }
}

} // namespace ovra
