// SPDX-License-Identifier: GPL-3.0-or-later
// What the tuner screen does after it is built: refreshes from the capture
// object, key hits, and the pictures of keys, strings, LEDs, meter and needle.
#include "tuner/OvraMainView.hpp"

#include "capture/CorvaneAudioTrapper.hpp"
#include "capture/TonePlayer.hpp"
#include "tuner/LocalizedText.hpp"
#include "tuner/MainViewRefreshPoster.hpp"
#include "tuner/OvraTuningKey.hpp"
#include "tuner/StatusLine.hpp"
#include "tuner/TunerAppDelegate.hpp"
#include "ui/LabelView.hpp"

namespace ovra {

namespace {
constexpr double NEEDLE_MOVE_SECONDS = 0.1;
} // namespace

void OvraMainView::refreshGUIFromAnotherThread() {
    myCaptureDelegate->refreshGUIFromAnotherThread();
}

void OvraMainView::refreshGUI() {
    const std::shared_ptr<CorvaneAudioTrapper> trapper =
        myApp != nullptr ? myApp->audioTrapper() : nullptr;
    if (trapper == nullptr) {
        emit refreshed();
        return;
    }
    const float topAmplitude = trapper->mostRecentTopAmplitude();
    const float fundamental = trapper->mostRecentFundamentalFrequency();
    // The LED bar follows every refresh, whatever comes next.
    updateTopAmp(topAmplitude);
    myStaleReadingTimer->start();

    const float rawPeakPower = trapper->mostRecentRawPeakPower();
    const std::shared_ptr<FrequencySmoother> smoother = frequencySmoother();
    const NeedlePoints points{myFarRedPoint, myNearRedPoint, myNearBluePoint, myFarBluePoint};
    // Fine tuning reads tenths of a cent.
    myModel.setCentsDecimals(myApp->fineTuning() ? 1 : 0);
    const RefreshOutcome outcome =
        myModel.refresh(topAmplitude, fundamental, rawPeakPower, myApp->volumeThreshold(),
                        myApp->hyperactivityMode(), smoother.get(), points);

    if (outcome.selectionChanged) {
        updateActivatedImages();
    }
    if (outcome.meter != RefreshOutcome::Meter::Unchanged) {
        showPitchMeterBright(outcome.meter == RefreshOutcome::Meter::Bright);
    }
    if (outcome.needle) {
        pointPitchNeedleBetweenPointA(outcome.needle->a, outcome.needle->b,
                                      outcome.needle->fractionOfDistance);
    }
    if (outcome.displayFrequency) {
        myLastDisplayFrequency = outcome.displayFrequency;
        myLastCents = outcome.cents;
    }
    if (outcome.readout) {
        showReadout(*outcome.readout);
    }
    emit refreshed();
}

void OvraMainView::showStaleReading() {
    showPitchMeterBright(false);
    updateTopAmp(0.0f);
}

void OvraMainView::followHearingStatus() {
    if (const auto trapper = myApp != nullptr ? myApp->audioTrapper() : nullptr) {
        // The listener runs on capture threads; the news goes to the main
        // thread in order with the refreshes, and stays harmless after the
        // screen is gone.
        trapper->setHearingStatusListener(
            [poster = myCaptureDelegate](HearingStatus) { poster->postHearingStatusChange(); });
    }
    updateStatusLine();
}

void OvraMainView::updateStatusLine() {
    if (myStatusLine == nullptr) {
        return;
    }
    const auto trapper = myApp != nullptr ? myApp->audioTrapper() : nullptr;
    myStatusLine->setText(trapper != nullptr ? statusTextForHearing(trapper->hearingStatus())
                                             : QString());
}

void OvraMainView::setupBorderFrequencies() {
    myModel.setupBorderFrequencies();
}

void OvraMainView::autoSelectTuningKey(float frequency) {
    myModel.autoSelectTuningKey(frequency);
    updateActivatedImages();
}

void OvraMainView::tuningKeyHit(int32_t keyIndex) {
    if (!myModel.tuningKeyHit(keyIndex)) {
        return;
    }
    updateActivatedImages();
    if (myApp != nullptr) {
        myApp->updateSelectedTuningKey(keyIndex);
    }
}

void OvraMainView::tuningKeyHeld(int32_t keyIndex) {
    playString(keyIndex);
}

void OvraMainView::tuningKeyReleased(int32_t /*keyIndex*/) {
    if (myTonePlayer) {
        myTonePlayer->stop();
    }
}

void OvraMainView::playString(int32_t string) {
    if (myTonePlayer && string >= 0 && string < STRING_COUNT) {
        myTonePlayer->play(myModel.targetFrequencies()[static_cast<size_t>(string)]);
    }
}

void OvraMainView::setTonePlayer(std::unique_ptr<TonePlayer> player) {
    myTonePlayer = std::move(player);
}

void OvraMainView::updateActivatedImages() {
    const bool automatic = myModel.autoSwitchModeEnabled();
    const int32_t active = myModel.activeTuningKeyIndex();
    if (myMagicTuningKey != nullptr) {
        myMagicTuningKey->setTuningKeyState(automatic ? TUNING_KEY_STATE_ACTIVE
                                                      : TUNING_KEY_STATE_INACTIVE);
    }
    for (int32_t i = 0; i < STRING_COUNT; ++i) {
        const auto s = static_cast<size_t>(i);
        const bool selected = i == active;
        if (myTuningKey[s] != nullptr) {
            const int32_t selectedState =
                automatic ? TUNING_KEY_STATE_MAGIC : TUNING_KEY_STATE_ACTIVE;
            myTuningKey[s]->setTuningKeyState(selected ? selectedState : TUNING_KEY_STATE_INACTIVE);
        }
        if (myStringLabels[s] != nullptr) {
            myStringLabels[s]->setDimmed(!selected);
        }
        if (myTuningPeg[s] != nullptr) {
            const QPixmap& selectedImage =
                automatic ? myTuningPegMagicImage[s] : myTuningPegLitImage[s];
            myTuningPeg[s]->setImage(selected ? selectedImage : myTuningPegUnlitImage[s]);
        }
    }
}

void OvraMainView::updateTopAmp(float amplitude) {
    const int32_t count = TunerDisplayModel::litLedCount(amplitude);
    // Every LED is set each time, lit or not.
    for (size_t i = 0; i < myAmplitudeMeterLEDs.size(); ++i) {
        const bool lit = static_cast<int32_t>(i) + 1 <= count;
        myAmplitudeMeterLEDs[i]->setImage(lit ? myAmplitudeMeterLEDLitImage[i]
                                              : myAmplitudeMeterLEDUnlitImage[i]);
    }
}

void OvraMainView::showPitchMeterBright(bool bright) {
    // Immediate: only the needle's moves are animated.
    myPitchMeterView->setImage(bright ? myBrightPitchMeterImage : myDimPitchMeterImage);
    myPitchNeedle->setImage(bright ? myBrightNeedleImage : myDimNeedleImage);
    for (LabelView* label : {myNoteLabel, myFrequencyLabel, myCentsLabel}) {
        if (label != nullptr) {
            label->setDimmed(!bright);
        }
    }
}

void OvraMainView::showReadout(const ReadoutTexts& texts) {
    // Note names are the same in every language; numbers are not.
    const std::pair<LabelView*, QString> parts[] = {
        {myNoteLabel, QString::fromStdString(spelledForReading(texts.note))},
        {myFrequencyLabel, localizedNumbers(texts.frequency)},
        {myCentsLabel, localizedNumbers(texts.cents)}};
    for (const auto& [label, text] : parts) {
        if (label != nullptr) {
            label->setText(text);
        }
    }
}

Point OvraMainView::pointBetweenPointA(Point a, Point b, float fractionOfDistance) const {
    return TunerDisplayModel::pointBetweenPointA(a, b, fractionOfDistance);
}

void OvraMainView::pointPitchNeedle(Point point) {
    View::beginAnimations();
    View::setAnimationDuration(NEEDLE_MOVE_SECONDS);
    myPitchNeedle->setOrigin(point);
    View::commitAnimations();
}

void OvraMainView::pointPitchNeedleBetweenPointA(Point a, Point b, float fractionOfDistance) {
    pointPitchNeedle(pointBetweenPointA(a, b, fractionOfDistance));
}

} // namespace ovra
