// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/FftAndPeakScans.hpp"

#include "engine/FftTables.hpp"

#include <cstring>
#include <vector>

namespace ovra {

namespace {

// Two doubles processed side by side. Each lane performs exactly the scalar
// operations, in the same order, so vectorising changes no result.
using Pair = double __attribute__((vector_size(16)));

Pair load(const double* p) {
    Pair v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

void store(double* p, Pair v) {
    std::memcpy(p, &v, sizeof v);
}

bool isPowerOfTwo(int32_t length) {
    return length >= 1 && (length & (length - 1)) == 0;
}

int32_t reverseBits(int32_t i, int32_t bits) {
    int32_t reversed = 0;
    for (int32_t b = 0; b < bits; ++b) {
        reversed |= ((i >> b) & 1) << (bits - 1 - b);
    }
    return reversed;
}

// Bit-reversal permutation with the scaling folded in: each pair is swapped
// once and a fixed point scaled in place. Every element ends up as one
// product scale * x, whatever the order the pairs are visited in.
void permuteAndScale(int32_t length, double scale, double* real, double* imaginary) {
    const auto swapScaled = [&](int32_t i, int32_t j) {
        const double ri = real[i];
        const double ii = imaginary[i];
        real[i] = scale * real[j];
        imaginary[i] = scale * imaginary[j];
        real[j] = scale * ri;
        imaginary[j] = scale * ii;
    };
    const FftBitReversal reversal = fftBitReversal(length);
    if (reversal.order == nullptr) {
        int32_t bits = 0;
        while ((1 << bits) < length) {
            ++bits;
        }
        for (int32_t i = 0; i < length; ++i) {
            const int32_t j = reverseBits(i, bits);
            if (j >= i) {
                swapScaled(i, j);
            }
        }
        return;
    }
    // Table-driven: no data-dependent branch per element.
    for (int32_t k = 0; k < reversal.swapCount; ++k) {
        swapScaled(reversal.swapLow[k], reversal.swapHigh[k]);
    }
    for (int32_t k = 0; k < reversal.fixedCount; ++k) {
        const int32_t i = reversal.fixed[k];
        real[i] = scale * real[i];
        imaginary[i] = scale * imaginary[i];
    }
}

// One butterfly, in the transform's own order of operations.
inline void butterfly(double wr, double wi, double& lowReal, double& lowImaginary, double& highReal,
                      double& highImaginary) {
    const double tr = wr * highReal - wi * highImaginary;
    const double ti = wr * highImaginary + wi * highReal;
    highReal = lowReal - tr;
    highImaginary = lowImaginary - ti;
    lowReal = tr + lowReal;
    lowImaginary = ti + lowImaginary;
}

// Passes with blocks of at least four points, four butterflies side by side.
// Built twice where the processor may have AVX: the loader picks the AVX
// build when it can run it. Every lane performs the same IEEE operations in
// the same order either way (no contraction), so the choice changes no bit.
// Not under the sanitizers: the loader runs the chooser before their runtime is up.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__SANITIZE_ADDRESS__) &&                  \
    !defined(__SANITIZE_THREAD__)
__attribute__((target_clones("avx", "default")))
#endif
void runWidePass(int32_t half, int32_t length, const double* cosines, const double* sines,
                 double* real, double* imaginary) {
    using Quad = double __attribute__((vector_size(32)));
    for (int32_t block = 0; block < length; block += 2 * half) {
        double* lowReal = real + block;
        double* lowImaginary = imaginary + block;
        double* highReal = lowReal + half;
        double* highImaginary = lowImaginary + half;
        for (int32_t m = 0; m < half; m += 4) {
            Quad wr;
            Quad wi;
            Quad pr;
            Quad pi;
            Quad ir;
            Quad ii;
            std::memcpy(&wr, cosines + m, sizeof wr);
            std::memcpy(&wi, sines + m, sizeof wi);
            std::memcpy(&pr, highReal + m, sizeof pr);
            std::memcpy(&pi, highImaginary + m, sizeof pi);
            std::memcpy(&ir, lowReal + m, sizeof ir);
            std::memcpy(&ii, lowImaginary + m, sizeof ii);
            const Quad tr = wr * pr - wi * pi;
            const Quad ti = wr * pi + wi * pr;
            const Quad hr = ir - tr;
            const Quad hi = ii - ti;
            const Quad lr = tr + ir;
            const Quad li = ti + ii;
            std::memcpy(highReal + m, &hr, sizeof hr);
            std::memcpy(highImaginary + m, &hi, sizeof hi);
            std::memcpy(lowReal + m, &lr, sizeof lr);
            std::memcpy(lowImaginary + m, &li, sizeof li);
        }
    }
}

// One pass: every block of 2*half points combines its halves. The butterflies
// of a pass touch disjoint elements, so running them block by block gives
// the same values as running them twiddle by twiddle.
void runPass(int32_t half, int32_t length, const double* cosines, const double* sines, double* real,
             double* imaginary) {
    if (half >= 4) {
        runWidePass(half, length, cosines, sines, real, imaginary);
        return;
    }
    if (half == 1) {
        for (int32_t i = 0; i < length; i += 2) {
            butterfly(cosines[0], sines[0], real[i], imaginary[i], real[i + 1], imaginary[i + 1]);
        }
        return;
    }
    for (int32_t block = 0; block < length; block += 4) {
        const Pair wr = load(cosines);
        const Pair wi = load(sines);
        const Pair pr = load(real + block + 2);
        const Pair pi = load(imaginary + block + 2);
        const Pair ir = load(real + block);
        const Pair ii = load(imaginary + block);
        const Pair tr = wr * pr - wi * pi;
        const Pair ti = wr * pi + wi * pr;
        store(real + block + 2, ir - tr);
        store(imaginary + block + 2, ii - ti);
        store(real + block, tr + ir);
        store(imaginary + block, ti + ii);
    }
}

// The passes from blocks of `firstHalf` points on.
void runPasses(int32_t direction, int32_t length, int32_t firstHalf, double* real,
               double* imaginary) {
    const FftTwiddleTable table = fftTwiddleTable(direction);
    std::vector<double> cosines;
    std::vector<double> sines;
    for (int32_t half = firstHalf; half < length; half *= 2) {
        if (table.cosines != nullptr && half < FFT_TABLED_LENGTH) {
            runPass(half, length, table.cosines + half - 1, table.sines + half - 1, real,
                    imaginary);
        } else {
            // Outside the detector's sizes and directions: this pass's twiddles only.
            cosines.resize(static_cast<size_t>(half));
            sines.resize(static_cast<size_t>(half));
            computeFftTwiddles(direction, half, cosines.data(), sines.data());
            runPass(half, length, cosines.data(), sines.data(), real, imaginary);
        }
    }
}

} // namespace

void runFFT(int32_t direction, int32_t length, double* real, double* imaginary) {
    if (!isPowerOfTwo(length)) {
        return;
    }
    permuteAndScale(length, 2.0 / length, real, imaginary);
    runPasses(direction, length, 1, real, imaginary);
}

void runFFTOfSamples(int32_t direction, const int16_t* samples, int32_t sampleCount, int32_t length,
                     double* real, double* imaginary) {
    if (!isPowerOfTwo(length) || sampleCount < 0 || sampleCount > length) {
        return;
    }
    const FftBitReversal reversal = fftBitReversal(length);
    if (reversal.order == nullptr) {
        for (int32_t i = 0; i < length; ++i) {
            real[i] = i < sampleCount ? samples[i] : 0.0;
            imaginary[i] = 0.0;
        }
        runFFT(direction, length, real, imaginary);
        return;
    }
    // Reads each sample straight into its bit-reversed place, scaled (the
    // same single product per element as copying, padding and permuting),
    // and runs the first pass on each pair while it is in registers.
    const double scale = 2.0 / length;
    const auto scaledSample = [&](int32_t i) {
        const int32_t j = reversal.order[i];
        const double x = j < sampleCount ? static_cast<double>(samples[j]) : 0.0;
        return scale * x;
    };
    if (length == 1) {
        real[0] = scaledSample(0);
        imaginary[0] = scale * 0.0;
        return;
    }
    double wr = 0.0;
    double wi = 0.0;
    const FftTwiddleTable table = fftTwiddleTable(direction);
    if (table.cosines != nullptr) {
        wr = table.cosines[0];
        wi = table.sines[0];
    } else {
        computeFftTwiddles(direction, 1, &wr, &wi);
    }
    for (int32_t i = 0; i < length; i += 2) {
        double lowReal = scaledSample(i);
        double lowImaginary = scale * 0.0;
        double highReal = scaledSample(i + 1);
        double highImaginary = scale * 0.0;
        butterfly(wr, wi, lowReal, lowImaginary, highReal, highImaginary);
        real[i] = lowReal;
        imaginary[i] = lowImaginary;
        real[i + 1] = highReal;
        imaginary[i + 1] = highImaginary;
    }
    runPasses(direction, length, 2, real, imaginary);
}

void computePowerSpectrum(const double* real, const double* imaginary, int32_t count,
                          double* power) {
    int32_t j = 0;
    for (; j + 2 <= count; j += 2) {
        const Pair re = load(real + j);
        const Pair im = load(imaginary + j);
        store(power + j, re * re + im * im);
    }
    for (; j < count; ++j) {
        power[j] = real[j] * real[j] + imaginary[j] * imaginary[j];
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
    if (end - start <= 1) {
        return start;
    }
    int32_t best = start;
    // The running maximum stays in a register rather than being reloaded.
    double bestValue = values[start];
    for (int32_t i = start + 1; i < end; ++i) {
        if (bestValue < values[i]) {
            best = i;
            bestValue = values[i];
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
