// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/Geometry.hpp"

#include <QColor>
#include <QGraphicsObject>
#include <QPointF>
#include <QPointer>
#include <QRectF>
#include <QVariantAnimation>

#include <functional>
#include <memory>
#include <vector>

namespace ovra {

// A rectangle on screen with touch-style geometry kept in 32-bit floats: bounds
// (origin + size), an anchor point relative to the size (default 0.5, 0.5) and
// the position of that anchor in the parent (the centre); the frame is derived
// from them. The item's local coordinates are the bounds coordinates, so a
// subview's frame origin is its place inside the parent.
//
// Model and presentation: geometry setters change the model at once. The item's
// QGraphicsItem::pos() is what is drawn; it follows the model immediately,
// except inside an animation transaction (beginAnimations / commitAnimations),
// where the model takes its final value at once and only the drawn position
// glides there, driven by a QVariantAnimation; between its ends the glide
// moves in whole device pixels, so frames that would change no pixel are not
// drawn.
//
// Ownership: a view added with addSubview() is owned by its parent (Qt
// parent-child); removeFromSuperview() hands ownership back to the caller.
// Subviews are stacked in the order they were added, the latest on top.
class View : public QGraphicsObject {
    Q_OBJECT
    Q_PROPERTY(QRectF frame READ frameRect WRITE setFrameRect)
    Q_PROPERTY(QPointF center READ centerPoint WRITE setCenterPoint)

public:
    explicit View(const Rect& frame = {});
    ~View() override;
    View(const View&) = delete;
    View& operator=(const View&) = delete;

    // --- geometry model
    Rect bounds() const { return myBounds; }
    void setBounds(const Rect& bounds);
    // Derived: origin = position - anchor * size, size = bounds size.
    Rect frame() const;
    // Bounds size <- frame size; position <- origin + anchor * size.
    virtual void setFrame(const Rect& frame);
    Point center() const { return myPosition; }
    void setCenter(Point center);
    // The layer's anchor point and position. Changing the anchor keeps the
    // position, so the frame moves (as a layer does).
    Point anchorPoint() const { return myAnchorPoint; }
    void setAnchorPoint(Point anchor);
    Point position() const { return myPosition; }
    void setPosition(Point position);

    // Qt-typed forms of frame and center, for properties and animations.
    QRectF frameRect() const;
    void setFrameRect(const QRectF& frame);
    QPointF centerPoint() const;
    void setCenterPoint(const QPointF& center);

    // --- placement operations
    // Centre <- p + half the bounds size, computed in double and narrowed.
    void setOrigin(Point p);
    void setRightX(float x);
    void setLeftX(float x);
    Size size() const { return myBounds.size; }
    Point boundsCenter() const;
    // Grows the frame to at least s in each dimension; writes it only if it grew.
    void expandToSize(Size s);
    // Relative points: unit square, y up. Absolute: own coordinates, y down.
    Point absolutePointFromRelativePoint(Point relative) const;
    Point relativePointFromAbsolutePoint(Point absolute) const;
    Point absoluteAnchorPoint() const;
    // Sets the anchor point and moves the position by the change of the
    // absolute anchor point. Horizontally that keeps the frame in place;
    // vertically the absolute point is measured with y up while the anchor
    // lays the frame out with y down, so the frame moves by
    // 2 * (old anchor y - new anchor y) * height.
    void changeOnlyAnchorPoint(Point relative);

    virtual Size sizeThatFits(Size size) const;
    void sizeToFit();
    // True for points of the bounds rectangle (right and bottom edges excluded).
    bool pointInside(Point p) const;

    // --- hierarchy
    // Takes ownership; a view already in this parent moves to the top.
    void addSubview(View* view);
    View* addSubview(std::unique_ptr<View> view);
    // Detaches from the parent (and the scene); the caller owns it afterwards.
    void removeFromSuperview();
    View* superview() const;
    std::vector<View*> subviews() const;

    // --- touches and look
    bool isUserInteractionEnabled() const { return myUserInteractionEnabled; }
    void setUserInteractionEnabled(bool enabled);
    // False when this view or an ancestor view is hidden or takes no touches.
    bool receivesTouches() const;
    QColor backgroundColor() const { return myBackgroundColor; }
    void setBackgroundColor(const QColor& color);

    // --- animation transactions (main thread only)
    // Between begin and commit, geometry changes of any view update its model
    // at once; on commit each changed view glides from where it was drawn to
    // its new place over the duration (0.2 s unless set).
    static void beginAnimations();
    static void setAnimationDuration(double seconds);
    static void commitAnimations();
    static void animateWithDuration(double seconds, const std::function<void()>& changes);
    bool isAnimating() const;
    // Jumps a running animation to its end.
    void finishAnimation();
    // The drawn top-left corner of the frame (differs from frame().origin
    // only while animating).
    Point presentationOrigin() const;

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

signals:
    void animationFinished();

protected:
    // A plain view takes a touch and keeps it from the items below, as a
    // touch screen's hit view does; views that take no touches let it through.
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
    bool sceneEvent(QEvent* event) override;
    QRectF boundsRect() const;

private:
    QPointF modelItemPos() const;
    void syncItemPosition();
    void startAnimation(const QPointF& from, double seconds);
    void showGlideStep(const QPointF& at, bool last);

    Rect myBounds;
    Point myAnchorPoint{0.5f, 0.5f};
    Point myPosition;
    bool myUserInteractionEnabled = true;
    QColor myBackgroundColor = Qt::transparent;
    QPointer<QVariantAnimation> myAnimation;
};

} // namespace ovra
