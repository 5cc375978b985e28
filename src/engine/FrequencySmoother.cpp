// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/FrequencySmoother.hpp"

namespace ovra {

FrequencySmoother::FrequencySmoother()
    : myFrequencyOutlierRatio(DEFAULT_FREQUENCY_OUTLIER_RATIO), myPreviousSubmittedFrequency{},
      myPreviousAcceptedFrequency(0.0f), myAverageFrequencies{}, myAverageFrequencyIndex(0),
      myAverageFrequencyValueCount(0) {}

float FrequencySmoother::closeness(float p, float x) {
    return x > p ? p / x : x / p;
}

void FrequencySmoother::resetAveragesWithFrequency(float f) {
    for (float& slot : myAverageFrequencies) {
        slot = f;
    }
    myPreviousSubmittedFrequency[0] = f;
    myPreviousSubmittedFrequency[1] = f;
    myPreviousAcceptedFrequency = f;
    myAverageFrequencyValueCount = 0;
    myAverageFrequencyIndex = -1;
}

float FrequencySmoother::submitFrequency(float x) {
    const float ratio = myFrequencyOutlierRatio;
    // Closenesses against the state before this submission. A comparison with
    // a not-a-number closeness (0 against 0) is false, as wanted.
    const float older = closeness(myPreviousSubmittedFrequency[0], x);
    const float accepted = closeness(myPreviousAcceptedFrequency, x);
    const float newer = closeness(myPreviousSubmittedFrequency[1], x);

    myPreviousSubmittedFrequency[0] = myPreviousSubmittedFrequency[1];
    myPreviousSubmittedFrequency[1] = x;

    const bool agreesWithHistory = older > ratio && newer > ratio;
    // A new note: three readings in a row agree, but not with the last
    // accepted one.
    if (accepted < ratio && agreesWithHistory) {
        resetAveragesWithFrequency(x);
    }
    if (!(agreesWithHistory || accepted > ratio)) {
        return 0.0f;
    }

    myPreviousAcceptedFrequency = x;
    myAverageFrequencyIndex =
        myAverageFrequencyIndex < 0 ? 0 : (myAverageFrequencyIndex + 1) % AVERAGE_FREQUENCY_COUNT;
    myAverageFrequencies[myAverageFrequencyIndex] = x;
    if (myAverageFrequencyValueCount < AVERAGE_FREQUENCY_COUNT) {
        ++myAverageFrequencyValueCount;
    }

    float sum = 0.0f;
    for (int32_t i = 0; i < myAverageFrequencyValueCount; ++i) {
        sum += myAverageFrequencies[i];
    }
    return sum / static_cast<float>(myAverageFrequencyValueCount);
}

float FrequencySmoother::previousSubmittedFrequency(int32_t which) const {
    return (which == 0 || which == 1) ? myPreviousSubmittedFrequency[which] : 0.0f;
}

float FrequencySmoother::averageFrequency(int32_t slot) const {
    return (slot >= 0 && slot < AVERAGE_FREQUENCY_COUNT) ? myAverageFrequencies[slot] : 0.0f;
}

} // namespace ovra
