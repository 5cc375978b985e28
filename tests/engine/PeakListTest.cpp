// Building the ranked peak list from a power spectrum: qualification of a
// bin, the ten-slot ranking, and the interpolated frequencies.
#include "QuorlTestAccess.hpp"
#include "engine/Quorl.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace ovra {
namespace {

constexpr int32_t HALF = 256; // analysed bins in these hand-made spectra

class PeakList : public ::testing::Test {
protected:
    void SetUp() override {
        q = std::make_unique<Quorl>(8000.0f);
        QuorlTestAccess::clearSpectrum(*q, HALF);
    }
    void set(int32_t bin, double power) { QuorlTestAccess::setPower(*q, bin, power); }
    std::vector<int32_t> bins() const {
        std::vector<int32_t> out;
        for (int s = 0; s < q->peakCount(); ++s) {
            out.push_back(q->peakIndex(s));
        }
        return out;
    }
    std::unique_ptr<Quorl> q;
};

TEST_F(PeakList, AllZeroSpectrumListsNothing) {
    q->detectPeaks();
    EXPECT_EQ(q->peakCount(), 0);
}

TEST_F(PeakList, StrongestFirst) {
    set(10, 50);
    set(20, 400);
    set(30, 100);
    q->detectPeaks();
    EXPECT_EQ(bins(), (std::vector<int32_t>{20, 30, 10}));
}

TEST_F(PeakList, PlateauIsNeverAStrictMaximum) {
    set(40, 1000);
    set(41, 1000);
    set(80, 300);
    q->detectPeaks();
    EXPECT_EQ(bins(), (std::vector<int32_t>{80}));
}

TEST_F(PeakList, FirstAndLastAnalysedBinsAreNotCandidates) {
    set(0, 1000);
    set(HALF - 1, 900);
    set(HALF, 5000); // beyond the analysed half: never looked at
    set(100, 50);
    q->detectPeaks();
    EXPECT_EQ(bins(), (std::vector<int32_t>{100}));
}

TEST_F(PeakList, PowerEqualToHalfAPercentOfTheTopIsNotListed) {
    set(50, 1000.0);
    set(60, 5.0);  // exactly 0.5 % of 1000
    set(70, 5.01); // just above
    q->detectPeaks();
    EXPECT_EQ(bins(), (std::vector<int32_t>{50, 70}));
}

TEST_F(PeakList, TwelveMaximaKeepTheTenStrongestInOrder) {
    // Powers offered in an order unrelated to their strength.
    const double powers[12] = {30, 120, 70, 10, 110, 60, 90, 20, 100, 50, 80, 40};
    for (int k = 0; k < 12; ++k) {
        set(10 + 10 * k, powers[k]);
    }
    q->detectPeaks();
    ASSERT_EQ(q->peakCount(), 10);
    std::vector<double> listed;
    for (int s = 0; s < 10; ++s) {
        listed.push_back(q->powerValue(q->peakIndex(s)));
    }
    EXPECT_EQ(listed, (std::vector<double>{120, 110, 100, 90, 80, 70, 60, 50, 40, 30}));
}

TEST_F(PeakList, FullListDropsAnEqualCandidateAndAdmitsAStrongerOne) {
    for (int k = 0; k < 10; ++k) {
        set(10 + 10 * k, 100 + k);
    }
    set(150, 100);   // equal to the weakest listed: dropped
    set(160, 104.5); // stronger than five: pushes the weakest out
    q->detectPeaks();
    EXPECT_EQ(bins(), (std::vector<int32_t>{100, 90, 80, 70, 60, 160, 50, 40, 30, 20}));
}

TEST_F(PeakList, EqualPowersArrivingApartKeepTheirArrivalOrder) {
    set(10, 5);
    set(20, 5);
    set(30, 4);
    q->detectPeaks();
    EXPECT_EQ(bins(), (std::vector<int32_t>{10, 20, 30}));
}

TEST_F(PeakList, EqualPowersPushedDownTogetherSwapPlaces) {
    // The displaced earlier peak travels past its equal, which it does not
    // beat, and settles behind it.
    set(10, 5);
    set(20, 5);
    set(30, 6);
    q->detectPeaks();
    EXPECT_EQ(bins(), (std::vector<int32_t>{30, 20, 10}));
}

TEST_F(PeakList, FrequenciesAreInterpolatedAndConverted) {
    set(99, 1);
    set(100, 3);
    set(101, 2);
    q->detectPeaks();
    ASSERT_EQ(q->peakCount(), 1);
    EXPECT_DOUBLE_EQ(q->peakFrequency(0), (100.0 + 1.0 / 6.0) / q->frequencyConversionFactor());
}

TEST_F(PeakList, RebuildingForgetsThePreviousList) {
    set(10, 100);
    set(20, 90);
    q->detectPeaks();
    ASSERT_EQ(q->peakCount(), 2);
    set(10, 0);
    set(20, 0);
    set(30, 7);
    q->detectPeaks();
    EXPECT_EQ(bins(), (std::vector<int32_t>{30}));
}

TEST_F(PeakList, InvariantsHoldOnARealSpectrum) {
    // A rich tone through the real path: distinct bins, strict local maxima
    // above the threshold, non-increasing power.
    auto detector = std::make_unique<Quorl>(8000.0f);
    std::vector<int16_t> samples(2048);
    for (int t = 0; t < 2048; ++t) {
        double v = 0;
        for (int h = 1; h <= 12; ++h) {
            v += 2000.0 / h * std::sin(2 * 3.141592653589793 * 97.3 * h * t / 8000.0);
        }
        samples[t] = static_cast<int16_t>(v);
    }
    double fundamental = 0.0;
    detector->detectPitchByHarmonics(samples.data(), 2048, &fundamental, nullptr);
    ASSERT_EQ(detector->peakCount(), 10);
    double top = 0.0;
    for (int b = 0; b < 2048; ++b) {
        top = std::max(top, detector->powerValue(b));
    }
    std::vector<int32_t> seen;
    for (int s = 0; s < 10; ++s) {
        const int32_t b = detector->peakIndex(s);
        EXPECT_GE(b, 1);
        EXPECT_LE(b, 2046);
        EXPECT_EQ(std::count(seen.begin(), seen.end(), b), 0);
        seen.push_back(b);
        const double p = detector->powerValue(b);
        EXPECT_GT(p, 0.005 * top);
        EXPECT_GT(p, detector->powerValue(b - 1));
        EXPECT_GT(p, detector->powerValue(b + 1));
        if (s > 0) {
            EXPECT_LE(p, detector->powerValue(detector->peakIndex(s - 1)));
        }
    }
}

} // namespace
} // namespace ovra
