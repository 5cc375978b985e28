// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/LabelView.hpp"

#include "layout/WEXConfig.hpp"

#include <QFont>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace ovra {

LabelView::LabelView(const Rect& frame, float fontSize, const QColor& brightColor,
                     const QColor& dimColor, Qt::Alignment alignment)
    : View(frame), myFontSize(fontSize), myBrightColor(brightColor), myDimColor(dimColor),
      myAlignment(alignment) {
    setUserInteractionEnabled(false);
}

std::unique_ptr<LabelView> LabelView::newLabelOfItem(const char* itemID, int32_t index,
                                                     const std::string& layoutFile) {
    const std::optional<LabelStyle> style = WEXConfig::queries(layoutFile).label(itemID, index);
    if (!style) {
        return nullptr;
    }
    const auto qtColor = [](const LayoutColor& c) {
        return QColor::fromRgbF(c.red, c.green, c.blue, c.alpha);
    };
    const Qt::Alignment alignment = style->align == TextAlign::Center  ? Qt::AlignHCenter
                                    : style->align == TextAlign::Right ? Qt::AlignRight
                                                                       : Qt::AlignLeft;
    return std::make_unique<LabelView>(style->frame, style->fontSize, qtColor(style->bright),
                                       qtColor(style->dim), alignment);
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
