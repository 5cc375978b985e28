// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/AudioQueue.hpp"
#include "app/TunerSettings.hpp"
#include "tuner/OvraMainView.hpp"
#include "tuner/TunerAppDelegate.hpp"

#include <QGuiApplication>
#include <QObject>
#include <QPointer>
#include <QWindow>

#include <cstdint>
#include <memory>
#include <string>

namespace ovra {

class CorvaneAudioTrapper;
class IdleInhibitor;
class TunerWindow;
class WEXConfig;

// The application delegate: launches the tuner (window, preferences, layout
// reader, tuner screen, capture) and ties capture to the application's life
// cycle: running while the window can be seen (with or without focus),
// stopped (and the settings written) while it is minimised or hidden or the
// platform has suspended the application. While capture runs, the desktop
// is asked not to blank the screen. The settings themselves, their
// ranges and when they are written are TunerSettings'; the delegate forwards.
//
// Main thread only.
class OvraTunerAppDelegate : public QObject, public TunerAppDelegate {
    Q_OBJECT

public:
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
    // Unregisters, stops capture and lets the screen blank again, then lets
    // go of the capture object, the layout reader, the tuner screen and the
    // window, in that order.
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
    // Reads the settings from the store, then the overrides of the options.
    void loadPreferences();
    // Writes the settings now.
    void storeDefaultValues() { mySettings.store(); }
    TunerSettings& settings() { return mySettings; }

    // --- capture
    // true: startAudioTrapper; false: stopAudioTrapper (nothing before launch).
    // The screen is kept on for as long as capture runs.
    void setAudioOn(bool on);
    std::shared_ptr<CorvaneAudioTrapper> audioTrapper() const override { return myAudioTrapper; }

    // --- settings (see TunerSettings)
    int32_t lastTuningKeySelected() const override { return mySettings.lastTuningKeySelected(); }
    void updateSelectedTuningKey(int32_t keyIndex) override {
        mySettings.updateSelectedTuningKey(keyIndex);
    }
    int32_t volumeThreshold() const override { return mySettings.volumeThreshold(); }
    void setVolumeThresholdToDefault() override { mySettings.setVolumeThresholdToDefault(); }
    float volumeSensitivity() const override { return mySettings.volumeSensitivity(); }
    void setVolumeSensitivity(float sensitivity) override {
        mySettings.setVolumeSensitivity(sensitivity);
    }
    int32_t greenZoneCentsWidth() const { return mySettings.greenZoneCentsWidth(); }
    void setGreenZoneCentsWidth(int32_t width) { mySettings.setGreenZoneCentsWidth(width); }
    void setGreenZoneCentsWidthToDefault() {
        setGreenZoneCentsWidth(TunerSettings::DEFAULT_GREEN_ZONE_WIDTH);
    }
    bool hyperactivityMode() const override { return mySettings.hyperactivityMode(); }
    void setHyperactivityMode(bool on) override { mySettings.setHyperactivityMode(on); }
    // The application's version ("1.0.0").
    std::string versionString() const override;
    // The tuner screen follows a change at once.
    const Tuning& tuning() const override { return mySettings.tuning(); }
    void setTuning(const Tuning& tuning) override;
    int32_t referencePitch() const override { return mySettings.referencePitch(); }
    void setReferencePitch(int32_t hertz) override;
    // Capture follows at once: a running capture starts again with hops.
    bool fineTuning() const override { return mySettings.fineTuning(); }
    void setFineTuning(bool on) override;

    // --- what the launch made (null before it)
    TunerWindow* window() const { return myWindow.get(); }
    OvraMainView* mainView() const { return myMainView.data(); }

private:
    void followApplicationState();
    // Resigns or becomes active when whether the tuner is in the
    // foreground (window seen, application not hidden or suspended) changes.
    void followForeground();

    std::unique_ptr<TunerWindow> myWindow;
    std::unique_ptr<WEXConfig> myOvraLayout;
    // Owned by the window's scene once shown; released before the window.
    QPointer<OvraMainView> myMainView;
    std::shared_ptr<CorvaneAudioTrapper> myAudioTrapper;
    std::unique_ptr<IdleInhibitor> myIdleInhibitor;
    TunerSettings mySettings;

    Options myOptions;
    bool myLaunched = false;
    Qt::ApplicationState myApplicationState = Qt::ApplicationInactive;
    bool myWindowSeen = true;
    bool myForeground = true;
    // Set by the quit path: the window closing afterwards and the teardown
    // then have nothing left to stop or write.
    bool myTerminated = false;
};

} // namespace ovra
