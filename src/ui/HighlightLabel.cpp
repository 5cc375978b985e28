// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/HighlightLabel.hpp"

#include <QPalette>

namespace ovra {

HighlightLabel::HighlightLabel(QWidget* parent) : QLabel(parent) {
    applyColors();
}

void HighlightLabel::setHighlighted(bool highlighted) {
    myHighlighted = highlighted;
    applyColors();
}

void HighlightLabel::setTextColor(const QColor& color) {
    myTextColor = color;
    applyColors();
}

void HighlightLabel::setHighlightedTextColor(const QColor& color) {
    myHighlightedTextColor = color;
    applyColors();
}

QColor HighlightLabel::currentTextColor() const {
    return myHighlighted ? myHighlightedTextColor : myTextColor;
}

void HighlightLabel::applyColors() {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, currentTextColor());
    p.setColor(QPalette::Text, currentTextColor());
    setPalette(p);
}

} // namespace ovra
