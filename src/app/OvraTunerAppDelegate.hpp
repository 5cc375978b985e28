#pragma once

#include "analysis/AudioQueue.hpp"
#include "app/Preferences.hpp"
#include "tuner/OvraMainView.hpp"
#include "tuner/TunerAppDelegate.hpp"

#include <QGuiApplication>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWindow>

#include <cstdint>
#include <memory>
#include <string>

namespace ovra {

class CorvaneAudioTrapper;
class TunerWindow;
class WEXConfig;

// The application delegate: launches the tuner (window, preferences, layout
// reader, tuner screen, capture), keeps the application-wide settings and
// persists them, and ties capture to the application's life cycle: running
// while the window can be seen (with or without focus), stopped (and the
// settings written) while it is minimised or hidden or the platform has
// suspended the application.
//
// Settings in the preference store (see Preferences):
//   "ovratuner.volumethreshold"   integer, default 500, read at launch
//   "ovratuner.greenzonewidth"    integer, default 10, read at launch
//   "ovratuner.hyperactivity"     boolean, default false, read at launch
//   "ovratuner.tuningkeyselected" integer 0..6, default 0, read on each request
//   "ovratuner.tuning"            text, a tuning's id, default "standard"
//   "ovratuner.referencepitch"    integer 415..466 (A4 in Hz), default 440
// The tuning-key index is written at once. The tuning and the reference
// pitch are read at launch and written with the first three once the user
// has changed them (an override from the command line is not stored); an
// unknown tuning or a pitch out of range reads as the default, with a
// warning. The first three are written on resign and
// terminate, whenever the application loses focus, shortly after they change
// (a slider drag makes one write), and at exit() (which Qt's X11 platform
// calls when the display connection is lost), so that no way of ending the
// process loses a change. A stored value that is not of its type (or, for
// the tuning key, not 0..6) counts as absent.
//
// Main thread only.
class OvraTunerAppDelegate : public QObject, public TunerAppDelegate {
    Q_OBJECT

public:
    static constexpr int32_t DEFAULT_VOLUME_THRESHOLD = 500;
    static constexpr int32_t MIN_VOLUME_THRESHOLD = 50;
    static constexpr int32_t MAX_VOLUME_THRESHOLD = 1000;
    static constexpr int32_t DEFAULT_GREEN_ZONE_WIDTH = 10;
    static constexpr int32_t TUNING_KEY_COUNT = 7; // six strings and the magic key

    static constexpr const char* KEY_VOLUME_THRESHOLD = "ovratuner.volumethreshold";
    static constexpr const char* KEY_GREEN_ZONE_CENTS_WIDTH = "ovratuner.greenzonewidth";
    static constexpr const char* KEY_HYPERACTIVITY_MODE = "ovratuner.hyperactivity";
    static constexpr const char* KEY_SELECTED_TUNING_KEY_INDEX = "ovratuner.tuningkeyselected";
    static constexpr const char* KEY_TUNING = "ovratuner.tuning";
    static constexpr const char* KEY_REFERENCE_PITCH = "ovratuner.referencepitch";

    struct Options {
        // Makes the audio input queue of each capture thread; empty for the
        // default microphone.
        AudioQueueFactory audioQueueFactory;
        // Follow QGuiApplication's state, the window's visibility and
        // aboutToQuit from launch on. Off, the life-cycle calls are the
        // caller's to make.
        bool followApplicationState = true;
        // For this run only, instead of the stored ones: one of the
        // built-in tunings (null for none) and a reference pitch (0, or any
        // other pitch out of range, for none). The command line checks them.
        const Tuning* tuningOverride = nullptr;
        int32_t referencePitchOverride = 0;
    };

    OvraTunerAppDelegate();
    explicit OvraTunerAppDelegate(Options options);
    // Unregisters, stops capture, then lets go of the capture object, the
    // layout reader, the tuner screen and the window, in that order.
    ~OvraTunerAppDelegate() override;
    OvraTunerAppDelegate(const OvraTunerAppDelegate&) = delete;
    OvraTunerAppDelegate& operator=(const OvraTunerAppDelegate&) = delete;

    // The registered delegate when it is this class, else null.
    static OvraTunerAppDelegate* sharedAppDelegate();

    // --- life cycle
    // Registers as the shared delegate, creates the window, loads the
    // preferences, creates WEXConfig("ovra") and the tuner screen, creates
    // the capture object and makes the screen its delegate, starts capture,
    // and shows the window with the screen. Needs a QApplication. Only the
    // first call does anything.
    void applicationDidFinishLaunching();
    // Stops capture, then writes the settings.
    void applicationWillResignActive();
    // Starts capture.
    void applicationDidBecomeActive();
    // Stops capture, then writes the settings.
    void applicationWillTerminate();
    // What a change of QGuiApplication's state means: losing focus (leaving
    // the active state) writes the settings; hidden or suspended resigns
    // (capture stops), and leaving those states becomes active again if the
    // window can be seen.
    void handleApplicationStateChange(Qt::ApplicationState state);
    // What a change of the window's visibility means: minimised or hidden
    // resigns, shown again becomes active (unless the application is
    // hidden or suspended).
    void handleWindowVisibilityChange(QWindow::Visibility visibility);

    // --- preferences
    // Reads the threshold, green-zone width, hyperactivity flag, tuning and
    // reference pitch from the store, each absent one taking its default;
    // then the overrides of the options.
    void loadPreferences();
    // Writes the threshold, the green-zone width and the hyperactivity flag,
    // and the tuning and reference pitch where the user changed them.
    void storeDefaultValues();
    // Waiting time between a change of one of those and its write.
    static constexpr int SETTINGS_WRITE_DELAY_MS = 300;

    // --- capture
    // true: startAudioTrapper; false: stopAudioTrapper (nothing before launch).
    void setAudioOn(bool on);
    std::shared_ptr<CorvaneAudioTrapper> audioTrapper() const override { return myAudioTrapper; }

    // --- settings
    int32_t lastTuningKeySelected() const override;
    void updateSelectedTuningKey(int32_t keyIndex) override;
    int32_t volumeThreshold() const override { return myVolumeThreshold; }
    void setVolumeThresholdToDefault() override;
    // 1 - (threshold - 50) / (1000 - 50), in single precision.
    float volumeSensitivity() const override;
    // threshold = 1000 - (int)((1000 - 50) * sensitivity); logs
    // "Volume threshold=%d". Not clamped: the slider keeps it in 0..1.
    void setVolumeSensitivity(float sensitivity) override;
    int32_t greenZoneCentsWidth() const { return myGreenZoneCentsWidth; }
    void setGreenZoneCentsWidth(int32_t width);
    void setGreenZoneCentsWidthToDefault() { setGreenZoneCentsWidth(DEFAULT_GREEN_ZONE_WIDTH); }
    bool hyperactivityMode() const override { return myHyperactivityMode; }
    void setHyperactivityMode(bool on) override;
    // The application's version ("1.0.0").
    std::string versionString() const override;
    // The tuner screen follows at once; logs "Tuning=%s" / "Reference
    // pitch=%d". A pitch outside 415..466 is ignored with a warning.
    const Tuning& tuning() const override { return *myTuning; }
    void setTuning(const Tuning& tuning) override;
    int32_t referencePitch() const override { return myReferencePitch; }
    void setReferencePitch(int32_t hertz) override;

    // --- what the launch made (null before it)
    TunerWindow* window() const { return myWindow.get(); }
    OvraMainView* mainView() const { return myMainView.data(); }

private:
    void followApplicationState();
    // Resigns or becomes active when whether the tuner is in the
    // foreground (window seen, application not hidden or suspended) changes.
    void followForeground();
    // A setting changed: write it soon.
    void settingsChanged() { myWriteTimer.start(); }

    std::unique_ptr<TunerWindow> myWindow;
    std::unique_ptr<WEXConfig> myOvraLayout;
    // Owned by the window's scene once shown; released before the window.
    QPointer<OvraMainView> myMainView;
    std::shared_ptr<CorvaneAudioTrapper> myAudioTrapper;
    int32_t myVolumeThreshold = DEFAULT_VOLUME_THRESHOLD;
    int32_t myGreenZoneCentsWidth = DEFAULT_GREEN_ZONE_WIDTH;
    bool myHyperactivityMode = false;
    const Tuning* myTuning = &standardTuning();
    int32_t myReferencePitch = DEFAULT_REFERENCE_PITCH;
    // Set once the user changes them: only then are they written.
    bool myTuningChosen = false;
    bool myReferencePitchChosen = false;

    void loadTuningPreferences();
    void applyTuningOverrides();

    Options myOptions;
    Preferences myPreferences;
    bool myLaunched = false;
    Qt::ApplicationState myApplicationState = Qt::ApplicationInactive;
    bool myWindowSeen = true;
    bool myForeground = true;
    // Set by the quit path: the window closing afterwards and the teardown
    // then have nothing left to stop or write.
    bool myTerminated = false;
    QTimer myWriteTimer;
};

} // namespace ovra
