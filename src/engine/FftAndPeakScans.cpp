#include "engine/FftAndPeakScans.hpp"

#include <cmath>

namespace ovra {

namespace {

// The detector's angle constant: a decimal approximation, not full-precision pi.
constexpr double APPROXIMATE_PI = 3.14159265;

} // namespace

void runFFT(int32_t direction, int32_t length, double* real, double* imaginary) {
    const double scale = 2.0 / length;

    // Bit-reversal permutation with the scaling folded in: each pair is
    // swapped once (j > i) and a self-paired entry scaled in place (j == i).
    int32_t j = 0;
    for (int32_t i = 0; i < length; ++i) {
        if (j >= i) {
            const double ri = real[i];
            const double ii = imaginary[i];
            real[i] = scale * real[j];
            imaginary[i] = scale * imaginary[j];
            real[j] = scale * ri;
            imaginary[j] = scale * ii;
        }
        int32_t h = length / 2;
        while (h > 0 && j >= h) {
            j -= h;
            h /= 2;
        }
        j += h;
    }

    const double baseAngle = direction * APPROXIMATE_PI;
    for (int32_t half = 1; half < length; half *= 2) {
        const double step = baseAngle / half;
        const int32_t span = 2 * half;
        for (int32_t m = 0; m < half; ++m) {
            const double angle = step * m;
            const double wr = std::cos(angle);
            const double wi = std::sin(static_cast<double>(static_cast<float>(angle)));
            for (int32_t i = m; i < length; i += span) {
                const int32_t p = i + half;
                const double tr = wr * real[p] - wi * imaginary[p];
                const double ti = wr * imaginary[p] + wi * real[p];
                real[p] = real[i] - tr;
                imaginary[p] = imaginary[i] - ti;
                real[i] = tr + real[i];
                imaginary[i] = ti + imaginary[i];
            }
        }
    }
}

double interpolatePeakX(const double* values, int32_t index, int32_t lowerBound,
                        int32_t upperBound) {
    if (index == lowerBound || index == upperBound - 1) {
        return index;
    }
    const double left = values[index - 1];
    const double centre = values[index];
    const double right = values[index + 1];
    double denominator = (centre + centre) - left - right;
    denominator = denominator + denominator;
    return index + (right - left) / denominator;
}

int32_t getTopPeakIndex(const double* values, int32_t start, int32_t end) {
    int32_t best = start;
    for (int32_t i = start + 1; i < end; ++i) {
        if (values[best] < values[i]) {
            best = i;
        }
    }
    return best;
}

int32_t findNextPeakIndex(const double* values, int32_t from, int32_t count, double threshold) {
    for (int32_t k = from + 1; k < count - 1; ++k) {
        if (values[k] > threshold && values[k] > values[k - 1] && values[k] > values[k + 1]) {
            return k;
        }
    }
    return -1;
}

} // namespace ovra
