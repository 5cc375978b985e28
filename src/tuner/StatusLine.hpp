// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "capture/CorvaneAudioTrapper.hpp"

#include <QString>

namespace ovra {

// The words the screen's status line shows for a hearing status: why the
// tuner hears nothing, or empty while capture is opening or hearing.
QString statusTextForHearing(HearingStatus status);

} // namespace ovra
