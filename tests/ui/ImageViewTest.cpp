#include "UiTestSupport.hpp"

#include "layout/WEXConfig.hpp"
#include "ui/ImageView.hpp"
#include "ui/LayoutImageView.hpp"
#include "ui/SceneScreenshot.hpp"

namespace ovra {
namespace {

using test::rectIs;

class ImageViews : public test::UiTest {};

TEST_F(ImageViews, TakesItsSizeFromTheImageAndNoTouches) {
    ImageView view(test::solidPixmap(40, 20, Qt::red));
    EXPECT_TRUE(rectIs(view.frame(), 0, 0, 40, 20));
    EXPECT_FALSE(view.isUserInteractionEnabled());
    EXPECT_EQ(view.acceptedMouseButtons(), Qt::NoButton);
    EXPECT_FALSE(view.acceptTouchEvents());

    ImageView empty{QPixmap()};
    EXPECT_TRUE(rectIs(empty.frame(), 0, 0, 0, 0));
}

TEST_F(ImageViews, AHighResolutionImageHasItsLogicalSize) {
    const QPixmap sharp = test::solidPixmap(40, 20, Qt::red, 2.0);
    ASSERT_EQ(sharp.width(), 80);
    EXPECT_EQ(ImageView::imageSize(sharp), (Size{40, 20}));
    ImageView view(sharp);
    EXPECT_TRUE(rectIs(view.frame(), 0, 0, 40, 20));
}

TEST_F(ImageViews, SetImageKeepsTheFrame) {
    ImageView view(Rect{{5, 5}, {10, 10}});
    view.setImage(test::solidPixmap(30, 40, Qt::blue));
    EXPECT_TRUE(rectIs(view.frame(), 5, 5, 10, 10));
    EXPECT_EQ(view.image().width(), 30);
}

TEST_F(ImageViews, DrawsUnscaledFromTheTopLeftEvenBeyondItsBounds) {
    QGraphicsScene scene;
    auto* view = new ImageView(Rect{{10, 10}, {4, 4}});
    view->setImage(test::solidPixmap(20, 8, Qt::red));
    scene.addItem(view);
    const QImage shot = renderScene(scene, QRectF(0, 0, 40, 40), 1.0);
    EXPECT_EQ(shot.pixelColor(10, 10), QColor(Qt::red));
    EXPECT_EQ(shot.pixelColor(29, 17), QColor(Qt::red)); // outside the 4 x 4 bounds
    EXPECT_EQ(shot.pixelColor(30, 10).alpha(), 0);
    EXPECT_EQ(shot.pixelColor(10, 18).alpha(), 0);
    EXPECT_EQ(shot.pixelColor(9, 10).alpha(), 0);
}

TEST_F(ImageViews, HighResolutionImagesDrawAtLogicalSizePixelForPixel) {
    QImage image(4, 4, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::green);
    image.setPixelColor(1, 0, Qt::blue); // a detail only the @2x picture has
    QPixmap sharp = QPixmap::fromImage(image);
    sharp.setDevicePixelRatio(2.0);

    QGraphicsScene scene;
    auto* view = new ImageView(sharp);
    scene.addItem(view);
    const QImage one = renderScene(scene, QRectF(0, 0, 4, 4), 1.0);
    EXPECT_EQ(one.pixelColor(1, 1), QColor(Qt::green));
    EXPECT_EQ(one.pixelColor(2, 2).alpha(), 0); // 2 x 2 points, not 4 x 4
    const QImage two = renderScene(scene, QRectF(0, 0, 4, 4), 2.0);
    EXPECT_EQ(two.pixelColor(1, 0), QColor(Qt::blue));
    EXPECT_EQ(two.pixelColor(3, 3), QColor(Qt::green));
    EXPECT_EQ(two.pixelColor(4, 4).alpha(), 0);
}

class LayoutImageViews : public test::SkinTest {
protected:
    LayoutImageViews() {
        skin.writeImage("meter_dim.png", 30, 12, Qt::darkGray);
        skin.writeImage("led.png", 8, 6, Qt::green);
        layout("screen.cfg", R"(
            ovra.pitchmeter.dim.filename = meter_dim.png;
            ovra.pitchmeter.dim.x = 12.5; ovra.pitchmeter.dim.y = 7; ovra.pitchmeter.x = 99;
            ovra.ampmeterled.3.filename = "$ovra.ampmeterled.0.filename";
            ovra.ampmeterled.0.filename = led.png;
            ovra.ampmeterled.3.x = 40; ovra.ampmeterled.3.y = 2;
            ovra.nothing.x = 5; ovra.nothing.y = 6; ovra.broken.filename = missing.png;
        )");
    }
};

TEST_F(LayoutImageViews, ImageAtThePositionOfTheSameModifier) {
    const auto view = newImageViewOfItem("pitchmeter", -1, "dim", "screen.cfg");
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(rectIs(view->frame(), 12.5f, 7, 30, 12));
    EXPECT_EQ(view->image().width(), 30);
    EXPECT_FALSE(view->isUserInteractionEnabled());
}

TEST_F(LayoutImageViews, ShortFormReadsWithoutModifierAndFollowsReferences) {
    const auto view = newImageViewOfItem("ampmeterled", 3, "screen.cfg");
    EXPECT_TRUE(rectIs(view->frame(), 40, 2, 8, 6));
    EXPECT_FALSE(view->image().isNull());
}

TEST_F(LayoutImageViews, WithoutAnImageTheViewIsEmptyAtThePosition) {
    const auto none = newImageViewOfItem("nothing", -1, "screen.cfg");
    EXPECT_TRUE(rectIs(none->frame(), 5, 6, 0, 0));
    EXPECT_TRUE(none->image().isNull());

    const auto broken = newImageViewOfItem("broken", -1, "screen.cfg");
    EXPECT_TRUE(rectIs(broken->frame(), 0, 0, 0, 0));

    const auto noFile = newImageViewOfItem("pitchmeter", -1, "dim", "absent.cfg");
    EXPECT_TRUE(rectIs(noFile->frame(), 0, 0, 0, 0));
}

} // namespace
} // namespace ovra
