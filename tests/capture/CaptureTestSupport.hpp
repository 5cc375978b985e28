#pragma once

#include "TestTones.hpp"
#include "capture/CaptureThread.hpp"
#include "capture/CorvaneAudioTrapper.hpp"
#include "capture/ScriptedAudioQueue.hpp"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <thread>
#include <vector>

namespace ovra::test {

using namespace std::chrono_literals;

// Capture threads run Qt event loops, which need an application object.
inline void ensureApplication() {
    static int argc = 1;
    static char name[] = "capture_tests";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr) {
        new QCoreApplication(argc, argv);
    }
}

// Polls `condition` until it holds or `timeout` passes.
inline bool eventually(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(5ms);
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

// A capture object with short event-loop slices and a recording delegate, on
// queues of the test's choice. Every capture thread has ended when a test is over.
class CaptureTest : public ::testing::Test {
protected:
    void SetUp() override { ensureApplication(); }
    void TearDown() override {
        if (trapper) {
            trapper->stopAudioTrapper();
        }
        EXPECT_TRUE(finishCaptureThreads(5s));
    }

    void useQueues(AudioQueueFactory factory) {
        trapper = CorvaneAudioTrapper::create(std::move(factory));
        trapper->setEventLoopSliceForTesting(100ms);
        trapper->setDelegate(delegate);
    }
    // The scripted source, delivering a buffer of a steady note every 5 ms.
    void useScriptedNote(double frequency) {
        source->setInterval(5ms);
        source->setFiller([frequency](int64_t, int16_t* samples, uint32_t count) {
            const auto tone = harmonicTone(frequency, count);
            std::copy(tone.begin(), tone.end(), samples);
        });
        useQueues(source->factory());
    }
    // Whether queue `index` of the scripted source has got as far as `step`.
    bool queueReached(size_t index, bool ScriptedAudioSource::QueueReport::*step) const {
        const auto reports = source->reports();
        return reports.size() > index && reports[index].*step;
    }

    std::shared_ptr<ScriptedAudioSource> source = ScriptedAudioSource::create();
    std::shared_ptr<CorvaneAudioTrapper> trapper;
    std::shared_ptr<RecordingDelegate> delegate = std::make_shared<RecordingDelegate>();
};

} // namespace ovra::test
