// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WEXToggleButton.hpp"

namespace ovra {

WEXToggleButton::WEXToggleButton(const Rect& frame) : Control(frame) {
    // The image view keeps the bounds the button had at creation and is never
    // resized; it draws its image unscaled from its top-left corner anyway.
    myImageView = new ImageView(bounds());
    addSubview(myImageView);
    setUserInteractionEnabled(true);
}

QPixmap WEXToggleButton::functionalOnImage() const {
    if (!myOnImage.isNull()) {
        return myOnImage;
    }
    if (!myHighlightedImage.isNull()) {
        return myHighlightedImage;
    }
    return myNormalImage;
}

QPixmap WEXToggleButton::functionalDisabledImage() const {
    return myDisabledImage.isNull() ? myNormalImage : myDisabledImage;
}

QPixmap WEXToggleButton::functionalHighlightedImage() const {
    return myHighlightedImage.isNull() ? myNormalImage : myHighlightedImage;
}

void WEXToggleButton::updateButtonImage() {
    if (!isEnabled()) {
        myImageView->setImage(functionalDisabledImage());
    } else if (myButtonIsOn) {
        myImageView->setImage(functionalOnImage());
    } else {
        myImageView->setImage(myNormalImage);
    }
}

void WEXToggleButton::updateLayouts() {
    sizeToFit();
}

void WEXToggleButton::setEnabled(bool enabled) {
    Control::setEnabled(enabled);
    updateButtonImage();
}

void WEXToggleButton::touchesBegan(const Touch& touch) {
    if (isEnabled()) {
        myImageView->setImage(functionalHighlightedImage());
    }
    Control::touchesBegan(touch);
}

bool WEXToggleButton::continueTrackingWithTouch(const Touch& touch) {
    const bool inside = pointInside(touch.location);
    const bool keepTracking = Control::continueTrackingWithTouch(touch);
    if (!inside) {
        updateButtonImage();
        return false;
    }
    return keepTracking;
}

void WEXToggleButton::touchesEnded(const Touch& touch) {
    // Every touch end flips, enabled or not, wherever it ended; the targets of
    // the touch-up events then see the new state and image.
    myButtonIsOn = !myButtonIsOn;
    updateButtonImage();
    Control::touchesEnded(touch);
}

QPixmap* WEXToggleButton::imageVariableForState(uint32_t state) {
    switch (state) {
    case ControlStateNormal:
        return &myNormalImage;
    case ControlStateHighlighted:
        return &myHighlightedImage;
    case ControlStateDisabled:
        return &myDisabledImage;
    case ControlStateApplication:
        return &myOnImage;
    default:
        return nullptr;
    }
}

QPixmap WEXToggleButton::imageForState(uint32_t state) const {
    QPixmap* field = const_cast<WEXToggleButton*>(this)->imageVariableForState(state);
    return field != nullptr ? *field : QPixmap();
}

void WEXToggleButton::setImage(const QPixmap& image, uint32_t state) {
    QPixmap* field = imageVariableForState(state);
    if (field == nullptr) {
        return;
    }
    *field = image;
    if (!image.isNull()) {
        expandToSize(ImageView::imageSize(image));
    }
    updateButtonImage();
}

void WEXToggleButton::setButtonOn(bool on) {
    myButtonIsOn = on;
    updateButtonImage();
}

} // namespace ovra
