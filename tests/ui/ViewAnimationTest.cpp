#include "UiTestSupport.hpp"

#include "ui/View.hpp"

#include <QPropertyAnimation>
#include <QSignalSpy>

namespace ovra {
namespace {

using test::pointIs;
using test::rectIs;

class ViewAnimation : public test::UiTest {};

TEST_F(ViewAnimation, ModelTakesTheTargetAtOnceWhileTheDrawingGlides) {
    View needle(Rect{{10, 20}, {14, 56}});
    View::animateWithDuration(0.1, [&] { needle.setOrigin(Point{100, 20}); });

    EXPECT_TRUE(rectIs(needle.frame(), 100, 20, 14, 56));
    EXPECT_TRUE(pointIs(needle.center(), 107, 48));
    EXPECT_TRUE(needle.isAnimating());
    EXPECT_TRUE(pointIs(needle.presentationOrigin(), 10, 20));
    ASSERT_NE(needle.currentAnimation(), nullptr);
    EXPECT_EQ(needle.currentAnimation()->duration(), 100);
    EXPECT_EQ(needle.currentAnimation()->propertyName(), QByteArray("pos"));

    QSignalSpy finished(&needle, &View::animationFinished);
    needle.finishAnimation();
    EXPECT_EQ(finished.count(), 1);
    EXPECT_FALSE(needle.isAnimating());
    EXPECT_TRUE(pointIs(needle.presentationOrigin(), 100, 20));
}

TEST_F(ViewAnimation, AnAnimationRunsToItsEndOnTheEventLoop) {
    View panel(Rect{{0, -460}, {320, 460}});
    QSignalSpy finished(&panel, &View::animationFinished);
    View::animateWithDuration(0.05, [&] { panel.setOrigin(Point{0, 0}); });
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_EQ(panel.pos(), QPointF(0, 0));
    EXPECT_TRUE(rectIs(panel.frame(), 0, 0, 320, 460));
}

TEST_F(ViewAnimation, ATransactionAnimatesEveryViewChangedInIt) {
    View a(Rect{{0, 0}, {10, 10}});
    View b(Rect{{0, 0}, {10, 10}});
    View untouched(Rect{{0, 0}, {10, 10}});
    View::beginAnimations();
    View::setAnimationDuration(0.5);
    a.setOrigin(Point{50, 0});
    b.setFrame(Rect{{0, 70}, {10, 10}});
    View::commitAnimations();

    EXPECT_TRUE(a.isAnimating());
    EXPECT_TRUE(b.isAnimating());
    EXPECT_FALSE(untouched.isAnimating());
    EXPECT_EQ(a.currentAnimation()->duration(), 500);
    EXPECT_EQ(a.currentAnimation()->endValue().toPointF(), QPointF(50, 0));
    EXPECT_EQ(b.currentAnimation()->endValue().toPointF(), QPointF(0, 70));
    a.finishAnimation();
    b.finishAnimation();
}

TEST_F(ViewAnimation, SeveralChangesInOneTransactionGlideFromTheFirstPlaceToTheLast) {
    View view(Rect{{0, 0}, {10, 10}});
    View::animateWithDuration(0.2, [&] {
        view.setOrigin(Point{30, 0});
        view.setOrigin(Point{60, 0});
    });
    EXPECT_EQ(view.currentAnimation()->startValue().toPointF(), QPointF(0, 0));
    EXPECT_EQ(view.currentAnimation()->endValue().toPointF(), QPointF(60, 0));
    view.finishAnimation();
}

TEST_F(ViewAnimation, NestedTransactionsStartOnTheOutermostCommit) {
    View view(Rect{{0, 0}, {10, 10}});
    View::beginAnimations();
    View::beginAnimations();
    view.setOrigin(Point{5, 5});
    View::commitAnimations();
    EXPECT_FALSE(view.isAnimating());
    EXPECT_TRUE(pointIs(view.presentationOrigin(), 0, 0));
    View::commitAnimations();
    EXPECT_TRUE(view.isAnimating());
    view.finishAnimation();
    // A commit without a begin does nothing.
    View::commitAnimations();
    EXPECT_FALSE(view.isAnimating());
}

TEST_F(ViewAnimation, AChangeOutsideATransactionStopsTheGlideAndJumps) {
    View view(Rect{{0, 0}, {10, 10}});
    View::animateWithDuration(1.0, [&] { view.setOrigin(Point{100, 0}); });
    ASSERT_TRUE(view.isAnimating());
    view.setOrigin(Point{0, 40});
    EXPECT_FALSE(view.isAnimating());
    EXPECT_EQ(view.pos(), QPointF(0, 40));
}

TEST_F(ViewAnimation, ANewGlideStartsWhereTheDrawingIs) {
    View view(Rect{{0, 0}, {10, 10}});
    View::animateWithDuration(1.0, [&] { view.setOrigin(Point{100, 0}); });
    view.currentAnimation()->setCurrentTime(500);
    const QPointF midway = view.pos();
    EXPECT_GT(midway.x(), 0.0);
    EXPECT_LT(midway.x(), 100.0);
    View::animateWithDuration(1.0, [&] { view.setOrigin(Point{0, 0}); });
    EXPECT_EQ(view.currentAnimation()->startValue().toPointF(), midway);
    view.finishAnimation();
    EXPECT_EQ(view.pos(), QPointF(0, 0));
}

TEST_F(ViewAnimation, NoMoveOrNoDurationMeansNoAnimation) {
    View view(Rect{{0, 0}, {10, 10}});
    View::animateWithDuration(0.1, [&] { view.setOrigin(Point{0, 0}); });
    EXPECT_FALSE(view.isAnimating());
    View::animateWithDuration(0.0, [&] { view.setOrigin(Point{9, 9}); });
    EXPECT_FALSE(view.isAnimating());
    EXPECT_EQ(view.pos(), QPointF(9, 9));
}

TEST_F(ViewAnimation, AViewDestroyedInsideATransactionIsSkipped) {
    View survivor(Rect{{0, 0}, {10, 10}});
    View::beginAnimations();
    {
        View doomed(Rect{{0, 0}, {10, 10}});
        doomed.setOrigin(Point{20, 20});
    }
    survivor.setOrigin(Point{20, 20});
    View::commitAnimations();
    EXPECT_TRUE(survivor.isAnimating());
    survivor.finishAnimation();
}

} // namespace
} // namespace ovra
