// The sensitivity slider and the reactivity switch, used with the mouse.
#include "SettingsTestSupport.hpp"

#include "common/LogCapture.hpp"
#include "tuner/FloatSlider.hpp"
#include "tuner/SegmentedControl.hpp"

#include <gtest/gtest.h>

namespace ovra {
namespace {

using test::RecordingAppDelegate;
using test::SettingsStage;

class SettingsControls : public ::testing::Test {
protected:
    void SetUp() override {
        stage = std::make_unique<SettingsStage>();
        ASSERT_TRUE(stage->exposed);
        stage->showPanel();
        slider = stage->panel->volumeSensitivitySlider();
        segments = stage->panel->reactivitySegmentView();
        ASSERT_NE(slider, nullptr);
        ASSERT_NE(segments, nullptr);
    }
    void TearDown() override { stage.reset(); }

    QPoint sliderLeftEnd() const { return QPoint(1, slider->height() / 2); }
    QPoint sliderRightEnd() const { return QPoint(slider->width() - 2, slider->height() / 2); }

    RecordingAppDelegate app;
    std::unique_ptr<SettingsStage> stage;
    FloatSlider* slider = nullptr;
    SegmentedControl* segments = nullptr;
};

TEST_F(SettingsControls, SliderStartsAtTheDelegatesSensitivity) {
    EXPECT_EQ(slider->floatValue(), 0.25f);
    EXPECT_TRUE(app.sensitivityCalls.empty());
}

TEST_F(SettingsControls, TappingTheSliderEndsGivesExactlyZeroAndOne) {
    stage->click(slider, sliderLeftEnd());
    ASSERT_FALSE(app.sensitivityCalls.empty());
    EXPECT_EQ(app.sensitivityCalls.back(), 0.0f);
    EXPECT_EQ(slider->floatValue(), 0.0f);

    stage->click(slider, sliderRightEnd());
    EXPECT_EQ(app.sensitivityCalls.back(), 1.0f);
    EXPECT_EQ(slider->floatValue(), 1.0f);
}

TEST_F(SettingsControls, DraggingReportsEveryStepAndEndsAtTheTrackEnd) {
    const QPoint handle(static_cast<int>(0.25 * slider->width()), slider->height() / 2);
    QWidget* viewport = stage->view->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier,
                      stage->viewportPoint(slider, handle));
    const size_t afterPress = app.sensitivityCalls.size();
    for (int x = handle.x() + 20; x < slider->width() + 40; x += 20) {
        QTest::mouseMove(viewport, stage->viewportPoint(slider, QPoint(x, handle.y())));
    }
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier,
                        stage->viewportPoint(slider, QPoint(slider->width() + 40, handle.y())));
    ASSERT_GT(app.sensitivityCalls.size(), afterPress + 2);
    // Increasing while dragged right, and clamped to the end.
    for (size_t i = afterPress + 1; i < app.sensitivityCalls.size(); ++i) {
        EXPECT_GT(app.sensitivityCalls[i], app.sensitivityCalls[i - 1]) << i;
    }
    EXPECT_EQ(app.sensitivityCalls.back(), 1.0f);
}

TEST_F(SettingsControls, SliderRowFollowsTheDelegateWhenAskedAgain) {
    app.sensitivity = 0.123456f;
    QWidget* cell = stage->panel->volumeSensitivityCell();
    EXPECT_EQ(cell, slider->parentWidget());
    EXPECT_EQ(slider->floatValue(), 0.123456f);
    // Setting the slider from the settings is not a user change.
    EXPECT_TRUE(app.sensitivityCalls.empty());
}

TEST_F(SettingsControls, ChoosingHighTurnsHyperactivityOnAndLowOff) {
    app.hyperactive = false;
    stage->panel->reactivityCell();
    ASSERT_EQ(segments->selectedSegmentIndex(), 0);

    stage->click(segments->buttonForSegment(1));
    EXPECT_EQ(app.hyperactivityCalls, std::vector<bool>{true});
    EXPECT_TRUE(app.hyperactive);
    EXPECT_EQ(segments->selectedSegmentIndex(), 1);

    stage->click(segments->buttonForSegment(0));
    EXPECT_EQ(app.hyperactivityCalls, (std::vector<bool>{true, false}));
    EXPECT_FALSE(app.hyperactive);
    EXPECT_EQ(segments->selectedSegmentIndex(), 0);
}

TEST_F(SettingsControls, ReactivityRowShowsTheCurrentMode) {
    EXPECT_EQ(segments->selectedSegmentIndex(), 1); // the delegate started hyperactive
    app.hyperactive = false;
    stage->panel->reactivityCell();
    EXPECT_EQ(segments->selectedSegmentIndex(), 0);
    app.hyperactive = true;
    stage->panel->reactivityCell();
    EXPECT_EQ(segments->selectedSegmentIndex(), 1);
    EXPECT_TRUE(app.hyperactivityCalls.empty());
}

TEST_F(SettingsControls, NoSelectedSegmentIsLoggedAndChangesNothing) {
    LogCapture log;
    segments->setSelectedSegmentIndex(SegmentedControl::NO_SEGMENT);
    stage->panel->reactivityChanged();
    EXPECT_EQ(log.count("Error upon setting reactivity"), 1);
    EXPECT_TRUE(app.hyperactivityCalls.empty());
    EXPECT_TRUE(app.hyperactive);
}

TEST_F(SettingsControls, HiddenPanelLeavesTheScreenUncovered) {
    const QPoint highWhenShown = stage->viewportPoint(segments->buttonForSegment(1));
    const QPoint sliderEndWhenShown = stage->viewportPoint(slider, sliderLeftEnd());
    stage->panel->hideSettings();
    stage->panel->finishAnimation();
    QTest::mouseClick(stage->view->viewport(), Qt::LeftButton, Qt::NoModifier, highWhenShown);
    QTest::mouseClick(stage->view->viewport(), Qt::LeftButton, Qt::NoModifier, sliderEndWhenShown);
    EXPECT_TRUE(app.hyperactivityCalls.empty());
    EXPECT_TRUE(app.sensitivityCalls.empty());
}

} // namespace
} // namespace ovra
