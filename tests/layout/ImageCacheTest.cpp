// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/ImageCache.hpp"

#include "LayoutTestSupport.hpp"
#include "common/LogCapture.hpp"

#include <gtest/gtest.h>

namespace ovra {
namespace {

using ImageCacheTest = test::SkinTest;

TEST_F(ImageCacheTest, DoubleResolutionImageKeepsTheLogicalSize) {
    mySkin.writePng("meter.png", 4, 3, Qt::red);
    mySkin.writePng("meter@2x.png", 8, 6, Qt::blue);
    const QPixmap image = ImageCache::imageNamed("meter.png");
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.devicePixelRatio(), 2.0);
    EXPECT_EQ(image.deviceIndependentSize(), QSizeF(4, 3));
    EXPECT_EQ(image.size(), QSize(8, 6));
    EXPECT_EQ(image.toImage().pixelColor(7, 5), QColor(Qt::blue));
}

TEST_F(ImageCacheTest, MissingOrCorruptImagesAreNullAndReportedOnce) {
    mySkin.write("corrupt.png", "\x89PNG\r\n\x1a\n not really a png");
    mySkin.writePng("truncated-source.png", 64, 64, Qt::red);
    QFile whole(mySkin.filePath("truncated-source.png"));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    mySkin.write("truncated.png", whole.readAll().left(whole.size() / 2).toStdString());
    LogCapture log;
    for (int round = 0; round < 2; ++round) {
        for (const char* name :
             {"absent.png", "", "../absent.png", "corrupt.png", "truncated.png"}) {
            EXPECT_TRUE(ImageCache::imageNamed(name).isNull()) << name;
        }
    }
    EXPECT_EQ(log.count("Error : couldn't find image - absent.png"), 1);
    EXPECT_EQ(log.count("Error : couldn't decode image - corrupt.png"), 1);
    EXPECT_EQ(log.count("Error : couldn't decode image - truncated.png"), 1);
    EXPECT_EQ(log.lines().size(), 5u);
}

} // namespace
} // namespace ovra
