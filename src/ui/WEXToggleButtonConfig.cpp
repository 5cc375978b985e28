// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/WEXConfig.hpp"
#include "ui/WEXToggleButton.hpp"

#include <QPixmap>

namespace ovra {

void WEXToggleButton::configureToggleButtonWithItemID(const char* itemID, int32_t index,
                                                      const std::string& configFilename) {
    const QPixmap normal = WEXConfig::imageOfItem(itemID, index, MODIFIER_NORMAL, configFilename);
    const QPixmap highlighted =
        WEXConfig::imageOfItem(itemID, index, MODIFIER_HIGHLIGHTED, configFilename);
    const QPixmap disabled =
        WEXConfig::imageOfItem(itemID, index, MODIFIER_DISABLED, configFilename);
    const QPixmap on = WEXConfig::imageOfItem(itemID, index, MODIFIER_ON, configFilename);

    // Only "x" decides which position is read.
    const char* positionModifier =
        WEXConfig::keyExistsForItem(itemID, index, nullptr, "x", configFilename) ? nullptr
                                                                                 : MODIFIER_NORMAL;
    const Point origin = WEXConfig::positionOfItem(itemID, index, positionModifier, configFilename);

    setFrame(Rect{origin, ImageView::imageSize(normal)});
    setImage(normal, ControlStateNormal);
    setImage(highlighted, ControlStateHighlighted);
    setImage(disabled, ControlStateDisabled);
    setImage(on, ControlStateApplication);
}

} // namespace ovra
