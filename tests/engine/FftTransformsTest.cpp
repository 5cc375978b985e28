// The two radix-2 transforms: scaling, exponent sign, twiddle precision,
// bit reversal (against a direct sum) and the fixed-point variant's limits.
#include "engine/FftAndPeakScans.hpp"
#include "engine/fix_fft.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdint>
#include <random>
#include <vector>

namespace ovra {
namespace {

constexpr double APPROXIMATE_PI = 3.14159265;

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

TEST(RunFFT, ExponentSignIsPositiveForDirectionPlusOne) {
    const Complex c = transform({0, 1, 0, 0, 0, 0, 0, 0});
    EXPECT_NEAR(c.re[2], 0.0, 1e-9);
    EXPECT_NEAR(c.im[2], 0.25, 1e-12);
    // Direction -1 mirrors the sign.
    const Complex back = transform({0, 1, 0, 0, 0, 0, 0, 0}, -1);
    EXPECT_NEAR(back.im[2], -0.25, 1e-12);
}

TEST(RunFFT, UsesTheDecimalPiConstantForTheAngles) {
    // X[2] of an impulse at 1 is 0.25 * e^(i * 3.14159265 / 2): the cosine of
    // the approximate half angle is about 1.8e-9, far from full-pi rounding.
    const Complex c = transform({0, 1, 0, 0, 0, 0, 0, 0});
    EXPECT_NEAR(c.re[2], 0.25 * std::cos(APPROXIMATE_PI / 2.0), 1e-17);
    EXPECT_GT(std::fabs(c.re[2]), 1e-10);
}

TEST(RunFFT, SineTwiddleTakesTheAngleRoundedToSinglePrecision) {
    // X[1] of an impulse at 1 is exactly 0.25 times the stage-3 twiddle of
    // m = 1: cosine of the double angle, sine of the float-rounded angle.
    const Complex c = transform({0, 1, 0, 0, 0, 0, 0, 0});
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
    const double pi = std::acos(-1.0);
    for (int t = 0; t < n; ++t) {
        x[t] = 1000.0 * std::cos(2.0 * pi * 300.0 * t / n);
    }
    const Complex c = transform(x);
    EXPECT_NEAR(std::hypot(c.re[300], c.im[300]), 1000.0, 0.01);
    EXPECT_NEAR(std::hypot(c.re[n - 300], c.im[n - 300]), 1000.0, 0.01);
    EXPECT_NEAR(std::hypot(c.re[301], c.im[301]), 0.0, 0.01);
}

std::vector<int16_t> filled(int n, int16_t value) {
    return std::vector<int16_t>(static_cast<size_t>(n), value);
}

TEST(FixFFT, SinewaveTableHoldsTruncatedQ15Sine) {
    EXPECT_EQ(Sinewave[0], 0);
    EXPECT_EQ(Sinewave[1], 201);
    EXPECT_EQ(Sinewave[2], 402);
    EXPECT_EQ(Sinewave[256], 32767);
    EXPECT_EQ(Sinewave[512], 0);
    EXPECT_EQ(Sinewave[513], -201);
    EXPECT_EQ(Sinewave[767], -32766);
    const long double pi = std::acos(-1.0L);
    for (int i = 0; i < 768; ++i) {
        const long double exact = 32767.0L * std::sin(2.0L * pi * i / 1024.0L);
        EXPECT_EQ(Sinewave[i], static_cast<int16_t>(std::trunc(exact))) << "entry " << i;
    }
}

TEST(FixFFT, ForwardConstantStaysInBinZeroScaledOneOverN) {
    auto re = filled(8, 16384);
    auto im = filled(8, 0);
    EXPECT_EQ(fix_fft(re.data(), im.data(), 3, 0), 0);
    EXPECT_EQ(re[0], 16384);
    EXPECT_EQ(im[0], 0);
    for (int k = 1; k < 8; ++k) {
        EXPECT_EQ(re[k], 0) << "bin " << k;
        EXPECT_EQ(im[k], 0) << "bin " << k;
    }
}

TEST(FixFFT, RefusesMoreThan1024PointsAndLeavesDataAlone) {
    std::vector<int16_t> re(2048);
    std::vector<int16_t> im(2048);
    for (int i = 0; i < 2048; ++i) {
        re[i] = static_cast<int16_t>(i * 7);
        im[i] = static_cast<int16_t>(-i);
    }
    const auto reBefore = re;
    const auto imBefore = im;
    EXPECT_EQ(fix_fft(re.data(), im.data(), 11, 0), -1);
    EXPECT_EQ(fix_fft(re.data(), im.data(), 11, 1), -1);
    EXPECT_EQ(fix_fft(re.data(), im.data(), 15, 0), -1);
    EXPECT_EQ(fix_fft(re.data(), im.data(), -1, 0), -1);
    EXPECT_EQ(re, reBefore);
    EXPECT_EQ(im, imBefore);
}

TEST(FixFFT, Accepts1024PointsWithEveryStageHalving) {
    auto re = filled(1024, 0);
    auto im = filled(1024, 0);
    re[0] = 16384; // halved exactly ten times: 16 in every bin
    EXPECT_EQ(fix_fft(re.data(), im.data(), 10, 0), 0);
    for (int k = 0; k < 1024; ++k) {
        ASSERT_EQ(re[k], 16) << "bin " << k;
        ASSERT_EQ(im[k], 0) << "bin " << k;
    }
}

TEST(FixFFT, ForwardCosineMatchesScaledDirectSum) {
    const int n = 64;
    auto re = filled(n, 0);
    auto im = filled(n, 0);
    const double pi = std::acos(-1.0);
    for (int t = 0; t < n; ++t) {
        re[t] = static_cast<int16_t>(std::lround(16000.0 * std::cos(2.0 * pi * 4.0 * t / n)));
    }
    EXPECT_EQ(fix_fft(re.data(), im.data(), 6, 0), 0);
    // (1/N) * sum: half the amplitude in bin 4 and in its mirror 60.
    EXPECT_NEAR(re[4], 8000, 8);
    EXPECT_NEAR(re[60], 8000, 8);
    for (int k = 0; k < n; ++k) {
        if (k != 4 && k != 60) {
            EXPECT_NEAR(re[k], 0, 8) << "bin " << k;
        }
        EXPECT_NEAR(im[k], 0, 8) << "bin " << k;
    }
}

TEST(FixFFT, ForwardSineHasNegativeExponentSign) {
    const int n = 32;
    auto re = filled(n, 0);
    auto im = filled(n, 0);
    const double pi = std::acos(-1.0);
    for (int t = 0; t < n; ++t) {
        re[t] = static_cast<int16_t>(std::lround(16000.0 * std::sin(2.0 * pi * 2.0 * t / n)));
    }
    fix_fft(re.data(), im.data(), 5, 0);
    // sin = (e^{iwt} - e^{-iwt}) / 2i: with e^{-i...} in the sum, bin 2 is -A/2 i.
    EXPECT_NEAR(im[2], -8000, 8);
    EXPECT_NEAR(im[30], 8000, 8);
}

TEST(FixFFT, InverseScalesOnlyStagesThatWouldOverflow) {
    // Small values: no stage needs halving, the count is 0 and the inverse of
    // an impulse is flat at its full value.
    auto re = filled(16, 0);
    auto im = filled(16, 0);
    re[0] = 100;
    EXPECT_EQ(fix_fft(re.data(), im.data(), 4, 1), 0);
    for (int k = 0; k < 16; ++k) {
        EXPECT_EQ(re[k], 100) << "bin " << k;
    }
    // A full-scale constant must halve at each of the four stages.
    auto big = filled(16, 20000);
    auto bigIm = filled(16, 0);
    EXPECT_EQ(fix_fft(big.data(), bigIm.data(), 4, 1), 4);
    EXPECT_NEAR(big[0], 20000, 8); // Q15 cosine of 0 is 32767/32768
    for (int k = 1; k < 16; ++k) {
        EXPECT_NEAR(big[k], 0, 8) << "bin " << k;
    }
}

TEST(FixFFT, ForwardThenInverseRestoresSignal) {
    const int n = 256;
    std::vector<int16_t> original(n);
    std::mt19937 rng(3);
    std::uniform_int_distribution<int> dist(-8000, 8000);
    for (auto& v : original) {
        v = static_cast<int16_t>(dist(rng));
    }
    auto re = original;
    auto im = filled(n, 0);
    EXPECT_EQ(fix_fft(re.data(), im.data(), 8, 0), 0);
    const int32_t scaled = fix_fft(re.data(), im.data(), 8, 1);
    EXPECT_EQ(scaled, 0);
    // The forward pass keeps 1/N of the signal in 16 bits; the inverse sums
    // it back, with the rounding of the small forward values amplified.
    double errorSquares = 0.0;
    double signalSquares = 0.0;
    for (int t = 0; t < n; ++t) {
        errorSquares += (re[t] - original[t]) * (re[t] - original[t]);
        signalSquares += original[t] * original[t];
    }
    EXPECT_LT(std::sqrt(errorSquares / signalSquares), 0.02);
}

TEST(FixFFT, ExtremeValuesDoNotOverflowIntoNonsense) {
    auto re = filled(8, -32768);
    auto im = filled(8, -32768);
    EXPECT_EQ(fix_fft(re.data(), im.data(), 3, 0), 0);
    EXPECT_NEAR(re[0], -32768, 2);
    EXPECT_NEAR(im[0], -32768, 2);
    for (int k = 1; k < 8; ++k) {
        EXPECT_NEAR(re[k], 0, 2);
        EXPECT_NEAR(im[k], 0, 2);
    }
}

} // namespace
} // namespace ovra
