// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/LayoutQueries.hpp"

#include "layout/LayoutKeys.hpp"
#include "layout/LayoutNumbers.hpp"

#include <algorithm>
#include <cmath>

namespace ovra {

std::string LayoutQueries::key(const char* itemID, int32_t index, const char* modifier,
                               const std::string& valueType) const {
    return buildLayoutKey(myPrefix, itemID, index, modifier, valueType);
}

namespace {

// A label with no usable font size in the layout still shows its words.
constexpr float DEFAULT_FONT_SIZE = 12.0f;

float rawFloat(const StringTable* table, const std::string& key) {
    if (table == nullptr) {
        return 0.0f;
    }
    const auto found = table->find(key);
    return found == table->end() ? 0.0f : parseLayoutFloat(found->second);
}

} // namespace

Point LayoutQueries::position(const char* itemID, int32_t index, const char* modifier) const {
    return Point{rawFloat(myTable, key(itemID, index, modifier, "x")),
                 rawFloat(myTable, key(itemID, index, modifier, "y"))};
}

Size LayoutQueries::size(const char* itemID, int32_t index, const char* modifier) const {
    return Size{rawFloat(myTable, key(itemID, index, modifier, "width")),
                rawFloat(myTable, key(itemID, index, modifier, "height"))};
}

std::optional<std::string> LayoutQueries::value(const char* itemID, int32_t index,
                                                const char* modifier,
                                                const std::string& valueType) const {
    const std::string* found = resolveLayoutValue(key(itemID, index, modifier, valueType), myTable);
    if (found == nullptr) {
        return std::nullopt;
    }
    return *found;
}

float LayoutQueries::floatValue(const char* itemID, int32_t index, const char* modifier,
                                const std::string& valueType) const {
    const auto found = value(itemID, index, modifier, valueType);
    return found ? parseLayoutFloat(*found) : 0.0f;
}

LayoutColor LayoutQueries::color(const char* itemID, int32_t index, const char* modifier) const {
    return LayoutColor{floatValue(itemID, index, modifier, "red"),
                       floatValue(itemID, index, modifier, "green"),
                       floatValue(itemID, index, modifier, "blue"),
                       std::clamp(floatValue(itemID, index, modifier, "alpha"), 0.0f, 1.0f)};
}

std::optional<LabelStyle> LayoutQueries::label(const char* itemID, int32_t index) const {
    LabelStyle style;
    style.frame = rect(itemID, index, nullptr);
    if (!(style.frame.size.width > 0.0f && style.frame.size.height > 0.0f)) {
        return std::nullopt;
    }
    style.fontSize = floatValue(itemID, index, nullptr, "fontsize");
    if (!(style.fontSize > 0.0f && style.fontSize <= style.frame.size.height)) {
        style.fontSize = std::fmin(DEFAULT_FONT_SIZE, style.frame.size.height);
    }
    const auto hasColor = [&](const char* modifier) {
        return value(itemID, index, modifier, "alpha").has_value();
    };
    style.bright = color(itemID, index, hasColor("bright") ? "bright" : nullptr);
    style.dim = hasColor("dim") ? color(itemID, index, "dim") : style.bright;
    const auto align = value(itemID, index, nullptr, "align");
    style.align = align == "center"  ? TextAlign::Center
                  : align == "right" ? TextAlign::Right
                                     : TextAlign::Left;
    return style;
}

} // namespace ovra
