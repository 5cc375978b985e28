// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/Control.hpp"
#include "ui/ImageView.hpp"

#include <QPixmap>
#include <QTimer>

#include <cstdint>

namespace ovra {

// Picture states of a tuning key, as given to setTuningKeyState.
inline constexpr int32_t TUNING_KEY_STATE_INACTIVE = 0;
inline constexpr int32_t TUNING_KEY_STATE_ACTIVE = 1;
inline constexpr int32_t TUNING_KEY_STATE_MAGIC = 2;

// The touchable picture of one tuning key: keys 0..5 stand for the strings,
// key 6 is the magic key that switches automatic string selection. A key only
// shows one of its three pictures and reports a touch-down to the tuner
// screen at once; the screen decides everything and tells each key which
// picture to show. A string key kept touched for HOLD_MILLISECONDS is
// reported as held, and its release then too. Main thread only.
class OvraTuningKey : public Control {
    Q_OBJECT

public:
    // Long enough that a quick touch is never taken for a hold.
    static constexpr int HOLD_MILLISECONDS = 500;

    // Takes touches; shows nothing until it is given an inactive image.
    explicit OvraTuningKey(const Rect& frame);

    // Kept for state 1; the picture shown does not change.
    void setActiveImage(const QPixmap& image);
    // Kept for state 0 (and any unknown state) and shown at once.
    void setInactiveImage(const QPixmap& image);
    // Kept for state 2; the picture shown does not change.
    void setMagicImage(const QPixmap& image);

    // 0 inactive, 1 active, 2 magic, anything else inactive. The state is
    // not kept; only the picture changes.
    void setTuningKeyState(int32_t state);
    void setTuningKeyIndex(int32_t index);

    // The state whose picture is shown: 1 active, 2 magic, else 0.
    int32_t shownTuningKeyState() const;

    // Touch-down reports this key to the tuner screen at once (one report
    // per delivery) and, on a string key, starts timing the hold; lifting
    // the finger (or losing the touch) ends a hold, moving it does nothing
    // more than the control's own tracking.
    void touchesBegan(const Touch& touch) override;
    void touchesEnded(const Touch& touch) override;
    void touchesCancelled() override;

private:
    QPixmap myActiveImage;
    QPixmap myInactiveImage;
    QPixmap myMagicImage;
    ImageView* myImageView = nullptr; // owned as the key's only subview
    int32_t myTuningKeyIndex = 0;
    QTimer myHoldTimer;
    bool myHeld = false;

    void touchLifted();
};

} // namespace ovra
