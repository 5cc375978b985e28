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

using test::SettingsStage;

QString cellText(QWidget* cell) {
    auto* label = cell ? cell->findChild<QLabel*>(QStringLiteral("cellText")) : nullptr;
    return label ? label->text() : QStringLiteral("<no label>");
}

using SettingsTable = test::SettingsFixture;
using SettingsPanel = test::SettingsFixture;

// Four sections of one row each, chosen by section only; sections outside
// the table have no rows, header or cell. Shown top to bottom in order.
TEST_F(SettingsTable, SectionsHeadersAndRowsInOrder) {
    const QString none;
    const struct {
        int section;
        int rows;
        QString header;
        QWidget* cell;
    } table[] = {{0, 1, QStringLiteral("Volume sensitivity"), panel->volumeSensitivityCell()},
                 {1, 1, QStringLiteral("Reactivity"), panel->reactivityCell()},
                 {2, 1, none, panel->resetToDefaultCell()},
                 {3, 1, none, panel->aboutCell()},
                 {-1, 0, none, nullptr},
                 {4, 0, none, nullptr},
                 {5, 0, none, nullptr},
                 {1000, 0, none, nullptr},
                 {std::numeric_limits<int>::min(), 0, none, nullptr}};
    EXPECT_EQ(panel->numberOfSectionsInTableView(), 4);
    GroupedTableView* view = panel->tableView();
    EXPECT_EQ(view->numberOfShownRows(), 4);
    int previousY = -1;
    for (const auto& row : table) {
        EXPECT_EQ(panel->numberOfRowsInSection(row.section), row.rows) << row.section;
        EXPECT_EQ(panel->titleForHeaderInSection(row.section), row.header) << row.section;
        EXPECT_EQ(panel->cellForRowAtIndexPath(IndexPath{row.section, 0}), row.cell) << row.section;
        EXPECT_EQ(panel->cellForRowAtIndexPath(IndexPath{row.section, 7}), row.cell) << row.section;
        if (row.rows == 0) {
            continue;
        }
        QLabel* header = view->headerOfSection(row.section);
        EXPECT_EQ(header ? header->text() : none, row.header) << row.section;
        EXPECT_EQ(header == nullptr, row.header.isEmpty()) << row.section;
        QWidget* shown = view->cellAtIndexPath(IndexPath{row.section, 0});
        ASSERT_EQ(shown, row.cell) << row.section;
        const int y = shown->mapTo(view->widget(), QPoint(0, 0)).y();
        EXPECT_GT(y, previousY) << row.section;
        previousY = y;
        EXPECT_TRUE(shown->isVisibleTo(view)) << row.section;
    }
    EXPECT_EQ(cellText(panel->resetToDefaultCell()), QStringLiteral("Reset to default values"));
    EXPECT_EQ(cellText(panel->aboutCell()), QStringLiteral("About"));
}

TEST_F(SettingsTable, ReactivityRowIsMadeOnceAndHostsLowHighSegments) {
    WEXViewCellView* cell = panel->reactivityCell();
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(panel->reactivityCell(), cell);
    SegmentedControl* segments = panel->reactivitySegmentView();
    ASSERT_NE(segments, nullptr);
    EXPECT_EQ(cell->view(), segments);
    EXPECT_EQ(segments->geometry(), QRect(0, 0, 300, 44));
    ASSERT_EQ(segments->numberOfSegments(), 2);
    EXPECT_EQ(segments->titleForSegmentAtIndex(0), QStringLiteral("Low"));
    EXPECT_EQ(segments->titleForSegmentAtIndex(1), QStringLiteral("High"));
}

TEST_F(SettingsPanel, BarTableAndSliderSitWhereTheScreenPutsThem) {
    EXPECT_EQ(panel->toolbarProxy()->geometry(), QRectF(0, 0, 320, 44));
    EXPECT_EQ(panel->tableProxy()->geometry(), QRectF(0, 44, 320, 416));
    EXPECT_EQ(panel->toolbar()->title(), QStringLiteral("Options"));
    EXPECT_EQ(panel->toolbar()->doneButton()->text(), QStringLiteral("Done"));
    // Both move with the panel.
    EXPECT_EQ(panel->toolbarProxy()->parentItem(), panel);
    EXPECT_EQ(panel->tableProxy()->parentItem(), panel);

    FloatSlider* slider = panel->volumeSensitivitySlider();
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->parentWidget(), panel->volumeSensitivityCell());
    EXPECT_EQ(slider->geometry(), QRect(46, 12, 221, 23));
    EXPECT_EQ(slider->minimumValue(), 0.0f);
    EXPECT_EQ(slider->maximumValue(), 1.0f);
    EXPECT_EQ(panel->volumeSensitivityCell()->height(), 61);
    EXPECT_EQ(panel->resetToDefaultCell()->height(), 44);
}

TEST_F(SettingsPanel, RestsOffScreenDirectlyAboveTheGivenFrame) {
    EXPECT_EQ(panel->onscreenFrame(), (Rect{{0, 0}, {320, 460}}));
    EXPECT_EQ(panel->offscreenFrame(), (Rect{{0, -460}, {320, 460}}));
    EXPECT_EQ(panel->frame(), panel->offscreenFrame());

    OvraSettings small(Rect{{10, 20}, {200, 300}});
    EXPECT_EQ(small.onscreenFrame(), (Rect{{10, 20}, {200, 300}}));
    EXPECT_EQ(small.offscreenFrame(), (Rect{{10, -280}, {200, 300}}));
    EXPECT_EQ(small.frame(), small.onscreenFrame());
}

TEST_F(SettingsPanel, StoredFramesCanBeReplaced) {
    panel->setOnscreenFrame(Rect{{0, 20}, {320, 440}});
    panel->setOffscreenFrame(Rect{{0, -500}, {320, 440}});
    panel->showSettings();
    EXPECT_EQ(panel->frame(), (Rect{{0, 20}, {320, 440}}));
    panel->hideSettings();
    EXPECT_EQ(panel->frame(), (Rect{{0, -500}, {320, 440}}));
}

TEST(SettingsPanelAlone, WorksWithoutAnApplicationDelegate) {
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
