// SPDX-License-Identifier: GPL-3.0-or-later
#include "capture/AudioInputDevices.hpp"

#include <QCoreApplication>
#include <QMediaDevices>
#include <QThread>

#include <atomic>

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

namespace {

std::atomic<QMediaDevices*> theAudioInputsWatcher{nullptr};

} // namespace

void watchAudioInputs() {
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr || app->thread() != QThread::currentThread() ||
        theAudioInputsWatcher.load() != nullptr) {
        return;
    }
    // One object for the whole process, made where Qt's own device list is
    // looked after, rather than one per capture thread.
    auto* watcher = new QMediaDevices(app);
    QObject::connect(watcher, &QObject::destroyed, [] { theAudioInputsWatcher.store(nullptr); });
    theAudioInputsWatcher.store(watcher);
}

QMediaDevices* audioInputsWatcher() {
    return theAudioInputsWatcher.load();
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
