// The panel's building blocks on their own: float slider, segmented control
// and grouped table.
#include "SettingsTestSupport.hpp"

#include "tuner/FloatSlider.hpp"
#include "tuner/GroupedTableView.hpp"
#include "tuner/SegmentedControl.hpp"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <utility>

namespace ovra {
namespace {

class Widgets : public ::testing::Test {
protected:
    void SetUp() override { test::ensureWidgetApplication(); }
};

TEST_F(Widgets, SliderKeepsAValueSetInCodeExactlyAndItsHandleShowsIt) {
    FloatSlider slider;
    QSignalSpy changes(&slider, &FloatSlider::floatValueChanged);
    for (float value : {0.5263158f, 0.0f, 1.0f, 0.3333333f, 1e-7f}) {
        slider.setFloatValue(value);
        EXPECT_EQ(slider.floatValue(), value);
    }
    EXPECT_EQ(changes.count(), 0);
    slider.setFloatValue(0.5263158f);
    EXPECT_EQ(slider.value(), 5263);
}

TEST_F(Widgets, SliderClampsToItsRangeAndIgnoresNaN) {
    FloatSlider slider;
    slider.setFloatValue(1.5f);
    EXPECT_EQ(slider.floatValue(), 1.0f);
    EXPECT_EQ(slider.value(), FloatSlider::STEPS);
    slider.setFloatValue(-0.5f);
    EXPECT_EQ(slider.floatValue(), 0.0f);
    slider.setFloatValue(0.75f);
    slider.setFloatValue(std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(slider.floatValue(), 0.75f);
}

TEST_F(Widgets, UserPositionsMapEvenlyOverTheRangeWithExactEnds) {
    for (const auto& [low, high] : {std::pair{0.0f, 1.0f}, std::pair{-2.0f, 2.0f}}) {
        FloatSlider slider;
        slider.setMinimumValue(low);
        slider.setMaximumValue(high);
        QSignalSpy changes(&slider, &FloatSlider::floatValueChanged);
        slider.triggerAction(QAbstractSlider::SliderToMaximum);
        EXPECT_EQ(slider.floatValue(), high) << low << ".." << high;
        slider.triggerAction(QAbstractSlider::SliderToMinimum);
        EXPECT_EQ(slider.floatValue(), low) << low << ".." << high;
        slider.setSliderPosition(FloatSlider::STEPS / 2);
        EXPECT_EQ(slider.floatValue(), (low + high) / 2.0f) << low << ".." << high;
        slider.setSliderPosition(FloatSlider::STEPS / 4);
        EXPECT_EQ(slider.floatValue(), low + (high - low) / 4.0f) << low << ".." << high;
        EXPECT_EQ(changes.count(), 4) << low << ".." << high;
    }
}

TEST_F(Widgets, SegmentsSelectOneAtATime) {
    SegmentedControl control({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
    control.resize(300, 44);
    control.show();
    EXPECT_EQ(control.selectedSegmentIndex(), SegmentedControl::NO_SEGMENT);
    control.setSelectedSegmentIndex(2);
    EXPECT_EQ(control.selectedSegmentIndex(), 2);
    control.setSelectedSegmentIndex(0);
    EXPECT_EQ(control.selectedSegmentIndex(), 0);
    EXPECT_FALSE(control.buttonForSegment(2)->isChecked());
    // Equal widths filling the control.
    EXPECT_EQ(control.buttonForSegment(0)->geometry(), QRect(0, 0, 100, 44));
    EXPECT_EQ(control.buttonForSegment(2)->geometry(), QRect(200, 0, 100, 44));
}

TEST_F(Widgets, SegmentIndexOutsideTheSegmentsSelectsNone) {
    SegmentedControl control({QStringLiteral("Low"), QStringLiteral("High")});
    control.setSelectedSegmentIndex(1);
    control.setSelectedSegmentIndex(-1);
    EXPECT_EQ(control.selectedSegmentIndex(), SegmentedControl::NO_SEGMENT);
    control.setSelectedSegmentIndex(0);
    control.setSelectedSegmentIndex(2);
    EXPECT_EQ(control.selectedSegmentIndex(), SegmentedControl::NO_SEGMENT);
    EXPECT_EQ(control.buttonForSegment(2), nullptr);
    EXPECT_EQ(control.titleForSegmentAtIndex(-1), QString());
    // Exclusive again afterwards.
    control.setSelectedSegmentIndex(0);
    control.buttonForSegment(1)->click();
    EXPECT_EQ(control.selectedSegmentIndex(), 1);
    EXPECT_FALSE(control.buttonForSegment(0)->isChecked());
}

TEST_F(Widgets, SegmentsReportUserChoicesOnly) {
    SegmentedControl control({QStringLiteral("Low"), QStringLiteral("High")});
    QSignalSpy changes(&control, &SegmentedControl::valueChanged);
    control.setSelectedSegmentIndex(1);
    EXPECT_EQ(changes.count(), 0);
    control.buttonForSegment(0)->click();
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(control.selectedSegmentIndex(), 0);
}

// A table source with rows made on demand; section 1 row 1 has no widget.
class ScriptedSource : public TableViewDataSource, public TableViewDelegate {
public:
    int numberOfSectionsInTableView() override { return sections; }
    int numberOfRowsInSection(int section) override { return section == 1 ? 3 : 1; }
    QString titleForHeaderInSection(int section) override {
        return section == 0 ? QStringLiteral("First") : QString();
    }
    QWidget* cellForRowAtIndexPath(const IndexPath& path) override {
        ++requests;
        if (path.section == 1 && path.row == 1) {
            return nullptr;
        }
        QPointer<QWidget>& cell = cells[{path.section, path.row}];
        if (!cell) {
            cell = new QLabel(QStringLiteral("%1.%2").arg(path.section).arg(path.row));
            cell->resize(200, path.section == 0 ? 70 : 20);
        }
        return cell.data();
    }
    void didSelectRowAtIndexPath(const IndexPath& path) override {
        selected.push_back(path);
        if (reloadOnSelect != nullptr) {
            reloadOnSelect->reloadData();
        }
    }

    GroupedTableView* reloadOnSelect = nullptr;
    int sections = 2;
    int requests = 0;
    std::map<std::pair<int, int>, QPointer<QWidget>> cells;
    std::vector<IndexPath> selected;
};

// A 320 x 400 table loaded from a scripted source that is also its delegate.
class Table : public Widgets {
protected:
    void SetUp() override {
        Widgets::SetUp();
        table.resize(320, 400);
        table.setDataSource(&source);
        table.setDelegate(&source);
    }
    ScriptedSource source;
    GroupedTableView table;
};

TEST_F(Table, ShowsTheRowsItsSourceGives) {
    table.reloadData();
    EXPECT_EQ(source.requests, 4);
    EXPECT_EQ(table.numberOfShownRows(), 3);
    EXPECT_EQ(table.cellAtIndexPath(IndexPath{1, 1}), nullptr);
    ASSERT_NE(table.cellAtIndexPath(IndexPath{1, 2}), nullptr);
    EXPECT_EQ(table.indexPathForCell(table.cellAtIndexPath(IndexPath{1, 2})), (IndexPath{1, 2}));
    EXPECT_EQ(table.indexPathForCell(&table), std::nullopt);
    ASSERT_NE(table.headerOfSection(0), nullptr);
    EXPECT_EQ(table.headerOfSection(0)->text(), QStringLiteral("First"));
    EXPECT_EQ(table.headerOfSection(1), nullptr);
    // Rows keep their own height, never below the standard one.
    EXPECT_EQ(table.cellAtIndexPath(IndexPath{0, 0})->height(), 70);
    EXPECT_EQ(table.cellAtIndexPath(IndexPath{1, 0})->height(), GroupedTableView::ROW_HEIGHT);
}

TEST_F(Table, ReloadKeepsTheRowWidgetsAlive) {
    table.reloadData();
    QPointer<QWidget> first = table.cellAtIndexPath(IndexPath{0, 0});
    source.sections = 1;
    table.reloadData();
    EXPECT_FALSE(first.isNull());
    EXPECT_EQ(table.numberOfShownRows(), 1);
    // A row left out is kept, hidden, and can come back.
    QPointer<QWidget> dropped = source.cells[{1, 0}];
    ASSERT_FALSE(dropped.isNull());
    EXPECT_FALSE(dropped->isVisible());
    source.sections = 2;
    table.reloadData();
    EXPECT_EQ(table.cellAtIndexPath(IndexPath{1, 0}), dropped.data());
}

TEST_F(Table, TappingARowTellsTheDelegateButAControlInItDoesNot) {
    table.reloadData();
    auto* button = new QPushButton(QStringLiteral("inner"), table.cellAtIndexPath(IndexPath{0, 0}));
    button->setGeometry(0, 0, 40, 20);
    table.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&table));

    QTest::mouseClick(table.cellAtIndexPath(IndexPath{1, 2}), Qt::LeftButton);
    ASSERT_EQ(source.selected.size(), 1u);
    EXPECT_EQ(source.selected[0], (IndexPath{1, 2}));

    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(source.selected.size(), 1u);

    // Pressed in one row, released outside it: no selection.
    QWidget* row = table.cellAtIndexPath(IndexPath{0, 0});
    QTest::mousePress(row, Qt::LeftButton, Qt::NoModifier, QPoint(100, 50));
    QTest::mouseRelease(row, Qt::LeftButton, Qt::NoModifier, QPoint(100, 500));
    EXPECT_EQ(source.selected.size(), 1u);
}

TEST_F(Table, DelegateMayReloadTheTableFromATap) {
    source.reloadOnSelect = &table;
    table.reloadData();
    table.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&table));
    QTest::mouseClick(table.cellAtIndexPath(IndexPath{1, 0}), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(source.selected.size(), 1u);
    // The rebuilt row takes the next tap.
    QTest::mouseClick(table.cellAtIndexPath(IndexPath{1, 0}), Qt::LeftButton);
    EXPECT_EQ(source.selected.size(), 2u);
    EXPECT_EQ(table.numberOfShownRows(), 3);
}

} // namespace
} // namespace ovra
