// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QPointer>
#include <QScrollArea>
#include <QString>
#include <QWidget>

#include <optional>
#include <vector>

class QVBoxLayout;

namespace ovra {

// A row of a table: its section and its place in that section.
struct IndexPath {
    int section = 0;
    int row = 0;
    friend bool operator==(const IndexPath&, const IndexPath&) = default;
};

// Supplies a table's sections, headers and row widgets.
class TableViewDataSource {
public:
    virtual ~TableViewDataSource() = default;
    virtual int numberOfSectionsInTableView() = 0;
    virtual int numberOfRowsInSection(int section) = 0;
    // An empty title shows no header.
    virtual QString titleForHeaderInSection(int section) = 0;
    // The row's widget, or null to leave the row out. The table shows the
    // widget and keeps it as a Qt child until the table is destroyed; the
    // same widget may be handed out again on a later reload.
    virtual QWidget* cellForRowAtIndexPath(const IndexPath& indexPath) = 0;
};

// Told when the user taps a row (press and release inside the same row, on
// the row itself rather than on a control within it).
class TableViewDelegate {
public:
    virtual ~TableViewDelegate() = default;
    virtual void didSelectRowAtIndexPath(const IndexPath& indexPath) = 0;
};

// A grouped table: sections of rounded white rows with a caption above each
// section, scrolling vertically when taller than the view. Rows are as tall
// as their widget was when first shown (at least ROW_HEIGHT) and as wide as
// the table less the group margins.
class GroupedTableView : public QScrollArea {
    Q_OBJECT

public:
    static constexpr int ROW_HEIGHT = 44;
    static constexpr int GROUP_MARGIN = 10;

    explicit GroupedTableView(QWidget* parent = nullptr);
    ~GroupedTableView() override;

    // Neither is owned.
    void setDataSource(TableViewDataSource* dataSource) { myDataSource = dataSource; }
    void setDelegate(TableViewDelegate* delegate) { myDelegate = delegate; }

    // Asks the data source again for everything and rebuilds the rows.
    void reloadData();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Row {
        IndexPath indexPath;
        QPointer<QWidget> cell;
        QWidget* frame = nullptr;
    };
    struct Header {
        int section = 0;
        QLabel* label = nullptr;
    };

    void clearRows();
    const Row* rowOfFrame(const QObject* frame) const;

    TableViewDataSource* myDataSource = nullptr;
    TableViewDelegate* myDelegate = nullptr;
    QWidget* myContent = nullptr;
    QVBoxLayout* myLayout = nullptr;
    // Parent of the row widgets between reloads, so that they are never
    // shown as windows of their own.
    QWidget* myCellPool = nullptr;
    std::vector<Row> myRows;
    std::vector<Header> myHeaders;
    QPointer<QWidget> myPressedFrame;
};

} // namespace ovra
