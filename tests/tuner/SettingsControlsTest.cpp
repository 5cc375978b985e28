// The sensitivity slider and the reactivity switch, used with the mouse.
#include "SettingsTestSupport.hpp"

#include "common/LogCapture.hpp"
#include "tuner/FloatSlider.hpp"
#include "tuner/SegmentedControl.hpp"

#include <gtest/gtest.h>

namespace ovra {
namespace {

class SettingsControls : public test::SettingsFixture {
protected:
    void SetUp() override {
        SettingsFixture::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        stage->showPanel();
        slider = panel->volumeSensitivitySlider();
        segments = panel->reactivitySegmentView();
        ASSERT_NE(slider, nullptr);
        ASSERT_NE(segments, nullptr);
    }

    QPoint sliderLeftEnd() const { return QPoint(1, slider->height() / 2); }
    QPoint sliderRightEnd() const { return QPoint(slider->width() - 2, slider->height() / 2); }

    FloatSlider* slider = nullptr;
    SegmentedControl* segments = nullptr;
};

// Setting the slider from the settings is not a user change.
TEST_F(SettingsControls, SliderFollowsTheDelegatesSensitivityWithoutReportingIt) {
    EXPECT_EQ(slider->floatValue(), 0.25f);
    app.sensitivity = 0.123456f;
    EXPECT_EQ(panel->volumeSensitivityCell(), slider->parentWidget());
    EXPECT_EQ(slider->floatValue(), 0.123456f);
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

TEST_F(SettingsControls, ChoosingHighTurnsHyperactivityOnAndLowOff) {
    app.hyperactive = false;
    panel->reactivityCell();
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
    panel->reactivityCell();
    EXPECT_EQ(segments->selectedSegmentIndex(), 0);
    app.hyperactive = true;
    panel->reactivityCell();
    EXPECT_EQ(segments->selectedSegmentIndex(), 1);
    EXPECT_TRUE(app.hyperactivityCalls.empty());
}

TEST_F(SettingsControls, NoSelectedSegmentIsLoggedAndChangesNothing) {
    LogCapture log;
    segments->setSelectedSegmentIndex(SegmentedControl::NO_SEGMENT);
    panel->reactivityChanged();
    EXPECT_EQ(log.count("Error upon setting reactivity"), 1);
    EXPECT_TRUE(app.hyperactivityCalls.empty());
    EXPECT_TRUE(app.hyperactive);
}

TEST_F(SettingsControls, HiddenPanelLeavesTheScreenUncovered) {
    const QPoint highWhenShown = stage->viewportPoint(segments->buttonForSegment(1));
    const QPoint sliderEndWhenShown = stage->viewportPoint(slider, sliderLeftEnd());
    panel->hideSettings();
    panel->finishAnimation();
    QTest::mouseClick(stage->view->viewport(), Qt::LeftButton, Qt::NoModifier, highWhenShown);
    QTest::mouseClick(stage->view->viewport(), Qt::LeftButton, Qt::NoModifier, sliderEndWhenShown);
    EXPECT_TRUE(app.hyperactivityCalls.empty());
    EXPECT_TRUE(app.sensitivityCalls.empty());
}

} // namespace
} // namespace ovra
