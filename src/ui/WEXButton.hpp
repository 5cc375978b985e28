// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/WEXToggleButton.hpp"

namespace ovra {

// A push button: flips its on state like a toggle button, but its look never
// shows it (the on image is the normal image).
class WEXButton : public WEXToggleButton {
    Q_OBJECT

public:
    using WEXToggleButton::WEXToggleButton;

    QPixmap functionalOnImage() const override;
};

} // namespace ovra
