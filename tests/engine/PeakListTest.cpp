// SPDX-License-Identifier: GPL-3.0-or-later
// Building the ranked peak list from a power spectrum: qualification of a
// bin, the ten-slot ranking, and the interpolated frequencies.
#include "QuorlTestAccess.hpp"
#include "engine/Quorl.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace ovra {
namespace {

constexpr int32_t HALF = 256; // analysed bins in these hand-made spectra

class PeakList : public ::testing::Test {
protected:
    void SetUp() override { QuorlTestAccess::clearSpectrum(*q, HALF); }
    void set(int32_t bin, double power) { QuorlTestAccess::power(*q, bin) = power; }
    std::vector<int32_t> bins() const {
        std::vector<int32_t> out;
        for (int s = 0; s < q->peakCount(); ++s) {
            out.push_back(q->peakIndex(s));
        }
        return out;
    }
    std::unique_ptr<Quorl> q = std::make_unique<Quorl>(8000.0f);
};

TEST_F(PeakList, StrictMaximaAboveHalfAPercentOfTheTopRankStrongestFirstAndRebuildsForget) {
    struct Case {
        const char* what;
        std::vector<std::pair<int32_t, double>> spectrum;
        std::vector<int32_t> bins;
    };
    const Case cases[] = {
        {"strongest first", {{10, 50}, {20, 400}, {30, 100}}, {20, 30, 10}},
        {"a plateau is never a strict maximum", {{40, 1000}, {41, 1000}, {80, 300}}, {80}},
        // Bin HALF lies beyond the analysed half and is never looked at.
        {"first and last analysed bins are no candidates",
         {{0, 1000}, {HALF - 1, 900}, {HALF, 5000}, {100, 50}},
         {100}},
        {"exactly 0.5 % of the top is not listed", {{50, 1000}, {60, 5.0}, {70, 5.01}}, {50, 70}},
        // clang-format off
        {"twelve maxima keep the ten strongest",
         {{10, 30}, {20, 120}, {30, 70}, {40, 10}, {50, 110}, {60, 60},
          {70, 90}, {80, 20}, {90, 100}, {100, 50}, {110, 80}, {120, 40}},
         {20, 50, 90, 70, 110, 30, 60, 100, 120, 10}},
        // Bin 150 equals the weakest listed; bin 160 beats five of them.
        {"a full list drops an equal candidate and admits a stronger one",
         {{10, 100}, {20, 101}, {30, 102}, {40, 103}, {50, 104}, {60, 105},
          {70, 106}, {80, 107}, {90, 108}, {100, 109}, {150, 100}, {160, 104.5}},
         {100, 90, 80, 70, 60, 160, 50, 40, 30, 20}},
        // clang-format on
        {"equal powers arriving apart keep their order", {{10, 5}, {20, 5}, {30, 4}}, {10, 20, 30}},
        // The displaced earlier peak travels past its equal, which it does
        // not beat, and settles behind it.
        {"equal powers pushed down together swap", {{10, 5}, {20, 5}, {30, 6}}, {30, 20, 10}},
        {"all-zero spectrum", {}, {}}};
    // Each case is rebuilt over the previous case's list.
    for (const Case& c : cases) {
        QuorlTestAccess::clearSpectrum(*q, HALF);
        for (const auto& [bin, power] : c.spectrum) {
            set(bin, power);
        }
        q->detectPeaks();
        EXPECT_EQ(bins(), c.bins) << c.what;
    }
    // Frequencies are interpolated and converted.
    QuorlTestAccess::clearSpectrum(*q, HALF);
    set(99, 1);
    set(100, 3);
    set(101, 2);
    q->detectPeaks();
    ASSERT_EQ(q->peakCount(), 1);
    EXPECT_DOUBLE_EQ(q->peakFrequency(0), (100.0 + 1.0 / 6.0) / q->frequencyConversionFactor());
}

} // namespace
} // namespace ovra
