// SPDX-License-Identifier: GPL-3.0-or-later
// The transform against direct sums and hand-worked values (the fixed-point
// variant is checked through the detector, DetectorTest), and the three scans
// over a power spectrum: parabolic refinement of a peak, first strongest bin,
// and the next qualifying local maximum.
#include "engine/FftAndPeakScans.hpp"
#include "engine/FftTables.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <complex>
#include <cstdint>
#include <random>
#include <vector>

namespace ovra {
namespace {

// The transforms' own angle constant, not full-precision pi.
constexpr double APPROXIMATE_PI = 3.14159265;

TEST(RunFFT, MatchesTheDirectSumScaledTwoOverNInBothDirections) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> dist(-1000.0, 1000.0);
    for (int n : {2, 8, 64, 256}) {
        std::vector<double> x(static_cast<size_t>(n));
        for (double& v : x) {
            v = dist(rng);
        }
        for (int direction : {1, -1}) {
            std::vector<double> re = x, im(x.size(), 0.0);
            runFFT(direction, n, re.data(), im.data());
            for (int k = 0; k < n; ++k) {
                std::complex<long double> sum = 0.0L;
                for (int t = 0; t < n; ++t) {
                    sum += static_cast<long double>(x[t]) *
                           std::polar(1.0L, direction * 2.0L * APPROXIMATE_PI * ((k * t) % n) / n);
                }
                sum *= 2.0L / n;
                EXPECT_NEAR(re[k], static_cast<double>(sum.real()), 1e-3) << n << " bin " << k;
                EXPECT_NEAR(im[k], static_cast<double>(sum.imag()), 1e-3) << n << " bin " << k;
            }
        }
    }
}

TEST(RunFFT, TwiddlesUseTheDecimalPiAndASinglePrecisionSine) {
    std::vector<double> re = {0, 1, 0, 0, 0, 0, 0, 0}, im(8, 0.0);
    runFFT(1, 8, re.data(), im.data());
    // X[1] is 0.25 times the stage-3 twiddle: cosine of the double angle,
    // sine of the float-rounded angle. X[2]'s cosine is about 1.8e-9, not 0.
    const double angle = APPROXIMATE_PI / 4.0;
    EXPECT_EQ(re[1], 0.25 * std::cos(angle));
    EXPECT_EQ(im[1], 0.25 * std::sin(static_cast<double>(static_cast<float>(angle))));
    EXPECT_NEAR(re[2], 0.25 * std::cos(APPROXIMATE_PI / 2.0), 1e-17);
    EXPECT_GT(std::fabs(re[2]), 1e-10);
}

// The compiled-in twiddles (made with glibc) must be exactly what the
// transform's expressions give with glibc, in every pass and both
// directions; on this toolchain the two can be compared directly.
TEST(FftTables, CompiledInTwiddlesAreTheExpressionsBitForBit) {
    for (const int32_t direction : {1, -1}) {
        const FftTwiddleTable table = fftTwiddleTable(direction);
        ASSERT_NE(table.cosines, nullptr);
        for (int32_t half = 1; half < FFT_TABLED_LENGTH; half *= 2) {
            std::vector<double> cosines(static_cast<size_t>(half));
            std::vector<double> sines(static_cast<size_t>(half));
            computeFftTwiddles(direction, half, cosines.data(), sines.data());
            for (int32_t m = 0; m < half; ++m) {
                const auto expected = static_cast<size_t>(m);
                const int32_t at = half - 1 + m;
                ASSERT_EQ(std::bit_cast<uint64_t>(table.cosines[at]),
                          std::bit_cast<uint64_t>(cosines[expected]))
                    << "cosine, direction " << direction << ", half " << half << ", m " << m;
                ASSERT_EQ(std::bit_cast<uint64_t>(table.sines[at]),
                          std::bit_cast<uint64_t>(sines[expected]))
                    << "sine, direction " << direction << ", half " << half << ", m " << m;
            }
        }
    }
}

TEST(InterpolatePeakX, ParabolaVertexAndBoundsReturnedUnchanged) {
    const std::vector<double> v = {0, 1, 3, 2, 0};
    EXPECT_DOUBLE_EQ(interpolatePeakX(v.data(), 2, 0, 5), 2.0 + 1.0 / 6.0);
    const std::vector<double> symmetric = {0, 2, 9, 2, 0};
    EXPECT_DOUBLE_EQ(interpolatePeakX(symmetric.data(), 2, 0, 5), 2.0);
    // Values outside the bounds must not be read: make them poison.
    const std::vector<double> poison = {1e300, 5, 3, 4, 1e300};
    EXPECT_EQ(interpolatePeakX(poison.data(), 1, 1, 4), 1.0);
    EXPECT_EQ(interpolatePeakX(poison.data(), 3, 1, 4), 3.0);
}

TEST(GetTopPeakIndex, FirstOfEqualMaximaInTheHalfOpenRangeOrStartWhenEmpty) {
    struct Case {
        std::vector<double> values;
        int32_t start, end, index;
    };
    const Case cases[] = {{{1, 5, 5, 2}, 0, 4, 1},
                          {{9, 1, 3, 2, 8}, 1, 4, 2},
                          {{9, 1, 3, 2, 8}, 1, 5, 4},
                          {{1, 2, 3}, 2, 1, 2},
                          {{1, 2, 3}, 0, 0, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(getTopPeakIndex(c.values.data(), c.start, c.end), c.index)
            << "case " << &c - cases;
    }
}

TEST(FindNextPeakIndex, StrictMaximumAboveAStrictThresholdNeverTheStartOrTheLastBin) {
    struct Case {
        std::vector<double> values;
        int32_t start, length;
        double threshold;
        int32_t index;
    };
    // Skips its start bin; from 0 finds bin 1; never the last bin; a plateau
    // is no maximum; the threshold is strict; a start beyond finds nothing.
    const Case cases[] = {{{0, 9, 0, 0, 5, 0}, 1, 6, 1.0, 4}, {{0, 9, 0, 0, 5, 0}, 0, 6, 1.0, 1},
                          {{0, 0, 0, 1, 9}, 0, 5, 0.5, -1},   {{0, 5, 5, 0, 0}, 0, 5, 1.0, -1},
                          {{0, 3, 0, 4, 0}, 0, 5, 3.0, 3},    {{0, 3, 0, 4, 0}, 0, 5, 4.0, -1},
                          {{0, 3, 0, 4, 0}, 10, 5, 0.0, -1}};
    for (const Case& c : cases) {
        EXPECT_EQ(findNextPeakIndex(c.values.data(), c.start, c.length, c.threshold), c.index)
            << "case " << &c - cases;
    }
}

} // namespace
} // namespace ovra
