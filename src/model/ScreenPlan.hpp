// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "layout/LayoutQueries.hpp"
#include "model/TunerDisplayModel.hpp"
#include "model/Tunings.hpp"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace ovra {

// The tuner screen as its layout file describes it, for every front end: what
// is drawn, back to front, and where. The desktop builds its views in this
// order; the browser draws the sprites and labels of screenPlan().
inline constexpr const char* MAIN_VIEW_LAYOUT_FILE = "general.cfg";
inline constexpr const char* MAIN_VIEW_LAYOUT_PREFIX = "ovra";
inline constexpr const char* CFG_TUNING_KEY = "tuningkey";
inline constexpr const char* CFG_MAGIC_KEY = "autoswitchkey";
inline constexpr const char* CFG_GUITAR_HEAD = "guitarhead";
inline constexpr const char* CFG_STATUS_LINE = "statusline";
inline constexpr const char* CFG_TUNING_CAPTION = "tuningcaption";
// The readout beside the needle and the string names by the keys (index 0..5).
inline constexpr const char* CFG_READOUT_NOTE = "readout.note";
inline constexpr const char* CFG_READOUT_FREQUENCY = "readout.frequency";
inline constexpr const char* CFG_READOUT_CENTS = "readout.cents";
inline constexpr const char* CFG_STRING_LABEL = "stringlabel";

enum class ScreenLayer : uint8_t {
    Background,
    TuningKeys,
    MagicKey,
    Buttons, // the gear (about), settings and help buttons
    GuitarHead,
    LevelMeter,
    PitchMeter,
    Strings,
    Needle,
    Overlay,
    Labels, // above the overlay's glass, so the words stay crisp
};

inline constexpr std::array<ScreenLayer, 11> SCREEN_LAYERS = {
    ScreenLayer::Background, ScreenLayer::TuningKeys, ScreenLayer::MagicKey,   ScreenLayer::Buttons,
    ScreenLayer::GuitarHead, ScreenLayer::LevelMeter, ScreenLayer::PitchMeter, ScreenLayer::Strings,
    ScreenLayer::Needle,     ScreenLayer::Overlay,    ScreenLayer::Labels};

// Outer strings first, inner ones last, so the inner strings lie above.
inline constexpr std::array<int32_t, STRING_COUNT> STRING_DRAWING_ORDER = {0, 5, 1, 4, 2, 3};

inline constexpr std::array<const char*, 3> SCREEN_BUTTONS = {"aboutbutton", "settingsbutton",
                                                              "helpbutton"};

// An item of the screen's text layer (index -1: none).
struct LabelItem {
    const char* itemID;
    int32_t index;
};

// Status line, tuning caption, readout (note, frequency, cents), then the
// six string names: the order they are drawn in.
std::vector<LabelItem> screenLabelItems();

// One picture item: where it stands and its picture for each modifier it
// has (pressed, unpressed, magic, bright, dim; "" for a plain filename).
struct SpriteItem {
    ScreenLayer layer;
    std::string itemID;
    int32_t index = -1;
    Point origin;
    std::vector<std::pair<std::string, std::string>> images; // modifier, file name
};

struct ScreenPlan {
    std::vector<SpriteItem> sprites; // back to front, without the labels
    std::vector<std::pair<LabelItem, LabelStyle>> labels;
    NeedlePoints needlePoints;
};

ScreenPlan screenPlan(const LayoutQueries& layout);

} // namespace ovra
