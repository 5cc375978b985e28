// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/LayoutImageView.hpp"

#include "layout/WEXConfig.hpp"

#include <QPixmap>

namespace ovra {

std::unique_ptr<ImageView> newImageViewOfItem(const char* itemID, int32_t index,
                                              const char* modifier, const std::string& layoutFile) {
    const QPixmap image = WEXConfig::imageOfItem(itemID, index, modifier, layoutFile);
    const Point position = WEXConfig::positionOfItem(itemID, index, modifier, layoutFile);
    auto view = std::make_unique<ImageView>(image);
    Rect frame = view->frame();
    frame.origin = position;
    view->setFrame(frame);
    return view;
}

std::unique_ptr<ImageView> newImageViewOfItem(const char* itemID, int32_t index,
                                              const std::string& layoutFile) {
    return newImageViewOfItem(itemID, index, nullptr, layoutFile);
}

} // namespace ovra
