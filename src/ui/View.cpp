// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/View.hpp"

#include "common/SystemLog.hpp"

#include <QEvent>
#include <QGraphicsScene>
#include <QGraphicsSceneMouseEvent>
#include <QGraphicsView>
#include <QPainter>
#include <QVariantAnimation>

#include <algorithm>
#include <cmath>

namespace ovra {

namespace {

const char* const ZERO_DIMENSION_WARNING =
    "Warning : converting normalized to absolute on a zero-dimension view";

// The one open animation transaction: which views changed, and where each was
// drawn when it first changed.
struct AnimationTransaction {
    int depth = 0;
    double seconds = 0.2;
    std::vector<std::pair<QPointer<View>, QPointF>> changed;
};

AnimationTransaction& transaction() {
    static AnimationTransaction open;
    return open;
}

} // namespace

View::View(const Rect& frame) {
    setFrame(frame);
    setAcceptTouchEvents(true);
}

View::~View() {
    if (myAnimation) {
        myAnimation->stop();
    }
}

void View::setBounds(const Rect& bounds) {
    prepareGeometryChange();
    myBounds = bounds;
    syncItemPosition();
}

Rect View::frame() const {
    Rect frame;
    frame.size = myBounds.size;
    frame.origin.x = myPosition.x - myAnchorPoint.x * myBounds.size.width;
    frame.origin.y = myPosition.y - myAnchorPoint.y * myBounds.size.height;
    return frame;
}

void View::setFrame(const Rect& frame) {
    prepareGeometryChange();
    myBounds.size = frame.size;
    myPosition.x = frame.origin.x + myAnchorPoint.x * frame.size.width;
    myPosition.y = frame.origin.y + myAnchorPoint.y * frame.size.height;
    syncItemPosition();
}

void View::setCenter(Point center) {
    myPosition = center;
    syncItemPosition();
}

void View::setAnchorPoint(Point anchor) {
    myAnchorPoint = anchor;
    syncItemPosition();
}

void View::setPosition(Point position) {
    myPosition = position;
    syncItemPosition();
}

QRectF View::frameRect() const {
    const Rect f = frame();
    return QRectF(f.origin.x, f.origin.y, f.size.width, f.size.height);
}

void View::setFrameRect(const QRectF& frame) {
    setFrame(Rect{{static_cast<float>(frame.x()), static_cast<float>(frame.y())},
                  {static_cast<float>(frame.width()), static_cast<float>(frame.height())}});
}

QPointF View::centerPoint() const {
    return QPointF(myPosition.x, myPosition.y);
}

void View::setCenterPoint(const QPointF& center) {
    setCenter(Point{static_cast<float>(center.x()), static_cast<float>(center.y())});
}

void View::setOrigin(Point p) {
    const Size s = size();
    const double cx = static_cast<double>(p.x) + static_cast<double>(s.width) * 0.5;
    const double cy = static_cast<double>(p.y) + static_cast<double>(s.height) * 0.5;
    setCenter(Point{static_cast<float>(cx), static_cast<float>(cy)});
}

void View::setRightX(float x) {
    Rect f = frame();
    f.origin.x = x - f.size.width;
    setFrame(f);
}

void View::setLeftX(float x) {
    Rect f = frame();
    f.origin.x = x;
    setFrame(f);
}

Point View::boundsCenter() const {
    return Point{myBounds.origin.x + myBounds.size.width / 2.0f,
                 myBounds.origin.y + myBounds.size.height / 2.0f};
}

void View::expandToSize(Size s) {
    Rect f = frame();
    bool grew = false;
    if (f.size.width < s.width) {
        f.size.width = s.width;
        grew = true;
    }
    if (f.size.height < s.height) {
        f.size.height = s.height;
        grew = true;
    }
    if (grew) {
        setFrame(f);
    }
}

Point View::absolutePointFromRelativePoint(Point relative) const {
    const float w = myBounds.size.width;
    const float h = myBounds.size.height;
    if (w == 0.0f || h == 0.0f) {
        systemLog("%s", ZERO_DIMENSION_WARNING);
    }
    const float x = relative.x * w;
    const float scaled = relative.y * h;
    const float y = h - scaled;
    return Point{x, y};
}

Point View::relativePointFromAbsolutePoint(Point absolute) const {
    const float w = myBounds.size.width;
    const float h = myBounds.size.height;
    const float x = absolute.x / w;
    const float fraction = absolute.y / h;
    const float y = 1.0f - fraction;
    if (w == 0.0f || h == 0.0f) {
        systemLog("%s", ZERO_DIMENSION_WARNING);
    }
    return Point{x, y};
}

Point View::absoluteAnchorPoint() const {
    return absolutePointFromRelativePoint(myAnchorPoint);
}

void View::changeOnlyAnchorPoint(Point relative) {
    const Point old = absoluteAnchorPoint();
    const Point pos = position();
    const Point base{pos.x - old.x, pos.y - old.y};
    const Point moved = absolutePointFromRelativePoint(relative);
    myAnchorPoint = relative;
    setPosition(Point{base.x + moved.x, base.y + moved.y});
}

Size View::sizeThatFits(Size size) const {
    (void)size;
    return myBounds.size;
}

void View::sizeToFit() {
    Rect f = frame();
    f.size = sizeThatFits(f.size);
    if (!(f == frame())) {
        setFrame(f);
    }
}

bool View::pointInside(Point p) const {
    const Rect& b = myBounds;
    return p.x >= b.origin.x && p.x < b.origin.x + b.size.width && p.y >= b.origin.y &&
           p.y < b.origin.y + b.size.height;
}

void View::addSubview(View* view) {
    if (view == nullptr || view == this) {
        return;
    }
    if (view->parentItem() == this) {
        // Re-adding moves the view to the top of its siblings.
        view->setParentItem(nullptr);
        if (view->scene() != nullptr) {
            view->scene()->removeItem(view);
        }
    }
    view->setParentItem(this);
}

View* View::addSubview(std::unique_ptr<View> view) {
    View* raw = view.release();
    addSubview(raw);
    return raw;
}

void View::removeFromSuperview() {
    if (parentItem() != nullptr) {
        setParentItem(nullptr);
    }
    if (scene() != nullptr) {
        scene()->removeItem(this);
    }
}

View* View::superview() const {
    return dynamic_cast<View*>(parentItem());
}

std::vector<View*> View::subviews() const {
    std::vector<View*> views;
    for (QGraphicsItem* child : childItems()) {
        if (auto* view = dynamic_cast<View*>(child)) {
            views.push_back(view);
        }
    }
    return views;
}

void View::setUserInteractionEnabled(bool enabled) {
    myUserInteractionEnabled = enabled;
    setAcceptedMouseButtons(enabled ? Qt::AllButtons : Qt::NoButton);
    setAcceptTouchEvents(enabled);
}

bool View::receivesTouches() const {
    for (const View* v = this; v != nullptr; v = v->superview()) {
        if (!v->myUserInteractionEnabled || !v->isVisible()) {
            return false;
        }
    }
    return true;
}

void View::setBackgroundColor(const QColor& color) {
    myBackgroundColor = color;
    update();
}

void View::beginAnimations() {
    AnimationTransaction& t = transaction();
    if (t.depth == 0) {
        t.seconds = 0.2;
        t.changed.clear();
    }
    ++t.depth;
}

void View::setAnimationDuration(double seconds) {
    transaction().seconds = seconds;
}

void View::commitAnimations() {
    AnimationTransaction& t = transaction();
    if (t.depth == 0) {
        return;
    }
    if (--t.depth > 0) {
        return;
    }
    auto changed = std::move(t.changed);
    t.changed.clear();
    for (auto& [view, from] : changed) {
        if (view) {
            view->startAnimation(from, t.seconds);
        }
    }
}

void View::animateWithDuration(double seconds, const std::function<void()>& changes) {
    beginAnimations();
    setAnimationDuration(seconds);
    if (changes) {
        changes();
    }
    commitAnimations();
}

bool View::isAnimating() const {
    return myAnimation && myAnimation->state() == QAbstractAnimation::Running;
}

void View::finishAnimation() {
    if (isAnimating()) {
        myAnimation->setCurrentTime(myAnimation->totalDuration());
    }
}

Point View::presentationOrigin() const {
    const QPointF drawn = pos();
    return Point{static_cast<float>(drawn.x()) + myBounds.origin.x,
                 static_cast<float>(drawn.y()) + myBounds.origin.y};
}

QRectF View::boundsRect() const {
    return QRectF(myBounds.origin.x, myBounds.origin.y, myBounds.size.width, myBounds.size.height);
}

QRectF View::boundingRect() const {
    return boundsRect();
}

void View::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) {
    (void)option;
    (void)widget;
    if (myBackgroundColor.alpha() > 0) {
        painter->fillRect(boundsRect(), myBackgroundColor);
    }
}

void View::mousePressEvent(QGraphicsSceneMouseEvent* event) {
    if (receivesTouches()) {
        event->accept();
    } else {
        event->ignore();
    }
}

bool View::sceneEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
        event->setAccepted(receivesTouches());
        return event->isAccepted();
    default:
        return QGraphicsObject::sceneEvent(event);
    }
}

QPointF View::modelItemPos() const {
    // Local coordinates are bounds coordinates: the bounds origin lands on the
    // frame origin.
    const Rect f = frame();
    return QPointF(static_cast<double>(f.origin.x) - static_cast<double>(myBounds.origin.x),
                   static_cast<double>(f.origin.y) - static_cast<double>(myBounds.origin.y));
}

void View::syncItemPosition() {
    AnimationTransaction& t = transaction();
    if (t.depth > 0) {
        const bool known = std::any_of(t.changed.begin(), t.changed.end(),
                                       [this](const auto& entry) { return entry.first == this; });
        if (!known) {
            if (myAnimation) {
                myAnimation->stop(); // keeps the drawn place as the start
            }
            t.changed.emplace_back(QPointer<View>(this), pos());
        }
        return;
    }
    if (myAnimation) {
        myAnimation->stop();
    }
    setPos(modelItemPos());
}

void View::showGlideStep(const QPointF& at, bool last) {
    QPointF drawn = at;
    const QList<QGraphicsView*> views =
        scene() != nullptr ? scene()->views() : QList<QGraphicsView*>();
    if (!last && !views.isEmpty()) {
        // Between the ends the glide moves in whole device pixels of the
        // first view showing it: a step that lands on the pixel already
        // drawn changes nothing on screen and is skipped.
        const QGraphicsView* view = views.first();
        const double ratio = view->devicePixelRatioF();
        const QTransform toDevice =
            (parentItem() != nullptr ? parentItem()->sceneTransform() : QTransform()) *
            view->viewportTransform() * QTransform::fromScale(ratio, ratio);
        if (toDevice.type() <= QTransform::TxScale && toDevice.isInvertible()) {
            const auto pixel = [&toDevice](const QPointF& p) {
                const QPointF d = toDevice.map(p);
                return QPointF(std::round(d.x()), std::round(d.y()));
            };
            const QPointF target = pixel(at);
            if (target == pixel(pos())) {
                return;
            }
            drawn = toDevice.inverted().map(target);
        }
    }
    if (drawn != pos()) {
        setPos(drawn);
    }
}

void View::startAnimation(const QPointF& from, double seconds) {
    const QPointF to = modelItemPos();
    if (myAnimation) {
        myAnimation->stop();
    }
    const int milliseconds = static_cast<int>(std::lround(seconds * 1000.0));
    if (from == to || milliseconds <= 0) {
        setPos(to);
        return;
    }
    auto* animation = new QVariantAnimation(this);
    animation->setDuration(milliseconds);
    animation->setStartValue(from);
    animation->setEndValue(to);
    connect(animation, &QVariantAnimation::valueChanged, this,
            [this, animation](const QVariant& value) {
                showGlideStep(value.toPointF(), animation->currentTime() >= animation->duration());
            });
    connect(animation, &QVariantAnimation::finished, this, &View::animationFinished);
    myAnimation = animation;
    setPos(from);
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

} // namespace ovra
