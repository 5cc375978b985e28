#pragma once

#include "analysis/AudioQueue.hpp"
#include "analysis/AudioTrapperDelegate.hpp"
#include "analysis/CaptureRecord.hpp"
#include "common/SharedReference.hpp"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>

class QThread;

namespace ovra {

// The capture object: owns the detector and the capture record, and runs an
// audio input queue on a capture thread of its own per start. Always owned by
// std::shared_ptr (make one with create()): each capture thread holds a
// reference, so the object lives until its last thread has ended.
//
// start/stop and delegate changes are made on the main thread; they never
// wait. A stopped thread goes on capturing until its current event-loop
// slice (2.0 s) ends, then disposes of its own queue.
class CorvaneAudioTrapper : public std::enable_shared_from_this<CorvaneAudioTrapper>,
                            public AudioTrapperDelegateSource {
    struct ConstructionKey {
        explicit ConstructionKey() = default;
    };

public:
    static constexpr std::chrono::milliseconds EVENT_LOOP_SLICE{2000};

    // Makes a capture object whose queues come from `factory` (the default
    // microphone when none is given) and makes it the shared one.
    static std::shared_ptr<CorvaneAudioTrapper> create();
    static std::shared_ptr<CorvaneAudioTrapper> create(AudioQueueFactory factory);

    explicit CorvaneAudioTrapper(ConstructionKey);
    ~CorvaneAudioTrapper();
    CorvaneAudioTrapper(const CorvaneAudioTrapper&) = delete;
    CorvaneAudioTrapper& operator=(const CorvaneAudioTrapper&) = delete;

    // The most recently created capture object, or null if there is none
    // (any more): this reference does not own.
    static std::shared_ptr<CorvaneAudioTrapper> sharedAudioTrapper();

    std::shared_ptr<AudioTrapperDelegate> delegate() const override {
        return myAudioTrapperDelegate.load();
    }
    void setDelegate(std::shared_ptr<AudioTrapperDelegate> delegate);

    // The current capture thread, or null.
    std::shared_ptr<QThread> audioThread() const { return myAudioThread.load(); }
    void setAudioThread(std::shared_ptr<QThread> thread);

    // Used by the set-up of every later capture thread.
    void setAudioQueueFactory(AudioQueueFactory factory);
    AudioQueueFactory audioQueueFactory() const;

    // Starts capture on a new thread, cancelling any current one.
    void startAudioTrapper();
    // Cancels the current capture thread, if any; returns at once.
    void stopAudioTrapper();

    // Body of a capture thread (the argument is ignored): sets up a queue,
    // runs the thread's event loop in slices until interrupted, disposes of
    // the queue.
    void runAudioTrapperThread(void* ignored);
    // Creates, primes and starts a queue on the calling thread. Failures are
    // printed; the handle is null when the queue could not be created.
    std::unique_ptr<AudioInputQueue> setupAudioQueue();
    // Disposes of a queue immediately; a null handle is ignored.
    void destroyAudioQueue(std::unique_ptr<AudioInputQueue> queue);

    float mostRecentModeFrequency() const;
    float mostRecentFundamentalFrequency() const;
    float mostRecentTopAmplitude() const;
    float mostRecentRawPeakPower() const;
    // Live memory of the last analysed buffer (null before the first one);
    // refilled while capture runs, invalid once its queue is disposed of.
    const int16_t* waveValues() const;

    // The record, for feeding buffers to callbackForAudio directly.
    CorvaneInputCallbackDataStruct* callbackData() { return &myCallbackData; }
    const CorvaneInputCallbackDataStruct* callbackData() const { return &myCallbackData; }

    // Shortens the event-loop slice so that tests of start/stop need not
    // wait 2.0 s per thread. The product never calls it.
    void setEventLoopSliceForTesting(std::chrono::milliseconds slice);

private:
    CorvaneInputCallbackDataStruct myCallbackData;
    SharedReference<QThread> myAudioThread;
    SharedReference<AudioTrapperDelegate> myAudioTrapperDelegate;

    mutable std::mutex myFactoryMutex;
    AudioQueueFactory myAudioQueueFactory;
    // Two overlapping capture threads must not interleave their set-ups:
    // the format and buffer entries of the record are shared.
    std::mutex mySetupMutex;
    std::atomic<int64_t> mySliceMilliseconds{EVENT_LOOP_SLICE.count()};
};

} // namespace ovra
