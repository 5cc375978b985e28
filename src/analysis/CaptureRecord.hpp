// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/AudioQueue.hpp"
#include "analysis/AudioTrapperDelegate.hpp"
#include "analysis/HoppingWindow.hpp"
#include "engine/PitchRefiner.hpp"
#include "engine/Quorl.hpp"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

namespace ovra {

inline constexpr uint32_t CAPTURE_FRAMES_PER_BUFFER = 2048;
inline constexpr uint32_t CAPTURE_BUFFER_COUNT = 3;
inline constexpr double CAPTURE_SAMPLE_RATE = 8000.0;
// Fine tuning reads the latest 2048 samples every this many (64 ms).
inline constexpr uint32_t FINE_TUNING_HOP_FRAMES = 512;

// The capture record: set up by the capture object, written per analysed
// buffer by the capture thread, read by the main thread without a lock.
// Each result is atomic on its own; fields of one buffer are not read as a set.
struct CorvaneInputCallbackDataStruct {
    std::atomic<uint32_t> myFramesPerBuffer{0};
    std::atomic<float> myMostRecentModeFrequency{0.0f};
    std::atomic<float> myMostRecentFundamentalFrequency{0.0f};
    std::atomic<float> myTopAmplitude{0.0f};
    std::atomic<float> myRawPeakPower{0.0f};
    // The one detector, owned here for the capture object's whole life.
    std::unique_ptr<Quorl> myQuorl;
    // Fine tuning: when on, each buffer's fundamental is sharpened by the
    // refiner after the detector; off, the detector's value stands untouched.
    // Switched by the main thread, read once per buffer by the capture thread.
    std::atomic<bool> myFineTuning{false};
    // Built with the record so that switching fine tuning on allocates nothing
    // on the capture thread; used under myAnalysisMutex like the detector.
    std::unique_ptr<PitchRefiner> myPitchRefiner =
        std::make_unique<PitchRefiner>(CAPTURE_SAMPLE_RATE);
    // Fine tuning's capture: queues deliver hops of FINE_TUNING_HOP_FRAMES,
    // gathered here into 2048-sample windows. Its own lock: an old capture
    // thread winding down and its successor may both push for a moment.
    HoppingWindow myHoppingWindow{CAPTURE_FRAMES_PER_BUFFER, FINE_TUNING_HOP_FRAMES};
    std::mutex myHoppingMutex;
    // Back reference to the owner (not owning), to reach its delegate.
    const AudioTrapperDelegateSource* myAudioTrapper = nullptr;
    // Live sample memory of the last analysed buffer; refilled by its queue
    // and invalid once that queue is disposed of.
    std::atomic<const int16_t*> myWaveData{nullptr};
    // Written by queue set-up only, under the capture object's set-up lock.
    AudioStreamBasicDescription myAudioFormat{};
    // Buffers of the most recent set-up; null where allocation failed.
    std::array<std::atomic<AudioQueueBuffer*>, CAPTURE_BUFFER_COUNT> myAudioBuffers{};
    // An old capture thread winding down and its successor may both deliver
    // buffers for a moment; the detector is not reentrant, so analyses take
    // turns on this lock.
    std::mutex myAnalysisMutex;
};

} // namespace ovra
