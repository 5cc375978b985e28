// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace ovra {

// Format of a captured stream (linear PCM, packed, one frame per packet).
struct AudioStreamBasicDescription {
    double mSampleRate = 0.0;
    uint32_t mFormatID = 0;
    uint32_t mFormatFlags = 0;
    uint32_t mBytesPerPacket = 0;
    uint32_t mFramesPerPacket = 0;
    uint32_t mBytesPerFrame = 0;
    uint32_t mChannelsPerFrame = 0;
    uint32_t mBitsPerChannel = 0;
    uint32_t mReserved = 0;
};

// Four-character code 'lpcm'.
inline constexpr uint32_t kAudioFormatLinearPCM = 0x6C70636D;
inline constexpr uint32_t kAudioFormatFlagIsFloat = 1u << 0;
inline constexpr uint32_t kAudioFormatFlagIsBigEndian = 1u << 1;
inline constexpr uint32_t kAudioFormatFlagIsSignedInteger = 1u << 2;
inline constexpr uint32_t kAudioFormatFlagIsPacked = 1u << 3;
inline constexpr uint32_t kAudioFormatFlagIsNonInterleaved = 1u << 5;

// One buffer of sample memory owned by a queue. The queue fills it, hands it
// to the input callback, and refills it once it is enqueued again.
struct AudioQueueBuffer {
    uint32_t mAudioDataBytesCapacity = 0;
    void* mAudioData = nullptr;
    uint32_t mAudioDataByteSize = 0;
};

// Accepted by the input callback for the queue's sake and not used.
struct AudioTimeStamp {
    double mSampleTime = 0.0;
};
struct AudioStreamPacketDescription {
    int64_t mStartOffset = 0;
    uint32_t mVariableFramesInPacket = 0;
    uint32_t mDataByteSize = 0;
};

class AudioInputQueue;

// Receives every filled buffer, on the thread that created the queue; it must
// hand the buffer back with enqueueBuffer for it to be filled again.
using AudioQueueInputCallback = void (*)(void* inUserData, AudioInputQueue* inQueue,
                                         AudioQueueBuffer* inBuffer,
                                         const AudioTimeStamp* inStartTime,
                                         uint32_t inNumberPacketDescriptions,
                                         const AudioStreamPacketDescription* inPacketDescs);

// Status codes of queue operations: 0 is success, anything else a failure.
inline constexpr int32_t AUDIO_QUEUE_NO_ERR = 0;
inline constexpr int32_t AUDIO_QUEUE_ERR_INVALID_QUEUE = -1001;  // no queue, or not created
inline constexpr int32_t AUDIO_QUEUE_ERR_INVALID_BUFFER = -1002; // not this queue's, or queued
inline constexpr int32_t AUDIO_QUEUE_ERR_INVALID_STATE = -1003;  // e.g. started twice, disposed
inline constexpr int32_t AUDIO_QUEUE_ERR_NO_DEVICE = -1004;      // no such input device
inline constexpr int32_t AUDIO_QUEUE_ERR_FORMAT = -1005;         // format not supported
inline constexpr int32_t AUDIO_QUEUE_ERR_CANNOT_START = -1006;   // device refused to start
inline constexpr int32_t AUDIO_QUEUE_ERR_FILE = -1007;           // audio file unreadable
inline constexpr int32_t AUDIO_QUEUE_ERR_BUFFER_SIZE = -1008;    // zero or oversized buffer
inline constexpr int32_t AUDIO_QUEUE_ERR_NO_BACKEND = -1009;     // no queue factory set
inline constexpr int32_t AUDIO_QUEUE_ERR_NAMED_DEVICE = -1010;   // the named input is missing

// An audio input queue: created by a factory on the capture thread, then
// newInput, allocateBuffer (per buffer), enqueueBuffer (by the callback),
// start, and finally dispose, all on that same thread. Every operation
// returns a status (0 = ok). Buffers belong to the queue and are freed by
// dispose or by its destruction; no callback runs after dispose.
class AudioInputQueue {
public:
    virtual ~AudioInputQueue() = default;

    virtual int32_t newInput(const AudioStreamBasicDescription& format,
                             AudioQueueInputCallback callback, void* userData) = 0;
    virtual int32_t allocateBuffer(uint32_t byteSize, AudioQueueBuffer** outBuffer) = 0;
    virtual int32_t enqueueBuffer(AudioQueueBuffer* buffer) = 0;
    virtual int32_t start() = 0;
    virtual int32_t dispose(bool immediate) = 0;

    // True once the queue can no longer deliver what it should: its input
    // was lost, or the input it follows (the system default) has changed.
    // The capture thread then replaces it with a fresh queue.
    virtual bool wantsReopening() const { return false; }
};

// Makes the queue of one capture thread; called on that thread.
using AudioQueueFactory = std::function<std::unique_ptr<AudioInputQueue>()>;

} // namespace ovra
