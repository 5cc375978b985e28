#pragma once

#include "analysis/AudioQueue.hpp"

#include <QString>

namespace ovra {

// Queues that capture from an audio input through Qt Multimedia: the input
// named `deviceName` (description or id as listed by audioInputDeviceNames),
// or the default input when it is empty. A missing input or a refused format
// fails newInput; an input lost during capture stops delivery.
AudioQueueFactory microphoneAudioQueueFactory(const QString& deviceName = {});

} // namespace ovra
