// Sliding the panel in and out, and the listener told before it leaves.
#include "SettingsTestSupport.hpp"

#include "tuner/NavigationBar.hpp"
#include "tuner/SettingsDelegate.hpp"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace ovra {
namespace {

const Rect kOnscreen{{0, 0}, {320, 460}};
const Rect kOffscreen{{0, -460}, {320, 460}};

// Remembers where the panel was, model and drawn, when told.
class HideListener : public SettingsDelegate {
public:
    void settingsWillHide(OvraSettings* settings) override {
        panels.push_back(settings);
        framesWhenTold.push_back(settings->frame());
        drawnWhenTold.push_back(settings->presentationOrigin());
    }
    std::vector<OvraSettings*> panels;
    std::vector<Rect> framesWhenTold;
    std::vector<Point> drawnWhenTold;
};

class SettingsSlide : public test::SettingsFixture {
protected:
    HideListener listener; // the stage (and panel) goes first, in TearDown
};

TEST_F(SettingsSlide, ShowGlidesDownToTheScreenAndHideBackAboveItInHalfASecond) {
    ASSERT_EQ(panel->frame(), kOffscreen);
    panel->showSettings();
    EXPECT_EQ(panel->frame(), kOnscreen);
    ASSERT_TRUE(panel->isAnimating());
    EXPECT_EQ(panel->currentAnimation()->duration(), 500);
    QSignalSpy finished(panel, &View::animationFinished);
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_EQ(panel->presentationOrigin(), kOnscreen.origin);
    EXPECT_EQ(panel->frame(), kOnscreen);

    panel->hideSettings();
    EXPECT_EQ(panel->frame(), kOffscreen);
    ASSERT_TRUE(panel->isAnimating());
    EXPECT_EQ(panel->currentAnimation()->duration(), 500);
    panel->finishAnimation();
    EXPECT_EQ(panel->presentationOrigin(), kOffscreen.origin);
}

TEST_F(SettingsSlide, ShowingTwiceStaysOnScreen) {
    panel->showSettings();
    panel->showSettings();
    EXPECT_EQ(panel->frame(), kOnscreen);
    panel->finishAnimation();
    EXPECT_EQ(panel->presentationOrigin(), kOnscreen.origin);
    panel->showSettings();
    panel->finishAnimation();
    EXPECT_EQ(panel->frame(), kOnscreen);
    EXPECT_EQ(panel->presentationOrigin(), kOnscreen.origin);
}

TEST_F(SettingsSlide, ListenerIsToldBeforeThePanelMovesButNotWhenItShows) {
    panel->setDelegate(&listener);
    EXPECT_EQ(panel->delegate(), &listener);
    stage->showPanel();
    EXPECT_TRUE(listener.panels.empty());
    panel->hideSettings();
    ASSERT_EQ(listener.panels.size(), 1u);
    EXPECT_EQ(listener.panels[0], panel);
    EXPECT_EQ(listener.framesWhenTold[0], kOnscreen);
    EXPECT_EQ(listener.drawnWhenTold[0], kOnscreen.origin);
    EXPECT_EQ(panel->frame(), kOffscreen);
}

TEST_F(SettingsSlide, DoneButtonHidesThePanel) {
    panel->setDelegate(&listener);
    stage->showPanel();
    stage->click(panel->toolbar()->doneButton());
    EXPECT_EQ(listener.panels.size(), 1u);
    EXPECT_EQ(panel->frame(), kOffscreen);
    panel->finishAnimation();
    EXPECT_EQ(panel->presentationOrigin(), kOffscreen.origin);
}

TEST_F(SettingsSlide, HidingWithoutListenerOnlyMoves) {
    stage->showPanel();
    panel->doneButtonHit();
    panel->finishAnimation();
    EXPECT_EQ(panel->frame(), kOffscreen);
    EXPECT_EQ(panel->presentationOrigin(), kOffscreen.origin);
    EXPECT_TRUE(app.hyperactivityCalls.empty());
    EXPECT_TRUE(app.sensitivityCalls.empty());
}

TEST_F(SettingsSlide, ShownPanelTakesTouchesMeantForTheScreenBelow) {
    stage->showPanel();
    // Anything under the panel's empty area gets no press.
    QGraphicsItem* top = stage->scene->itemAt(QPointF(160, 450), QTransform());
    ASSERT_NE(top, nullptr);
    EXPECT_TRUE(top == panel || top->parentItem() == panel);
}

} // namespace
} // namespace ovra
