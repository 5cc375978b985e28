// SPDX-License-Identifier: GPL-3.0-or-later
// The JavaScript interface of the core (embind): a Tuner that takes buffers
// of 16-bit samples and answers with what the screen shows, and the list of
// tunings. Plain objects and numbers only, so the page needs no C++ types.

#include "common/Version.hpp"
#include "layout/StringsFileParser.hpp"
#include "model/ScreenPlan.hpp"
#include "model/SettingsValues.hpp"
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
        readout.set("noteShown", spelledForReading(outcome.readout->note));
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

// `samples`: a Float32Array of microphone audio at the stream's rate; an
// array of the refreshes it completed.
val pushMicrophone(WebTuner& tuner, const val& samples) {
    const std::vector<float> block = emscripten::convertJSArrayToNumberVector<float>(samples);
    val list = val::array();
    for (const WebRefresh& refresh : tuner.pushMicrophone(block.data(), block.size())) {
        list.call<void>("push", refreshObject(refresh));
    }
    return list;
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

val colorObject(const LayoutColor& color) {
    val object = val::object();
    object.set("red", color.red);
    object.set("green", color.green);
    object.set("blue", color.blue);
    object.set("alpha", color.alpha);
    return object;
}

const char* alignName(TextAlign align) {
    switch (align) {
    case TextAlign::Center:
        return "center";
    case TextAlign::Right:
        return "right";
    case TextAlign::Left:
        break;
    }
    return "left";
}

// The screen a layout text describes: sprites back to front (item, index,
// x, y, images by modifier), labels (item, index, frame, font size, colours,
// alignment) and the needle's four points; {error} for a text the parser
// refuses, with its line and reason.
val screenPlanOf(const std::string& layoutText) {
    StringsFileError error;
    const std::optional<StringTable> table = parseStringsFile(layoutText, &error);
    val object = val::object();
    if (!table) {
        object.set("error", "line " + std::to_string(error.line) + ": " + error.reason);
        return object;
    }
    const ScreenPlan plan = screenPlan(LayoutQueries(&*table, MAIN_VIEW_LAYOUT_PREFIX));
    val sprites = val::array();
    for (const SpriteItem& sprite : plan.sprites) {
        val entry = val::object();
        entry.set("item", sprite.itemID);
        entry.set("index", sprite.index);
        entry.set("x", sprite.origin.x);
        entry.set("y", sprite.origin.y);
        val images = val::object();
        for (const auto& [modifier, file] : sprite.images) {
            images.set(modifier, file);
        }
        entry.set("images", images);
        sprites.call<void>("push", entry);
    }
    val labels = val::array();
    for (const auto& [item, style] : plan.labels) {
        val entry = val::object();
        entry.set("item", std::string(item.itemID));
        entry.set("index", item.index);
        entry.set("x", style.frame.origin.x);
        entry.set("y", style.frame.origin.y);
        entry.set("width", style.frame.size.width);
        entry.set("height", style.frame.size.height);
        entry.set("fontSize", style.fontSize);
        entry.set("bright", colorObject(style.bright));
        entry.set("dim", colorObject(style.dim));
        entry.set("align", std::string(alignName(style.align)));
        labels.call<void>("push", entry);
    }
    val needle = val::object();
    needle.set("farRed", pointObject(plan.needlePoints.farRed));
    needle.set("nearRed", pointObject(plan.needlePoints.nearRed));
    needle.set("nearBlue", pointObject(plan.needlePoints.nearBlue));
    needle.set("farBlue", pointObject(plan.needlePoints.farBlue));
    object.set("sprites", sprites);
    object.set("labels", labels);
    object.set("needlePoints", needle);
    return object;
}

// The quiet caption under the head: the tuning's name when it is not
// standard, the reference pitch when it is not 440 Hz; "" for an unknown id.
std::string captionOf(const std::string& tuningID, int32_t referencePitch) {
    const Tuning* tuning = findTuning(tuningID);
    return tuning != nullptr ? tuningCaption(*tuning, referencePitch) : std::string();
}

// The stored settings' keys, defaults and ranges, as the desktop has them.
val settingsSchema() {
    val object = val::object();
    val keys = val::object();
    keys.set("volumeThreshold", std::string(settings::KEY_VOLUME_THRESHOLD));
    keys.set("greenZoneWidth", std::string(settings::KEY_GREEN_ZONE_CENTS_WIDTH));
    keys.set("hyperactivity", std::string(settings::KEY_HYPERACTIVITY_MODE));
    keys.set("tuningKey", std::string(settings::KEY_SELECTED_TUNING_KEY_INDEX));
    keys.set("tuning", std::string(settings::KEY_TUNING));
    keys.set("referencePitch", std::string(settings::KEY_REFERENCE_PITCH));
    keys.set("fineTuning", std::string(settings::KEY_FINE_TUNING));
    object.set("keys", keys);
    object.set("defaultVolumeThreshold", settings::DEFAULT_VOLUME_THRESHOLD);
    object.set("minVolumeThreshold", settings::MIN_VOLUME_THRESHOLD);
    object.set("maxVolumeThreshold", settings::MAX_VOLUME_THRESHOLD);
    object.set("defaultGreenZoneWidth", settings::DEFAULT_GREEN_ZONE_WIDTH);
    object.set("defaultTuning", std::string(standardTuning().id));
    object.set("defaultReferencePitch", DEFAULT_REFERENCE_PITCH);
    object.set("minReferencePitch", MIN_REFERENCE_PITCH);
    object.set("maxReferencePitch", MAX_REFERENCE_PITCH);
    object.set("magicKey", MAGIC_KEY_INDEX);
    return object;
}

// What the About box says: the version, the copyright and the licence.
val aboutTexts() {
    val object = val::object();
    object.set("version", std::string(OVRA_VERSION));
    object.set("copyright", std::string(OVRA_COPYRIGHT));
    object.set("license", std::string(OVRA_LICENSE_NOTICE));
    object.set("webPage", std::string(OVRA_WEB_PAGE));
    return object;
}

} // namespace

EMSCRIPTEN_BINDINGS(ovratuner) {
    emscripten::constant("FRAMES_PER_BUFFER", CAPTURE_FRAMES_PER_BUFFER);
    emscripten::constant("SAMPLE_RATE", static_cast<int32_t>(CAPTURE_SAMPLE_RATE));
    emscripten::constant("MAGIC_KEY", MAGIC_KEY_INDEX);
    emscripten::constant("MIN_REFERENCE_PITCH", MIN_REFERENCE_PITCH);
    emscripten::constant("MAX_REFERENCE_PITCH", MAX_REFERENCE_PITCH);
    emscripten::constant("DEFAULT_REFERENCE_PITCH", DEFAULT_REFERENCE_PITCH);
    emscripten::function("tunings", &tunings);
    emscripten::function("screenPlan", &screenPlanOf);
    emscripten::function("settingsSchema", &settingsSchema);
    emscripten::function("about", &aboutTexts);
    emscripten::function("sensitivityOfThreshold", &settings::sensitivityOfThreshold);
    emscripten::function("thresholdOfSensitivity", &settings::thresholdOfSensitivity);
    emscripten::function("tuningCaption", &captionOf);
    emscripten::function("litLedCount", &TunerDisplayModel::litLedCount);
    emscripten::class_<WebTuner>("Tuner")
        .constructor<>()
        .function("analyse", &analyse)
        .function("setTuning", &WebTuner::setTuning)
        .function("tuningKeyHit", &WebTuner::tuningKeyHit)
        .function("setVolumeThreshold", &WebTuner::setVolumeThreshold)
        .function("setHyperactive", &WebTuner::setHyperactive)
        .function("setFineTuning", &WebTuner::setFineTuning)
        .function("startStream", &WebTuner::startStream)
        .function("pushMicrophone", &pushMicrophone)
        .function("setNeedlePoints", &setNeedlePoints)
        .function("stringNames", &namesOf)
        .function("targetFrequencies", &targetsOf)
        .function("borderFrequencies", &bordersOf)
        .function("activeString", &activeString)
        .function("automatic", &automatic);
}

} // namespace ovra
