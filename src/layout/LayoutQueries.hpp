// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/Geometry.hpp"
#include "layout/StringsFileParser.hpp"

#include <cstdint>
#include <optional>
#include <string>

namespace ovra {

// A colour as the layout writes it: components on the 0..1 scale.
struct LayoutColor {
    float red = 0.0f;
    float green = 0.0f;
    float blue = 0.0f;
    float alpha = 0.0f;
    friend bool operator==(const LayoutColor&, const LayoutColor&) = default;
};

enum class TextAlign : uint8_t { Left, Center, Right };

// How a text item shows its words.
struct LabelStyle {
    Rect frame;
    float fontSize = 0.0f;
    LayoutColor bright;
    LayoutColor dim;
    TextAlign align = TextAlign::Left;
};

// Typed questions about the named items of one parsed layout file, with keys
// prefix.item.index.modifier.valueType (see buildLayoutKey). Both the
// desktop screen and the browser's ask them, so each answer is decided here
// once. A null table answers every question as if the key were missing.
// Item names and modifiers: nullptr means none; a negative index means none.
class LayoutQueries {
public:
    LayoutQueries(const StringTable* table, const char* prefix)
        : myTable(table), myPrefix(prefix) {}

    std::string key(const char* itemID, int32_t index, const char* modifier,
                    const std::string& valueType) const;

    // Position ("x", "y") and size ("width", "height") read the raw values:
    // references are not followed; a missing or non-numeric value is 0.0.
    Point position(const char* itemID, int32_t index, const char* modifier) const;
    Size size(const char* itemID, int32_t index, const char* modifier) const;
    Rect rect(const char* itemID, int32_t index, const char* modifier) const {
        return Rect{position(itemID, index, modifier), size(itemID, index, modifier)};
    }

    // Values with references followed (see resolveLayoutValue).
    std::optional<std::string> value(const char* itemID, int32_t index, const char* modifier,
                                     const std::string& valueType) const;
    // 0.0 when missing; see parseLayoutFloat.
    float floatValue(const char* itemID, int32_t index, const char* modifier,
                     const std::string& valueType) const;
    std::optional<std::string> filename(const char* itemID, int32_t index,
                                        const char* modifier) const {
        return value(itemID, index, modifier, "filename");
    }
    // "red", "green", "blue", "alpha"; a missing component is 0.0, so a colour
    // without "alpha" is fully transparent. Components outside 0..1 are kept
    // (extended RGB); alpha is clamped into 0..1.
    LayoutColor color(const char* itemID, int32_t index, const char* modifier) const;

    // Null for an item without a positive width and height: a skin leaves a
    // text out that way. A font size that is missing, not positive or taller
    // than the frame becomes the default (12, or the frame's height if
    // smaller). A colour is given when it has an alpha; without "bright" the
    // item's plain colour is used, and without "dim" the bright one.
    std::optional<LabelStyle> label(const char* itemID, int32_t index) const;

    const StringTable* table() const { return myTable; }

private:
    const StringTable* myTable;
    const char* myPrefix;
};

} // namespace ovra
