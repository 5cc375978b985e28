// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures: drawn unscaled from their top-left corner at their logical size,
// and screenshots of a scene.
#include "UiTestSupport.hpp"

#include "common/LogCapture.hpp"
#include "ui/ImageView.hpp"

#include <QTemporaryDir>

namespace ovra {
namespace {

class Pictures : public test::UiTest {};

TEST_F(Pictures, DrawnUnscaledFromTheTopLeftAtTheirLogicalSizeAndTakeNoTouches) {
    QGraphicsScene scene;
    auto* view = new ImageView(Rect{{10, 10}, {4, 4}});
    view->setImage(test::solidPixmap(20, 8, Qt::red));
    scene.addItem(view);
    EXPECT_FALSE(view->isUserInteractionEnabled());
    const QImage shot = renderScene(scene, QRectF(0, 0, 40, 40), 1.0);
    EXPECT_EQ(shot.pixelColor(10, 10), QColor(Qt::red));
    EXPECT_EQ(shot.pixelColor(29, 17), QColor(Qt::red));
    EXPECT_EQ(shot.pixelColor(30, 10).alpha(), 0);
    EXPECT_EQ(shot.pixelColor(9, 10).alpha(), 0);

    // A high-resolution picture has its logical size and its detail at twice the scale.
    QImage image(4, 4, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::green);
    image.setPixelColor(1, 0, Qt::blue); // a detail only the @2x picture has
    QPixmap sharp = QPixmap::fromImage(image);
    sharp.setDevicePixelRatio(2.0);
    QGraphicsScene sharpScene;
    auto* sharpView = new ImageView(sharp);
    sharpScene.addItem(sharpView);
    EXPECT_EQ(sharpView->frame(), (Rect{{0, 0}, {2, 2}}));
    EXPECT_EQ(renderScene(sharpScene, QRectF(0, 0, 4, 4), 1.0).pixelColor(2, 2).alpha(), 0);
    const QImage two = renderScene(sharpScene, QRectF(0, 0, 4, 4), 2.0);
    EXPECT_EQ(two.pixelColor(1, 0), QColor(Qt::blue));
    EXPECT_EQ(two.pixelColor(3, 3), QColor(Qt::green));
}

TEST_F(Pictures, AScreenshotIsWrittenAtTheScaleAskedAndFailuresAreReported) {
    QGraphicsScene scene(0, 0, 20, 10);
    scene.addItem(new ImageView(test::solidPixmap(10, 10, Qt::red)));
    QTemporaryDir dir;
    ASSERT_TRUE(saveScenePng(scene, QRectF(0, 0, 20, 10), 2.0, dir.filePath("shot.png")));
    const QImage back(dir.filePath("shot.png"));
    EXPECT_EQ(back.size(), QSize(40, 20));
    EXPECT_EQ(back.pixelColor(19, 19), QColor(Qt::red));
    LogCapture log;
    EXPECT_FALSE(saveScenePng(scene, QRectF(0, 0, 20, 10), 1.0, "/nonexistent-dir/x.png"));
    EXPECT_FALSE(log.lines().empty());
}

} // namespace
} // namespace ovra
