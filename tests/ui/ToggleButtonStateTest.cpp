#include "UiTestSupport.hpp"

#include "ui/WEXButton.hpp"
#include "ui/WEXToggleButton.hpp"

#include <QTest>

#include <memory>

namespace ovra {
namespace {

using test::rectIs;
using test::solidPixmap;

// Four distinguishable pictures of one size.
struct Pictures {
    QPixmap normal = solidPixmap(40, 20, Qt::red);
    QPixmap highlighted = solidPixmap(40, 20, Qt::green);
    QPixmap disabled = solidPixmap(40, 20, Qt::blue);
    QPixmap on = solidPixmap(40, 20, Qt::yellow);
};

bool same(const QPixmap& a, const QPixmap& b) {
    return !a.isNull() && a.cacheKey() == b.cacheKey();
}

Touch at(float x, float y) {
    return Touch{{x, y}, {x, y}};
}

class ToggleButtonStates : public test::UiTest {
protected:
    template <typename Button>
    void skin(Button& b, bool withHighlighted = true, bool withDisabled = true,
              bool withOn = true) {
        b.setImage(pics.normal, ControlStateNormal);
        if (withHighlighted) {
            b.setImage(pics.highlighted, ControlStateHighlighted);
        }
        if (withDisabled) {
            b.setImage(pics.disabled, ControlStateDisabled);
        }
        if (withOn) {
            b.setImage(pics.on, ControlStateApplication);
        }
    }
    static QPixmap shown(const WEXToggleButton& b) { return b.imageView()->image(); }
    // A touch that begins and ends inside.
    static void tap(WEXToggleButton& b) {
        b.touchesBegan(at(5, 5));
        b.touchesEnded(at(5, 5));
    }
    Pictures pics;
};

TEST_F(ToggleButtonStates, NewButtonIsOffShowsNothingAndTakesTouches) {
    WEXToggleButton button;
    EXPECT_FALSE(button.isButtonOn());
    EXPECT_TRUE(shown(button).isNull());
    EXPECT_TRUE(button.isUserInteractionEnabled());
    ASSERT_EQ(button.subviews().size(), 1u);
    EXPECT_FALSE(button.imageView()->isUserInteractionEnabled());
}

TEST_F(ToggleButtonStates, FullTableForTheToggleButton) {
    WEXToggleButton b;
    skin(b);
    EXPECT_TRUE(same(shown(b), pics.normal)); // enabled, resting, off
    b.setButtonOn(true);
    EXPECT_TRUE(same(shown(b), pics.on)); // enabled, resting, on
    b.touchesBegan(at(5, 5));
    EXPECT_TRUE(same(shown(b), pics.highlighted)); // touch down, on
    b.touchesEnded(at(5, 5));
    EXPECT_FALSE(b.isButtonOn());
    EXPECT_TRUE(same(shown(b), pics.normal));
    b.touchesBegan(at(5, 5));
    EXPECT_TRUE(same(shown(b), pics.highlighted)); // touch down, off
    b.touchesEnded(at(5, 5));
    EXPECT_TRUE(same(shown(b), pics.on));

    b.setEnabled(false);
    EXPECT_TRUE(same(shown(b), pics.disabled)); // disabled, on
    b.touchesBegan(at(5, 5));
    EXPECT_TRUE(same(shown(b), pics.disabled)); // a touch on a disabled button shows nothing new
    b.setButtonOn(false);
    EXPECT_TRUE(same(shown(b), pics.disabled)); // disabled, off
}

TEST_F(ToggleButtonStates, PushButtonNeverShowsItsOnState) {
    WEXButton b;
    skin(b);
    b.setButtonOn(true);
    EXPECT_TRUE(same(shown(b), pics.normal));
    EXPECT_TRUE(same(b.functionalOnImage(), pics.normal));
    b.touchesBegan(at(5, 5));
    EXPECT_TRUE(same(shown(b), pics.highlighted));
    b.touchesEnded(at(5, 5));
    EXPECT_FALSE(b.isButtonOn()); // it still flips
    EXPECT_TRUE(same(shown(b), pics.normal));
    tap(b);
    EXPECT_TRUE(b.isButtonOn());
    EXPECT_TRUE(same(shown(b), pics.normal));
    b.setEnabled(false);
    EXPECT_TRUE(same(shown(b), pics.disabled));
}

TEST_F(ToggleButtonStates, OnlyANormalImageShowsInEveryState) {
    WEXToggleButton b;
    skin(b, false, false, false);
    b.setButtonOn(true);
    EXPECT_TRUE(same(shown(b), pics.normal));
    b.touchesBegan(at(1, 1));
    EXPECT_TRUE(same(shown(b), pics.normal));
    b.touchesEnded(at(1, 1));
    b.setEnabled(false);
    EXPECT_TRUE(same(shown(b), pics.normal));
}

TEST_F(ToggleButtonStates, WithoutAnOnImageTheHighlightedImageShowsWhileOn) {
    WEXToggleButton b;
    skin(b, true, true, false);
    b.setButtonOn(true);
    EXPECT_TRUE(same(shown(b), pics.highlighted));
    EXPECT_TRUE(same(b.functionalOnImage(), pics.highlighted));
}

TEST_F(ToggleButtonStates, DisabledWithoutADisabledImageShowsNormalAlsoWhileOn) {
    WEXToggleButton b;
    skin(b, true, false, true);
    b.setButtonOn(true);
    b.setEnabled(false);
    EXPECT_TRUE(same(shown(b), pics.normal));
}

TEST_F(ToggleButtonStates, EveryTouchEndFlipsInsideOutsideEnabledOrNot) {
    WEXToggleButton b;
    skin(b);
    b.touchesBegan(at(5, 5));
    b.touchesEnded(at(500, 500)); // ended outside
    EXPECT_TRUE(b.isButtonOn());
    tap(b);
    EXPECT_FALSE(b.isButtonOn()); // two ends: as it was
    b.setEnabled(false);
    tap(b);
    EXPECT_TRUE(b.isButtonOn());
    EXPECT_TRUE(same(shown(b), pics.disabled));
}

TEST_F(ToggleButtonStates, MovingOffShowsTheRestingImageAndNotTheHighlightAgain) {
    WEXToggleButton b;
    skin(b);
    b.setButtonOn(true);
    b.touchesBegan(at(5, 5));
    b.touchesMoved(at(10, 10)); // still inside
    EXPECT_TRUE(same(shown(b), pics.highlighted));
    EXPECT_TRUE(b.isTracking());
    b.touchesMoved(at(60, 10)); // off the 40 x 20 button
    EXPECT_TRUE(same(shown(b), pics.on));
    EXPECT_FALSE(b.isTracking());
    b.touchesMoved(at(10, 10)); // back inside
    EXPECT_TRUE(same(shown(b), pics.on));
    b.touchesEnded(at(10, 10));
    EXPECT_FALSE(b.isButtonOn());
    EXPECT_TRUE(same(shown(b), pics.normal));
}

TEST_F(ToggleButtonStates, TargetsSeeTheStateAndImageAfterTheFlip) {
    WEXToggleButton b;
    skin(b);
    int upInside = 0;
    bool onSeen = false;
    QPixmap imageSeen;
    b.addTarget(ControlEventTouchUpInside, [&] {
        ++upInside;
        onSeen = b.isButtonOn();
        imageSeen = shown(b);
    });
    tap(b);
    EXPECT_EQ(upInside, 1);
    EXPECT_TRUE(onSeen);
    EXPECT_TRUE(same(imageSeen, pics.on));

    // A touch whose tracking ended on the way out sends no touch-up-inside.
    b.touchesBegan(at(5, 5));
    b.touchesMoved(at(90, 5));
    b.touchesMoved(at(5, 5));
    b.touchesEnded(at(5, 5));
    EXPECT_EQ(upInside, 1);
    EXPECT_FALSE(b.isButtonOn());
}

TEST_F(ToggleButtonStates, ImageFieldsByState) {
    WEXToggleButton b;
    skin(b);
    EXPECT_EQ(b.imageVariableForState(ControlStateNormal), b.imageVariableForState(0));
    EXPECT_TRUE(same(*b.imageVariableForState(1), pics.highlighted));
    EXPECT_TRUE(same(*b.imageVariableForState(2), pics.disabled));
    EXPECT_TRUE(same(*b.imageVariableForState(0x00FF0000u), pics.on));
    EXPECT_EQ(b.imageVariableForState(3), nullptr);
    EXPECT_EQ(b.imageVariableForState(4), nullptr);
    EXPECT_TRUE(b.imageForState(3).isNull());

    const Rect before = b.frame();
    b.setImage(solidPixmap(90, 90, Qt::black), 3);
    EXPECT_EQ(b.frame(), before);
    for (uint32_t s : {0u, 1u, 2u, 0x00FF0000u}) {
        EXPECT_EQ(b.imageForState(s).width(), 40);
    }
}

TEST_F(ToggleButtonStates, ButtonGrowsToTheLargestImageAndNeverShrinks) {
    WEXToggleButton b;
    b.setImage(solidPixmap(40, 20, Qt::red), ControlStateNormal);
    b.setImage(solidPixmap(30, 30, Qt::green), ControlStateHighlighted);
    EXPECT_TRUE(rectIs(b.frame(), 0, 0, 40, 30));
    b.setImage(solidPixmap(10, 10, Qt::blue), ControlStateNormal);
    EXPECT_TRUE(rectIs(b.frame(), 0, 0, 40, 30));
    // Removing an image neither grows nor shrinks.
    b.setImage(QPixmap(), ControlStateHighlighted);
    EXPECT_TRUE(b.imageForState(ControlStateHighlighted).isNull());
    EXPECT_TRUE(rectIs(b.frame(), 0, 0, 40, 30));
    // The image view was made with the creation frame and stays so.
    EXPECT_TRUE(rectIs(b.imageView()->frame(), 0, 0, 0, 0));
}

TEST_F(ToggleButtonStates, SettingAnImageRefreshesTheRestingImage) {
    WEXToggleButton b;
    b.setButtonOn(true);
    b.setImage(pics.normal, ControlStateNormal);
    EXPECT_TRUE(same(shown(b), pics.normal));
    b.setImage(pics.on, ControlStateApplication);
    EXPECT_TRUE(same(shown(b), pics.on));
}

// --- the same table driven by real mouse events on a view

class ToggleButtonClicks : public ToggleButtonStates {
protected:
    void SetUp() override {
        ToggleButtonStates::SetUp();
        window = std::make_unique<test::SceneWindow>(200, 100);
        root = new View(Rect{{0, 0}, {200, 100}});
        window->scene().addItem(root);
    }
    template <typename Button> Button* place() {
        auto* b = new Button(Rect{{20, 30}, {0, 0}});
        skin(*b);
        root->addSubview(b);
        b->addTarget(ControlEventTouchUpInside, [this] { ++upInside; });
        return b;
    }
    QPoint inside() { return window->at(30, 40); }
    QPoint outside() { return window->at(150, 80); }
    QWidget* viewport() { return window->viewport(); }
    std::unique_ptr<test::SceneWindow> window;
    View* root = nullptr;
    int upInside = 0;
};

TEST_F(ToggleButtonClicks, PressMoveOutMoveBackRelease) {
    auto* b = place<WEXToggleButton>();
    QTest::mousePress(viewport(), Qt::LeftButton, Qt::NoModifier, inside());
    EXPECT_TRUE(same(shown(*b), pics.highlighted));
    QTest::mouseMove(viewport(), outside());
    EXPECT_TRUE(same(shown(*b), pics.normal));
    QTest::mouseMove(viewport(), inside());
    EXPECT_TRUE(same(shown(*b), pics.normal));
    QTest::mouseRelease(viewport(), Qt::LeftButton, Qt::NoModifier, inside());
    EXPECT_TRUE(b->isButtonOn());
    EXPECT_TRUE(same(shown(*b), pics.on));
    EXPECT_EQ(upInside, 0);
}

TEST_F(ToggleButtonClicks, ClicksToggleAndReportTouchUpInside) {
    auto* b = place<WEXToggleButton>();
    QTest::mouseClick(viewport(), Qt::LeftButton, Qt::NoModifier, inside());
    EXPECT_TRUE(b->isButtonOn());
    EXPECT_TRUE(same(shown(*b), pics.on));
    QTest::mouseClick(viewport(), Qt::LeftButton, Qt::NoModifier, inside());
    EXPECT_FALSE(b->isButtonOn());
    EXPECT_TRUE(same(shown(*b), pics.normal));
    EXPECT_EQ(upInside, 2);
}

TEST_F(ToggleButtonClicks, DisabledButtonFlipsButSendsNothing) {
    auto* b = place<WEXToggleButton>();
    b->setEnabled(false);
    QTest::mousePress(viewport(), Qt::LeftButton, Qt::NoModifier, inside());
    EXPECT_TRUE(same(shown(*b), pics.disabled));
    QTest::mouseRelease(viewport(), Qt::LeftButton, Qt::NoModifier, inside());
    EXPECT_TRUE(b->isButtonOn());
    EXPECT_TRUE(same(shown(*b), pics.disabled));
    EXPECT_EQ(upInside, 0);
}

TEST_F(ToggleButtonClicks, PushButtonClickedWhileOnLooksNormal) {
    auto* b = place<WEXButton>();
    b->setButtonOn(true);
    QTest::mousePress(viewport(), Qt::LeftButton, Qt::NoModifier, inside());
    EXPECT_TRUE(same(shown(*b), pics.highlighted));
    QTest::mouseRelease(viewport(), Qt::LeftButton, Qt::NoModifier, inside());
    EXPECT_FALSE(b->isButtonOn());
    EXPECT_TRUE(same(shown(*b), pics.normal));
    QTest::mouseClick(viewport(), Qt::LeftButton, Qt::NoModifier, inside());
    EXPECT_TRUE(b->isButtonOn());
    EXPECT_TRUE(same(shown(*b), pics.normal));
    EXPECT_EQ(upInside, 2);
}

TEST_F(ToggleButtonClicks, ReleasedOutsideStillFlipsWithoutTouchUpInside) {
    auto* b = place<WEXButton>();
    QTest::mousePress(viewport(), Qt::LeftButton, Qt::NoModifier, inside());
    QTest::mouseRelease(viewport(), Qt::LeftButton, Qt::NoModifier, outside());
    EXPECT_TRUE(b->isButtonOn());
    EXPECT_EQ(upInside, 0);
}

} // namespace
} // namespace ovra
