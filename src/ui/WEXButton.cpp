// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WEXButton.hpp"

namespace ovra {

QPixmap WEXButton::functionalOnImage() const {
    return imageForState(ControlStateNormal);
}

} // namespace ovra
