// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/AudioQueue.hpp"

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

namespace ovra {

// The buffer bookkeeping every queue backend shares: buffers allocated by the
// queue, a first-in first-out list of the ones enqueued (free to be filled),
// and delivery of a filled buffer to the callback. A backend supplies the
// sound and says when to deliver; all calls happen on the capture thread.
class BufferRotationQueue : public AudioInputQueue {
public:
    static constexpr uint32_t MAX_BUFFER_BYTES = 1u << 20;

    ~BufferRotationQueue() override;

    int32_t newInput(const AudioStreamBasicDescription& format, AudioQueueInputCallback callback,
                     void* userData) final;
    int32_t allocateBuffer(uint32_t byteSize, AudioQueueBuffer** outBuffer) final;
    int32_t enqueueBuffer(AudioQueueBuffer* buffer) final;
    int32_t start() final;
    int32_t dispose(bool immediate) final;

protected:
    // Checks the format and prepares the source; a non-zero status refuses it.
    virtual int32_t openInput(const AudioStreamBasicDescription& format) = 0;
    virtual int32_t startInput() = 0;
    // Stops the source; no delivery may follow.
    virtual void stopInput() = 0;
    // The source's own status for allocation / disposal (tests inject
    // failures); allocations are counted from 0, failed ones included.
    virtual int32_t allocationStatus(int allocationIndex);
    virtual int32_t disposalStatus();

    bool hasFreeBuffer() const { return !myFree.empty(); }
    // Samples that the next free buffer holds (0 when none is free).
    uint32_t nextBufferSampleCount() const;
    // Fills the oldest free buffer with `count` samples (the rest of the
    // buffer is zeroed) and hands it to the callback. False when no buffer
    // is free or the queue is not running.
    bool deliver(const int16_t* samples, uint32_t count);

private:
    struct OwnedBuffer {
        AudioQueueBuffer header;
        std::unique_ptr<int16_t[]> memory;
    };
    OwnedBuffer* find(AudioQueueBuffer* buffer);

    AudioQueueInputCallback myCallback = nullptr;
    void* myUserData = nullptr;
    bool myCreated = false;
    bool myRunning = false;
    bool myDisposed = false;
    int myAllocationCount = 0;
    std::vector<std::unique_ptr<OwnedBuffer>> myBuffers;
    std::deque<AudioQueueBuffer*> myFree;
};

} // namespace ovra
