#include "UiTestSupport.hpp"

#include "ui/WEXButton.hpp"
#include "ui/WEXToggleButton.hpp"

namespace ovra {
namespace {

using test::rectIs;

class ToggleButtonLayout : public test::SkinTest {
protected:
    ToggleButtonLayout() {
        skin.writeImage("n.png", 40, 20, Qt::red);
        skin.writeImage("h.png", 30, 30, Qt::green);
        skin.writeImage("d.png", 20, 10, Qt::blue);
        skin.writeImage("o.png", 44, 12, Qt::yellow);
    }
    static QColor colourShown(const WEXToggleButton& b) {
        return b.imageView()->image().toImage().pixelColor(0, 0);
    }
};

TEST_F(ToggleButtonLayout, AllFourImagesAndTheLargestSize) {
    layout("buttons.cfg", R"(
        ovra.aboutbutton.unpressed.filename = n.png; ovra.aboutbutton.pressed.filename = h.png;
        ovra.aboutbutton.disabled.filename = d.png; ovra.aboutbutton.on.filename = o.png;
        ovra.aboutbutton.x = 280; ovra.aboutbutton.y = "440.5";
    )");
    WEXToggleButton b;
    b.configureToggleButtonWithItemID("aboutbutton", -1, "buttons.cfg");
    EXPECT_TRUE(rectIs(b.frame(), 280, 440.5f, 44, 30));
    EXPECT_EQ(b.imageForState(ControlStateNormal).width(), 40);
    EXPECT_EQ(b.imageForState(ControlStateHighlighted).width(), 30);
    EXPECT_EQ(b.imageForState(ControlStateDisabled).width(), 20);
    EXPECT_EQ(b.imageForState(ControlStateApplication).width(), 44);
    EXPECT_EQ(colourShown(b), QColor(Qt::red));
    b.setButtonOn(true);
    EXPECT_EQ(colourShown(b), QColor(Qt::yellow));
    b.setEnabled(false);
    EXPECT_EQ(colourShown(b), QColor(Qt::blue));
}

TEST_F(ToggleButtonLayout, PlacedByUnpressedCoordinatesUnlessThereIsAPlainX) {
    // With a plain "x" but no plain "y", y reads as 0: the "unpressed" one is
    // not consulted.
    layout("buttons.cfg", R"(
        ovra.helpbutton.unpressed.filename = n.png;
        ovra.helpbutton.unpressed.x = 12; ovra.helpbutton.unpressed.y = 34;
        ovra.plainx.unpressed.filename = n.png; ovra.plainx.x = 7;
        ovra.plainx.unpressed.x = 12; ovra.plainx.unpressed.y = 34;
        ovra.settingsbutton.x = 50; ovra.settingsbutton.y = 60;
    )");
    WEXButton unpressed;
    unpressed.configureToggleButtonWithItemID("helpbutton", -1, "buttons.cfg");
    EXPECT_TRUE(rectIs(unpressed.frame(), 12, 34, 40, 20));
    WEXButton plain;
    plain.configureToggleButtonWithItemID("plainx", -1, "buttons.cfg");
    EXPECT_TRUE(rectIs(plain.frame(), 7, 0, 40, 20));

    // Without images: an empty button at its position.
    WEXButton empty;
    empty.configureToggleButtonWithItemID("settingsbutton", -1, "buttons.cfg");
    EXPECT_TRUE(rectIs(empty.frame(), 50, 60, 0, 0));
    EXPECT_TRUE(empty.imageView()->image().isNull());
    empty.setButtonOn(true);
    EXPECT_TRUE(empty.imageView()->image().isNull());
}

TEST_F(ToggleButtonLayout, IndexIsPartOfEveryKey) {
    layout("buttons.cfg", R"(
        ovra.key.2.unpressed.filename = n.png; ovra.key.2.pressed.filename = h.png;
        ovra.key.2.x = 5; ovra.key.2.y = 6; ovra.key.unpressed.filename = o.png;
    )");
    WEXToggleButton b;
    b.configureToggleButtonWithItemID("key", 2, "buttons.cfg");
    EXPECT_TRUE(rectIs(b.frame(), 5, 6, 40, 30));
    EXPECT_EQ(colourShown(b), QColor(Qt::red));
}

TEST_F(ToggleButtonLayout, SizeFollowsTheNormalImageEvenIfTheFrameWasLarger) {
    layout("buttons.cfg", "ovra.b.unpressed.filename = d.png; ovra.b.x = 1; ovra.b.y = 2;");
    WEXToggleButton b(Rect{{0, 0}, {100, 100}});
    b.configureToggleButtonWithItemID("b", -1, "buttons.cfg");
    EXPECT_TRUE(rectIs(b.frame(), 1, 2, 20, 10));
}

TEST_F(ToggleButtonLayout, MissingFileGivesAnEmptyButtonAtTheOrigin) {
    layout("buttons.cfg", R"("ovra.other.x" = "1";)");
    WEXButton b;
    b.configureToggleButtonWithItemID("aboutbutton", -1, "absent.cfg");
    EXPECT_TRUE(rectIs(b.frame(), 0, 0, 0, 0));
    EXPECT_TRUE(b.imageView()->image().isNull());
}

} // namespace
} // namespace ovra
