// SPDX-License-Identifier: GPL-3.0-or-later
// The queries of WEXConfig that hand out Qt images and colours.
#include "layout/WEXConfig.hpp"

#include "layout/ImageCache.hpp"

#include <QColor>
#include <QPixmap>

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
    const LayoutColor color = queries(layoutFile).color(itemID, index, modifier);
    return QColor::fromRgbF(color.red, color.green, color.blue, color.alpha);
}

} // namespace ovra
