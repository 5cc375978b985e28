#pragma once

#include "TestTones.hpp"
#include "capture/CaptureThread.hpp"
#include "capture/CorvaneAudioTrapper.hpp"
#include "capture/ScriptedAudioQueue.hpp"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <condition_variable>
#include <cstdio>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace ovra::test {

// Capture threads run Qt event loops, which need an application object.
inline void ensureApplication() {
    static int argc = 1;
    static char name[] = "capture_tests";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr) {
        new QCoreApplication(argc, argv);
    }
}

// Counts notifications and remembers when they came, on which thread, and
// (given the capture object) the fundamental each one announced.
class RecordingDelegate : public AudioTrapperDelegate {
public:
    using Clock = std::chrono::steady_clock;

    explicit RecordingDelegate(const CorvaneAudioTrapper* trapper = nullptr) : myTrapper(trapper) {}
    void refreshGUIFromAnotherThread() override {
        std::lock_guard lock(myMutex);
        if (myTrapper != nullptr) {
            myFundamentals.push_back(myTrapper->mostRecentFundamentalFrequency());
        }
        myTimes.push_back(Clock::now());
        myChanged.notify_all();
    }
    int count() const {
        std::lock_guard lock(myMutex);
        return static_cast<int>(myTimes.size());
    }
    std::vector<float> fundamentals() const {
        std::lock_guard lock(myMutex);
        return myFundamentals;
    }
    // True once at least `n` notifications have arrived within `timeout`.
    bool waitForCount(int n, std::chrono::milliseconds timeout) const {
        std::unique_lock lock(myMutex);
        return myChanged.wait_for(lock, timeout,
                                  [&] { return static_cast<int>(myTimes.size()) >= n; });
    }

private:
    const CorvaneAudioTrapper* myTrapper;
    mutable std::mutex myMutex;
    mutable std::condition_variable myChanged;
    std::vector<float> myFundamentals;
    std::vector<Clock::time_point> myTimes;
};

// A queue that only counts the buffers handed back to it.
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

// A steady plucked-string-like tone at 8 kHz: five harmonics, the second the strongest.
inline std::vector<int16_t> harmonicTone(double frequency, size_t count) {
    return pcmTone(frequency, {1428.6, 2857.1, 1714.3, 1142.9, 857.1}, count);
}

// Collects what the process writes to standard output while it lives (or
// until text() is taken).
class StdoutCapture {
public:
    StdoutCapture() { ::testing::internal::CaptureStdout(); }
    ~StdoutCapture() {
        if (!myTaken) {
            ::testing::internal::GetCapturedStdout();
        }
    }
    StdoutCapture(const StdoutCapture&) = delete;
    StdoutCapture& operator=(const StdoutCapture&) = delete;
    std::string text() {
        myTaken = true;
        return ::testing::internal::GetCapturedStdout();
    }

private:
    bool myTaken = false;
};

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

// A capture object on a scripted source that delivers a steady harmonic tone
// every 5 ms, with short event-loop slices, and a recording delegate. Every
// capture thread has ended when a test is over.
class ScriptedCaptureTest : public ::testing::Test {
protected:
    explicit ScriptedCaptureTest(double toneFrequency) : myToneFrequency(toneFrequency) {}

    void SetUp() override {
        using namespace std::chrono_literals;
        ensureApplication();
        source = ScriptedAudioSource::create();
        source->setInterval(5ms);
        source->setFiller([frequency = myToneFrequency](int64_t, int16_t* samples, uint32_t count) {
            const auto tone = harmonicTone(frequency, count);
            std::copy(tone.begin(), tone.end(), samples);
        });
        trapper = CorvaneAudioTrapper::create(source->factory());
        trapper->setEventLoopSliceForTesting(100ms);
        delegate = std::make_shared<RecordingDelegate>();
        trapper->setDelegate(delegate);
    }

    void TearDown() override {
        using namespace std::chrono_literals;
        if (trapper) {
            trapper->stopAudioTrapper();
        }
        EXPECT_TRUE(finishCaptureThreads(5s));
    }

    bool queueStarted(size_t index) const {
        const auto reports = source->reports();
        return reports.size() > index && reports[index].started;
    }
    bool queueDisposed(size_t index) const {
        const auto reports = source->reports();
        return reports.size() > index && reports[index].disposed;
    }

    std::shared_ptr<ScriptedAudioSource> source;
    std::shared_ptr<CorvaneAudioTrapper> trapper;
    std::shared_ptr<RecordingDelegate> delegate;

private:
    double myToneFrequency;
};

} // namespace ovra::test
