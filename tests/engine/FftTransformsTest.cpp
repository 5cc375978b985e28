// The two radix-2 transforms: scaling, exponent sign, twiddle precision,
// bit reversal (against a direct sum) and the fixed-point variant's limits.
#include "engine/FftAndPeakScans.hpp"
#include "engine/fix_fft.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdint>
#include <random>
#include <utility>
#include <vector>

namespace ovra {
namespace {

constexpr double APPROXIMATE_PI = 3.14159265;
const double PI = std::acos(-1.0);

struct Complex {
    std::vector<double> re;
    std::vector<double> im;
};

Complex transform(std::vector<double> re, int32_t direction = 1) {
    std::vector<double> im(re.size(), 0.0);
    runFFT(direction, static_cast<int32_t>(re.size()), re.data(), im.data());
    return {re, im};
}

// Direct O(N^2) sum with the same scaling and angle constant.
std::vector<std::complex<long double>> directSum(const std::vector<double>& x, int direction) {
    const size_t n = x.size();
    std::vector<std::complex<long double>> out(n);
    for (size_t k = 0; k < n; ++k) {
        std::complex<long double> sum = 0.0L;
        for (size_t t = 0; t < n; ++t) {
            const long double angle = direction * 2.0L * APPROXIMATE_PI *
                                      static_cast<long double>((k * t) % n) /
                                      static_cast<long double>(n);
            sum += static_cast<long double>(x[t]) * std::polar(1.0L, angle);
        }
        out[k] = sum * (2.0L / static_cast<long double>(n));
    }
    return out;
}

TEST(RunFFT, ImpulseAtZeroGivesFlatSpectrumScaledTwoOverN) {
    const Complex c = transform({1, 0, 0, 0, 0, 0, 0, 0});
    for (int k = 0; k < 8; ++k) {
        EXPECT_DOUBLE_EQ(c.re[k], 0.25) << "bin " << k;
        EXPECT_DOUBLE_EQ(c.im[k], 0.0) << "bin " << k;
    }
}

TEST(RunFFT, ConstantGoesToBinZeroOnly) {
    const Complex c = transform(std::vector<double>(8, 1.0));
    EXPECT_NEAR(c.re[0], 2.0, 1e-12);
    EXPECT_NEAR(c.im[0], 0.0, 1e-12);
    for (int k = 1; k < 8; ++k) {
        EXPECT_NEAR(c.re[k], 0.0, 1e-7) << "bin " << k;
        EXPECT_NEAR(c.im[k], 0.0, 1e-7) << "bin " << k;
    }
}

TEST(RunFFT, ImpulseAtOneShowsPositiveExponentDecimalPiAndSinglePrecisionSineTwiddle) {
    const Complex c = transform({0, 1, 0, 0, 0, 0, 0, 0});
    // X[2] is 0.25 * e^(i * 3.14159265 / 2): the cosine of the approximate
    // half angle is about 1.8e-9, far from full-pi rounding.
    EXPECT_NEAR(c.re[2], 0.25 * std::cos(APPROXIMATE_PI / 2.0), 1e-17);
    EXPECT_GT(std::fabs(c.re[2]), 1e-10);
    EXPECT_NEAR(c.im[2], 0.25, 1e-12);
    EXPECT_NEAR(transform({0, 1, 0, 0, 0, 0, 0, 0}, -1).im[2], -0.25, 1e-12);
    // X[1] is exactly 0.25 times the stage-3 twiddle of m = 1: cosine of the
    // double angle, sine of the float-rounded angle.
    const double angle = APPROXIMATE_PI / 4.0;
    EXPECT_EQ(c.re[1], 0.25 * std::cos(angle));
    EXPECT_EQ(c.im[1], 0.25 * std::sin(static_cast<double>(static_cast<float>(angle))));
    EXPECT_GT(std::fabs(c.im[1] - 0.25 * std::sin(angle)), 1e-9);
}

TEST(RunFFT, MatchesDirectSumOnRandomData) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> dist(-1000.0, 1000.0);
    for (int n : {2, 4, 16, 64, 256}) {
        std::vector<double> x(static_cast<size_t>(n));
        for (double& v : x) {
            v = dist(rng);
        }
        for (int direction : {1, -1}) {
            const Complex c = transform(x, direction);
            const auto expected = directSum(x, direction);
            for (int k = 0; k < n; ++k) {
                EXPECT_NEAR(c.re[k], static_cast<double>(expected[k].real()), 1e-3)
                    << "n " << n << " bin " << k;
                EXPECT_NEAR(c.im[k], static_cast<double>(expected[k].imag()), 1e-3)
                    << "n " << n << " bin " << k;
            }
        }
    }
}

TEST(RunFFT, OnBinCosineOf4096PointsLandsOnItsBin) {
    const int n = 4096;
    std::vector<double> x(n);
    for (int t = 0; t < n; ++t) {
        x[t] = 1000.0 * std::cos(2.0 * PI * 300.0 * t / n);
    }
    const Complex c = transform(x);
    EXPECT_NEAR(std::hypot(c.re[300], c.im[300]), 1000.0, 0.01);
    EXPECT_NEAR(std::hypot(c.re[n - 300], c.im[n - 300]), 1000.0, 0.01);
    EXPECT_NEAR(std::hypot(c.re[301], c.im[301]), 0.0, 0.01);
}

std::vector<int16_t> filled(int n, int16_t value) {
    return std::vector<int16_t>(static_cast<size_t>(n), value);
}

// Real and imaginary halves for fix_fft; the imaginary half starts at zero.
struct Fixed {
    std::vector<int16_t> re;
    std::vector<int16_t> im = filled(static_cast<int>(re.size()), 0);
    int32_t run(int32_t m, int32_t inverse) { return fix_fft(re.data(), im.data(), m, inverse); }
};

// 16000 * wave(2 pi cycles t / n), rounded.
Fixed fixedWave(int n, double cycles, double (*wave)(double)) {
    Fixed f{filled(n, 0)};
    for (int t = 0; t < n; ++t) {
        f.re[t] = static_cast<int16_t>(std::lround(16000.0 * wave(2.0 * PI * cycles * t / n)));
    }
    return f;
}

TEST(FixFFT, SinewaveTableHoldsTruncatedQ15Sine) {
    const long double pi = std::acos(-1.0L);
    for (int i = 0; i < 768; ++i) {
        const long double exact = 32767.0L * std::sin(2.0L * pi * i / 1024.0L);
        EXPECT_EQ(Sinewave[i], static_cast<int16_t>(std::trunc(exact))) << "entry " << i;
    }
}

TEST(FixFFT, ForwardConstantStaysInBinZeroScaledOneOverN) {
    Fixed f{filled(8, 16384)};
    EXPECT_EQ(f.run(3, 0), 0);
    EXPECT_EQ(f.re, (std::vector<int16_t>{16384, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(f.im, filled(8, 0));
}

TEST(FixFFT, RefusesMoreThan1024PointsAndLeavesDataAlone) {
    Fixed f{filled(2048, 0), filled(2048, 0)};
    for (int i = 0; i < 2048; ++i) {
        f.re[i] = static_cast<int16_t>(i * 7);
        f.im[i] = static_cast<int16_t>(-i);
    }
    const Fixed before = f;
    const std::pair<int32_t, int32_t> refused[] = {{11, 0}, {11, 1}, {15, 0}, {-1, 0}};
    for (const auto& [m, inverse] : refused) {
        EXPECT_EQ(f.run(m, inverse), -1) << "m " << m << " inverse " << inverse;
    }
    EXPECT_EQ(f.re, before.re);
    EXPECT_EQ(f.im, before.im);
}

TEST(FixFFT, Accepts1024PointsWithEveryStageHalving) {
    Fixed f{filled(1024, 0)};
    f.re[0] = 16384; // halved exactly ten times: 16 in every bin
    EXPECT_EQ(f.run(10, 0), 0);
    EXPECT_EQ(f.re, filled(1024, 16));
    EXPECT_EQ(f.im, filled(1024, 0));
}

TEST(FixFFT, ForwardCosineMatchesScaledDirectSum) {
    Fixed f = fixedWave(64, 4.0, [](double x) { return std::cos(x); });
    EXPECT_EQ(f.run(6, 0), 0);
    // (1/N) * sum: half the amplitude in bin 4 and in its mirror 60.
    for (int k = 0; k < 64; ++k) {
        EXPECT_NEAR(f.re[k], k == 4 || k == 60 ? 8000 : 0, 8) << "bin " << k;
        EXPECT_NEAR(f.im[k], 0, 8) << "bin " << k;
    }
}

TEST(FixFFT, ForwardSineHasNegativeExponentSign) {
    Fixed f = fixedWave(32, 2.0, [](double x) { return std::sin(x); });
    f.run(5, 0);
    // sin = (e^{iwt} - e^{-iwt}) / 2i: with e^{-i...} in the sum, bin 2 is -A/2 i.
    EXPECT_NEAR(f.im[2], -8000, 8);
    EXPECT_NEAR(f.im[30], 8000, 8);
}

TEST(FixFFT, InverseScalesOnlyStagesThatWouldOverflow) {
    // Small values: no stage needs halving, the count is 0 and the inverse of
    // an impulse is flat at its full value.
    Fixed small{filled(16, 0)};
    small.re[0] = 100;
    EXPECT_EQ(small.run(4, 1), 0);
    EXPECT_EQ(small.re, filled(16, 100));
    // A full-scale constant must halve at each of the four stages; the Q15
    // cosine of 0 is 32767/32768.
    Fixed big{filled(16, 20000)};
    EXPECT_EQ(big.run(4, 1), 4);
    for (int k = 0; k < 16; ++k) {
        EXPECT_NEAR(big.re[k], k == 0 ? 20000 : 0, 8) << "bin " << k;
    }
}

TEST(FixFFT, ForwardThenInverseRestoresSignal) {
    std::mt19937 rng(3);
    std::uniform_int_distribution<int> dist(-8000, 8000);
    Fixed f{filled(256, 0)};
    for (auto& v : f.re) {
        v = static_cast<int16_t>(dist(rng));
    }
    const std::vector<int16_t> original = f.re;
    EXPECT_EQ(f.run(8, 0), 0);
    EXPECT_EQ(f.run(8, 1), 0);
    // The forward pass keeps 1/N of the signal in 16 bits; the inverse sums
    // it back, with the rounding of the small forward values amplified.
    double errorSquares = 0.0;
    double signalSquares = 0.0;
    for (int t = 0; t < 256; ++t) {
        errorSquares += (f.re[t] - original[t]) * (f.re[t] - original[t]);
        signalSquares += original[t] * original[t];
    }
    EXPECT_LT(std::sqrt(errorSquares / signalSquares), 0.02);
}

TEST(FixFFT, ExtremeValuesDoNotOverflowIntoNonsense) {
    Fixed f{filled(8, -32768), filled(8, -32768)};
    EXPECT_EQ(f.run(3, 0), 0);
    for (int k = 0; k < 8; ++k) {
        EXPECT_NEAR(f.re[k], k == 0 ? -32768 : 0, 2) << "bin " << k;
        EXPECT_NEAR(f.im[k], k == 0 ? -32768 : 0, 2) << "bin " << k;
    }
}

} // namespace
} // namespace ovra
