// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/AudioQueue.hpp"

namespace ovra {

// Analyses one filled buffer for the capture record passed as user data:
// finds the peak level and, when the buffer is not silent, runs the detector
// (and, with the record's fine tuning on, its refiner), stores the four results and notifies the
// capture object's delegate. In every case the buffer goes back to inQueue (a null queue means
// nobody takes it back, for callers that analyse buffers of their own). The buffer must hold 2048
// samples (4096 bytes); a shorter or empty one is only handed back.
void callbackForAudio(void* inUserData, AudioInputQueue* inQueue, AudioQueueBuffer* inBuffer,
                      const AudioTimeStamp* inStartTime = nullptr,
                      uint32_t inNumberPacketDescriptions = 0,
                      const AudioStreamPacketDescription* inPacketDescs = nullptr);

// Fine tuning's queue callback: the queue delivers hops of
// FINE_TUNING_HOP_FRAMES samples; each completes a window of the latest 2048
// samples in the record, which goes through callbackForAudio like a buffer.
// The hop itself goes back to inQueue.
void hoppingCallbackForAudio(void* inUserData, AudioInputQueue* inQueue, AudioQueueBuffer* inBuffer,
                             const AudioTimeStamp* inStartTime = nullptr,
                             uint32_t inNumberPacketDescriptions = 0,
                             const AudioStreamPacketDescription* inPacketDescs = nullptr);

} // namespace ovra
