// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/AudioQueue.hpp"

#include <QAudioFormat>
#include <QString>

namespace ovra {

struct MicrophoneQueueOptions {
    // Description or id as listed by audioInputDeviceNames; empty for the
    // system's default input, followed when the default changes.
    QString deviceName;
    // Opens the input in this format and converts, as when the input
    // refuses 16-bit mono 8000 Hz (which sound servers accept and convert
    // themselves). Left invalid, the queue asks for 16-bit mono 8000 Hz and
    // falls back to the input's preferred format.
    QAudioFormat deviceFormat;
};

// Queues that capture from an audio input through Qt Multimedia. A missing
// input or an unusable format fails newInput; an input lost during capture
// stops delivery and asks for reopening (wantsReopening). When called on the
// application's thread, also starts watching the audio inputs.
AudioQueueFactory microphoneAudioQueueFactory(const MicrophoneQueueOptions& options);
AudioQueueFactory microphoneAudioQueueFactory(const QString& deviceName = {});

} // namespace ovra
