// The panel's parts and its table: sections, headers, rows and frames.
#include "SettingsTestSupport.hpp"

#include "tuner/FloatSlider.hpp"
#include "tuner/NavigationBar.hpp"
#include "tuner/SegmentedControl.hpp"
#include "ui/WEXViewCellView.hpp"

#include <QLabel>

#include <limits>

#include <gtest/gtest.h>

namespace ovra {
namespace {

using test::RecordingAppDelegate;
using test::SettingsStage;

QString cellText(QWidget* cell) {
    auto* label = cell ? cell->findChild<QLabel*>(QStringLiteral("cellText")) : nullptr;
    return label ? label->text() : QStringLiteral("<no label>");
}

TEST(SettingsTable, HasFourSectionsOfOneRowEach) {
    RecordingAppDelegate app;
    SettingsStage stage;
    OvraSettings& panel = *stage.panel;
    EXPECT_EQ(panel.numberOfSectionsInTableView(), 4);
    for (int section = 0; section < 4; ++section) {
        EXPECT_EQ(panel.numberOfRowsInSection(section), 1) << section;
    }
    EXPECT_EQ(stage.panel->tableView()->numberOfShownRows(), 4);
}

TEST(SettingsTable, SectionsOutsideTheTableHaveNoRowsHeaderOrCell) {
    RecordingAppDelegate app;
    SettingsStage stage;
    OvraSettings& panel = *stage.panel;
    for (int section : {-1, 4, 5, 1000, std::numeric_limits<int>::min()}) {
        EXPECT_EQ(panel.numberOfRowsInSection(section), 0) << section;
        EXPECT_EQ(panel.titleForHeaderInSection(section), QString()) << section;
        EXPECT_EQ(panel.cellForRowAtIndexPath(IndexPath{section, 0}), nullptr) << section;
    }
}

TEST(SettingsTable, HeadersNameTheTwoControlSections) {
    RecordingAppDelegate app;
    SettingsStage stage;
    OvraSettings& panel = *stage.panel;
    EXPECT_EQ(panel.titleForHeaderInSection(0), QStringLiteral("Volume sensitivity"));
    EXPECT_EQ(panel.titleForHeaderInSection(1), QStringLiteral("Reactivity"));
    EXPECT_EQ(panel.titleForHeaderInSection(2), QString());
    EXPECT_EQ(panel.titleForHeaderInSection(3), QString());

    GroupedTableView* table = panel.tableView();
    ASSERT_NE(table->headerOfSection(0), nullptr);
    EXPECT_EQ(table->headerOfSection(0)->text(), QStringLiteral("Volume sensitivity"));
    ASSERT_NE(table->headerOfSection(1), nullptr);
    EXPECT_EQ(table->headerOfSection(1)->text(), QStringLiteral("Reactivity"));
    EXPECT_EQ(table->headerOfSection(2), nullptr);
    EXPECT_EQ(table->headerOfSection(3), nullptr);
}

TEST(SettingsTable, RowsAreChosenBySectionOnly) {
    RecordingAppDelegate app;
    SettingsStage stage;
    OvraSettings& panel = *stage.panel;
    EXPECT_EQ(panel.cellForRowAtIndexPath(IndexPath{0, 0}), panel.volumeSensitivityCell());
    EXPECT_EQ(panel.cellForRowAtIndexPath(IndexPath{0, 7}), panel.volumeSensitivityCell());
    EXPECT_EQ(panel.cellForRowAtIndexPath(IndexPath{1, 3}), panel.reactivityCell());
    EXPECT_EQ(panel.cellForRowAtIndexPath(IndexPath{2, 0}), panel.resetToDefaultCell());
    EXPECT_EQ(panel.cellForRowAtIndexPath(IndexPath{3, 9}), panel.aboutCell());
    EXPECT_EQ(cellText(panel.resetToDefaultCell()), QStringLiteral("Reset to default values"));
    EXPECT_EQ(cellText(panel.aboutCell()), QStringLiteral("About"));
}

TEST(SettingsTable, ShowsEachSectionsRowInOrder) {
    RecordingAppDelegate app;
    SettingsStage stage;
    OvraSettings& panel = *stage.panel;
    GroupedTableView* table = panel.tableView();
    EXPECT_EQ(table->cellAtIndexPath(IndexPath{0, 0}), panel.volumeSensitivityCell());
    EXPECT_EQ(table->cellAtIndexPath(IndexPath{1, 0}), panel.reactivityCell());
    EXPECT_EQ(table->cellAtIndexPath(IndexPath{2, 0}), panel.resetToDefaultCell());
    EXPECT_EQ(table->cellAtIndexPath(IndexPath{3, 0}), panel.aboutCell());
    // Top to bottom on screen.
    int previousY = -1;
    for (int section = 0; section < 4; ++section) {
        QWidget* cell = table->cellAtIndexPath(IndexPath{section, 0});
        const int y = cell->mapTo(table->widget(), QPoint(0, 0)).y();
        EXPECT_GT(y, previousY) << section;
        previousY = y;
        EXPECT_TRUE(cell->isVisibleTo(table)) << section;
    }
}

TEST(SettingsTable, ReactivityRowIsMadeOnceAndHostsLowHighSegments) {
    RecordingAppDelegate app;
    SettingsStage stage;
    OvraSettings& panel = *stage.panel;
    WEXViewCellView* cell = panel.reactivityCell();
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(panel.reactivityCell(), cell);
    SegmentedControl* segments = panel.reactivitySegmentView();
    ASSERT_NE(segments, nullptr);
    EXPECT_EQ(cell->view(), segments);
    EXPECT_EQ(segments->geometry(), QRect(0, 0, 300, 44));
    ASSERT_EQ(segments->numberOfSegments(), 2);
    EXPECT_EQ(segments->titleForSegmentAtIndex(0), QStringLiteral("Low"));
    EXPECT_EQ(segments->titleForSegmentAtIndex(1), QStringLiteral("High"));
}

TEST(SettingsPanel, BarAndTableSitWhereTheScreenPutsThem) {
    RecordingAppDelegate app;
    SettingsStage stage;
    OvraSettings& panel = *stage.panel;
    EXPECT_EQ(panel.toolbarProxy()->geometry(), QRectF(0, 0, 320, 44));
    EXPECT_EQ(panel.tableProxy()->geometry(), QRectF(0, 44, 320, 416));
    EXPECT_EQ(panel.toolbar()->title(), QStringLiteral("Options"));
    EXPECT_EQ(panel.toolbar()->doneButton()->text(), QStringLiteral("Done"));
    // Both move with the panel.
    EXPECT_EQ(panel.toolbarProxy()->parentItem(), &panel);
    EXPECT_EQ(panel.tableProxy()->parentItem(), &panel);
}

TEST(SettingsPanel, SliderRowHoldsTheSliderAtItsPlace) {
    RecordingAppDelegate app;
    SettingsStage stage;
    OvraSettings& panel = *stage.panel;
    FloatSlider* slider = panel.volumeSensitivitySlider();
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->parentWidget(), panel.volumeSensitivityCell());
    EXPECT_EQ(slider->geometry(), QRect(46, 12, 221, 23));
    EXPECT_EQ(slider->minimumValue(), 0.0f);
    EXPECT_EQ(slider->maximumValue(), 1.0f);
    EXPECT_EQ(panel.volumeSensitivityCell()->height(), 61);
    EXPECT_EQ(panel.resetToDefaultCell()->height(), 44);
}

TEST(SettingsPanel, RestsOffScreenDirectlyAboveTheGivenFrame) {
    RecordingAppDelegate app;
    SettingsStage stage;
    OvraSettings& panel = *stage.panel;
    EXPECT_EQ(panel.onscreenFrame(), (Rect{{0, 0}, {320, 460}}));
    EXPECT_EQ(panel.offscreenFrame(), (Rect{{0, -460}, {320, 460}}));
    EXPECT_EQ(panel.frame(), panel.offscreenFrame());

    OvraSettings small(Rect{{10, 20}, {200, 300}});
    EXPECT_EQ(small.onscreenFrame(), (Rect{{10, 20}, {200, 300}}));
    EXPECT_EQ(small.offscreenFrame(), (Rect{{10, -280}, {200, 300}}));
    EXPECT_EQ(small.frame(), small.onscreenFrame());
}

TEST(SettingsPanel, StoredFramesCanBeReplaced) {
    RecordingAppDelegate app;
    SettingsStage stage;
    OvraSettings& panel = *stage.panel;
    panel.setOnscreenFrame(Rect{{0, 20}, {320, 440}});
    panel.setOffscreenFrame(Rect{{0, -500}, {320, 440}});
    panel.showSettings();
    EXPECT_EQ(panel.frame(), (Rect{{0, 20}, {320, 440}}));
    panel.hideSettings();
    EXPECT_EQ(panel.frame(), (Rect{{0, -500}, {320, 440}}));
}

TEST(SettingsPanel, WorksWithoutAnApplicationDelegate) {
    test::ensureWidgetApplication();
    ASSERT_EQ(TunerAppDelegate::sharedAppDelegate(), nullptr);
    SettingsStage stage;
    OvraSettings& panel = *stage.panel;
    EXPECT_EQ(panel.reactivitySegmentView()->selectedSegmentIndex(), 0);
    panel.volumeSensitivitySliderMoved();
    panel.reactivityChanged();
    panel.confirmedResetToDefault();
    EXPECT_TRUE(
        panel.aboutDialog()->informativeText().startsWith(QStringLiteral("OvraTuner version \n")));
}

} // namespace
} // namespace ovra
