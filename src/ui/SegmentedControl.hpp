// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QButtonGroup>
#include <QString>
#include <QStringList>
#include <QToolButton>
#include <QWidget>

#include <vector>

namespace ovra {

// A row of joined buttons of which at most one is selected, the touch
// toolkits' segmented control. valueChanged is sent when the user picks a
// segment, not when the selection is set in code.
class SegmentedControl : public QWidget {
    Q_OBJECT

public:
    static constexpr int NO_SEGMENT = -1;

    explicit SegmentedControl(const QStringList& items, QWidget* parent = nullptr);

    int numberOfSegments() const { return static_cast<int>(myButtons.size()); }
    // NO_SEGMENT when none is selected.
    int selectedSegmentIndex() const;
    // An index outside the segments selects none.
    void setSelectedSegmentIndex(int segment);
    QToolButton* buttonForSegment(int segment) const;

signals:
    void valueChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;
    // Left and right on a segment choose its neighbour, as the arrows do in
    // any row of exclusive buttons (Qt's own handling of them needs the
    // window's focus widget, which a segment in a scene never is).
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layoutSegments();

    QButtonGroup myGroup;
    std::vector<QToolButton*> myButtons;
};

} // namespace ovra
