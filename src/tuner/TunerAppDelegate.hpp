// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Tunings.hpp"

#include <cstdint>
#include <memory>
#include <string>

namespace ovra {

class CorvaneAudioTrapper;

// What the tuner screen and the settings panel use of the application
// delegate: its capture object and the application-wide settings. The
// application shell implements it; the screen never depends on the shell
// itself. All calls are made on the main thread.
class TunerAppDelegate {
public:
    virtual ~TunerAppDelegate();

    // The one application delegate, or null before launch and after it ends.
    static TunerAppDelegate* sharedAppDelegate();

    virtual std::shared_ptr<CorvaneAudioTrapper> audioTrapper() const = 0;

    // The raw peak power a reading must exceed to count as loud, and the
    // slider's view of it (the application's settings define the mapping).
    virtual int32_t volumeThreshold() const = 0;
    virtual void setVolumeThresholdToDefault() = 0;
    virtual float volumeSensitivity() const = 0;
    virtual void setVolumeSensitivity(float sensitivity) = 0;

    // Immediate, unsmoothed display ("High" reactivity).
    virtual bool hyperactivityMode() const = 0;
    virtual void setHyperactivityMode(bool on) = 0;

    // The stored tuning-key selection, 0..5 or 6 for the magic key; written
    // to the preference store at once.
    virtual int32_t lastTuningKeySelected() const = 0;
    virtual void updateSelectedTuningKey(int32_t keyIndex) = 0;

    virtual std::string versionString() const = 0;

    // The strings' tuning and the pitch of A4 it is tuned from. A delegate
    // that does not keep them tunes standard at 440 and ignores changes.
    virtual const Tuning& tuning() const { return standardTuning(); }
    virtual void setTuning(const Tuning&) {}
    virtual int32_t referencePitch() const { return DEFAULT_REFERENCE_PITCH; }
    virtual void setReferencePitch(int32_t) {}

    // Fine tuning: refined readings 16 times a second, cents in tenths. A
    // delegate that does not keep it tunes the classic way.
    virtual bool fineTuning() const { return false; }
    virtual void setFineTuning(bool) {}

protected:
    // The delegate registers itself as the first step of launch and
    // unregisters when it is destroyed.
    static void setSharedAppDelegate(TunerAppDelegate* delegate);
};

} // namespace ovra
