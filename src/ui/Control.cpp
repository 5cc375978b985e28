// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Control.hpp"

#include <QGraphicsSceneMouseEvent>
#include <QTouchEvent>

#include <algorithm>

namespace ovra {

Control::Control(const Rect& frame) : View(frame) {}

void Control::setEnabled(bool enabled) {
    myEnabled = enabled;
    if (!enabled) {
        myHighlighted = false;
    }
    update();
}

void Control::setHighlighted(bool highlighted) {
    myHighlighted = highlighted;
    update();
}

uint32_t Control::state() const {
    uint32_t s = ControlStateNormal;
    if (myHighlighted) {
        s |= ControlStateHighlighted;
    }
    if (!myEnabled) {
        s |= ControlStateDisabled;
    }
    return s;
}

void Control::addTarget(uint32_t controlEvents, Action action) {
    myTargets.push_back(Target{controlEvents, std::move(action)});
}

void Control::sendActionsForControlEvents(uint32_t controlEvents) {
    // An action may add targets: run over a copy.
    const std::vector<Target> targets = myTargets;
    for (const Target& target : targets) {
        if ((target.events & controlEvents) != 0 && target.action) {
            target.action();
        }
    }
}

void Control::touchesBegan(const Touch& touch) {
    if (!myEnabled) {
        return;
    }
    myTouchInside = true;
    myTracking = beginTrackingWithTouch(touch);
    setHighlighted(true);
    sendActionsForControlEvents(ControlEventTouchDown);
}

void Control::touchesMoved(const Touch& touch) {
    if (!myEnabled || !myTracking) {
        return;
    }
    const bool wasInside = myTouchInside;
    myTouchInside = pointInside(touch.location);
    setHighlighted(myTouchInside);
    uint32_t events = myTouchInside ? ControlEventTouchDragInside : ControlEventTouchDragOutside;
    if (wasInside != myTouchInside) {
        events |= myTouchInside ? ControlEventTouchDragEnter : ControlEventTouchDragExit;
    }
    myTracking = continueTrackingWithTouch(touch);
    if (!myTracking) {
        setHighlighted(false);
        return;
    }
    sendActionsForControlEvents(events);
}

void Control::touchesEnded(const Touch& touch) {
    const bool wasTracking = myTracking && myEnabled;
    const bool inside = pointInside(touch.location);
    myTracking = false;
    myTouchInside = false;
    if (myHighlighted) {
        setHighlighted(false);
    }
    if (wasTracking) {
        endTrackingWithTouch(touch);
        sendActionsForControlEvents(inside ? ControlEventTouchUpInside
                                           : ControlEventTouchUpOutside);
    }
}

void Control::touchesCancelled() {
    const bool wasTracking = myTracking && myEnabled;
    resetTouchState();
    if (wasTracking) {
        cancelTracking();
        sendActionsForControlEvents(ControlEventTouchCancel);
    }
}

bool Control::beginTrackingWithTouch(const Touch& touch) {
    (void)touch;
    return true;
}

bool Control::continueTrackingWithTouch(const Touch& touch) {
    (void)touch;
    return true;
}

void Control::endTrackingWithTouch(const Touch& touch) {
    (void)touch;
}

void Control::cancelTracking() {}

Touch Control::makeTouch(const QPointF& local) {
    Touch touch;
    touch.location = Point{static_cast<float>(local.x()), static_cast<float>(local.y())};
    touch.previousLocation = myTouchDown ? myLastLocation : touch.location;
    myLastLocation = touch.location;
    return touch;
}

void Control::resetTouchState() {
    myTracking = false;
    myTouchInside = false;
    myTouchDown = false;
    if (myHighlighted) {
        setHighlighted(false);
    }
}

void Control::mousePressEvent(QGraphicsSceneMouseEvent* event) {
    if (event->button() != Qt::LeftButton || myTouchDown || !receivesTouches()) {
        event->ignore();
        return;
    }
    event->accept();
    const Touch touch = makeTouch(event->pos());
    myTouchDown = true;
    touchesBegan(touch);
}

void Control::mouseMoveEvent(QGraphicsSceneMouseEvent* event) {
    if (!myTouchDown) {
        return;
    }
    touchesMoved(makeTouch(event->pos()));
}

void Control::mouseReleaseEvent(QGraphicsSceneMouseEvent* event) {
    if (!myTouchDown || event->button() != Qt::LeftButton) {
        return;
    }
    const Touch touch = makeTouch(event->pos());
    myTouchDown = false;
    touchesEnded(touch);
}

bool Control::sceneEvent(QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::TouchBegin && type != QEvent::TouchUpdate && type != QEvent::TouchEnd &&
        type != QEvent::TouchCancel) {
        return View::sceneEvent(event);
    }
    auto* touchEvent = static_cast<QTouchEvent*>(event);
    if (type == QEvent::TouchCancel) {
        if (myTouchDown) {
            touchesCancelled();
        }
        event->accept();
        return true;
    }
    if (touchEvent->points().isEmpty()) {
        event->ignore();
        return false;
    }
    // One touch at a time: the first point of the sequence.
    const QEventPoint& point = touchEvent->points().first();
    const QPointF local = mapFromScene(point.scenePosition());
    if (type == QEvent::TouchBegin) {
        if (!receivesTouches() || myTouchDown) {
            event->ignore();
            return false;
        }
        event->accept();
        const Touch touch = makeTouch(local);
        myTouchDown = true;
        touchesBegan(touch);
        return true;
    }
    event->accept();
    if (!myTouchDown) {
        return true;
    }
    if (type == QEvent::TouchUpdate) {
        if (point.state() != QEventPoint::Stationary) {
            touchesMoved(makeTouch(local));
        }
        return true;
    }
    const Touch touch = makeTouch(local);
    myTouchDown = false;
    touchesEnded(touch);
    return true;
}

} // namespace ovra
