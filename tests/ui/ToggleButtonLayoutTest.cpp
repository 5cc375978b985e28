#include "UiTestSupport.hpp"

#include "layout/WEXConfig.hpp"
#include "ui/WEXButton.hpp"
#include "ui/WEXToggleButton.hpp"

#include <memory>

namespace ovra {
namespace {

using test::rectIs;

class ToggleButtonLayout : protected test::ApplicationFirst, public ::testing::Test {
protected:
    void SetUp() override {
        test::ensureApplication();
        skin = std::make_unique<test::SkinDirectory>();
        skin->writeImage("n.png", 40, 20, Qt::red);
        skin->writeImage("h.png", 30, 30, Qt::green);
        skin->writeImage("d.png", 20, 10, Qt::blue);
        skin->writeImage("o.png", 44, 12, Qt::yellow);
    }
    void TearDown() override {
        config.reset();
        skin.reset();
    }
    void layout(const std::string& text) {
        skin->write("buttons.cfg", text);
        config = std::make_unique<WEXConfig>("ovra");
    }
    static QColor colourShown(const WEXToggleButton& b) {
        return b.imageView()->image().toImage().pixelColor(0, 0);
    }
    std::unique_ptr<test::SkinDirectory> skin;
    std::unique_ptr<WEXConfig> config;
};

TEST_F(ToggleButtonLayout, AllFourImagesAndTheLargestSize) {
    layout(R"(
        "ovra.aboutbutton.unpressed.filename" = "n.png";
        "ovra.aboutbutton.pressed.filename" = "h.png";
        "ovra.aboutbutton.disabled.filename" = "d.png";
        "ovra.aboutbutton.on.filename" = "o.png";
        "ovra.aboutbutton.x" = "280";
        "ovra.aboutbutton.y" = "440.5";
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

TEST_F(ToggleButtonLayout, PlacedByUnpressedCoordinatesWithoutAPlainX) {
    layout(R"(
        "ovra.helpbutton.unpressed.filename" = "n.png";
        "ovra.helpbutton.unpressed.x" = "12";
        "ovra.helpbutton.unpressed.y" = "34";
    )");
    WEXButton b;
    b.configureToggleButtonWithItemID("helpbutton", -1, "buttons.cfg");
    EXPECT_TRUE(rectIs(b.frame(), 12, 34, 40, 20));
}

TEST_F(ToggleButtonLayout, APlainXDecidesForBothCoordinates) {
    layout(R"(
        "ovra.helpbutton.unpressed.filename" = "n.png";
        "ovra.helpbutton.x" = "7";
        "ovra.helpbutton.unpressed.x" = "12";
        "ovra.helpbutton.unpressed.y" = "34";
    )");
    WEXButton b;
    b.configureToggleButtonWithItemID("helpbutton", -1, "buttons.cfg");
    // No plain "y": it reads as 0, the "unpressed" one is not consulted.
    EXPECT_TRUE(rectIs(b.frame(), 7, 0, 40, 20));
}

TEST_F(ToggleButtonLayout, IndexIsPartOfEveryKey) {
    layout(R"(
        "ovra.key.2.unpressed.filename" = "n.png";
        "ovra.key.2.pressed.filename" = "h.png";
        "ovra.key.2.x" = "5";
        "ovra.key.2.y" = "6";
        "ovra.key.unpressed.filename" = "o.png";
    )");
    WEXToggleButton b;
    b.configureToggleButtonWithItemID("key", 2, "buttons.cfg");
    EXPECT_TRUE(rectIs(b.frame(), 5, 6, 40, 30));
    EXPECT_EQ(colourShown(b), QColor(Qt::red));
}

TEST_F(ToggleButtonLayout, NoImagesLeavesAnEmptyButtonAtItsPosition) {
    layout(R"(
        "ovra.settingsbutton.x" = "50";
        "ovra.settingsbutton.y" = "60";
    )");
    WEXButton b;
    b.configureToggleButtonWithItemID("settingsbutton", -1, "buttons.cfg");
    EXPECT_TRUE(rectIs(b.frame(), 50, 60, 0, 0));
    EXPECT_TRUE(b.imageView()->image().isNull());
    b.setButtonOn(true);
    EXPECT_TRUE(b.imageView()->image().isNull());
}

TEST_F(ToggleButtonLayout, SizeFollowsTheNormalImageEvenIfTheFrameWasLarger) {
    layout(R"(
        "ovra.b.unpressed.filename" = "d.png";
        "ovra.b.x" = "1";
        "ovra.b.y" = "2";
    )");
    WEXToggleButton b(Rect{{0, 0}, {100, 100}});
    b.configureToggleButtonWithItemID("b", -1, "buttons.cfg");
    EXPECT_TRUE(rectIs(b.frame(), 1, 2, 20, 10));
}

TEST_F(ToggleButtonLayout, MissingFileGivesAnEmptyButtonAtTheOrigin) {
    layout(R"("ovra.other.x" = "1";)");
    WEXButton b;
    b.configureToggleButtonWithItemID("aboutbutton", -1, "absent.cfg");
    EXPECT_TRUE(rectIs(b.frame(), 0, 0, 0, 0));
    EXPECT_TRUE(b.imageView()->image().isNull());
}

} // namespace
} // namespace ovra
