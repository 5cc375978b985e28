#include "UiTestSupport.hpp"

#include "ui/Control.hpp"

#include <QPointingDevice>
#include <QTest>

#include <memory>
#include <vector>

namespace ovra {
namespace {

class ControlTracking : public test::UiTest {
protected:
    void SetUp() override {
        control = std::make_unique<Control>(Rect{{0, 0}, {100, 50}});
        for (uint32_t event :
             {ControlEventTouchDown, ControlEventTouchDragInside, ControlEventTouchDragOutside,
              ControlEventTouchDragEnter, ControlEventTouchDragExit, ControlEventTouchUpInside,
              ControlEventTouchUpOutside, ControlEventTouchCancel}) {
            control->addTarget(event, [this, event] { events.push_back(event); });
        }
    }
    static Touch at(float x, float y) { return Touch{{x, y}, {x, y}}; }
    std::unique_ptr<Control> control;
    std::vector<uint32_t> events;
};

TEST_F(ControlTracking, TouchDownAndUpInside) {
    control->touchesBegan(at(10, 10));
    EXPECT_TRUE(control->isTracking());
    EXPECT_TRUE(control->isHighlighted());
    EXPECT_EQ(control->state(), ControlStateHighlighted);
    control->touchesEnded(at(12, 10));
    EXPECT_FALSE(control->isTracking());
    EXPECT_FALSE(control->isHighlighted());
    EXPECT_EQ(events, (std::vector<uint32_t>{ControlEventTouchDown, ControlEventTouchUpInside}));
}

TEST_F(ControlTracking, DraggingOutAndBackReportsExitAndEnter) {
    control->touchesBegan(at(10, 10));
    control->touchesMoved(at(200, 10));
    EXPECT_FALSE(control->isHighlighted());
    EXPECT_FALSE(control->isTouchInside());
    control->touchesMoved(at(20, 10));
    EXPECT_TRUE(control->isHighlighted());
    control->touchesEnded(at(200, 10));
    EXPECT_EQ(events,
              (std::vector<uint32_t>{ControlEventTouchDown, ControlEventTouchDragOutside,
                                     ControlEventTouchDragExit, ControlEventTouchDragInside,
                                     ControlEventTouchDragEnter, ControlEventTouchUpOutside}));
}

// A control that stops tracking a touch as soon as it moves.
class OneMoveControl : public Control {
public:
    using Control::Control;
    bool continueTrackingWithTouch(const Touch& touch) override {
        ++moves;
        Control::continueTrackingWithTouch(touch);
        return false;
    }
    int moves = 0;
};

TEST_F(ControlTracking, TrackingThatEndsIgnoresTheRestOfTheTouch) {
    OneMoveControl one(Rect{{0, 0}, {100, 50}});
    std::vector<uint32_t> seen;
    one.addTarget(ControlEventAllTouchEvents, [&] { seen.push_back(1); });
    one.touchesBegan(at(5, 5));
    one.touchesMoved(at(6, 5));
    EXPECT_FALSE(one.isTracking());
    EXPECT_FALSE(one.isHighlighted());
    one.touchesMoved(at(7, 5));
    one.touchesEnded(at(7, 5));
    EXPECT_EQ(one.moves, 1);
    EXPECT_EQ(seen.size(), 1u); // the touch-down only
}

TEST_F(ControlTracking, DisabledControlsNeitherTrackNorSend) {
    control->setEnabled(false);
    EXPECT_EQ(control->state(), ControlStateDisabled);
    control->touchesBegan(at(10, 10));
    control->touchesMoved(at(20, 10));
    control->touchesEnded(at(20, 10));
    EXPECT_FALSE(control->isHighlighted());
    EXPECT_TRUE(events.empty());
}

TEST_F(ControlTracking, CancelEndsTrackingWithACancelEvent) {
    control->touchesBegan(at(10, 10));
    control->touchesCancelled();
    EXPECT_FALSE(control->isTracking());
    EXPECT_FALSE(control->isHighlighted());
    EXPECT_EQ(events, (std::vector<uint32_t>{ControlEventTouchDown, ControlEventTouchCancel}));
}

TEST_F(ControlTracking, TargetsCanBeRemovedEvenFromInsideAnAction) {
    Control c(Rect{{0, 0}, {10, 10}});
    int first = 0;
    int second = 0;
    int secondId = 0;
    c.addTarget(ControlEventTouchDown, [&] {
        ++first;
        c.removeTarget(secondId);
    });
    secondId = c.addTarget(ControlEventTouchDown | ControlEventValueChanged, [&] { ++second; });
    c.sendActionsForControlEvents(ControlEventTouchDown);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 1); // the running delivery still reaches it
    c.sendActionsForControlEvents(ControlEventTouchDown);
    EXPECT_EQ(second, 1);
    c.sendActionsForControlEvents(ControlEventValueChanged);
    EXPECT_EQ(first, 2);
    EXPECT_EQ(second, 1);
}

TEST_F(ControlTracking, EventValuesMatchTheToolkitTheyComeFrom) {
    EXPECT_EQ(ControlEventTouchUpInside, 64u);
    EXPECT_EQ(ControlStateApplication, 0x00FF0000u);
    EXPECT_EQ(ControlStateDisabled, 2u);
}

// --- real input events through a QGraphicsView

class ControlInput : public ControlTracking {
protected:
    void SetUp() override {
        ControlTracking::SetUp();
        window = std::make_unique<test::SceneWindow>(300, 200);
        root = new View(Rect{{0, 0}, {300, 200}});
        window->scene().addItem(root);
        placed = new Control(Rect{{50, 40}, {100, 50}});
        for (const auto& [event, name] : {std::pair{ControlEventTouchDown, "down"},
                                          {ControlEventTouchUpInside, "up-in"},
                                          {ControlEventTouchUpOutside, "up-out"},
                                          {ControlEventTouchDragExit, "exit"}}) {
            placed->addTarget(event, [this, name = name] { placedEvents.push_back(name); });
        }
        root->addSubview(placed);
    }
    std::unique_ptr<test::SceneWindow> window;
    View* root = nullptr;
    Control* placed = nullptr;
    std::vector<std::string> placedEvents;
};

TEST_F(ControlInput, MouseClickInsideIsATouchUpInside) {
    QTest::mouseClick(window->viewport(), Qt::LeftButton, Qt::NoModifier, window->at(60, 50));
    EXPECT_EQ(placedEvents, (std::vector<std::string>{"down", "up-in"}));
}

TEST_F(ControlInput, MouseDraggedOutsideEndsAsTouchUpOutside) {
    QTest::mousePress(window->viewport(), Qt::LeftButton, Qt::NoModifier, window->at(60, 50));
    QTest::mouseMove(window->viewport(), window->at(250, 150));
    QTest::mouseRelease(window->viewport(), Qt::LeftButton, Qt::NoModifier, window->at(250, 150));
    EXPECT_EQ(placedEvents, (std::vector<std::string>{"down", "exit", "up-out"}));
}

TEST_F(ControlInput, OtherMouseButtonsAreNotTouches) {
    QTest::mouseClick(window->viewport(), Qt::RightButton, Qt::NoModifier, window->at(60, 50));
    EXPECT_TRUE(placedEvents.empty());
}

TEST_F(ControlInput, TouchScreenSequenceIsTrackedLikeTheMouse) {
    // Deleting the device unregisters it again.
    const std::unique_ptr<QPointingDevice> device(QTest::createTouchDevice());
    QPointingDevice* screen = device.get();
    QTest::touchEvent(window->viewport(), screen).press(0, window->at(60, 50));
    QTest::touchEvent(window->viewport(), screen).move(0, window->at(70, 55));
    QTest::touchEvent(window->viewport(), screen).release(0, window->at(70, 55));
    EXPECT_EQ(placedEvents, (std::vector<std::string>{"down", "up-in"}));

    placedEvents.clear();
    QTest::touchEvent(window->viewport(), screen).press(0, window->at(60, 50));
    QTest::touchEvent(window->viewport(), screen).move(0, window->at(280, 190));
    QTest::touchEvent(window->viewport(), screen).release(0, window->at(280, 190));
    EXPECT_EQ(placedEvents, (std::vector<std::string>{"down", "exit", "up-out"}));
}

} // namespace
} // namespace ovra
