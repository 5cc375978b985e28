// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace ovra {

// What the tuner saw and would show for one analysed (non-silent) buffer.
struct AnalysisRow {
    std::string file;
    double timeSeconds = 0.0; // start of the buffer in the file
    float topAmplitude = 0.0f;
    float modeFrequency = 0.0f;
    float fundamentalFrequency = 0.0f;
    float rawPeakPower = 0.0f;
    bool loud = false;                     // raw peak power above the threshold
    std::optional<float> displayFrequency; // empty when the refresh stopped before the needle
    int32_t activeString = 0;
    std::optional<float> cents;
    std::optional<std::string> note; // nearest note with its octave, with the cents
    int32_t litLeds = 0;
};

} // namespace ovra
