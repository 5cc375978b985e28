// Outlier rejection, note changes and the running mean of the smoother.
#include "engine/FrequencySmoother.hpp"

#include <gtest/gtest.h>

#include <cmath>
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

// A smoother that has settled on f.
FrequencySmoother steadyAt(float f) {
    FrequencySmoother s;
    submitAll(s, {f, f, f, f});
    return s;
}

TEST(FrequencySmootherState, FreshAndResetStates) {
    FrequencySmoother s;
    EXPECT_EQ(s.frequencyOutlierRatio(), 0.9f);
    EXPECT_EQ(s.previousAcceptedFrequency(), 0.0f);
    EXPECT_EQ(s.averageFrequencyIndex(), 0);
    EXPECT_EQ(s.averageFrequencyValueCount(), 0);
    s.resetAveragesWithFrequency(123.0f);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(s.averageFrequency(i), 123.0f);
    }
    EXPECT_EQ(s.previousSubmittedFrequency(0), 123.0f);
    EXPECT_EQ(s.previousSubmittedFrequency(1), 123.0f);
    EXPECT_EQ(s.previousAcceptedFrequency(), 123.0f);
    EXPECT_EQ(s.averageFrequencyIndex(), -1);
    EXPECT_EQ(s.averageFrequencyValueCount(), 0);
}

TEST(FrequencySmootherState, Closeness) {
    EXPECT_EQ(FrequencySmoother::closeness(100.0f, 200.0f), 0.5f);
    EXPECT_EQ(FrequencySmoother::closeness(200.0f, 100.0f), 0.5f);
    EXPECT_EQ(FrequencySmoother::closeness(0.0f, 100.0f), 0.0f);
    EXPECT_EQ(FrequencySmoother::closeness(100.0f, 0.0f), 0.0f);
    EXPECT_TRUE(std::isnan(FrequencySmoother::closeness(0.0f, 0.0f)));
}

TEST(FrequencySmootherNoteChange, ThreeAgreeingReadingsStartANote) {
    FrequencySmoother s;
    EXPECT_EQ(submitAll(s, {110, 110, 110}), (std::vector<float>{0, 0, 110}));
    EXPECT_EQ(s.averageFrequencyIndex(), 0);
    EXPECT_EQ(s.averageFrequencyValueCount(), 1);
}

TEST(FrequencySmootherNoteChange, BothEarlierReadingsMustAgree) {
    FrequencySmoother s;
    EXPECT_EQ(submitAll(s, {100, 200, 110}), (std::vector<float>{0, 0, 0}));
}

TEST(FrequencySmootherNoteChange, NewStringRestartsTheMeanExactly) {
    FrequencySmoother s = steadyAt(110.0f);
    EXPECT_EQ(submitAll(s, {147, 147, 147}), (std::vector<float>{0, 0, 147}));
    EXPECT_EQ(s.averageFrequencyValueCount(), 1);
    EXPECT_EQ(s.submitFrequency(149.0f), 148.0f);
}

TEST(FrequencySmootherNoteChange, GapInsideANewNoteNeedsThreeMoreReadings) {
    FrequencySmoother s = steadyAt(110.0f);
    EXPECT_EQ(submitAll(s, {147, 0, 147, 147, 147}), (std::vector<float>{0, 0, 0, 0, 147}));
}

TEST(FrequencySmootherOutliers, SingleOctaveJumpIsDroppedAndTheMeanContinues) {
    FrequencySmoother s = steadyAt(110.0f);
    EXPECT_EQ(s.submitFrequency(220.0f), 0.0f);
    const int32_t count = s.averageFrequencyValueCount();
    EXPECT_EQ(s.submitFrequency(110.0f), 110.0f);
    EXPECT_EQ(s.averageFrequencyValueCount(), count + 1);
}

TEST(FrequencySmootherOutliers, MissingFundamentalIsDroppedButRemembered) {
    FrequencySmoother s = steadyAt(110.0f);
    EXPECT_EQ(s.submitFrequency(0.0f), 0.0f);
    EXPECT_EQ(s.previousSubmittedFrequency(1), 0.0f);
    EXPECT_EQ(s.previousAcceptedFrequency(), 110.0f);
    EXPECT_EQ(s.submitFrequency(110.0f), 110.0f);
}

TEST(FrequencySmootherOutliers, ZerosAreNeverAccepted) {
    FrequencySmoother s;
    EXPECT_EQ(submitAll(s, {0, 0, 0, 0}), (std::vector<float>{0, 0, 0, 0}));
    EXPECT_EQ(s.averageFrequencyValueCount(), 0);
}

TEST(FrequencySmootherOutliers, ClosenessOfExactlyTheRatioIsNotAgreement) {
    // 90 / 100 rounds to the same float as the 0.9 ratio.
    ASSERT_EQ(90.0f / 100.0f, 0.9f);
    FrequencySmoother s = steadyAt(100.0f);
    EXPECT_EQ(s.submitFrequency(90.0f), 0.0f);
    FrequencySmoother t = steadyAt(100.0f);
    EXPECT_NE(t.submitFrequency(90.5f), 0.0f);
}

TEST(FrequencySmootherNoteChange, ExactlyTheRatioFromTheAcceptedValueIsNoNoteChange) {
    // The third 90 agrees with both earlier submissions; its closeness to the
    // accepted 100 is exactly 0.9, which is not below the ratio: it joins the
    // running mean instead of restarting it.
    FrequencySmoother s = steadyAt(100.0f);
    ASSERT_EQ(s.averageFrequencyValueCount(), 2);
    EXPECT_EQ(submitAll(s, {90, 90}), (std::vector<float>{0, 0}));
    EXPECT_FLOAT_EQ(s.submitFrequency(90.0f), (100.0f + 100.0f + 90.0f) / 3.0f);
    EXPECT_EQ(s.averageFrequencyValueCount(), 3);
}

TEST(FrequencySmootherMean, MeanOfValuesSinceTheReset) {
    FrequencySmoother s;
    EXPECT_EQ(submitAll(s, {100, 100, 100, 102, 104}), (std::vector<float>{0, 0, 100, 101, 102}));
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
    EXPECT_EQ(s.averageFrequencyIndex(), 2);
}

TEST(FrequencySmootherMean, GradualGlideIsFollowed) {
    FrequencySmoother s;
    submitAll(s, {100, 100, 100});
    float last = 0.0f;
    for (int i = 1; i <= 30; ++i) {
        last = s.submitFrequency(100.0f + 2.0f * static_cast<float>(i));
        EXPECT_GT(last, 0.0f) << i;
    }
    EXPECT_FLOAT_EQ(last, 151.0f); // mean of 142..160
}

} // namespace
} // namespace ovra
