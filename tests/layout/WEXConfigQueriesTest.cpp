// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/WEXConfig.hpp"

#include "LayoutTestSupport.hpp"
#include "common/LogCapture.hpp"
#include "layout/ImageCache.hpp"

#include <QColor>
#include <QPixmap>

#include <gtest/gtest.h>

namespace ovra {
namespace {

using Value = std::optional<std::string>;

const char* const FILE_NAME = "general.cfg";
// QColor keeps 16 bits per channel.
constexpr float CHANNEL_STEP = 1.0f / 65535.0f;

class LayoutQueries : public ::testing::Test {
protected:
    void SetUp() override {
        test::ensureGuiApplication();
        ImageCache::clear();
        mySkin.write(FILE_NAME, R"(
            ovra.background.filename = background.png; ovra.background.x = 0; ovra.background.y = 0;
            ovra.tuningkey.0.x = 12; ovra.tuningkey.0.y = 310.5;
            ovra.tuningkey.0.width = "44.25"; ovra.tuningkey.0.height = 60;
            ovra.tuningkey.0.pressed.filename = key_on.png; ovra.tuningkey.0.unpressed.x = -3.5;
            ovra.pitchmeter.farred.x = 40; ovra.pitchmeter.farred.y = 96; ovra.aboutbutton.x = 280;
            ovra.number.letters = abc;
            ovra.tint.red = 1; ovra.tint.green = 0.5; ovra.tint.blue = 0.2;
            ovra.missingimage.filename = nothing.png; ovra.pitchneedle.dim.filename = dim.png;
        )");
        mySkin.writePng("key_on.png", 30, 40, Qt::red);
    }
    void TearDown() override { ImageCache::clear(); }

    test::OverrideDirectory mySkin;
    WEXConfig myConfig{"ovra"};
};

TEST_F(LayoutQueries, PositionsSizesStringValuesAndExistence) {
    EXPECT_EQ(WEXConfig::positionOfItem("tuningkey", 0, nullptr, FILE_NAME),
              (Point{12.0f, 310.5f}));
    EXPECT_EQ(WEXConfig::positionOfItem("tuningkey", 0, "unpressed", FILE_NAME),
              (Point{-3.5f, 0.0f}));
    EXPECT_EQ(WEXConfig::positionOfItem("pitchmeter.farred", nullptr, FILE_NAME),
              (Point{40.0f, 96.0f}));
    EXPECT_EQ(WEXConfig::positionOfItem("pitchmeter.farred", -1, nullptr, FILE_NAME),
              (Point{40.0f, 96.0f}));
    EXPECT_EQ(WEXConfig::sizeOfItem("tuningkey", 0, nullptr, FILE_NAME), (Size{44.25f, 60.0f}));
    EXPECT_EQ(WEXConfig::rectOfItem("tuningkey", 0, nullptr, FILE_NAME),
              (Rect{{12.0f, 310.5f}, {44.25f, 60.0f}}));

    EXPECT_EQ(WEXConfig::valueOfItem("number", -1, nullptr, "letters", FILE_NAME), Value("abc"));
    EXPECT_EQ(WEXConfig::valueOfItem("number", nullptr, "letters", FILE_NAME), Value("abc"));
    EXPECT_EQ(WEXConfig::valueOfItem("number", nullptr, "absent", FILE_NAME), std::nullopt);
    EXPECT_EQ(WEXConfig::filenameOfItem("tuningkey", 0, "pressed", FILE_NAME), Value("key_on.png"));
    EXPECT_EQ(WEXConfig::filenameOfItem("background", nullptr, FILE_NAME), Value("background.png"));
    EXPECT_EQ(WEXConfig::filenameOfItem("pitchneedle", "dim", FILE_NAME), Value("dim.png"));
    EXPECT_EQ(WEXConfig::filenameOfItem("tuningkey", 1, "pressed", FILE_NAME), std::nullopt);
    EXPECT_TRUE(WEXConfig::keyExistsForItem("aboutbutton", -1, nullptr, "x", FILE_NAME));
    EXPECT_FALSE(WEXConfig::keyExistsForItem("aboutbutton", -1, nullptr, "y", FILE_NAME));
    EXPECT_FALSE(WEXConfig::keyExistsForItem("aboutbutton", -1, "unpressed", "x", FILE_NAME));
}

// A colour without alpha is fully transparent; images are named by the layout.
TEST_F(LayoutQueries, ColoursAndImages) {
    const QColor colour = WEXConfig::newColorOfItem("tint", -1, nullptr, FILE_NAME);
    ASSERT_TRUE(colour.isValid());
    EXPECT_EQ(colour.redF(), 1.0f);
    EXPECT_NEAR(colour.greenF(), 0.5f, CHANNEL_STEP);
    EXPECT_NEAR(colour.blueF(), 0.2f, CHANNEL_STEP);
    EXPECT_EQ(colour.alphaF(), 0.0f);
    const QColor missing = WEXConfig::newColorOfItem("nothing", -1, nullptr, FILE_NAME);
    EXPECT_TRUE(missing.isValid());
    EXPECT_EQ(missing.rgba(), qRgba(0, 0, 0, 0));

    const QPixmap image = WEXConfig::imageOfItem("tuningkey", 0, "pressed", FILE_NAME);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(30, 40));
    EXPECT_EQ(image.toImage().pixelColor(0, 0), QColor(Qt::red));
    EXPECT_TRUE(WEXConfig::imageOfItem("tuningkey", 1, "pressed", FILE_NAME).isNull());
    EXPECT_TRUE(WEXConfig::imageOfItem("tuningkey", "pressed", FILE_NAME).isNull());

    LogCapture log;
    EXPECT_TRUE(WEXConfig::imageOfItem("missingimage", nullptr, FILE_NAME).isNull());
    EXPECT_EQ(log.count("Error : couldn't find image - nothing.png"), 1);
}

} // namespace
} // namespace ovra
