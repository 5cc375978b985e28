// SPDX-License-Identifier: GPL-3.0-or-later
#include "capture/BufferRotationQueue.hpp"

#include <algorithm>
#include <cstring>

namespace ovra {

BufferRotationQueue::~BufferRotationQueue() = default;

int32_t BufferRotationQueue::newInput(const AudioStreamBasicDescription& format,
                                      AudioQueueInputCallback callback, void* userData) {
    if (myCreated || myDisposed || callback == nullptr) {
        return AUDIO_QUEUE_ERR_INVALID_STATE;
    }
    const int32_t status = openInput(format);
    if (status != AUDIO_QUEUE_NO_ERR) {
        return status;
    }
    myCallback = callback;
    myUserData = userData;
    myCreated = true;
    return AUDIO_QUEUE_NO_ERR;
}

int32_t BufferRotationQueue::allocateBuffer(uint32_t byteSize, AudioQueueBuffer** outBuffer) {
    if (outBuffer == nullptr) {
        return AUDIO_QUEUE_ERR_INVALID_BUFFER;
    }
    *outBuffer = nullptr;
    if (!myCreated || myDisposed) {
        return AUDIO_QUEUE_ERR_INVALID_QUEUE;
    }
    if (byteSize == 0 || byteSize > MAX_BUFFER_BYTES || byteSize % sizeof(int16_t) != 0) {
        return AUDIO_QUEUE_ERR_BUFFER_SIZE;
    }
    const int32_t status = allocationStatus(myAllocationCount++);
    if (status != AUDIO_QUEUE_NO_ERR) {
        return status;
    }
    auto owned = std::make_unique<OwnedBuffer>();
    // Zeroed, so that priming a fresh buffer finds it silent.
    owned->memory = std::make_unique<int16_t[]>(byteSize / sizeof(int16_t));
    owned->header.mAudioDataBytesCapacity = byteSize;
    owned->header.mAudioData = owned->memory.get();
    owned->header.mAudioDataByteSize = 0;
    *outBuffer = &owned->header;
    myBuffers.push_back(std::move(owned));
    return AUDIO_QUEUE_NO_ERR;
}

BufferRotationQueue::OwnedBuffer* BufferRotationQueue::find(AudioQueueBuffer* buffer) {
    for (auto& owned : myBuffers) {
        if (&owned->header == buffer) {
            return owned.get();
        }
    }
    return nullptr;
}

int32_t BufferRotationQueue::enqueueBuffer(AudioQueueBuffer* buffer) {
    if (!myCreated || myDisposed) {
        return AUDIO_QUEUE_ERR_INVALID_QUEUE;
    }
    if (find(buffer) == nullptr ||
        std::find(myFree.begin(), myFree.end(), buffer) != myFree.end()) {
        return AUDIO_QUEUE_ERR_INVALID_BUFFER;
    }
    myFree.push_back(buffer);
    return AUDIO_QUEUE_NO_ERR;
}

int32_t BufferRotationQueue::start() {
    if (!myCreated || myDisposed) {
        return AUDIO_QUEUE_ERR_INVALID_QUEUE;
    }
    if (myRunning) {
        return AUDIO_QUEUE_ERR_INVALID_STATE;
    }
    const int32_t status = startInput();
    if (status == AUDIO_QUEUE_NO_ERR) {
        myRunning = true;
    }
    return status;
}

int32_t BufferRotationQueue::dispose(bool /*immediate*/) {
    if (myDisposed) {
        return AUDIO_QUEUE_ERR_INVALID_QUEUE;
    }
    // Capture stops at once either way: there is no queued sound to drain.
    stopInput();
    myRunning = false;
    myDisposed = true;
    myFree.clear();
    myBuffers.clear();
    return disposalStatus();
}

int32_t BufferRotationQueue::allocationStatus(int /*bufferIndex*/) {
    return AUDIO_QUEUE_NO_ERR;
}

int32_t BufferRotationQueue::disposalStatus() {
    return AUDIO_QUEUE_NO_ERR;
}

uint32_t BufferRotationQueue::nextBufferSampleCount() const {
    return myFree.empty() ? 0 : myFree.front()->mAudioDataBytesCapacity / sizeof(int16_t);
}

bool BufferRotationQueue::deliver(const int16_t* samples, uint32_t count) {
    if (!myRunning || myFree.empty()) {
        return false;
    }
    AudioQueueBuffer* buffer = myFree.front();
    myFree.pop_front();
    const uint32_t capacity = buffer->mAudioDataBytesCapacity / sizeof(int16_t);
    auto* memory = static_cast<int16_t*>(buffer->mAudioData);
    const uint32_t used = std::min(count, capacity);
    std::copy(samples, samples + used, memory);
    std::fill(memory + used, memory + capacity, int16_t{0});
    buffer->mAudioDataByteSize = capacity * sizeof(int16_t);
    // The callback enqueues the buffer again, which is fine from here.
    myCallback(myUserData, this, buffer, nullptr, 0, nullptr);
    return true;
}

} // namespace ovra
