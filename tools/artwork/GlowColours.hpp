// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ArtworkPainters.hpp"

#include <QColor>

namespace ovra::artwork {

// Lit (the string chosen by hand): warm gold. Magic (chosen automatically):
// violet. Both must read at a glance and differ from the meter's blue,
// green and red.
inline QColor glowColour(Glow glow) {
    switch (glow) {
    case Glow::Lit:
        return QColor(255, 196, 64);
    case Glow::Magic:
        return QColor(196, 96, 255);
    case Glow::None:
        break;
    }
    return QColor(0, 0, 0, 0);
}

} // namespace ovra::artwork
