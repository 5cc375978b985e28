// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TunerSettings.hpp"

#include "common/SystemLog.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace ovra {

TunerSettings::TunerSettings() {
    myWriteTimer.setSingleShot(true);
    myWriteTimer.setInterval(WRITE_DELAY_MS);
    connect(&myWriteTimer, &QTimer::timeout, this, &TunerSettings::store);
}

void TunerSettings::load(const Tuning* tuningOverride, int32_t referencePitchOverride) {
    myVolumeThreshold =
        myPreferences.integerForKey(KEY_VOLUME_THRESHOLD).value_or(DEFAULT_VOLUME_THRESHOLD);
    myGreenZoneCentsWidth =
        myPreferences.integerForKey(KEY_GREEN_ZONE_CENTS_WIDTH).value_or(DEFAULT_GREEN_ZONE_WIDTH);
    myHyperactivityMode = myPreferences.boolForKey(KEY_HYPERACTIVITY_MODE).value_or(false);
    myFineTuning = myPreferences.boolForKey(KEY_FINE_TUNING).value_or(false);
    myFineTuningChosen = false;
    loadTuning();
    if (!myPreferences.isReadable()) {
        systemLog(
            "Warning : damaged preferences file - %s; unreadable settings take their defaults",
            myPreferences.fileName().toUtf8().constData());
    }
    if (tuningOverride != nullptr) {
        myTuning = tuningOverride;
    }
    if (isValidReferencePitch(referencePitchOverride)) {
        myReferencePitch = referencePitchOverride;
    }
}

void TunerSettings::loadTuning() {
    myTuning = &standardTuning();
    if (const std::optional<QString> id = myPreferences.textForKey(KEY_TUNING)) {
        if (const Tuning* stored = findTuning(id->toStdString())) {
            myTuning = stored;
        } else {
            systemLog("Warning : preference %s names no known tuning ('%s'); using standard",
                      KEY_TUNING, id->toUtf8().constData());
        }
    }
    myReferencePitch = DEFAULT_REFERENCE_PITCH;
    if (const std::optional<int32_t> pitch = myPreferences.integerForKey(KEY_REFERENCE_PITCH)) {
        if (isValidReferencePitch(*pitch)) {
            myReferencePitch = *pitch;
        } else {
            systemLog("Warning : preference %s is %d, outside %d..%d; using %d",
                      KEY_REFERENCE_PITCH, *pitch, MIN_REFERENCE_PITCH, MAX_REFERENCE_PITCH,
                      DEFAULT_REFERENCE_PITCH);
        }
    }
    myTuningChosen = false;
    myReferencePitchChosen = false;
}

void TunerSettings::store() {
    myWriteTimer.stop();
    std::vector<std::pair<const char*, QVariant>> values{
        {KEY_VOLUME_THRESHOLD, myVolumeThreshold},
        {KEY_GREEN_ZONE_CENTS_WIDTH, myGreenZoneCentsWidth},
        {KEY_HYPERACTIVITY_MODE, myHyperactivityMode}};
    if (myTuningChosen) {
        values.emplace_back(
            KEY_TUNING,
            QString::fromUtf8(myTuning->id.data(), static_cast<qsizetype>(myTuning->id.size())));
    }
    if (myReferencePitchChosen) {
        values.emplace_back(KEY_REFERENCE_PITCH, myReferencePitch);
    }
    if (myFineTuningChosen) {
        values.emplace_back(KEY_FINE_TUNING, myFineTuning);
    }
    myPreferences.setValues(values);
}

void TunerSettings::setVolumeThresholdToDefault() {
    myVolumeThreshold = DEFAULT_VOLUME_THRESHOLD;
    changed();
}

void TunerSettings::setVolumeSensitivity(float sensitivity) {
    if (std::isnan(sensitivity)) {
        systemLog("Warning : ignoring volume sensitivity that is not a number");
        return;
    }
    myVolumeThreshold = thresholdOfSensitivity(sensitivity);
    systemLog("Volume threshold=%d", myVolumeThreshold);
    changed();
}

void TunerSettings::setGreenZoneCentsWidth(int32_t width) {
    myGreenZoneCentsWidth = width;
    changed();
}

void TunerSettings::setHyperactivityMode(bool on) {
    myHyperactivityMode = on;
    changed();
}

int32_t TunerSettings::lastTuningKeySelected() const {
    const std::optional<int32_t> key = myPreferences.integerForKey(KEY_SELECTED_TUNING_KEY_INDEX);
    // The screen indexes its keys with it: anything else is not a selection.
    if (!key || *key < 0 || *key >= TUNING_KEY_COUNT) {
        return 0;
    }
    return *key;
}

void TunerSettings::updateSelectedTuningKey(int32_t keyIndex) {
    myPreferences.setIntegerForKey(keyIndex, KEY_SELECTED_TUNING_KEY_INDEX);
}

bool TunerSettings::setTuning(const Tuning& tuning) {
    // Kept by reference: only the built-in tunings live long enough.
    const Tuning* builtIn = findTuning(tuning.id);
    if (builtIn == nullptr) {
        systemLog("Warning : ignoring tuning '%s', which is not built in",
                  std::string(tuning.id).c_str());
        return false;
    }
    myTuningChosen = true;
    changed();
    if (builtIn == myTuning) {
        return false;
    }
    myTuning = builtIn;
    systemLog("Tuning=%s", std::string(tuning.id).c_str());
    return true;
}

bool TunerSettings::setReferencePitch(int32_t hertz) {
    if (!isValidReferencePitch(hertz)) {
        systemLog("Warning : ignoring reference pitch %d, outside %d..%d", hertz,
                  MIN_REFERENCE_PITCH, MAX_REFERENCE_PITCH);
        return false;
    }
    myReferencePitchChosen = true;
    changed();
    if (hertz == myReferencePitch) {
        return false;
    }
    myReferencePitch = hertz;
    systemLog("Reference pitch=%d", hertz);
    return true;
}

bool TunerSettings::setFineTuning(bool on) {
    myFineTuningChosen = true;
    changed();
    if (on == myFineTuning) {
        return false;
    }
    myFineTuning = on;
    systemLog("Fine tuning=%s", on ? "on" : "off");
    return true;
}

} // namespace ovra
