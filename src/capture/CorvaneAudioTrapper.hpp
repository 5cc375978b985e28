// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/AudioQueue.hpp"
#include "analysis/AudioTrapperDelegate.hpp"
#include "analysis/CaptureRecord.hpp"
#include "common/SharedReference.hpp"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

class QThread;

namespace ovra {

// What the capture currently hears, as seen from its current thread.
enum class HearingStatus {
    Stopped,                 // no capture thread (before start, after stop)
    Opening,                 // started; the input is being opened
    Hearing,                 // the input is open and delivering
    NoMicrophone,            // there is no input to open (no sound server, no device)
    ChosenMicrophoneMissing, // the input chosen by name is not there
    InputLost,               // the input failed or went away; being reopened
};

// The capture object: owns the detector and the capture record, and runs an
// audio input queue on a capture thread of its own per start. Always owned by
// std::shared_ptr (make one with create()): each capture thread holds a
// reference, so the object lives until its last thread has ended.
//
// start/stop and delegate changes are made on the main thread; they never
// wait. Stopping ends the thread's current event-loop slice within
// milliseconds (INTERRUPTION_POLL); the thread then disposes of its own
// queue. A new thread opens its input only once its predecessor has closed
// its own (a backend may allow one stream at a time).
//
// A capture thread whose input fails or is lost (sound server restarted,
// microphone unplugged), or whose queue follows an input that has changed,
// opens a fresh queue at its slice boundaries (at most
// MAX_REOPEN_ATTEMPTS times in a row, logged at the first attempt and then
// once per REOPEN_LOG_INTERVAL) and whenever Qt reports that the audio
// inputs changed.
class CorvaneAudioTrapper : public std::enable_shared_from_this<CorvaneAudioTrapper>,
                            public AudioTrapperDelegateSource {
    struct ConstructionKey {
        explicit ConstructionKey() = default;
    };

public:
    static constexpr std::chrono::milliseconds EVENT_LOOP_SLICE{2000};
    static constexpr int MAX_REOPEN_ATTEMPTS = 30;
    static constexpr std::chrono::seconds REOPEN_LOG_INTERVAL{60};

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

    // Fine tuning: each fundamental refined, and the latest 2048 samples
    // analysed every FINE_TUNING_HOP_FRAMES instead of whole buffers. The
    // refinement follows at once; the hops from the next start of capture.
    void setFineTuning(bool on);
    bool fineTuning() const;

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

    // The current thread's hearing status; any thread may read it.
    HearingStatus hearingStatus() const;
    // Called with every change of the status, on the thread that made it
    // (the main thread for start/stop, a capture thread otherwise), outside
    // any lock of the capture object. It must return promptly; a receiver on
    // another thread should post itself the news and read hearingStatus()
    // there, since changes from two threads may arrive out of order.
    using HearingStatusListener = std::function<void(HearingStatus)>;
    void setHearingStatusListener(HearingStatusListener listener);

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
    struct SetupResult {
        std::unique_ptr<AudioInputQueue> queue;
        HearingStatus status = HearingStatus::InputLost;
    };
    // What one capture thread holds of its input between slices.
    struct CaptureInput {
        std::unique_ptr<AudioInputQueue> queue;
        HearingStatus status = HearingStatus::InputLost;
        bool holdsInput = false;
        int attempts = 0; // reopenings in a row that have not brought sound back
        std::chrono::steady_clock::time_point lastReopenLog{};
    };
    // At a slice boundary, for an input that failed, was lost or wants
    // reopening: disposes of the queue and sets up a fresh one. False when
    // the thread was interrupted while waiting for its turn at the input.
    bool reopenAudioQueue(const QThread& thread, CaptureInput& input, bool inputsChanged);
    // The factory's queue, not opened yet (null without a factory).
    std::unique_ptr<AudioInputQueue> newAudioQueue() const;
    SetupResult setupAudioQueue(std::unique_ptr<AudioInputQueue> queue, bool printFailures);
    // Sets the status if `thread` is still the current capture thread.
    void publishHearingStatus(const QThread* thread, HearingStatus status);
    void changeHearingStatus(HearingStatus status, std::unique_lock<std::mutex>& lock);
    // One open input at a time: waits (on the capture thread) until no other
    // thread holds an input; false when interrupted while waiting.
    bool acquireInput(const QThread& thread);
    void releaseInput();

    CorvaneInputCallbackDataStruct myCallbackData;
    SharedReference<QThread> myAudioThread;
    SharedReference<AudioTrapperDelegate> myAudioTrapperDelegate;

    mutable std::mutex myFactoryMutex;
    AudioQueueFactory myAudioQueueFactory;
    // Two overlapping capture threads must not interleave their set-ups:
    // the format and buffer entries of the record are shared.
    std::mutex mySetupMutex;
    std::atomic<int64_t> mySliceMilliseconds{EVENT_LOOP_SLICE.count()};

    // Guards the status, the listener, and the change of current thread.
    mutable std::mutex myStatusMutex;
    HearingStatus myHearingStatus = HearingStatus::Stopped;
    HearingStatusListener myHearingStatusListener;

    std::mutex myInputMutex;
    std::condition_variable myInputClosed;
    int myOpenInputs = 0;
};

} // namespace ovra
