// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Test doubles at the edge of the analysis path, free of threads and Qt:
// a delegate that counts, its holder, and a queue that keeps what it is
// handed back.

#include "TestTones.hpp"
#include "analysis/AudioQueue.hpp"
#include "analysis/AudioTrapperDelegate.hpp"

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

namespace ovra::test {

// Polls `condition` until it holds or `timeout` passes.
inline bool eventually(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

// Counts the notifications it gets, from any thread.
class RecordingDelegate : public AudioTrapperDelegate {
public:
    void refreshGUIFromAnotherThread() override { ++myCount; }
    int count() const { return myCount.load(); }
    bool waitForCount(int n, std::chrono::milliseconds timeout) const {
        return eventually([&] { return count() >= n; }, timeout);
    }

private:
    std::atomic<int> myCount{0};
};

// Stands for the capture object as the analysis callback sees it.
struct DelegateHolder : AudioTrapperDelegateSource {
    std::shared_ptr<AudioTrapperDelegate> delegate() const override { return held; }
    std::shared_ptr<AudioTrapperDelegate> held;
};

// A queue that only keeps the buffers handed back to it.
class RecordingQueue : public AudioInputQueue {
public:
    int32_t newInput(const AudioStreamBasicDescription&, AudioQueueInputCallback, void*) override {
        return 0;
    }
    int32_t allocateBuffer(uint32_t, AudioQueueBuffer**) override { return -1; }
    int32_t enqueueBuffer(AudioQueueBuffer* buffer) override {
        enqueued.push_back(buffer);
        return 0;
    }
    int32_t start() override { return 0; }
    int32_t dispose(bool) override { return 0; }

    std::vector<AudioQueueBuffer*> enqueued;
};

// A steady plucked-string-like note at 8 kHz: five harmonics, the second the strongest.
inline std::vector<int16_t> harmonicTone(double frequency, size_t count) {
    return pcmTone(frequency, {1428.6, 2857.1, 1714.3, 1142.9, 857.1}, count);
}

} // namespace ovra::test
