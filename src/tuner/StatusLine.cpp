// SPDX-License-Identifier: GPL-3.0-or-later
#include "tuner/StatusLine.hpp"

#include <QCoreApplication>

namespace ovra {

QString statusTextForHearing(HearingStatus status) {
    switch (status) {
    case HearingStatus::NoMicrophone:
        return QCoreApplication::translate("StatusLine", "No microphone");
    case HearingStatus::ChosenMicrophoneMissing:
        return QCoreApplication::translate("StatusLine", "Chosen microphone missing");
    case HearingStatus::InputLost:
        return QCoreApplication::translate("StatusLine", "Input lost, retrying");
    case HearingStatus::Stopped:
        return QCoreApplication::translate("StatusLine", "Listening paused");
    case HearingStatus::Opening:
    case HearingStatus::Hearing:
        break;
    }
    return QString();
}

} // namespace ovra
