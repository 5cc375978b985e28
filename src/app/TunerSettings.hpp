// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/Preferences.hpp"
#include "model/SettingsValues.hpp"
#include "model/Tunings.hpp"

#include <QObject>
#include <QTimer>

#include <cstdint>

namespace ovra {

// The application-wide settings: their values, ranges and defaults, the
// slider's view of the threshold, and when they reach the preference store.
//
// Write policy:
//   - the tuning-key selection is written at once and read on each request;
//   - the rest is written WRITE_DELAY_MS after a change (a slider drag makes
//     one write) and whenever the application calls store(): on resign,
//     focus loss, terminate and exit();
//   - the tuning and the reference pitch only once the user has chosen them,
//     so a command-line override is never stored.
// A stored value that is not of its type, or out of its range, reads as
// the default (with a warning for the tuning and the pitch).
//
// Main thread only.
class TunerSettings : public QObject {
    Q_OBJECT

public:
    static constexpr int32_t DEFAULT_VOLUME_THRESHOLD = settings::DEFAULT_VOLUME_THRESHOLD;
    static constexpr int32_t MIN_VOLUME_THRESHOLD = settings::MIN_VOLUME_THRESHOLD;
    static constexpr int32_t MAX_VOLUME_THRESHOLD = settings::MAX_VOLUME_THRESHOLD;
    static constexpr int32_t DEFAULT_GREEN_ZONE_WIDTH = settings::DEFAULT_GREEN_ZONE_WIDTH;
    static constexpr int32_t TUNING_KEY_COUNT = 7; // six strings and the magic key
    static constexpr int WRITE_DELAY_MS = 300;

    static constexpr const char* KEY_VOLUME_THRESHOLD = settings::KEY_VOLUME_THRESHOLD;
    static constexpr const char* KEY_GREEN_ZONE_CENTS_WIDTH = settings::KEY_GREEN_ZONE_CENTS_WIDTH;
    static constexpr const char* KEY_HYPERACTIVITY_MODE = settings::KEY_HYPERACTIVITY_MODE;
    static constexpr const char* KEY_SELECTED_TUNING_KEY_INDEX =
        settings::KEY_SELECTED_TUNING_KEY_INDEX;
    static constexpr const char* KEY_TUNING = settings::KEY_TUNING;
    static constexpr const char* KEY_REFERENCE_PITCH = settings::KEY_REFERENCE_PITCH;
    static constexpr const char* KEY_FINE_TUNING = settings::KEY_FINE_TUNING;

    // The slider's view of the threshold (see settings::sensitivityOfThreshold).
    static float sensitivityOfThreshold(int32_t threshold) {
        return settings::sensitivityOfThreshold(threshold);
    }
    static int32_t thresholdOfSensitivity(float sensitivity) {
        return settings::thresholdOfSensitivity(sensitivity);
    }

    TunerSettings();

    // Reads every setting but the key selection, each absent or unreadable
    // one taking its default; then the overrides for this run (null / a pitch
    // out of range for none).
    void load(const Tuning* tuningOverride, int32_t referencePitchOverride);
    // Writes now (and cancels a pending write).
    void store();

    int32_t volumeThreshold() const { return myVolumeThreshold; }
    void setVolumeThresholdToDefault();
    float volumeSensitivity() const { return sensitivityOfThreshold(myVolumeThreshold); }
    // Logs "Volume threshold=%d"; a sensitivity that is not a number is ignored.
    void setVolumeSensitivity(float sensitivity);
    int32_t greenZoneCentsWidth() const { return myGreenZoneCentsWidth; }
    void setGreenZoneCentsWidth(int32_t width);
    bool hyperactivityMode() const { return myHyperactivityMode; }
    void setHyperactivityMode(bool on);

    // 0..5 or 6 for the magic key; anything else stored reads as 0.
    int32_t lastTuningKeySelected() const;
    void updateSelectedTuningKey(int32_t keyIndex);

    const Tuning& tuning() const { return *myTuning; }
    int32_t referencePitch() const { return myReferencePitch; }
    // Each returns true when the value changed (the screen then follows);
    // logs "Tuning=%s" / "Reference pitch=%d". A tuning that is not built
    // in, or a pitch outside 415..466, is ignored with a warning.
    bool setTuning(const Tuning& tuning);
    bool setReferencePitch(int32_t hertz);

    bool fineTuning() const { return myFineTuning; }
    // Returns true when the value changed.
    bool setFineTuning(bool on);

    QString fileName() const { return myPreferences.fileName(); }

private:
    void changed() { myWriteTimer.start(); }
    void loadTuning();

    Preferences myPreferences;
    QTimer myWriteTimer;
    int32_t myVolumeThreshold = DEFAULT_VOLUME_THRESHOLD;
    int32_t myGreenZoneCentsWidth = DEFAULT_GREEN_ZONE_WIDTH;
    bool myHyperactivityMode = false;
    const Tuning* myTuning = &standardTuning();
    int32_t myReferencePitch = DEFAULT_REFERENCE_PITCH;
    // Set once the user changes them: only then are they written.
    bool myTuningChosen = false;
    bool myReferencePitchChosen = false;
    bool myFineTuning = false;
    bool myFineTuningChosen = false;
};

} // namespace ovra
