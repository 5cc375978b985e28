// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace ovra {

inline constexpr float DEFAULT_FREQUENCY_OUTLIER_RATIO = 0.9f;

// Steadies successive fundamentals: drops isolated outliers, follows a new
// note once three readings in a row agree, and otherwise returns the mean of
// the last ten accepted readings. Single precision throughout.
class FrequencySmoother {
public:
    static constexpr int32_t AVERAGE_FREQUENCY_COUNT = 10;

    FrequencySmoother();

    // Forgets the history: every slot and both previous submissions become f,
    // the ring is empty and restarts at slot 0.
    void resetAveragesWithFrequency(float f);

    // The smoothed frequency, or 0.0 when x is rejected.
    float submitFrequency(float x);

    float frequencyOutlierRatio() const { return myFrequencyOutlierRatio; }
    // 0 = the older, 1 = the newer of the two submissions before the last one.
    float previousSubmittedFrequency(int32_t which) const;
    float previousAcceptedFrequency() const { return myPreviousAcceptedFrequency; }
    float averageFrequency(int32_t slot) const;
    int32_t averageFrequencyIndex() const { return myAverageFrequencyIndex; }
    int32_t averageFrequencyValueCount() const { return myAverageFrequencyValueCount; }

    // Smaller over larger of the two, in single precision: 1 when equal, 0
    // when exactly one is 0, not a number when both are 0.
    static float closeness(float p, float x);

private:
    float myFrequencyOutlierRatio;
    float myPreviousSubmittedFrequency[2];
    float myPreviousAcceptedFrequency;
    float myAverageFrequencies[AVERAGE_FREQUENCY_COUNT];
    int32_t myAverageFrequencyIndex;
    int32_t myAverageFrequencyValueCount;
};

} // namespace ovra
