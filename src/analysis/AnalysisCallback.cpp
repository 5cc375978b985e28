// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/AnalysisCallback.hpp"

#include "analysis/AudioTrapperDelegate.hpp"
#include "analysis/CaptureRecord.hpp"

namespace ovra {

namespace {

constexpr float TOP_AMPLITUDE_SCALE = 0.000030517578125f; // 2^-15

} // namespace

void callbackForAudio(void* inUserData, AudioInputQueue* inQueue, AudioQueueBuffer* inBuffer,
                      const AudioTimeStamp* /*inStartTime*/,
                      uint32_t /*inNumberPacketDescriptions*/,
                      const AudioStreamPacketDescription* /*inPacketDescs*/) {
    if (inBuffer == nullptr) {
        return;
    }
    auto* data = static_cast<CorvaneInputCallbackDataStruct*>(inUserData);
    const auto* samples = static_cast<const int16_t*>(inBuffer->mAudioData);
    const bool complete = samples != nullptr && inBuffer->mAudioDataByteSize >=
                                                    CAPTURE_FRAMES_PER_BUFFER * sizeof(int16_t);

    if (data != nullptr && complete) {
        // Only positive excursions count: all-zero or all-negative is silence.
        int16_t peak = 0;
        for (uint32_t i = 0; i < CAPTURE_FRAMES_PER_BUFFER; ++i) {
            if (samples[i] > peak) {
                peak = samples[i];
            }
        }
        const float topAmplitude = static_cast<float>(peak) * TOP_AMPLITUDE_SCALE;

        if (topAmplitude > 0.0f && data->myQuorl) {
            {
                // Serialises the detector between an old capture thread that
                // is winding down and its successor; one buffer's analysis is
                // a few milliseconds, far below the 256 ms a buffer lasts.
                std::lock_guard lock(data->myAnalysisMutex);
                double fundamental = 0.0;
                double rawPeakPower = 0.0;
                data->myWaveData.store(samples);
                const double mode = data->myQuorl->detectPitchByHarmonics(
                    samples, static_cast<int32_t>(CAPTURE_FRAMES_PER_BUFFER), &fundamental,
                    &rawPeakPower);
                if (data->myFineTuning.load() && data->myPitchRefiner) {
                    // The detector names the string and octave; the refiner
                    // returns its value unchanged when it cannot do better.
                    fundamental = data->myPitchRefiner->refine(samples, fundamental);
                }
                data->myMostRecentModeFrequency.store(static_cast<float>(mode));
                data->myMostRecentFundamentalFrequency.store(static_cast<float>(fundamental));
                data->myRawPeakPower.store(static_cast<float>(rawPeakPower));
                data->myTopAmplitude.store(topAmplitude);
            }
            if (data->myAudioTrapper != nullptr) {
                if (auto delegate = data->myAudioTrapper->delegate()) {
                    delegate->refreshGUIFromAnotherThread();
                }
            }
        }
    }

    // The enqueue status is not examined: a queue that refuses the buffer
    // simply delivers one buffer fewer.
    if (inQueue != nullptr) {
        inQueue->enqueueBuffer(inBuffer);
    }
}

void hoppingCallbackForAudio(void* inUserData, AudioInputQueue* inQueue, AudioQueueBuffer* inBuffer,
                             const AudioTimeStamp* /*inStartTime*/,
                             uint32_t /*inNumberPacketDescriptions*/,
                             const AudioStreamPacketDescription* /*inPacketDescs*/) {
    if (inBuffer == nullptr) {
        return;
    }
    auto* data = static_cast<CorvaneInputCallbackDataStruct*>(inUserData);
    const auto* samples = static_cast<const int16_t*>(inBuffer->mAudioData);
    if (data != nullptr && samples != nullptr) {
        std::lock_guard lock(data->myHoppingMutex);
        data->myHoppingWindow.push(
            samples, inBuffer->mAudioDataByteSize / sizeof(int16_t),
            [data](const int16_t* window, uint64_t /*firstSample*/) {
                constexpr uint32_t bytes = CAPTURE_FRAMES_PER_BUFFER * sizeof(int16_t);
                AudioQueueBuffer windowBuffer{bytes, const_cast<int16_t*>(window), bytes};
                callbackForAudio(data, nullptr, &windowBuffer);
            });
    }
    if (inQueue != nullptr) {
        inQueue->enqueueBuffer(inBuffer);
    }
}

} // namespace ovra
