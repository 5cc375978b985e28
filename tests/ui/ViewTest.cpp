// SPDX-License-Identifier: GPL-3.0-or-later
// Views: geometry in points, drawing order, which view a touch reaches, and
// animated moves; pictures, drawn unscaled from their top-left corner at
// their logical size, and screenshots of a scene.
#include "UiTestSupport.hpp"

#include "common/LogCapture.hpp"
#include "ui/Control.hpp"
#include "ui/ImageView.hpp"

#include <QSignalSpy>
#include <QTemporaryDir>

namespace ovra {
namespace {

class Views : public test::UiTest {};

TEST_F(Views, FrameIsDerivedFromCenterAnchorAndBounds) {
    View view(Rect{{10, 20}, {100, 50}});
    EXPECT_EQ(view.center(), (Point{60, 45}));
    EXPECT_EQ(view.bounds(), (Rect{{0, 0}, {100, 50}}));
    // A layer keeps its position when the anchor moves: the frame moves instead.
    view.setAnchorPoint(Point{0, 0});
    EXPECT_EQ(view.frame(), (Rect{{60, 45}, {100, 50}}));
    // setOrigin only places the centre half the bounds away, whatever the anchor.
    view.setAnchorPoint(Point{0.5f, 0.5f});
    view.setOrigin(Point{0.25f, -1.5f});
    EXPECT_EQ(view.frame(), (Rect{{0.25f, -1.5f}, {100, 50}}));
    view.setRightX(300);
    EXPECT_EQ(view.frame().origin.x, 200.0f);
    // Relative points count from the bottom left.
    EXPECT_EQ(view.absolutePointFromRelativePoint(Point{0.5f, 0.25f}), (Point{50, 37.5f}));
    EXPECT_EQ(view.relativePointFromAbsolutePoint(Point{50, 37.5f}), (Point{0.5f, 0.25f}));
}

TEST_F(Views, LaterSubviewsAreDrawnAboveAndAddingAgainMovesToTheTop) {
    test::SceneWindow window(100, 100);
    auto* red = new ImageView(test::solidPixmap(50, 50, Qt::red));
    auto* blue = new ImageView(test::solidPixmap(50, 50, Qt::blue));
    window.root->addSubview(red);
    window.root->addSubview(blue);
    EXPECT_EQ(window.drawnAt(10, 10), QColor(Qt::blue));
    window.root->addSubview(red);
    EXPECT_EQ(window.root->subviews(), (std::vector<View*>{blue, red}));
    EXPECT_EQ(window.drawnAt(10, 10), QColor(Qt::red));
    blue->removeFromSuperview();
    EXPECT_EQ(window.root->subviews(), (std::vector<View*>{red}));
    delete blue; // handed back to the caller
}

TEST_F(Views, PointInsideCoversTheBoundsWithoutTheFarEdges) {
    View view(Rect{{30, 30}, {10, 20}});
    for (const auto& [point, inside] : {std::pair{Point{0, 0}, true},
                                        {Point{9.99f, 19.99f}, true},
                                        {Point{10, 5}, false},
                                        {Point{5, 20}, false},
                                        {Point{-0.01f, 5}, false},
                                        {Point{5, -0.01f}, false}}) {
        EXPECT_EQ(view.pointInside(point), inside) << point.x << "," << point.y;
    }
}

TEST_F(Views, TouchesReachTheTopmostViewThatTakesThemThroughPictures) {
    test::SceneWindow window(200, 200);
    auto* control = new Control(Rect{{0, 0}, {100, 100}});
    int touchDowns = 0;
    control->addTarget(ControlEventTouchDown, [&] { ++touchDowns; });
    window.root->addSubview(control);
    window.root->addSubview(new ImageView(test::solidPixmap(100, 100, Qt::red)));
    window.click(20, 20);
    EXPECT_EQ(touchDowns, 1) << "pictures let touches through";
    window.click(150, 150);
    EXPECT_EQ(touchDowns, 1) << "outside the control";

    auto* cover = new View(Rect{{0, 0}, {100, 100}});
    window.root->addSubview(cover);
    window.click(20, 20);
    EXPECT_EQ(touchDowns, 1) << "a view that takes touches keeps them";
    cover->setVisible(false);
    window.click(20, 20);
    EXPECT_EQ(touchDowns, 2) << "a hidden view takes none";
    window.root->setUserInteractionEnabled(false);
    window.click(20, 20);
    EXPECT_EQ(touchDowns, 2) << "nor do the controls of a parent that takes none";
}

TEST_F(Views, AnAnimatedMoveChangesTheModelAtOnceAndTheDrawingGlides) {
    View needle(Rect{{10, 20}, {14, 56}});
    View::beginAnimations();
    View::setAnimationDuration(0.1);
    needle.setOrigin(Point{100, 20});
    View::commitAnimations();
    EXPECT_EQ(needle.frame().origin, (Point{100, 20}));
    EXPECT_TRUE(needle.isAnimating());
    EXPECT_EQ(needle.presentationOrigin(), (Point{10, 20}));
    QSignalSpy finished(&needle, &View::animationFinished);
    ASSERT_TRUE(finished.wait(10000)) << "runs to its end on the event loop";
    EXPECT_EQ(needle.presentationOrigin(), (Point{100, 20}));

    needle.setOrigin(Point{0, 0}); // outside a transaction: jumps
    EXPECT_FALSE(needle.isAnimating());
    EXPECT_EQ(needle.presentationOrigin(), (Point{0, 0}));
}

using Pictures = Views;

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
