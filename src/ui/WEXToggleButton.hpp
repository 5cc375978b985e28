// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/Control.hpp"
#include "ui/ImageView.hpp"

#include <QPixmap>

#include <cstdint>
#include <string>

namespace ovra {

// A button drawn entirely from images, one per visual state, shown by a single
// image view, with an on/off state that flips at every touch end (enabled or
// not, inside or not). While a touch is down inside an enabled button it shows
// its highlighted image; otherwise its resting image (updateButtonImage).
// Pictures are kept in QPixmap values (implicitly shared); a null pixmap is
// "no image".
class WEXToggleButton : public Control {
    Q_OBJECT

public:
    // Layout-file modifiers of the four images (configureToggleButtonWithItemID).
    static constexpr const char* MODIFIER_NORMAL = "unpressed";
    static constexpr const char* MODIFIER_HIGHLIGHTED = "pressed";
    static constexpr const char* MODIFIER_DISABLED = "disabled";
    static constexpr const char* MODIFIER_ON = "on";

    explicit WEXToggleButton(const Rect& frame = {});

    // The image shown while on: on, else highlighted, else normal.
    virtual QPixmap functionalOnImage() const;
    // Disabled, else normal.
    virtual QPixmap functionalDisabledImage() const;
    // Highlighted, else normal.
    virtual QPixmap functionalHighlightedImage() const;

    // Shows the resting image: disabled look, else the on look, else normal.
    void updateButtonImage();
    void updateLayouts();

    void setEnabled(bool enabled) override;
    void touchesBegan(const Touch& touch) override;
    void touchesEnded(const Touch& touch) override;
    bool continueTrackingWithTouch(const Touch& touch) override;

    // The field holding the image of a state: 0 normal, 1 highlighted,
    // 2 disabled, 0x00FF0000 on; nullptr for any other state.
    QPixmap* imageVariableForState(uint32_t state);
    // The image of a state; null for any other state.
    QPixmap imageForState(uint32_t state) const;
    // Stores the image for a state (other states: nothing happens), grows the
    // button to at least the image's size, and shows the resting image.
    void setImage(const QPixmap& image, uint32_t state);

    void setButtonOn(bool on);
    bool isButtonOn() const { return myButtonIsOn; }

    // Skins and places the button from a layout file: the "unpressed",
    // "pressed", "disabled" and "on" images of the item, its position (with no
    // modifier when the file has the item's "x", else the "unpressed"
    // position), and the size of the normal image.
    void configureToggleButtonWithItemID(const char* itemID, int32_t index,
                                         const std::string& configFilename);

    // The image view that shows the current picture (owned by the button).
    ImageView* imageView() const { return myImageView; }

private:
    QPixmap myNormalImage;
    QPixmap myHighlightedImage;
    QPixmap myOnImage;
    QPixmap myDisabledImage;
    ImageView* myImageView = nullptr;
    bool myButtonIsOn = false;
};

} // namespace ovra
