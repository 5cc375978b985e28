// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/AudioTrapperDelegate.hpp"
#include "common/SharedReference.hpp"
#include "model/ScreenPlan.hpp"
#include "model/TunerDisplayModel.hpp"
#include "tuner/ScreenState.hpp"
#include "tuner/TuningKeyReceiver.hpp"
#include "ui/ImageView.hpp"
#include "ui/View.hpp"

#include <QPixmap>
#include <QTimer>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace ovra {

class FrequencySmoother;
class LabelView;
class MainViewRefreshPoster;
class OvraSettings;
class OvraTuningKey;
class TonePlayer;
class TunerAppDelegate;
class WEXButton;

// The one screen of the tuner: the guitar head with six tuning keys and the
// magic key, the string pictures, the pitch meter and needle, the nine-LED
// level bar, three buttons, a status line, the readout (note, frequency and
// cents in words), the string names by the keys and the hidden settings
// panel, all built from "general.cfg" through the shared WEXConfig; the
// texts are optional items a skin may leave out. The arithmetic (string borders,
// automatic selection, cents, needle target, LED count) is TunerDisplayModel's;
// this view applies its outcomes to the pictures.
//
// Main thread only, except refreshGUIFromAnotherThread and captureDelegate()'s
// object, which the capture thread calls.
class OvraMainView : public View, public AudioTrapperDelegate, public TuningKeyReceiver {
    Q_OBJECT

public:
    // Builds the whole screen (the subviews' order is the drawing order) and
    // replays the stored tuning-key selection. The shared WEXConfig should
    // exist first. `app` (not owned, outliving the screen) gives the capture
    // object and the settings; without one the selection is 0, nothing is
    // stored and refreshes show nothing.
    OvraMainView(const Rect& frame, TunerAppDelegate* app);
    ~OvraMainView() override;

    // The most recently built screen, or null (none yet, or destroyed): how
    // a touched tuning key reaches it.
    static OvraMainView* sharedMainView();

    // --- capture
    // Posts one refreshGUI to the main thread and returns at once, as
    // captureDelegate()'s object does. Give the capture object that object
    // rather than this view: it may outlive the view, this view may not.
    void refreshGUIFromAnotherThread() override;
    // The object to hand to CorvaneAudioTrapper::setDelegate: each call on
    // the capture thread posts one refresh (in order, never merged, without
    // waiting); posts that arrive after the view is gone are dropped.
    std::shared_ptr<AudioTrapperDelegate> captureDelegate() const;
    // One display update from the capture object's latest results.
    void refreshGUI();
    // A reading older than this (no refresh since) is shown as for a quiet
    // note: meter and needle dim, no LED lit. Silent buffers are never
    // analysed, so digital silence sends no refresh at all.
    static constexpr int STALE_READING_MILLISECONDS = 1000;
    // The status line says what the capture object hears now. Once the
    // event loop runs after construction, every change of the application's
    // capture object's hearing status brings this on the main thread.
    void updateStatusLine();

    // Takes the application's tuning and reference pitch: new string
    // targets and borders, the names by the keys, and the tuning caption.
    // The application calls it after either changes.
    void applyTuning();

    // --- display operations
    void setupBorderFrequencies();
    void autoSelectTuningKey(float frequency);
    // A touch on key 0..5 or the magic key 6; other indexes are ignored.
    void tuningKeyHit(int32_t keyIndex) override;
    // A string key held plays its string's target; letting go stops it.
    void tuningKeyHeld(int32_t keyIndex) override;
    void tuningKeyReleased(int32_t keyIndex) override;
    // Plays string 0..5's target in the current tuning and reference pitch
    // (a plucked tone of about two seconds); other indexes are ignored.
    void playString(int32_t string);
    // Replaces the player (the default plays through the audio output).
    void setTonePlayer(std::unique_ptr<TonePlayer> player);
    void updateActivatedImages();
    void updateTopAmp(float amplitude);
    Point pointBetweenPointA(Point a, Point b, float fractionOfDistance) const;
    // Moves the needle's top-left corner there with a 0.1 s animation.
    void pointPitchNeedle(Point point);
    void pointPitchNeedleBetweenPointA(Point a, Point b, float fractionOfDistance);
    bool autoSwitchModeEnabled() const { return myModel.autoSwitchModeEnabled(); }

    std::shared_ptr<FrequencySmoother> frequencySmoother() const;
    void setFrequencySmoother(std::shared_ptr<FrequencySmoother> smoother);

    // --- construction steps
    // The item's "dim" image if the layout has one, else its plain image, at
    // the item's position.
    std::unique_ptr<ImageView> newImageViewForComponent(const char* itemID) const;
    void loadAmpMeterLED(int32_t ledIndex);
    void setupMagicTuningKey();
    // The about button's action: brings the settings panel on screen.
    void aboutButtonPressed();

    // What the screen shows now, read from its views.
    ScreenState screenState() const;
    OvraSettings* settings() const { return mySettings; }

signals:
    // After every refreshGUI, whatever it changed.
    void refreshed();

private:
    void buildLayer(ScreenLayer layer);
    void buildTuningKeys();
    void buildButtons();
    void buildLevelMeter();
    void buildPitchMeter();
    void buildStrings();
    void buildNeedle();
    void buildLabels();
    // The readout's texts change with the needle; they dim with the meter.
    void showReadout(const ReadoutTexts& texts);
    // Meter, needle and readout: bright while a note is heard.
    void showPitchMeterBright(bool bright);
    void showStaleReading();
    // Listens to the hearing status of the application's capture object,
    // which is made after the screen.
    void followHearingStatus();

    static OvraMainView* mySharedMainView;

    // Views are owned through the view hierarchy; these refer to them.
    std::array<OvraTuningKey*, STRING_COUNT> myTuningKey{};
    OvraTuningKey* myMagicTuningKey = nullptr;
    ImageView* myHeadView = nullptr;
    std::array<ImageView*, STRING_COUNT> myTuningPeg{};
    std::array<QPixmap, STRING_COUNT> myTuningPegLitImage;
    std::array<QPixmap, STRING_COUNT> myTuningPegUnlitImage;
    std::array<QPixmap, STRING_COUNT> myTuningPegMagicImage;
    ImageView* myPitchMeterView = nullptr;
    ImageView* myPitchNeedle = nullptr;
    ImageView* myBackgroundView = nullptr;
    std::array<QPixmap, LED_COUNT> myAmplitudeMeterLEDLitImage;
    std::array<QPixmap, LED_COUNT> myAmplitudeMeterLEDUnlitImage;
    std::vector<ImageView*> myAmplitudeMeterLEDs;
    QPixmap myBrightPitchMeterImage;
    QPixmap myDimPitchMeterImage;
    QPixmap myBrightNeedleImage;
    QPixmap myDimNeedleImage;
    OvraSettings* mySettings = nullptr;
    Point myFarRedPoint;
    Point myNearRedPoint;
    Point myNearBluePoint;
    Point myFarBluePoint;
    SharedReference<FrequencySmoother> myFrequencySmoother;
    WEXButton* mySettingsButton = nullptr;
    WEXButton* myAboutButton = nullptr;
    WEXButton* myHelpButton = nullptr;
    // Border frequencies, active string and automatic mode.
    TunerDisplayModel myModel;

    TunerAppDelegate* const myApp;
    std::optional<float> myLastDisplayFrequency;
    std::optional<float> myLastCents;
    std::shared_ptr<MainViewRefreshPoster> myCaptureDelegate;
    // Null where the layout has none.
    LabelView* myStatusLine = nullptr;
    LabelView* myTuningCaption = nullptr;
    LabelView* myNoteLabel = nullptr;
    LabelView* myFrequencyLabel = nullptr;
    LabelView* myCentsLabel = nullptr;
    std::array<LabelView*, STRING_COUNT> myStringLabels{};
    QTimer* myStaleReadingTimer = nullptr;
    std::unique_ptr<TonePlayer> myTonePlayer;
};

} // namespace ovra
