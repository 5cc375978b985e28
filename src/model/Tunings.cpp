// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Tunings.hpp"

#include "music/WEXMusicUtil.hpp"

#include <algorithm>

namespace ovra {

namespace {

// The Qt front end shows the names translated; lupdate finds them by this
// marker, which here leaves the text as it is.
#define QT_TRANSLATE_NOOP(context, text) text

constexpr std::array<Tuning, 9> TUNINGS{{
    {"standard", QT_TRANSLATE_NOOP("Tunings", "Standard"), {"E2", "A2", "D3", "G3", "B3", "E4"}},
    {"half-step-down",
     QT_TRANSLATE_NOOP("Tunings", "Half step down"),
     {"E♭2", "A♭2", "D♭3", "G♭3", "B♭3", "E♭4"}},
    {"whole-step-down",
     QT_TRANSLATE_NOOP("Tunings", "Whole step down"),
     {"D2", "G2", "C3", "F3", "A3", "D4"}},
    {"drop-d", QT_TRANSLATE_NOOP("Tunings", "Drop D"), {"D2", "A2", "D3", "G3", "B3", "E4"}},
    {"drop-c", QT_TRANSLATE_NOOP("Tunings", "Drop C"), {"C2", "G2", "C3", "F3", "A3", "D4"}},
    {"dadgad", QT_TRANSLATE_NOOP("Tunings", "DADGAD"), {"D2", "A2", "D3", "G3", "A3", "D4"}},
    {"open-g", QT_TRANSLATE_NOOP("Tunings", "Open G"), {"D2", "G2", "D3", "G3", "B3", "D4"}},
    {"open-d", QT_TRANSLATE_NOOP("Tunings", "Open D"), {"D2", "A2", "D3", "F♯3", "A3", "D4"}},
    {"open-e", QT_TRANSLATE_NOOP("Tunings", "Open E"), {"E2", "B2", "E3", "G♯3", "B3", "E4"}},
}};

#undef QT_TRANSLATE_NOOP

} // namespace

std::span<const Tuning> builtInTunings() {
    return TUNINGS;
}

const Tuning& standardTuning() {
    return TUNINGS.front();
}

const Tuning* findTuning(std::string_view id) {
    const auto found =
        std::find_if(TUNINGS.begin(), TUNINGS.end(), [id](const Tuning& t) { return t.id == id; });
    return found != TUNINGS.end() ? &*found : nullptr;
}

bool isValidReferencePitch(int32_t hertz) {
    return hertz >= MIN_REFERENCE_PITCH && hertz <= MAX_REFERENCE_PITCH;
}

std::string tuningCaption(const Tuning& tuning, int32_t referencePitch) {
    std::string caption = tuning.id == STANDARD_TUNING_ID ? "" : std::string(tuning.name);
    if (referencePitch != DEFAULT_REFERENCE_PITCH) {
        caption += (caption.empty() ? "" : "\n") + referencePitchText(referencePitch);
    }
    return caption;
}

std::string referencePitchText(int32_t referencePitch) {
    return "A4 = " + std::to_string(referencePitch) + " Hz";
}

std::string tuningNotesText(const Tuning& tuning) {
    std::string text;
    for (std::string_view note : tuning.notes) {
        text += text.empty() ? "" : " ";
        text += note;
    }
    return text;
}

std::string spelledForReading(std::string_view note) {
    std::string spelled(note);
    if (spelled.size() >= 2 && spelled[0] >= 'A' && spelled[0] <= 'G') {
        if (spelled[1] == '#') {
            spelled.replace(1, 1, "\u266f");
        } else if (spelled[1] == 'b') {
            spelled.replace(1, 1, "\u266d");
        }
    }
    return spelled;
}

int32_t absoluteNoteIndex(std::string_view note) {
    static constexpr std::string_view LETTERS = "C D EF G A B";
    const size_t letter = note.empty() ? std::string_view::npos : LETTERS.find(note.front());
    if (letter == std::string_view::npos || note.front() == ' ') {
        return -1;
    }
    int32_t index = static_cast<int32_t>(letter);
    note.remove_prefix(1);
    for (const auto& [sign, step] :
         {std::pair<std::string_view, int32_t>{"♯", 1}, {"#", 1}, {"♭", -1}, {"b", -1}}) {
        if (note.starts_with(sign)) {
            index += step;
            note.remove_prefix(sign.size());
            break;
        }
    }
    if (note.size() != 1 || note.front() < '0' || note.front() > '9') {
        return -1;
    }
    return index + (note.front() - '0') * NOTES_PER_OCTAVE;
}

std::array<float, STRING_COUNT> targetFrequencies(const Tuning& tuning, int32_t referencePitch) {
    // The classic table was written in rounded decimals; keeping it makes the
    // default display exactly what it always was.
    if (tuning.id == STANDARD_TUNING_ID && referencePitch == DEFAULT_REFERENCE_PITCH) {
        return OVRA_TARGET_FREQUENCIES;
    }
    std::array<float, STRING_COUNT> targets{};
    for (size_t i = 0; i < targets.size(); ++i) {
        targets[i] = static_cast<float>(WEXMusicUtil::frequencyOfCustomScaleNote(
            absoluteNoteIndex(tuning.notes[i]), static_cast<double>(referencePitch)));
    }
    return targets;
}

} // namespace ovra
