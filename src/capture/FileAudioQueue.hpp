// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/AudioQueue.hpp"

#include <functional>
#include <string>
#include <vector>

namespace ovra {

struct FileQueueOptions {
    // Start again from the beginning at the end of the file, or stop there.
    bool loop = false;
    // Called once on the capture thread when a non-looping file has been
    // delivered completely.
    std::function<void()> onEnd;
};

// Queues that play an audio file as if it were the microphone: decoded once
// (mono, 8000 Hz, 16-bit) on first use, delivered in real time, one buffer
// per 256 ms; the last buffer is padded with silence. An unreadable file
// fails newInput and logs the decoder's message.
AudioQueueFactory fileAudioQueueFactory(const std::string& path, FileQueueOptions options = {});
// The same for sound already decoded (mono, 8000 Hz, 16-bit), which is then
// not decoded again.
AudioQueueFactory fileAudioQueueFactory(std::vector<int16_t> samples,
                                        FileQueueOptions options = {});

} // namespace ovra
