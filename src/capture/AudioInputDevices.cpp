#include "capture/AudioInputDevices.hpp"

#include <QMediaDevices>

namespace ovra {

QStringList audioInputDeviceNames() {
    QStringList names;
    const QAudioDevice defaultInput = QMediaDevices::defaultAudioInput();
    if (!defaultInput.isNull()) {
        names.append(defaultInput.description());
    }
    for (const QAudioDevice& device : QMediaDevices::audioInputs()) {
        if (device != defaultInput) {
            names.append(device.description());
        }
    }
    return names;
}

QAudioDevice findAudioInput(const QString& name) {
    if (name.isEmpty()) {
        return QMediaDevices::defaultAudioInput();
    }
    for (const QAudioDevice& device : QMediaDevices::audioInputs()) {
        if (device.description() == name || QString::fromUtf8(device.id()) == name) {
            return device;
        }
    }
    return {};
}

} // namespace ovra
