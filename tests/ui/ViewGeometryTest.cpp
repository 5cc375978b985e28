#include "UiTestSupport.hpp"

#include "common/LogCapture.hpp"
#include "ui/View.hpp"

#include <cmath>
#include <memory>

namespace ovra {
namespace {

using test::pointIs;
using test::rectIs;

const char* const ZERO_WARNING =
    "Warning : converting normalized to absolute on a zero-dimension view";

class ViewGeometry : public test::UiTest {};

// Counts frame writes, to tell "not written" from "written unchanged".
class FrameCountingView : public View {
public:
    using View::View;
    void setFrame(const Rect& frame) override {
        ++frameWrites;
        View::setFrame(frame);
    }
    int frameWrites = 0;
};

TEST_F(ViewGeometry, FrameIsDerivedFromCenterAnchorAndBounds) {
    View view(Rect{{10, 20}, {100, 50}});
    EXPECT_TRUE(pointIs(view.center(), 60, 45));
    EXPECT_TRUE(pointIs(view.anchorPoint(), 0.5f, 0.5f));
    EXPECT_TRUE(rectIs(view.bounds(), 0, 0, 100, 50));
    EXPECT_TRUE(rectIs(view.frame(), 10, 20, 100, 50));

    // A layer keeps its position when the anchor moves: the frame moves instead.
    view.setAnchorPoint(Point{0, 0});
    EXPECT_TRUE(pointIs(view.position(), 60, 45));
    EXPECT_TRUE(rectIs(view.frame(), 60, 45, 100, 50));

    // With anchor (0, 0), setting the frame puts the position on its origin.
    view.setFrame(Rect{{1, 2}, {30, 40}});
    EXPECT_TRUE(pointIs(view.position(), 1, 2));
    EXPECT_TRUE(rectIs(view.bounds(), 0, 0, 30, 40));
}

TEST_F(ViewGeometry, SetOriginPlacesTheCenterHalfTheBoundsSizeAway) {
    View view(Rect{{0, 0}, {100, 50}});
    view.setOrigin(Point{10, 20});
    EXPECT_TRUE(pointIs(view.center(), 60, 45));
    EXPECT_TRUE(rectIs(view.frame(), 10, 20, 100, 50));

    View empty;
    empty.setOrigin(Point{10, 20});
    EXPECT_TRUE(pointIs(empty.center(), 10, 20));

    // Fractions survive: half of an odd size.
    View odd(Rect{{0, 0}, {7, 3}});
    odd.setOrigin(Point{0.25f, -1.5f});
    EXPECT_TRUE(pointIs(odd.center(), 3.75f, 0.0f));
}

TEST_F(ViewGeometry, SetOriginUsesTheBoundsSizeWhateverTheAnchor) {
    View view(Rect{{0, 0}, {100, 50}});
    view.setAnchorPoint(Point{0, 0});
    view.setOrigin(Point{10, 20});
    EXPECT_TRUE(pointIs(view.center(), 60, 45));
    // Not the top-left corner with this anchor: the operation only sets the centre.
    EXPECT_TRUE(rectIs(view.frame(), 60, 45, 100, 50));
}

TEST_F(ViewGeometry, RightAndLeftEdges) {
    View view(Rect{{5, 7}, {40, 10}});
    view.setRightX(300);
    EXPECT_TRUE(rectIs(view.frame(), 260, 7, 40, 10));
    view.setLeftX(-3.5f);
    EXPECT_TRUE(rectIs(view.frame(), -3.5f, 7, 40, 10));
}

TEST_F(ViewGeometry, SizeAndBoundsCenterReadTheBounds) {
    View view(Rect{{3, 4}, {100, 50}});
    view.setBounds(Rect{{10, 20}, {100, 50}});
    EXPECT_EQ(view.size(), (Size{100, 50}));
    EXPECT_TRUE(pointIs(view.boundsCenter(), 60, 45));
}

TEST_F(ViewGeometry, ExpandToSizeGrowsEachDimensionOnItsOwn) {
    FrameCountingView view(Rect{{5, 6}, {20, 20}});
    view.frameWrites = 0;
    view.expandToSize(Size{30, 10});
    EXPECT_TRUE(rectIs(view.frame(), 5, 6, 30, 20));
    EXPECT_EQ(view.frameWrites, 1);

    view.expandToSize(Size{10, 40});
    EXPECT_TRUE(rectIs(view.frame(), 5, 6, 30, 40));
    EXPECT_EQ(view.frameWrites, 2);
}

TEST_F(ViewGeometry, ExpandToSizeNeverShrinksNorWritesWithoutGrowth) {
    FrameCountingView view(Rect{{0, 0}, {20, 20}});
    view.frameWrites = 0;
    view.expandToSize(Size{10, 10});
    view.expandToSize(Size{20, 20});
    EXPECT_EQ(view.frameWrites, 0);
    EXPECT_TRUE(rectIs(view.frame(), 0, 0, 20, 20));
}

TEST_F(ViewGeometry, RelativeAndAbsolutePointsReflectTheYAxis) {
    View view(Rect{{0, 0}, {200, 100}});
    EXPECT_TRUE(pointIs(view.absolutePointFromRelativePoint(Point{0.5f, 0.25f}), 100, 75));
    EXPECT_TRUE(pointIs(view.relativePointFromAbsolutePoint(Point{100, 75}), 0.5f, 0.25f));
    EXPECT_TRUE(pointIs(view.absolutePointFromRelativePoint(Point{0, 0}), 0, 100));
    EXPECT_TRUE(pointIs(view.absolutePointFromRelativePoint(Point{0, 1}), 0, 0));
    EXPECT_TRUE(pointIs(view.absolutePointFromRelativePoint(Point{1, 1}), 200, 0));
}

TEST_F(ViewGeometry, ConversionsIgnoreTheBoundsOrigin) {
    View view(Rect{{0, 0}, {200, 100}});
    view.setBounds(Rect{{50, 60}, {200, 100}});
    EXPECT_TRUE(pointIs(view.absolutePointFromRelativePoint(Point{0.5f, 0.25f}), 100, 75));
}

TEST_F(ViewGeometry, ZeroSizedViewWarnsAndStillComputes) {
    LogCapture log;
    View view;
    EXPECT_TRUE(pointIs(view.absolutePointFromRelativePoint(Point{0.5f, 0.5f}), 0, 0));
    EXPECT_EQ(log.count(ZERO_WARNING), 1);

    const Point relative = view.relativePointFromAbsolutePoint(Point{5, 0});
    EXPECT_TRUE(std::isinf(relative.x));
    EXPECT_TRUE(std::isnan(relative.y)); // 1 - 0/0
    EXPECT_EQ(log.count(ZERO_WARNING), 2);

    // Only one dimension zero is enough for the warning.
    View flat(Rect{{0, 0}, {10, 0}});
    flat.absolutePointFromRelativePoint(Point{1, 1});
    EXPECT_EQ(log.count(ZERO_WARNING), 3);
}

TEST_F(ViewGeometry, NonZeroViewDoesNotWarn) {
    LogCapture log;
    View view(Rect{{0, 0}, {1, 1}});
    view.absolutePointFromRelativePoint(Point{0.3f, 0.3f});
    view.relativePointFromAbsolutePoint(Point{0.3f, 0.3f});
    view.absoluteAnchorPoint();
    EXPECT_TRUE(log.lines().empty());
}

TEST_F(ViewGeometry, ChangeOnlyAnchorPointShiftsThePositionByTheReflectedAnchorChange) {
    View view(Rect{{0, 0}, {200, 100}});
    view.setPosition(Point{160, 240});
    const Rect before = view.frame();
    EXPECT_TRUE(pointIs(view.absoluteAnchorPoint(), 100, 50));

    view.changeOnlyAnchorPoint(Point{0.5f, 0});
    EXPECT_TRUE(pointIs(view.anchorPoint(), 0.5f, 0));
    EXPECT_TRUE(pointIs(view.position(), 160, 290));
    EXPECT_TRUE(pointIs(view.absoluteAnchorPoint(), 100, 100));
    // Relative points have y up while the anchor is laid out with y down, so
    // the frame does not stay put: it moves down by the whole height.
    EXPECT_TRUE(rectIs(before, 60, 190, 200, 100));
    EXPECT_TRUE(rectIs(view.frame(), 60, 290, 200, 100));
    EXPECT_TRUE(rectIs(view.bounds(), 0, 0, 200, 100));
}

TEST_F(ViewGeometry, ChangeOnlyAnchorPointOnAZeroSizedViewWarnsTwiceAndKeepsPosition) {
    LogCapture log;
    View view;
    view.setPosition(Point{7, 9});
    view.changeOnlyAnchorPoint(Point{1, 1});
    EXPECT_EQ(log.count(ZERO_WARNING), 2);
    EXPECT_TRUE(pointIs(view.position(), 7, 9));
    EXPECT_TRUE(pointIs(view.anchorPoint(), 1, 1));
}

TEST_F(ViewGeometry, DrawnPositionFollowsTheFrameOrigin) {
    View view(Rect{{0, 0}, {100, 50}});
    view.setOrigin(Point{10, 20});
    EXPECT_EQ(view.pos(), QPointF(10, 20));
    EXPECT_TRUE(pointIs(view.presentationOrigin(), 10, 20));

    view.setCenter(Point{0, 0});
    EXPECT_EQ(view.pos(), QPointF(-50, -25));
    EXPECT_EQ(view.boundingRect(), QRectF(0, 0, 100, 50));
}

TEST_F(ViewGeometry, SubviewsAreLaidOutInTheBoundsCoordinates) {
    View parent(Rect{{100, 200}, {50, 50}});
    auto* child = new View(Rect{{5, 5}, {10, 10}});
    parent.addSubview(child);
    EXPECT_EQ(child->mapToScene(QPointF(0, 0)), QPointF(105, 205));

    // Scrolling the bounds origin shifts what is shown, not the frame.
    parent.setBounds(Rect{{5, 5}, {50, 50}});
    EXPECT_TRUE(rectIs(parent.frame(), 100, 200, 50, 50));
    EXPECT_EQ(child->mapToScene(QPointF(0, 0)), QPointF(100, 200));
    EXPECT_EQ(parent.boundingRect(), QRectF(5, 5, 50, 50));
}

TEST_F(ViewGeometry, QtPropertiesReadAndWriteTheModel) {
    View view;
    view.setProperty("frame", QRectF(4, 6, 20, 10));
    EXPECT_TRUE(rectIs(view.frame(), 4, 6, 20, 10));
    EXPECT_EQ(view.property("center").toPointF(), QPointF(14, 11));
    view.setProperty("center", QPointF(0, 0));
    EXPECT_EQ(view.property("frame").toRectF(), QRectF(-10, -5, 20, 10));
}

TEST_F(ViewGeometry, PointInsideCoversTheBoundsWithoutTheFarEdges) {
    View view(Rect{{30, 30}, {10, 20}});
    EXPECT_TRUE(view.pointInside(Point{0, 0}));
    EXPECT_TRUE(view.pointInside(Point{9.99f, 19.99f}));
    EXPECT_FALSE(view.pointInside(Point{10, 5}));
    EXPECT_FALSE(view.pointInside(Point{5, 20}));
    EXPECT_FALSE(view.pointInside(Point{-0.01f, 5}));
}

TEST_F(ViewGeometry, SizeToFitKeepsAPlainViewAsItIs) {
    FrameCountingView view(Rect{{1, 2}, {3, 4}});
    view.frameWrites = 0;
    view.sizeToFit();
    EXPECT_EQ(view.frameWrites, 0);
    EXPECT_TRUE(rectIs(view.frame(), 1, 2, 3, 4));
}

} // namespace
} // namespace ovra
