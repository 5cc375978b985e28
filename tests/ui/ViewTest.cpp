// SPDX-License-Identifier: GPL-3.0-or-later
// Views: geometry in points, drawing order, which view a touch reaches, and
// animated moves.
#include "UiTestSupport.hpp"

#include "ui/Control.hpp"
#include "ui/ImageView.hpp"

#include <QSignalSpy>

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

} // namespace
} // namespace ovra
