// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WEXViewCellView.hpp"

#include "ui/PageIndicator.hpp"

#include <QFont>

namespace ovra {

namespace {

// Points of the touch toolkit are logical pixels, hence a pixel size.
void applyNameLabelLook(HighlightLabel* label) {
    label->setAutoFillBackground(false);
    label->setTextColor(Qt::black);
    label->setHighlightedTextColor(Qt::black);
    QFont font = label->font();
    font.setBold(true);
    font.setPixelSize(18);
    label->setFont(font);
}

} // namespace

WEXViewCellView::WEXViewCellView(const QRect& frame, const QString& reuseIdentifier,
                                 QWidget* parent)
    : QWidget(parent), myReuseIdentifier(reuseIdentifier) {
    setGeometry(frame);
    myContentView = new QWidget(this);
    myContentView->setGeometry(rect());
    auto* label = new HighlightLabel(myContentView);
    label->setGeometry(frame);
    applyNameLabelLook(label);
    myNameLabel = label;
}

void WEXViewCellView::setView(QWidget* view) {
    QWidget* previous = myView.data();
    if (previous != nullptr && previous != view) {
        previous->hide();
        previous->setParent(nullptr);
    }
    myView = view;
    if (view != nullptr && view->parentWidget() != myContentView) {
        // Reparenting keeps the widget's geometry (its owner gave it).
        // Reparenting hides a widget; it shows with the row, or now if the
        // row is already on screen.
        view->setParent(myContentView);
        if (myContentView->isVisible()) {
            view->show();
        }
    }
    layoutSubviews();
}

void WEXViewCellView::setNameLabel(HighlightLabel* label) {
    if (label == myNameLabel.data()) {
        return;
    }
    delete myNameLabel.data();
    myNameLabel = label;
    if (label != nullptr) {
        label->setParent(myContentView);
        if (myContentView->isVisible()) {
            label->show();
        }
    }
    layoutSubviews();
}

void WEXViewCellView::layoutSubviews() {
    myContentView->setGeometry(rect());
    const QRect content = myContentView->rect();
    if (myNameLabel) {
        myNameLabel->setGeometry(content.x() - 8, 8, content.width(), 25);
    }
    if (auto* indicator = qobject_cast<PageIndicator*>(myView.data())) {
        const QRect g = indicator->geometry();
        indicator->setGeometry(g.x(), g.y(), PAGE_INDICATOR_WIDTH, g.height());
    }
}

void WEXViewCellView::setSelected(bool selected, bool animated) {
    (void)animated;
    mySelected = selected;
    if (myNameLabel) {
        myNameLabel->setHighlighted(selected);
    }
}

void WEXViewCellView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutSubviews();
}

} // namespace ovra
