// SPDX-License-Identifier: GPL-3.0-or-later
// Outlier rejection, note changes and the running mean of the smoother.
#include "engine/FrequencySmoother.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace ovra {
namespace {

std::vector<float> submitAll(FrequencySmoother& s, const std::vector<float>& xs) {
    std::vector<float> out;
    for (float x : xs) {
        out.push_back(s.submitFrequency(x));
    }
    return out;
}

TEST(FrequencySmootherSequences, NoteChangesOutliersAndTheRunningMean) {
    struct Case {
        const char* what;
        float steady; // 0: a fresh smoother
        std::vector<float> in, out;
        int32_t count;
    };
    const float ninetyJoins = (100.0f + 100.0f + 90.0f) / 3.0f;
    const Case cases[] = {
        {"three agreeing readings start a note", 0, {110, 110, 110}, {0, 0, 110}, 1},
        {"both earlier readings must agree", 0, {100, 200, 110}, {0, 0, 0}, 0},
        {"a new string restarts the mean", 110, {147, 147, 147, 149}, {0, 0, 147, 148}, 2},
        {"a gap inside a new note needs three more",
         110,
         {147, 0, 147, 147, 147},
         {0, 0, 0, 0, 147},
         1},
        {"a single octave jump is dropped", 110, {220, 110}, {0, 110}, 3},
        {"zeros are never accepted", 0, {0, 0, 0, 0}, {0, 0, 0, 0}, 0},
        // Three 90s agree with each other; closeness exactly 0.9 to the
        // accepted 100 is not below the ratio: they join the running mean.
        {"exactly the ratio from the accepted value", 100, {90, 90, 90}, {0, 0, ninetyJoins}, 3},
        {"mean of the values since the reset",
         0,
         {100, 100, 100, 102, 104},
         {0, 0, 100, 101, 102},
         3}};
    for (const Case& c : cases) {
        FrequencySmoother s;
        submitAll(s, std::vector<float>(c.steady > 0 ? 4 : 0, c.steady)); // settled on it
        EXPECT_EQ(submitAll(s, c.in), c.out) << c.what;
        EXPECT_EQ(s.averageFrequencyValueCount(), c.count) << c.what;
    }
}

TEST(FrequencySmootherMean, AfterTenValuesTheMeanCoversTheLastTen) {
    FrequencySmoother s;
    submitAll(s, {200, 200, 200});
    float result = 0.0f;
    for (int i = 1; i <= 12; ++i) {
        result = s.submitFrequency(200.0f + static_cast<float>(i));
    }
    // Accepted: 200, 201..212; the last ten are 203..212.
    EXPECT_EQ(s.averageFrequencyValueCount(), 10);
    EXPECT_FLOAT_EQ(result, 207.5f);
}

} // namespace
} // namespace ovra
