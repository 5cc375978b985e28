// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/GroupedTableView.hpp"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace ovra {

namespace {

constexpr int SECTION_GAP = 10;
constexpr int HEADER_HEIGHT = 30;

// The cell itself counts: a control that is the whole row (a stepper) is
// the row's one focus stop.
bool hasFocusableChild(const QWidget* cell) {
    const auto takesFocus = [](const QWidget* w) { return (w->focusPolicy() & Qt::TabFocus) != 0; };
    const auto children = cell->findChildren<QWidget*>();
    return takesFocus(cell) || std::any_of(children.begin(), children.end(), takesFocus);
}

bool isChoosingKey(const QKeyEvent* key) {
    return key->modifiers() == Qt::NoModifier &&
           (key->key() == Qt::Key_Space || key->key() == Qt::Key_Return ||
            key->key() == Qt::Key_Enter || key->key() == Qt::Key_Select);
}

} // namespace

GroupedTableView::GroupedTableView(QWidget* parent) : QScrollArea(parent) {
    setObjectName(QStringLiteral("groupedTable"));
    setFrameShape(QFrame::NoFrame);
    // The keyboard's focus goes to the rows and their controls, not the table.
    setFocusPolicy(Qt::NoFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setWidgetResizable(true);

    myContent = new QWidget;
    myContent->setObjectName(QStringLiteral("groupedTableContent"));
    myLayout = new QVBoxLayout(myContent);
    myLayout->setContentsMargins(GROUP_MARGIN, 0, GROUP_MARGIN, SECTION_GAP);
    myLayout->setSpacing(0);
    myLayout->addStretch(1);
    setWidget(myContent);

    myCellPool = new QWidget(myContent);
    myCellPool->hide();
}

GroupedTableView::~GroupedTableView() = default;

void GroupedTableView::clearRows() {
    for (Row& row : myRows) {
        if (row.cell) {
            row.cell->hide();
            row.cell->setParent(myCellPool);
        }
        // A reload may come from the row's own tap, still being delivered.
        row.frame->hide();
        row.frame->deleteLater();
    }
    myRows.clear();
    for (Header& header : myHeaders) {
        delete header.label;
    }
    myHeaders.clear();
    myPressedFrame = nullptr;
    // Spacers and the final stretch.
    while (QLayoutItem* item = myLayout->takeAt(0)) {
        delete item;
    }
}

void GroupedTableView::reloadData() {
    clearRows();
    const int sections = myDataSource ? myDataSource->numberOfSectionsInTableView() : 0;
    for (int section = 0; section < sections; ++section) {
        const int rows = myDataSource->numberOfRowsInSection(section);
        const QString title = myDataSource->titleForHeaderInSection(section);
        myLayout->addSpacing(SECTION_GAP);
        if (!title.isEmpty()) {
            auto* label = new QLabel(title, myContent);
            label->setObjectName(QStringLiteral("sectionHeader"));
            label->setFixedHeight(HEADER_HEIGHT);
            label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            myLayout->addWidget(label);
            label->show();
            myHeaders.push_back(Header{section, label});
        }
        for (int row = 0; row < rows; ++row) {
            const IndexPath path{section, row};
            QWidget* cell = myDataSource->cellForRowAtIndexPath(path);
            if (cell == nullptr) {
                continue;
            }
            const int height = std::max(ROW_HEIGHT, cell->height());
            auto* frame = new QWidget(myContent);
            frame->setObjectName(QStringLiteral("tableRow"));
            frame->setAttribute(Qt::WA_StyledBackground, true);
            frame->setProperty("first", row == 0);
            frame->setProperty("last", row == rows - 1);
            frame->setFixedHeight(height);
            // A row with no control of its own is chosen from the keyboard
            // as a whole (Space or Return); a row with one leaves the
            // focus to its control.
            if (!hasFocusableChild(cell)) {
                frame->setFocusPolicy(Qt::StrongFocus);
            }
            frame->installEventFilter(this);
            auto* frameLayout = new QVBoxLayout(frame);
            frameLayout->setContentsMargins(0, 0, 0, 0);
            cell->setParent(frame);
            cell->setFixedHeight(height);
            frameLayout->addWidget(cell);
            cell->show();
            myLayout->addWidget(frame);
            // At once, not when the layout would get round to it.
            frame->show();
            myRows.push_back(Row{path, QPointer<QWidget>(cell), frame});
        }
    }
    myLayout->addStretch(1);
    // Rows get their places now rather than on the next pass of the loop.
    myLayout->activate();
}

const GroupedTableView::Row* GroupedTableView::rowOfFrame(const QObject* frame) const {
    for (const Row& row : myRows) {
        if (row.frame == frame) {
            return &row;
        }
    }
    return nullptr;
}

bool GroupedTableView::eventFilter(QObject* watched, QEvent* event) {
    const Row* row = rowOfFrame(watched);
    if (row == nullptr) {
        return QScrollArea::eventFilter(watched, event);
    }
    // Keys reach a row only when it has the focus. Return is the row's
    // before it is any window shortcut's.
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (isChoosingKey(key)) {
            key->accept();
            if (event->type() == QEvent::KeyPress && myDelegate != nullptr) {
                // The delegate may reload the table, which deletes this row.
                const IndexPath path = row->indexPath;
                myDelegate->didSelectRowAtIndexPath(path);
            }
            return true;
        }
        if (event->type() == QEvent::KeyPress &&
            (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            focusNextPrevChild(key->key() == Qt::Key_Down);
            return true;
        }
    } else if (event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            myPressedFrame = row->frame;
            row->frame->setProperty("pressed", true);
            row->frame->style()->unpolish(row->frame);
            row->frame->style()->polish(row->frame);
            return true;
        }
    } else if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && myPressedFrame == row->frame) {
            QWidget* frame = row->frame;
            const IndexPath path = row->indexPath;
            const bool inside = frame->rect().contains(mouse->position().toPoint());
            myPressedFrame = nullptr;
            frame->setProperty("pressed", false);
            frame->style()->unpolish(frame);
            frame->style()->polish(frame);
            // The delegate may reload the table, which deletes this row.
            if (inside && myDelegate != nullptr) {
                myDelegate->didSelectRowAtIndexPath(path);
            }
            return true;
        }
    }
    return QScrollArea::eventFilter(watched, event);
}

} // namespace ovra
