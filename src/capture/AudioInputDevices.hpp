#pragma once

#include <QAudioDevice>
#include <QString>
#include <QStringList>

namespace ovra {

// Names of the audio inputs as Qt reports them (their descriptions), the
// default one first. Empty when there is no sound server or no input.
QStringList audioInputDeviceNames();

// The input whose description or id is `name`; the default input when `name`
// is empty. A null device when there is no such input.
QAudioDevice findAudioInput(const QString& name);

} // namespace ovra
