// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/TunerDisplayModel.hpp"

#include "engine/FrequencySmoother.hpp"
#include "music/WEXMusicUtil.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>

namespace ovra {

TunerDisplayModel::TunerDisplayModel() {
    setupBorderFrequencies();
}

void TunerDisplayModel::setTuning(const Tuning& tuning, int32_t referencePitch) {
    // The screen applies the application's tuning as it is built, which is
    // usually the one the model starts with: no second border walk then.
    if (tuning.id == myTuning->id && referencePitch == myReferencePitch) {
        return;
    }
    myTuning = &tuning;
    myReferencePitch = referencePitch;
    myTargetFrequencies = ovra::targetFrequencies(tuning, referencePitch);
    setupBorderFrequencies();
}

void TunerDisplayModel::setupBorderFrequencies() {
    for (size_t i = 0; i < myBorderFrequencies.size(); ++i) {
        const float cents = static_cast<float>(
            WEXMusicUtil::getCentsDifference(static_cast<double>(myTargetFrequencies[i + 1]),
                                             static_cast<double>(myTargetFrequencies[i])));
        // Halfway in cents, i.e. the geometric mean of the two targets.
        const double half = static_cast<double>(cents * 0.5f);
        myBorderFrequencies[i] = static_cast<float>(WEXMusicUtil::getFrequencyFromBaseFrequency(
            static_cast<double>(myTargetFrequencies[i]), half));
    }
}

void TunerDisplayModel::autoSelectTuningKey(float frequency) {
    int32_t index = 0;
    while (index < static_cast<int32_t>(myBorderFrequencies.size()) &&
           !(myBorderFrequencies[static_cast<size_t>(index)] > frequency)) {
        ++index;
    }
    myActiveTuningKeyIndex = index;
}

bool TunerDisplayModel::tuningKeyHit(int32_t keyIndex) {
    // Negative indexes are not keys either: the active string stays 0..5.
    if (keyIndex < 0 || keyIndex > MAGIC_KEY_INDEX) {
        return false;
    }
    if (keyIndex == MAGIC_KEY_INDEX) {
        myAutoSwitchMode = !myAutoSwitchMode;
    } else {
        myAutoSwitchMode = false;
        myActiveTuningKeyIndex = keyIndex;
    }
    return true;
}

float TunerDisplayModel::centsFromActiveString(float frequency) const {
    return static_cast<float>(WEXMusicUtil::getCentsDifference(
        static_cast<double>(frequency),
        static_cast<double>(myTargetFrequencies[static_cast<size_t>(myActiveTuningKeyIndex)])));
}

RefreshOutcome TunerDisplayModel::refresh(float topAmplitude, float fundamentalFrequency,
                                          float rawPeakPower, int32_t volumeThreshold,
                                          bool hyperactivityMode, FrequencySmoother* smoother,
                                          const NeedlePoints& points) {
    RefreshOutcome outcome;
    outcome.litLeds = litLedCount(topAmplitude);

    // Equal to the threshold counts as too quiet.
    if (!(rawPeakPower > static_cast<float>(volumeThreshold))) {
        outcome.meter = RefreshOutcome::Meter::Dim;
        return outcome;
    }

    float frequency = fundamentalFrequency;
    if (smoother != nullptr && !hyperactivityMode) {
        frequency = smoother->submitFrequency(frequency);
    }
    if (!(frequency > 0.0f)) {
        return outcome;
    }

    if (myAutoSwitchMode) {
        autoSelectTuningKey(frequency);
        outcome.selectionChanged = true;
    }
    outcome.meter = RefreshOutcome::Meter::Bright;
    outcome.displayFrequency = frequency;
    const float cents = centsFromActiveString(frequency);
    outcome.cents = cents;
    outcome.needle = needleTarget(cents, points);
    outcome.readout = readoutTexts(frequency, cents, myReferencePitch, myCentsDecimals);
    return outcome;
}

ReadoutTexts TunerDisplayModel::readoutTexts(float frequency, float cents, int32_t referencePitch,
                                             int32_t centsDecimals) {
    ReadoutTexts texts;
    // The note tables are on A4 = 440; another reference moves every note
    // by the same ratio (exactly 1 at 440).
    texts.note = WEXMusicUtil::nameOfNearestNote(
        static_cast<double>(frequency) *
        (static_cast<double>(DEFAULT_REFERENCE_PITCH) / static_cast<double>(referencePitch)));
    // Past these a reading is no tone at all; nothing is better than digits
    // that overflow the readout (and the integer conversion below).
    if (std::isfinite(frequency) && frequency < 1e6f) {
        char text[32];
        std::snprintf(text, sizeof text, "%.1f Hz", static_cast<double>(frequency));
        texts.frequency = text;
    }
    if (std::isfinite(cents) && std::fabs(cents) < 1e6f && centsDecimals <= 0) {
        const long whole = std::lround(cents);
        const char* sign = whole > 0 ? "+" : (whole < 0 ? "\u2212" : "");
        texts.cents = sign + std::to_string(std::labs(whole)) + " \u00a2";
    } else if (std::isfinite(cents) && std::fabs(cents) < 1e6f) {
        // Signed by what is shown: -0.04 reads "0.0", not "-0.0".
        const int decimals = std::min(centsDecimals, 3);
        char digits[32];
        std::snprintf(digits, sizeof digits, "%.*f", decimals,
                      std::fabs(static_cast<double>(cents)));
        const bool zero = std::strspn(digits, "0.") == std::strlen(digits);
        const char* sign = zero ? "" : (cents > 0.0f ? "+" : "\u2212");
        texts.cents = std::string(sign) + digits + " \u00a2";
    }
    return texts;
}

std::string TunerDisplayModel::stringName(int32_t string) const {
    if (string < 0 || string >= STRING_COUNT) {
        return {};
    }
    const auto withoutOctave = [](std::string_view note) {
        return note.substr(0, note.find_first_of("0123456789"));
    };
    const std::string_view full = myTuning->notes[static_cast<size_t>(string)];
    for (std::string_view other : myTuning->notes) {
        if (other != full && withoutOctave(other) == withoutOctave(full)) {
            return std::string(full);
        }
    }
    return std::string(withoutOctave(full));
}

int32_t TunerDisplayModel::litLedCount(float topAmplitude) {
    const float tenths = topAmplitude * 10.0f;
    // Guards the conversion: a level outside the LED range never reaches it.
    if (!(tenths >= 1.0f)) {
        return 0;
    }
    if (tenths >= static_cast<float>(LED_COUNT)) {
        return LED_COUNT;
    }
    return static_cast<int32_t>(tenths);
}

Point TunerDisplayModel::pointBetweenPointA(Point a, Point b, float fractionOfDistance) {
    return Point{(b.x - a.x) * fractionOfDistance + a.x, (b.y - a.y) * fractionOfDistance + a.y};
}

Point NeedleTarget::point() const {
    return TunerDisplayModel::pointBetweenPointA(a, b, fractionOfDistance);
}

NeedleTarget TunerDisplayModel::needleTarget(float cents, const NeedlePoints& points) {
    // One continuous scale that only ever moves one way as the cents do:
    // the in-tune zone fills the span between the near points (which stand
    // for +-5 cents), and the rest of the way to +-200 cents runs from each
    // near point to its far point.
    const float green = DEFAULT_GREEN_CUTOFF;
    const float cutoff = OVRA_PITCH_CENTS_CUTOFF;
    if (std::fabs(cents) < green) {
        return {points.nearRed, points.nearBlue, 0.5f - cents / (2.0f * green)};
    }
    if (cents > cutoff) {
        return {points.farRed, points.farRed, 0.0f};
    }
    if (cents < -cutoff) {
        return {points.farBlue, points.farBlue, 0.0f};
    }
    const float fraction = (std::fabs(cents) - green) / (cutoff - green);
    if (cents > 0.0f) {
        return {points.nearRed, points.farRed, fraction};
    }
    return {points.nearBlue, points.farBlue, fraction};
}

} // namespace ovra
