#include "ui/WEXButton.hpp"

namespace ovra {

QPixmap WEXButton::functionalOnImage() const {
    return imageForState(ControlStateNormal);
}

} // namespace ovra
