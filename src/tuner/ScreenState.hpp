// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/Geometry.hpp"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ovra {

// What the tuner screen shows, read back from its views: for screenshots,
// keyboard shortcuts and anyone checking that the display follows the model.
struct ScreenState {
    // The model's selection.
    int32_t activeString = 0;
    bool automatic = false;
    // The string key and string picture showing their selected (lit or
    // magic) picture, -1 for none; the magic key showing its active one.
    int32_t litKey = -1;
    int32_t litString = -1;
    bool magicKeyLit = false;
    // The needle's top-left in the model (its final place while it glides).
    Point needle;
    // Meter and needle both show their bright pictures.
    bool meterBright = false;
    // LEDs showing their lit picture.
    int32_t litLeds = 0;
    // The settings panel covers the screen (or is sliding onto it).
    bool settingsShown = false;
    // From the last refresh that got as far as the needle; empty before one.
    std::optional<float> displayFrequency;
    std::optional<float> cents;
    // The status line's words (empty while all is well, or with no line).
    std::string status;
    // The tuning's id and reference pitch in the model, and the caption
    // that names them on the screen (empty at standard and 440, or with no
    // such text).
    std::string tuning;
    int32_t referencePitch = 0;
    std::string tuningCaption;
    // The readout's words (empty before the first reading, or where the
    // layout has no such text) and whether any of them shows bright.
    std::string note;
    std::string frequencyText;
    std::string centsText;
    bool readoutBright = false;
    // The names by the keys, string 0 first (empty where the layout has no
    // label), and the string whose name is lit, -1 for none.
    std::array<std::string, 6> stringLabels;
    int32_t litLabel = -1;
    // The settings panel's words, shown or not (see OvraSettings::shownTexts).
    std::vector<std::string> settingsTexts;
};

} // namespace ovra
