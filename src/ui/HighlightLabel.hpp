// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QLabel>

namespace ovra {

// A text label with a highlighted flag and a text colour for each state, as
// table rows use to show their selection.
class HighlightLabel : public QLabel {
    Q_OBJECT

public:
    explicit HighlightLabel(QWidget* parent = nullptr);

    bool isHighlighted() const { return myHighlighted; }
    void setHighlighted(bool highlighted);
    void setTextColor(const QColor& color);
    void setHighlightedTextColor(const QColor& color);
    // The colour the text is drawn in now.
    QColor currentTextColor() const;

private:
    void applyColors();

    bool myHighlighted = false;
    QColor myTextColor = Qt::black;
    QColor myHighlightedTextColor = Qt::black;
};

} // namespace ovra
