// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/AudioTrapperDelegate.hpp"
#include "analysis/CaptureRecord.hpp"
#include "analysis/CaptureResampler.hpp"
#include "engine/FrequencySmoother.hpp"
#include "model/SettingsValues.hpp"
#include "model/TunerDisplayModel.hpp"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace ovra {

// What one buffer gave: the capture results and the refresh the screen
// would make of them. `analysed` is false for a silent or incomplete
// buffer, which the tuner does not refresh for.
struct WebRefresh {
    bool analysed = false;
    float topAmplitude = 0.0f;
    float modeFrequency = 0.0f;
    float fundamentalFrequency = 0.0f;
    float rawPeakPower = 0.0f;
    RefreshOutcome outcome;
    int32_t activeString = 0;
    bool automatic = false;
};

// The page's tuner: one capture record with its detector, the display
// model and the smoother, as the desktop screen holds them. Buffers go in
// through the capture callback; its notification runs the model's refresh.
// Not thread-safe: the page calls it from one thread.
class WebTuner : private AudioTrapperDelegateSource {
public:
    // Standard tuning at A4 = 440, automatic string choice.
    WebTuner();
    WebTuner(const WebTuner&) = delete;
    WebTuner& operator=(const WebTuner&) = delete;
    ~WebTuner() override;

    // False (nothing changes) for an unknown tuning or a pitch out of range.
    bool setTuning(const std::string& id, int32_t referencePitch);
    // Key 0..5 fixes a string, 6 (the magic key) chooses automatically.
    bool tuningKeyHit(int32_t keyIndex);
    void setVolumeThreshold(int32_t threshold) { myVolumeThreshold = threshold; }
    void setHyperactive(bool hyperactive) { myHyperactive = hyperactive; }
    void setNeedlePoints(const NeedlePoints& points) { myNeedlePoints = points; }
    // Tenths of a cent, each window of 2048 samples analysed every 512, as
    // the desktop's fine tuning does.
    void setFineTuning(bool on);

    // One buffer of CAPTURE_FRAMES_PER_BUFFER samples at 8000 Hz; fewer are
    // handed back unanalysed, as the capture callback does.
    WebRefresh analyseBuffer(const int16_t* samples, size_t count);

    // A new microphone stream at `inputRate` Hz: converted to the capture
    // format, then cut into buffers (or hops, with fine tuning) as the
    // desktop's capture queues deliver them. False for a rate the converter
    // refuses; then pushing does nothing.
    bool startStream(double inputRate);
    // Samples in [-1, 1] at the stream's rate; the refreshes of the buffers
    // they completed, oldest first.
    std::vector<WebRefresh> pushMicrophone(const float* samples, size_t count);

    const TunerDisplayModel& model() const { return myModel; }

private:
    class RefreshOnNotify;

    std::shared_ptr<AudioTrapperDelegate> delegate() const override;
    void refreshFromRecord();
    WebRefresh deliver(AudioQueueBuffer& buffer);
    void appendCaptured(const int16_t* samples, size_t count, std::vector<WebRefresh>& refreshes);

    CorvaneInputCallbackDataStruct myRecord;
    TunerDisplayModel myModel;
    FrequencySmoother mySmoother;
    std::shared_ptr<RefreshOnNotify> myDelegate;
    NeedlePoints myNeedlePoints{};
    int32_t myVolumeThreshold = settings::DEFAULT_VOLUME_THRESHOLD;
    bool myHyperactive = false;
    WebRefresh myLastRefresh;
    std::unique_ptr<CaptureResampler> myResampler;
    // Captured samples waiting for a whole buffer or hop.
    std::vector<int16_t> myPending;
};

} // namespace ovra
