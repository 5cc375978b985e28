// SPDX-License-Identifier: GPL-3.0-or-later
#include "tuner/OvraTuningKey.hpp"

#include "model/Tunings.hpp"
#include "tuner/TuningKeyReceiver.hpp"

namespace ovra {

OvraTuningKey::OvraTuningKey(const Rect& frame) : Control(frame) {
    setUserInteractionEnabled(true);
    myImageView = new ImageView(Rect{{0.0f, 0.0f}, frame.size});
    addSubview(myImageView);
    myHoldTimer.setSingleShot(true);
    myHoldTimer.setInterval(HOLD_MILLISECONDS);
    connect(&myHoldTimer, &QTimer::timeout, this, [this] {
        myHeld = true;
        if (TuningKeyReceiver* mainView = TuningKeyReceiver::sharedMainView()) {
            mainView->tuningKeyHeld(myTuningKeyIndex);
        }
    });
}

void OvraTuningKey::setActiveImage(const QPixmap& image) {
    myActiveImage = image;
}

void OvraTuningKey::setInactiveImage(const QPixmap& image) {
    myInactiveImage = image;
    myImageView->setImage(myInactiveImage);
}

void OvraTuningKey::setMagicImage(const QPixmap& image) {
    myMagicImage = image;
}

void OvraTuningKey::setTuningKeyState(int32_t state) {
    switch (state) {
    case TUNING_KEY_STATE_ACTIVE:
        myImageView->setImage(myActiveImage);
        break;
    case TUNING_KEY_STATE_MAGIC:
        myImageView->setImage(myMagicImage);
        break;
    default:
        myImageView->setImage(myInactiveImage);
        break;
    }
}

int32_t OvraTuningKey::shownTuningKeyState() const {
    // Layout images are shared pixmaps: the shown one is one of the three.
    const qint64 shown = myImageView->image().cacheKey();
    if (shown == myInactiveImage.cacheKey()) {
        return TUNING_KEY_STATE_INACTIVE;
    }
    if (shown == myActiveImage.cacheKey()) {
        return TUNING_KEY_STATE_ACTIVE;
    }
    return shown == myMagicImage.cacheKey() ? TUNING_KEY_STATE_MAGIC : TUNING_KEY_STATE_INACTIVE;
}

void OvraTuningKey::setTuningKeyIndex(int32_t index) {
    myTuningKeyIndex = index;
}

void OvraTuningKey::touchesBegan(const Touch& touch) {
    Control::touchesBegan(touch);
    // The screen decides at touch-down, without waiting for the release.
    if (TuningKeyReceiver* mainView = TuningKeyReceiver::sharedMainView()) {
        mainView->tuningKeyHit(myTuningKeyIndex);
    }
    // Holding the magic key means nothing more than touching it.
    if (myTuningKeyIndex >= 0 && myTuningKeyIndex < STRING_COUNT) {
        myHoldTimer.start();
    }
}

void OvraTuningKey::touchesEnded(const Touch& touch) {
    Control::touchesEnded(touch);
    touchLifted();
}

void OvraTuningKey::touchesCancelled() {
    Control::touchesCancelled();
    touchLifted();
}

void OvraTuningKey::touchLifted() {
    myHoldTimer.stop();
    if (myHeld) {
        myHeld = false;
        if (TuningKeyReceiver* mainView = TuningKeyReceiver::sharedMainView()) {
            mainView->tuningKeyReleased(myTuningKeyIndex);
        }
    }
}

} // namespace ovra
