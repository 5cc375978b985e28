// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SegmentedControl.hpp"

#include <QKeyEvent>
#include <QResizeEvent>

#include <algorithm>

namespace ovra {

SegmentedControl::SegmentedControl(const QStringList& items, QWidget* parent)
    : QWidget(parent), myGroup(this) {
    setObjectName(QStringLiteral("segmentedControl"));
    myGroup.setExclusive(true);
    const int count = static_cast<int>(items.size());
    for (int segment = 0; segment < count; ++segment) {
        auto* button = new QToolButton(this);
        button->setObjectName(QStringLiteral("segment"));
        button->setText(items[segment]);
        button->setCheckable(true);
        // Tab reaches each segment and Space chooses it.
        button->setFocusPolicy(Qt::StrongFocus);
        button->installEventFilter(this);
        // The ends are rounded on their outer side only (style sheet).
        button->setProperty("position", count == 1             ? "only"
                                        : segment == 0         ? "first"
                                        : segment == count - 1 ? "last"
                                                               : "middle");
        myGroup.addButton(button, segment);
        myButtons.push_back(button);
    }
    connect(&myGroup, &QButtonGroup::idClicked, this, [this](int) { emit valueChanged(); });
    layoutSegments();
}

int SegmentedControl::selectedSegmentIndex() const {
    return myGroup.checkedId();
}

void SegmentedControl::setSelectedSegmentIndex(int segment) {
    if (QToolButton* button = buttonForSegment(segment)) {
        button->setChecked(true);
        return;
    }
    // An exclusive group keeps one button checked; let go of it briefly.
    myGroup.setExclusive(false);
    for (QToolButton* button : myButtons) {
        button->setChecked(false);
    }
    myGroup.setExclusive(true);
}

QToolButton* SegmentedControl::buttonForSegment(int segment) const {
    if (segment < 0 || segment >= numberOfSegments()) {
        return nullptr;
    }
    return myButtons[static_cast<size_t>(segment)];
}

void SegmentedControl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutSegments();
}

bool SegmentedControl::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return QWidget::eventFilter(watched, event);
    }
    const int key = static_cast<QKeyEvent*>(event)->key();
    const int step = key == Qt::Key_Left ? -1 : key == Qt::Key_Right ? 1 : 0;
    const auto at = std::find(myButtons.begin(), myButtons.end(), watched);
    if (step == 0 || at == myButtons.end()) {
        return QWidget::eventFilter(watched, event);
    }
    const int next = static_cast<int>(at - myButtons.begin()) + step;
    if (QToolButton* button = buttonForSegment(next)) {
        button->setFocus(Qt::OtherFocusReason);
        if (!button->isChecked()) {
            button->click(); // as a finger would: valueChanged follows
        }
    }
    return true;
}

void SegmentedControl::layoutSegments() {
    const int count = numberOfSegments();
    if (count == 0) {
        return;
    }
    // Equal widths; the last segment takes what the division leaves.
    const int segmentWidth = width() / count;
    int x = 0;
    for (int segment = 0; segment < count; ++segment) {
        const int w = segment == count - 1 ? width() - x : segmentWidth;
        myButtons[static_cast<size_t>(segment)]->setGeometry(x, 0, w, height());
        x += w;
    }
}

} // namespace ovra
