// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/SettingsValues.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ovra::settings {

float sensitivityOfThreshold(int32_t threshold) {
    // In 64 bits: a hand-edited store may hold any 32-bit threshold.
    const float aboveMinimum =
        static_cast<float>(static_cast<int64_t>(threshold) - MIN_VOLUME_THRESHOLD);
    const float span = static_cast<float>(MAX_VOLUME_THRESHOLD - MIN_VOLUME_THRESHOLD);
    return 1.0f - aboveMinimum / span;
}

int32_t thresholdOfSensitivity(float sensitivity) {
    const float product =
        static_cast<float>(MAX_VOLUME_THRESHOLD - MIN_VOLUME_THRESHOLD) * sensitivity;
    // In double, exact for any float, then held to what an int32 can be so
    // that no sensitivity is undefined.
    const double threshold = MAX_VOLUME_THRESHOLD - std::trunc(static_cast<double>(product));
    return static_cast<int32_t>(std::clamp<double>(threshold, std::numeric_limits<int32_t>::min(),
                                                   std::numeric_limits<int32_t>::max()));
}

} // namespace ovra::settings
