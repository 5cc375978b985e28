// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ScreenPlan.hpp"

namespace ovra {

namespace {

constexpr int32_t NO_INDEX = -1;
constexpr std::array<const char*, 6> IMAGE_MODIFIERS = {nullptr, "pressed", "unpressed",
                                                        "magic", "bright",  "dim"};

SpriteItem spriteOf(const LayoutQueries& layout, ScreenLayer layer, const char* itemID,
                    int32_t index) {
    SpriteItem sprite{layer, itemID, index, layout.position(itemID, index, nullptr), {}};
    for (const char* modifier : IMAGE_MODIFIERS) {
        if (auto file = layout.filename(itemID, index, modifier)) {
            sprite.images.emplace_back(modifier != nullptr ? modifier : "", std::move(*file));
        }
    }
    return sprite;
}

void addLayer(const LayoutQueries& layout, ScreenLayer layer, ScreenPlan& plan) {
    const auto add = [&](const char* itemID, int32_t index) {
        plan.sprites.push_back(spriteOf(layout, layer, itemID, index));
    };
    switch (layer) {
    case ScreenLayer::Background:
        add("background", NO_INDEX);
        break;
    case ScreenLayer::TuningKeys:
        for (int32_t i = 0; i < STRING_COUNT; ++i) {
            add(CFG_TUNING_KEY, i);
        }
        break;
    case ScreenLayer::MagicKey:
        add(CFG_MAGIC_KEY, NO_INDEX);
        break;
    case ScreenLayer::Buttons:
        for (const char* button : SCREEN_BUTTONS) {
            add(button, NO_INDEX);
        }
        break;
    case ScreenLayer::GuitarHead:
        add(CFG_GUITAR_HEAD, NO_INDEX);
        break;
    case ScreenLayer::LevelMeter:
        for (int32_t i = 0; i < LED_COUNT; ++i) {
            add("ampmeterled", i);
        }
        break;
    case ScreenLayer::PitchMeter:
        add("pitchmeter", NO_INDEX);
        break;
    case ScreenLayer::Strings:
        for (const int32_t i : STRING_DRAWING_ORDER) {
            add("string", i);
        }
        break;
    case ScreenLayer::Needle:
        add("pitchneedle", NO_INDEX);
        // The needle's own position is only a default: it starts at near blue.
        plan.sprites.back().origin = plan.needlePoints.nearBlue;
        break;
    case ScreenLayer::Overlay:
        add("overlay", NO_INDEX);
        break;
    case ScreenLayer::Labels:
        for (const LabelItem& item : screenLabelItems()) {
            if (auto style = layout.label(item.itemID, item.index)) {
                plan.labels.emplace_back(item, *style);
            }
        }
        break;
    }
}

} // namespace

std::vector<LabelItem> screenLabelItems() {
    std::vector<LabelItem> items = {{CFG_STATUS_LINE, NO_INDEX},
                                    {CFG_TUNING_CAPTION, NO_INDEX},
                                    {CFG_READOUT_NOTE, NO_INDEX},
                                    {CFG_READOUT_FREQUENCY, NO_INDEX},
                                    {CFG_READOUT_CENTS, NO_INDEX}};
    for (int32_t i = 0; i < STRING_COUNT; ++i) {
        items.push_back({CFG_STRING_LABEL, i});
    }
    return items;
}

ScreenPlan screenPlan(const LayoutQueries& layout) {
    ScreenPlan plan;
    plan.needlePoints = NeedlePoints{layout.position("pitchmeter.farred", NO_INDEX, nullptr),
                                     layout.position("pitchmeter.nearred", NO_INDEX, nullptr),
                                     layout.position("pitchmeter.nearblue", NO_INDEX, nullptr),
                                     layout.position("pitchmeter.farblue", NO_INDEX, nullptr)};
    for (const ScreenLayer layer : SCREEN_LAYERS) {
        addLayer(layout, layer, plan);
    }
    return plan;
}

} // namespace ovra
