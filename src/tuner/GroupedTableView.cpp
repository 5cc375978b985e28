#include "tuner/GroupedTableView.hpp"

#include <QEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace ovra {

namespace {

constexpr int SECTION_GAP = 10;
constexpr int HEADER_HEIGHT = 30;

} // namespace

GroupedTableView::GroupedTableView(QWidget* parent) : QScrollArea(parent) {
    setObjectName(QStringLiteral("groupedTable"));
    setFrameShape(QFrame::NoFrame);
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
    // Presses that a control inside the row takes never reach the row; the
    // rest arrive here, from the row's own area or a passive child.
    if (event->type() == QEvent::MouseButtonPress) {
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
