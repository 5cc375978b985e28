// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/LabelView.hpp"

#include "layout/WEXConfig.hpp"

#include <QFont>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace ovra {

namespace {

// A label with no usable font size in the layout still shows its words.
constexpr float DEFAULT_FONT_SIZE = 12.0f;

Qt::Alignment alignmentOfItem(const char* itemID, int32_t index, const std::string& layoutFile) {
    const auto align = WEXConfig::valueOfItem(itemID, index, nullptr, "align", layoutFile);
    if (align == "center") {
        return Qt::AlignHCenter;
    }
    if (align == "right") {
        return Qt::AlignRight;
    }
    return Qt::AlignLeft;
}

// A colour is given when it has an alpha: without one it would be invisible.
bool hasColor(const char* itemID, int32_t index, const char* modifier,
              const std::string& layoutFile) {
    return WEXConfig::keyExistsForItem(itemID, index, modifier, "alpha", layoutFile);
}

} // namespace

LabelView::LabelView(const Rect& frame, float fontSize, const QColor& brightColor,
                     const QColor& dimColor, Qt::Alignment alignment)
    : View(frame), myFontSize(fontSize), myBrightColor(brightColor), myDimColor(dimColor),
      myAlignment(alignment) {
    setUserInteractionEnabled(false);
}

std::unique_ptr<LabelView> LabelView::newLabelOfItem(const char* itemID, int32_t index,
                                                     const std::string& layoutFile) {
    const Rect frame = WEXConfig::rectOfItem(itemID, index, nullptr, layoutFile);
    if (!(frame.size.width > 0.0f && frame.size.height > 0.0f)) {
        return nullptr;
    }
    float fontSize = WEXConfig::floatValueOfItem(itemID, index, nullptr, "fontsize", layoutFile);
    if (!(fontSize > 0.0f && fontSize <= frame.size.height)) {
        fontSize = std::fmin(DEFAULT_FONT_SIZE, frame.size.height);
    }
    const char* brightModifier = hasColor(itemID, index, "bright", layoutFile) ? "bright" : nullptr;
    const QColor bright = WEXConfig::newColorOfItem(itemID, index, brightModifier, layoutFile);
    const QColor dim = hasColor(itemID, index, "dim", layoutFile)
                           ? WEXConfig::newColorOfItem(itemID, index, "dim", layoutFile)
                           : bright;
    return std::make_unique<LabelView>(frame, fontSize, bright, dim,
                                       alignmentOfItem(itemID, index, layoutFile));
}

void LabelView::setText(const QString& text) {
    if (text != myText) {
        myText = text;
        update();
    }
}

void LabelView::setDimmed(bool dimmed) {
    if (dimmed != myDimmed) {
        myDimmed = dimmed;
        update();
    }
}

void LabelView::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) {
    View::paint(painter, option, widget);
    if (myText.isEmpty()) {
        return;
    }
    QFont font = painter->font();
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(myFontSize))));
    font.setBold(true);
    painter->setFont(font);
    painter->setPen(color());
    painter->drawText(boundsRect(), myAlignment | Qt::AlignVCenter | Qt::TextWordWrap, myText);
}

} // namespace ovra
