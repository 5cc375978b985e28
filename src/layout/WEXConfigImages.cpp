// SPDX-License-Identifier: GPL-3.0-or-later
// The queries of WEXConfig that hand out Qt images and colours.
#include "layout/WEXConfig.hpp"

#include "layout/ImageCache.hpp"

#include <QColor>
#include <QPixmap>

#include <algorithm>

namespace ovra {

QPixmap WEXConfig::imageOfItem(const char* itemID, int32_t index, const char* modifier,
                               const std::string& layoutFile) {
    const std::optional<std::string> filename = filenameOfItem(itemID, index, modifier, layoutFile);
    if (!filename) {
        return QPixmap();
    }
    return ImageCache::imageNamed(*filename);
}

QPixmap WEXConfig::imageOfItem(const char* itemID, const char* modifier,
                               const std::string& layoutFile) {
    return imageOfItem(itemID, -1, modifier, layoutFile);
}

QColor WEXConfig::newColorOfItem(const char* itemID, int32_t index, const char* modifier,
                                 const std::string& layoutFile) {
    const float red = floatValueOfItem(itemID, index, modifier, "red", layoutFile);
    const float green = floatValueOfItem(itemID, index, modifier, "green", layoutFile);
    const float blue = floatValueOfItem(itemID, index, modifier, "blue", layoutFile);
    const float alpha = floatValueOfItem(itemID, index, modifier, "alpha", layoutFile);
    // Components outside 0..1 become an extended-RGB colour in Qt, as given;
    // an alpha outside 0..1 would make Qt return an invalid colour instead.
    return QColor::fromRgbF(red, green, blue, std::clamp(alpha, 0.0f, 1.0f));
}

} // namespace ovra
