// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace ovra {

// The guitar: six strings, lowest first, and a seventh key, the magic key,
// that lets the tuner choose the string.
inline constexpr int32_t STRING_COUNT = 6;
inline constexpr int32_t MAGIC_KEY_INDEX = 6;

// Target of each string in standard tuning at A4 = 440, lowest string (E2)
// first: the classic table, rounded as it has always been.
inline constexpr std::array<float, STRING_COUNT> OVRA_TARGET_FREQUENCIES = {
    82.407f, 110.0f, 146.83f, 196.0f, 246.94f, 329.63f};

// The pitch of A4 the targets are tuned from, in whole hertz.
inline constexpr int32_t DEFAULT_REFERENCE_PITCH = 440;
inline constexpr int32_t MIN_REFERENCE_PITCH = 415;
inline constexpr int32_t MAX_REFERENCE_PITCH = 466;

inline constexpr std::string_view STANDARD_TUNING_ID = "standard";

// A tuning of the six strings, lowest first. Notes are written as guitarists
// write them for that tuning, in UTF-8: "E2", "E♭2", "G♯3".
struct Tuning {
    std::string_view id;
    std::string_view name;
    std::array<std::string_view, STRING_COUNT> notes;
};

// The built-in tunings, standard first.
std::span<const Tuning> builtInTunings();
const Tuning& standardTuning();
// Null for an id that is not built in.
const Tuning* findTuning(std::string_view id);

bool isValidReferencePitch(int32_t hertz);

// What the screen says of a tuning, quietly: its name unless it is standard
// and, on a line of its own, "A4 = 442 Hz" unless the pitch is 440. Empty
// for standard at 440, which needs no saying.
std::string tuningCaption(const Tuning& tuning, int32_t referencePitch);

// "A4 = 442 Hz".
std::string referencePitchText(int32_t referencePitch);

// The six notes as one line: "D2 A2 D3 G3 B3 E4".
std::string tuningNotesText(const Tuning& tuning);

// A note name from the note tables ("C#1", "Bb0") as a person reads it, with
// the sharp and flat signs ("C♯1", "B♭0"); anything else comes back as it is.
// The analyser's output keeps the ASCII names.
std::string spelledForReading(std::string_view note);

// Semitones from C0 of a note written like "E♭2" or "F#3"; -1 when the text
// is not such a note.
int32_t absoluteNoteIndex(std::string_view note);

// The equal-tempered frequency of each string's note from A4 at
// `referencePitch`, in single precision. Standard tuning at 440 gives the
// classic target table bit for bit.
std::array<float, STRING_COUNT> targetFrequencies(const Tuning& tuning, int32_t referencePitch);

} // namespace ovra
