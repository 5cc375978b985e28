// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/View.hpp"

#include <QColor>
#include <QString>

#include <cstdint>
#include <memory>
#include <string>

namespace ovra {

// Bold words drawn on the screen in a rectangle from the layout, wrapped onto
// more lines when too long for its width. Shows its bright colour, or its dim
// one while dimmed. Takes no touches, so keys and buttons below it still get
// theirs.
class LabelView : public View {
    Q_OBJECT

public:
    LabelView(const Rect& frame, float fontSize, const QColor& brightColor, const QColor& dimColor,
              Qt::Alignment alignment = Qt::AlignLeft);

    // The label a layout file describes for the item: "x", "y", "width",
    // "height", "fontsize", "align" ("left", "center" or "right") and a
    // colour ("red", "green", "blue", "alpha", 0..1) as the bright one, or
    // one under the modifier "bright"; the dim one under "dim", else the
    // bright one. Null when the item has no width or height: a skin leaves
    // the label out by not naming it.
    static std::unique_ptr<LabelView> newLabelOfItem(const char* itemID, int32_t index,
                                                     const std::string& layoutFile);

    const QString& text() const { return myText; }
    void setText(const QString& text);
    bool isDimmed() const { return myDimmed; }
    void setDimmed(bool dimmed);
    float fontSize() const { return myFontSize; }
    // The colour the words are drawn in now.
    QColor color() const { return myDimmed ? myDimColor : myBrightColor; }
    Qt::Alignment alignment() const { return myAlignment; }

    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    QString myText;
    float myFontSize;
    QColor myBrightColor;
    QColor myDimColor;
    Qt::Alignment myAlignment;
    bool myDimmed = false;
};

} // namespace ovra
