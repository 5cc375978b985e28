// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/Geometry.hpp"
#include "model/Tunings.hpp"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace ovra {

class FrequencySmoother;

// Beyond this many cents the needle rests on a far point.
inline constexpr float OVRA_PITCH_CENTS_CUTOFF = 200.0f;
// Offsets below this many cents are placed on the line between the near points.
inline constexpr float DEFAULT_GREEN_CUTOFF = 5.0f;

inline constexpr int32_t LED_COUNT = 9;

// The four resting places of the needle's top-left corner, from the layout.
struct NeedlePoints {
    Point farRed;
    Point nearRed;
    Point nearBlue;
    Point farBlue;
};

// Where the needle goes: the point at `fractionOfDistance` from A towards B.
// A resting place is the line from that point to itself.
struct NeedleTarget {
    Point a;
    Point b;
    float fractionOfDistance = 0.0f;

    Point point() const;
    friend bool operator==(const NeedleTarget&, const NeedleTarget&) = default;
};

// The words beside the needle, in UTF-8: the nearest note with its octave
// ("A2", "" outside the note table), the frequency ("110.2 Hz") and the
// offset from the active string rounded to whole cents ("+3 ¢", "−12 ¢" with
// a true minus sign, "0 ¢").
struct ReadoutTexts {
    std::string note;
    std::string frequency;
    std::string cents;
    friend bool operator==(const ReadoutTexts&, const ReadoutTexts&) = default;
};

// What one refresh asks the screen to show. Fields that are empty mean
// "leave as it is".
struct RefreshOutcome {
    enum class Meter { Unchanged, Dim, Bright };

    int32_t litLeds = 0; // always set: the LED bar follows every refresh
    Meter meter = Meter::Unchanged;
    bool selectionChanged = false;         // automatic selection ran: redraw keys and strings
    std::optional<float> displayFrequency; // the frequency the needle uses
    std::optional<float> cents;            // offset of it from the active string
    std::optional<NeedleTarget> needle;    // where the needle moves
    std::optional<ReadoutTexts> readout;   // the words for displayFrequency and cents
};

// The arithmetic behind the tuner screen, free of any toolkit: string
// targets and borders, automatic string choice, cents, needle placement and
// LED count. The screen and the headless analyser share it.
class TunerDisplayModel {
public:
    // Standard tuning at A4 = 440.
    TunerDisplayModel();

    // New targets for the strings: the borders follow. The active string
    // and the mode stay. `referencePitch` should be valid (see Tunings).
    void setTuning(const Tuning& tuning, int32_t referencePitch);
    const Tuning& tuning() const { return *myTuning; }
    int32_t referencePitch() const { return myReferencePitch; }
    const std::array<float, STRING_COUNT>& targetFrequencies() const { return myTargetFrequencies; }

    void setupBorderFrequencies();
    const std::array<float, 5>& borderFrequencies() const { return myBorderFrequencies; }

    // Selects the string whose range holds the frequency; a frequency on a
    // border goes to the higher string.
    void autoSelectTuningKey(float frequency);

    // A touch on key 0..5 or the magic key 6. Returns false when the index
    // is not a key (nothing changes, nothing is to be stored).
    bool tuningKeyHit(int32_t keyIndex);

    int32_t activeTuningKeyIndex() const { return myActiveTuningKeyIndex; }
    bool autoSwitchModeEnabled() const { return myAutoSwitchMode; }

    // Cents of the frequency from the active string's target (positive: sharp).
    float centsFromActiveString(float frequency) const;

    // One display update from the capture results, in the screen's order:
    // LEDs, loudness test, smoothing, automatic selection, cents, needle.
    // `smoother` may be null (the raw frequency is then shown).
    RefreshOutcome refresh(float topAmplitude, float fundamentalFrequency, float rawPeakPower,
                           int32_t volumeThreshold, bool hyperactivityMode,
                           FrequencySmoother* smoother, const NeedlePoints& points);

    // The readout for a displayed frequency and its cents from the active
    // string; the note is named on the scale of A4 = `referencePitch`.
    // `centsDecimals` above 0 shows the cents with that many decimals
    // ("+0.4 ¢", as fine tuning reads them), up to three.
    static ReadoutTexts readoutTexts(float frequency, float cents,
                                     int32_t referencePitch = DEFAULT_REFERENCE_PITCH,
                                     int32_t centsDecimals = 0);
    // Decimals of the readout's cents from the next refresh on (0: whole cents).
    void setCentsDecimals(int32_t decimals) { myCentsDecimals = decimals; }
    // The name shown by string i's key: its note in the tuning without the
    // octave, or with it where two strings share the name ("E2" .. "E4"), so
    // the lowest string is told from the highest.
    std::string stringName(int32_t string) const;

    // Number of lit LEDs for a peak level: the level in tenths, truncated, 0..9.
    static int32_t litLedCount(float topAmplitude);

    // A + (B - A) * fraction, unclamped, in single precision.
    static Point pointBetweenPointA(Point a, Point b, float fractionOfDistance);

    // Where the needle's top-left goes for a cents offset.
    static NeedleTarget needleTarget(float cents, const NeedlePoints& points);

private:
    const Tuning* myTuning = &standardTuning();
    int32_t myReferencePitch = DEFAULT_REFERENCE_PITCH;
    std::array<float, STRING_COUNT> myTargetFrequencies = OVRA_TARGET_FREQUENCIES;
    std::array<float, 5> myBorderFrequencies{};
    int32_t myActiveTuningKeyIndex = 0;
    bool myAutoSwitchMode = false;
    int32_t myCentsDecimals = 0;
};

} // namespace ovra
