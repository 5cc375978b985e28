// SPDX-License-Identifier: GPL-3.0-or-later
// The JavaScript interface of the core (embind): a Tuner that takes buffers
// of 16-bit samples and answers with what the screen shows, and the list of
// tunings. Plain objects and numbers only, so the page needs no C++ types.

#include "model/Tunings.hpp"
#include "web/WebTuner.hpp"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <string>
#include <vector>

namespace ovra {

namespace {

using emscripten::val;

template <typename T> val orNull(const std::optional<T>& value) {
    return value ? val(*value) : val::null();
}

val pointObject(Point point) {
    val object = val::object();
    object.set("x", point.x);
    object.set("y", point.y);
    return object;
}

const char* meterName(RefreshOutcome::Meter meter) {
    switch (meter) {
    case RefreshOutcome::Meter::Dim:
        return "dim";
    case RefreshOutcome::Meter::Bright:
        return "bright";
    case RefreshOutcome::Meter::Unchanged:
        break;
    }
    return "unchanged";
}

val refreshObject(const WebRefresh& refresh) {
    const RefreshOutcome& outcome = refresh.outcome;
    val object = val::object();
    object.set("analysed", refresh.analysed);
    object.set("topAmplitude", refresh.topAmplitude);
    object.set("modeFrequency", refresh.modeFrequency);
    object.set("fundamentalFrequency", refresh.fundamentalFrequency);
    object.set("rawPeakPower", refresh.rawPeakPower);
    object.set("litLeds", outcome.litLeds);
    object.set("meter", std::string(meterName(outcome.meter)));
    object.set("selectionChanged", outcome.selectionChanged);
    object.set("displayFrequency", orNull(outcome.displayFrequency));
    object.set("cents", orNull(outcome.cents));
    if (outcome.needle) {
        val needle = val::object();
        needle.set("a", pointObject(outcome.needle->a));
        needle.set("b", pointObject(outcome.needle->b));
        needle.set("fraction", outcome.needle->fractionOfDistance);
        needle.set("point", pointObject(outcome.needle->point()));
        object.set("needle", needle);
    } else {
        object.set("needle", val::null());
    }
    if (outcome.readout) {
        val readout = val::object();
        readout.set("note", outcome.readout->note);
        readout.set("frequency", outcome.readout->frequency);
        readout.set("cents", outcome.readout->cents);
        object.set("readout", readout);
    } else {
        object.set("readout", val::null());
    }
    object.set("activeString", refresh.activeString);
    object.set("automatic", refresh.automatic);
    return object;
}

// `samples`: an Int16Array (or any array of numbers) of one buffer.
val analyse(WebTuner& tuner, const val& samples) {
    const std::vector<int16_t> buffer = emscripten::convertJSArrayToNumberVector<int16_t>(samples);
    return refreshObject(tuner.analyseBuffer(buffer.data(), buffer.size()));
}

// farRed, nearRed, nearBlue, farBlue: objects with x and y, from the layout.
void setNeedlePoints(WebTuner& tuner, const val& farRed, const val& nearRed, const val& nearBlue,
                     const val& farBlue) {
    const auto point = [](const val& p) { return Point{p["x"].as<float>(), p["y"].as<float>()}; };
    tuner.setNeedlePoints({point(farRed), point(nearRed), point(nearBlue), point(farBlue)});
}

val namesOf(const WebTuner& tuner) {
    val names = val::array();
    for (int32_t string = 0; string < STRING_COUNT; ++string) {
        names.call<void>("push", tuner.model().stringName(string));
    }
    return names;
}

val targetsOf(const WebTuner& tuner) {
    val targets = val::array();
    for (const float target : tuner.model().targetFrequencies()) {
        targets.call<void>("push", target);
    }
    return targets;
}

val bordersOf(const WebTuner& tuner) {
    val borders = val::array();
    for (const float border : tuner.model().borderFrequencies()) {
        borders.call<void>("push", border);
    }
    return borders;
}

int32_t activeString(const WebTuner& tuner) {
    return tuner.model().activeTuningKeyIndex();
}

bool automatic(const WebTuner& tuner) {
    return tuner.model().autoSwitchModeEnabled();
}

val tunings() {
    val list = val::array();
    for (const Tuning& tuning : builtInTunings()) {
        val entry = val::object();
        entry.set("id", std::string(tuning.id));
        entry.set("name", std::string(tuning.name));
        val notes = val::array();
        for (const std::string_view note : tuning.notes) {
            notes.call<void>("push", std::string(note));
        }
        entry.set("notes", notes);
        list.call<void>("push", entry);
    }
    return list;
}

} // namespace

EMSCRIPTEN_BINDINGS(ovratuner) {
    emscripten::constant("FRAMES_PER_BUFFER", CAPTURE_FRAMES_PER_BUFFER);
    emscripten::constant("SAMPLE_RATE", static_cast<int32_t>(CAPTURE_SAMPLE_RATE));
    emscripten::constant("MAGIC_KEY", MAGIC_KEY_INDEX);
    emscripten::function("tunings", &tunings);
    emscripten::class_<WebTuner>("Tuner")
        .constructor<>()
        .function("analyse", &analyse)
        .function("setTuning", &WebTuner::setTuning)
        .function("tuningKeyHit", &WebTuner::tuningKeyHit)
        .function("setVolumeThreshold", &WebTuner::setVolumeThreshold)
        .function("setHyperactive", &WebTuner::setHyperactive)
        .function("setNeedlePoints", &setNeedlePoints)
        .function("stringNames", &namesOf)
        .function("targetFrequencies", &targetsOf)
        .function("borderFrequencies", &bordersOf)
        .function("activeString", &activeString)
        .function("automatic", &automatic);
}

} // namespace ovra
