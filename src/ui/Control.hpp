// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/View.hpp"

#include <cstdint>
#include <functional>
#include <vector>

namespace ovra {

// Control events, with the bit values of the touch toolkit they come from
// (touch-up-inside is 64).
enum ControlEvent : uint32_t {
    ControlEventTouchDown = 1u << 0,
    ControlEventTouchDownRepeat = 1u << 1,
    ControlEventTouchDragInside = 1u << 2,
    ControlEventTouchDragOutside = 1u << 3,
    ControlEventTouchDragEnter = 1u << 4,
    ControlEventTouchDragExit = 1u << 5,
    ControlEventTouchUpInside = 1u << 6,
    ControlEventTouchUpOutside = 1u << 7,
    ControlEventTouchCancel = 1u << 8,
    ControlEventValueChanged = 1u << 12,
    ControlEventAllTouchEvents = 0x00000FFFu,
};

// Control states; Application is the range reserved for the application.
enum ControlState : uint32_t {
    ControlStateNormal = 0,
    ControlStateHighlighted = 1u << 0,
    ControlStateDisabled = 1u << 1,
    ControlStateSelected = 1u << 2,
    ControlStateApplication = 0x00FF0000u,
};

// One finger (or the mouse with its left button down), located in the
// receiving control's own coordinates.
struct Touch {
    Point location;
    Point previousLocation;
};

// A view that tracks one touch at a time and sends actions to its targets.
// Mouse presses and touch screens both arrive as touchesBegan / touchesMoved /
// touchesEnded. While tracking, each move calls continueTrackingWithTouch;
// when that returns false the touch is no longer tracked: later moves are
// ignored and its end sends no touch-up action.
//
// A disabled control still receives its touches (and keeps them from the
// items below) but neither tracks them nor sends actions. The enabled flag
// is the control's own, not QGraphicsItem's, which would drop the touches.
class Control : public View {
    Q_OBJECT

public:
    using Action = std::function<void()>;

    explicit Control(const Rect& frame = {});

    bool isEnabled() const { return myEnabled; }
    virtual void setEnabled(bool enabled);
    bool isHighlighted() const { return myHighlighted; }
    virtual void setHighlighted(bool highlighted);
    // Highlighted / disabled bits of ControlState.
    uint32_t state() const;

    // Target-action: the action runs for any event in the mask.
    void addTarget(uint32_t controlEvents, Action action);
    void sendActionsForControlEvents(uint32_t controlEvents);

    // Touch entry points; subclasses extend them and call the base.
    virtual void touchesBegan(const Touch& touch);
    virtual void touchesMoved(const Touch& touch);
    virtual void touchesEnded(const Touch& touch);
    virtual void touchesCancelled();

    // Tracking hooks.
    virtual bool beginTrackingWithTouch(const Touch& touch);
    virtual bool continueTrackingWithTouch(const Touch& touch);
    virtual void endTrackingWithTouch(const Touch& touch);
    virtual void cancelTracking();

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override;
    bool sceneEvent(QEvent* event) override;

private:
    struct Target {
        uint32_t events;
        Action action;
    };

    Touch makeTouch(const QPointF& local);
    void resetTouchState();

    bool myEnabled = true;
    bool myHighlighted = false;
    bool myTracking = false;
    bool myTouchInside = false;
    bool myTouchDown = false;
    Point myLastLocation;
    std::vector<Target> myTargets;
};

} // namespace ovra
