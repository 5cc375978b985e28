// SPDX-License-Identifier: GPL-3.0-or-later
#include "tuner/StatusLine.hpp"

namespace ovra {

QString statusTextForHearing(HearingStatus status) {
    switch (status) {
    case HearingStatus::NoMicrophone:
        return QStringLiteral("No microphone");
    case HearingStatus::ChosenMicrophoneMissing:
        return QStringLiteral("Chosen microphone missing");
    case HearingStatus::InputLost:
        return QStringLiteral("Input lost, retrying");
    case HearingStatus::Stopped:
        return QStringLiteral("Listening paused");
    case HearingStatus::Opening:
    case HearingStatus::Hearing:
        break;
    }
    return QString();
}

} // namespace ovra
