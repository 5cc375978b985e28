// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/WebTuner.hpp"

#include "analysis/AnalysisCallback.hpp"

#include <algorithm>
#include <mutex>

namespace ovra {

// The delegate the capture callback notifies: the tuner's own refresh, run
// at once on the caller's thread (the page has only one).
class WebTuner::RefreshOnNotify : public AudioTrapperDelegate {
public:
    explicit RefreshOnNotify(WebTuner& tuner) : myTuner(tuner) {}
    void refreshGUIFromAnotherThread() override { myTuner.refreshFromRecord(); }

private:
    WebTuner& myTuner;
};

WebTuner::WebTuner() : myDelegate(std::make_shared<RefreshOnNotify>(*this)) {
    myRecord.myFramesPerBuffer = CAPTURE_FRAMES_PER_BUFFER;
    myRecord.myQuorl = std::make_unique<Quorl>(static_cast<float>(CAPTURE_SAMPLE_RATE));
    myRecord.myAudioTrapper = this;
    myModel.tuningKeyHit(MAGIC_KEY_INDEX);
}

WebTuner::~WebTuner() {
    myRecord.myAudioTrapper = nullptr;
}

std::shared_ptr<AudioTrapperDelegate> WebTuner::delegate() const {
    return myDelegate;
}

bool WebTuner::setTuning(const std::string& id, int32_t referencePitch) {
    const Tuning* tuning = findTuning(id);
    if (tuning == nullptr || referencePitch < MIN_REFERENCE_PITCH ||
        referencePitch > MAX_REFERENCE_PITCH) {
        return false;
    }
    myModel.setTuning(*tuning, referencePitch);
    return true;
}

bool WebTuner::tuningKeyHit(int32_t keyIndex) {
    return myModel.tuningKeyHit(keyIndex);
}

WebRefresh WebTuner::analyseBuffer(const int16_t* samples, size_t count) {
    // Read in place: the callback reads a buffer only when it is complete
    // and never writes it; a shorter one is only handed back.
    AudioQueueBuffer queueBuffer;
    queueBuffer.mAudioData = const_cast<int16_t*>(samples);
    queueBuffer.mAudioDataBytesCapacity = static_cast<uint32_t>(count * sizeof(int16_t));
    queueBuffer.mAudioDataByteSize = queueBuffer.mAudioDataBytesCapacity;
    return deliver(queueBuffer);
}

WebRefresh WebTuner::deliver(AudioQueueBuffer& buffer) {
    myLastRefresh = WebRefresh{};
    if (myRecord.myFineTuning.load()) {
        hoppingCallbackForAudio(&myRecord, nullptr, &buffer);
    } else {
        callbackForAudio(&myRecord, nullptr, &buffer);
    }
    myRecord.myWaveData.store(nullptr); // the caller's memory is not ours to keep
    WebRefresh refresh = myLastRefresh;
    refresh.activeString = myModel.activeTuningKeyIndex();
    refresh.automatic = myModel.autoSwitchModeEnabled();
    return refresh;
}

void WebTuner::setFineTuning(bool on) {
    if (on == myRecord.myFineTuning.load()) {
        return;
    }
    myRecord.myFineTuning.store(on);
    myModel.setCentsDecimals(on ? 1 : 0);
    // The unit of delivery changes: what was gathered for the other one goes.
    myPending.clear();
    std::lock_guard lock(myRecord.myHoppingMutex);
    myRecord.myHoppingWindow.reset();
}

bool WebTuner::startStream(double inputRate) {
    myResampler = std::make_unique<CaptureResampler>(inputRate);
    myPending.clear();
    myPending.reserve(CAPTURE_FRAMES_PER_BUFFER);
    {
        std::lock_guard lock(myRecord.myHoppingMutex);
        myRecord.myHoppingWindow.reset();
    }
    return myResampler->valid();
}

std::vector<WebRefresh> WebTuner::pushMicrophone(const float* samples, size_t count) {
    std::vector<WebRefresh> refreshes;
    if (myResampler != nullptr) {
        myResampler->push(samples, count, [&](const int16_t* captured, size_t produced) {
            appendCaptured(captured, produced, refreshes);
        });
    }
    return refreshes;
}

void WebTuner::appendCaptured(const int16_t* samples, size_t count,
                              std::vector<WebRefresh>& refreshes) {
    const size_t unit =
        myRecord.myFineTuning.load() ? FINE_TUNING_HOP_FRAMES : CAPTURE_FRAMES_PER_BUFFER;
    while (count > 0) {
        const size_t taken = std::min(count, unit - myPending.size());
        myPending.insert(myPending.end(), samples, samples + taken);
        samples += taken;
        count -= taken;
        if (myPending.size() == unit) {
            refreshes.push_back(analyseBuffer(myPending.data(), myPending.size()));
            myPending.clear();
        }
    }
}

void WebTuner::refreshFromRecord() {
    WebRefresh& refresh = myLastRefresh;
    refresh.analysed = true;
    refresh.topAmplitude = myRecord.myTopAmplitude.load();
    refresh.modeFrequency = myRecord.myMostRecentModeFrequency.load();
    refresh.fundamentalFrequency = myRecord.myMostRecentFundamentalFrequency.load();
    refresh.rawPeakPower = myRecord.myRawPeakPower.load();
    refresh.outcome =
        myModel.refresh(refresh.topAmplitude, refresh.fundamentalFrequency, refresh.rawPeakPower,
                        myVolumeThreshold, myHyperactive, &mySmoother, myNeedlePoints);
}

} // namespace ovra
