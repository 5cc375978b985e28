// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAudioDevice>
#include <QString>
#include <QStringList>

class QMediaDevices;

namespace ovra {

// Names of the audio inputs as Qt reports them (their descriptions), the
// default one first. Empty when there is no sound server or no input.
QStringList audioInputDeviceNames();

// The input whose description or id is `name`; the default input when `name`
// is empty. A null device when there is no such input.
QAudioDevice findAudioInput(const QString& name);

// Makes, once and on the application's thread, the object through which Qt
// reports changes to the audio inputs; it goes with the application object.
// Does nothing without an application or on another thread.
void watchAudioInputs();
// That object, or null before watchAudioInputs(). Capture threads connect to
// its audioInputsChanged signal.
QMediaDevices* audioInputsWatcher();

} // namespace ovra
