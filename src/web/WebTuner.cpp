// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/WebTuner.hpp"

#include "analysis/AnalysisCallback.hpp"

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

    myLastRefresh = WebRefresh{};
    callbackForAudio(&myRecord, nullptr, &queueBuffer);
    myRecord.myWaveData.store(nullptr); // the caller's memory is not ours to keep
    WebRefresh refresh = myLastRefresh;
    refresh.activeString = myModel.activeTuningKeyIndex();
    refresh.automatic = myModel.autoSwitchModeEnabled();
    return refresh;
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
