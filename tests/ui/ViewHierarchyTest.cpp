#include "UiTestSupport.hpp"

#include "ui/Control.hpp"
#include "ui/ImageView.hpp"
#include "ui/View.hpp"

#include <QPointer>
#include <QTest>

#include <memory>

namespace ovra {
namespace {

class ViewHierarchy : public test::UiTest {};

// The views stacked at a scene point, topmost first.
std::vector<QGraphicsItem*> stackAt(QGraphicsScene& scene, double x, double y) {
    const QList<QGraphicsItem*> items = scene.items(QPointF(x, y));
    return std::vector<QGraphicsItem*>(items.begin(), items.end());
}

TEST_F(ViewHierarchy, LaterSubviewsLieAbove) {
    QGraphicsScene scene;
    auto* root = new View(Rect{{0, 0}, {100, 100}});
    scene.addItem(root);
    auto* a = new View(Rect{{0, 0}, {50, 50}});
    auto* b = new View(Rect{{10, 10}, {50, 50}});
    auto* c = new View(Rect{{20, 20}, {50, 50}});
    root->addSubview(a);
    root->addSubview(b);
    root->addSubview(c);
    EXPECT_EQ(root->subviews(), (std::vector<View*>{a, b, c}));
    EXPECT_EQ(stackAt(scene, 30, 30), (std::vector<QGraphicsItem*>{c, b, a, root}));
    EXPECT_EQ(a->superview(), root);
    EXPECT_EQ(root->superview(), nullptr);
}

TEST_F(ViewHierarchy, AddingAViewAgainMovesItToTheTopOnce) {
    QGraphicsScene scene;
    auto* root = new View(Rect{{0, 0}, {100, 100}});
    scene.addItem(root);
    auto* a = new View(Rect{{0, 0}, {50, 50}});
    auto* b = new View(Rect{{0, 0}, {50, 50}});
    root->addSubview(a);
    root->addSubview(b);
    root->addSubview(a);
    EXPECT_EQ(root->subviews(), (std::vector<View*>{b, a}));
    EXPECT_EQ(stackAt(scene, 5, 5), (std::vector<QGraphicsItem*>{a, b, root}));
    EXPECT_EQ(a->scene(), &scene);
}

TEST_F(ViewHierarchy, ParentOwnsItsSubviews) {
    QPointer<View> child;
    {
        View parent;
        child = parent.addSubview(std::make_unique<View>());
        EXPECT_FALSE(child.isNull());
    }
    EXPECT_TRUE(child.isNull());
}

TEST_F(ViewHierarchy, RemoveFromSuperviewHandsOwnershipBack) {
    QGraphicsScene scene;
    auto* root = new View(Rect{{0, 0}, {100, 100}});
    scene.addItem(root);
    std::unique_ptr<View> removed;
    {
        auto* child = new View(Rect{{0, 0}, {10, 10}});
        root->addSubview(child);
        child->removeFromSuperview();
        removed.reset(child);
    }
    EXPECT_TRUE(root->subviews().empty());
    EXPECT_EQ(removed->superview(), nullptr);
    EXPECT_EQ(removed->scene(), nullptr);
    // Removing a detached view again is harmless.
    removed->removeFromSuperview();
    EXPECT_EQ(removed->scene(), nullptr);
}

TEST_F(ViewHierarchy, AddingToItselfOrNothingIsIgnored) {
    View view;
    view.addSubview(static_cast<View*>(nullptr));
    view.addSubview(&view);
    EXPECT_TRUE(view.subviews().empty());
    EXPECT_EQ(view.superview(), nullptr);
}

TEST_F(ViewHierarchy, HiddenViewsAreNotDrawnNorTouched) {
    View view;
    view.setHidden(true);
    EXPECT_TRUE(view.isHidden());
    EXPECT_FALSE(view.receivesTouches());
    view.setHidden(false);
    EXPECT_TRUE(view.receivesTouches());
}

// --- touch routing with real mouse events on a view

class ViewTouchRouting : public ViewHierarchy {
protected:
    void SetUp() override {
        ViewHierarchy::SetUp();
        window = std::make_unique<test::SceneWindow>(200, 200);
        root = new View(Rect{{0, 0}, {200, 200}});
        window->scene().addItem(root);
        control = new Control(Rect{{0, 0}, {100, 100}});
        control->addTarget(ControlEventTouchDown, [this] { ++touchDowns; });
        root->addSubview(control);
    }
    void clickAt(double x, double y) {
        QTest::mouseClick(window->viewport(), Qt::LeftButton, Qt::NoModifier, window->at(x, y));
    }
    std::unique_ptr<test::SceneWindow> window;
    View* root = nullptr;
    Control* control = nullptr;
    int touchDowns = 0;
};

TEST_F(ViewTouchRouting, AViewThatTakesTouchesKeepsThemFromTheItemsBelow) {
    auto* cover = new View(Rect{{0, 0}, {100, 100}});
    root->addSubview(cover);
    clickAt(50, 50);
    EXPECT_EQ(touchDowns, 0);

    cover->setUserInteractionEnabled(false);
    clickAt(50, 50);
    EXPECT_EQ(touchDowns, 1);
}

TEST_F(ViewTouchRouting, ImageViewsLetTouchesThrough) {
    auto* picture = new ImageView(test::solidPixmap(100, 100, Qt::red));
    root->addSubview(picture);
    EXPECT_FALSE(picture->isUserInteractionEnabled());
    clickAt(20, 20);
    EXPECT_EQ(touchDowns, 1);
}

TEST_F(ViewTouchRouting, AParentThatTakesNoTouchesSilencesItsControls) {
    root->setUserInteractionEnabled(false);
    EXPECT_FALSE(control->receivesTouches());
    clickAt(50, 50);
    EXPECT_EQ(touchDowns, 0);
    root->setUserInteractionEnabled(true);
    clickAt(50, 50);
    EXPECT_EQ(touchDowns, 1);
}

TEST_F(ViewTouchRouting, TouchesOutsideTheControlDoNotReachIt) {
    clickAt(150, 150);
    EXPECT_EQ(touchDowns, 0);
}

} // namespace
} // namespace ovra
