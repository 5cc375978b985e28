// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace ovra {

// Equal-tempered note tables, octaves 0..7, note index 0 = C .. 11 = B, in Hz
// rounded to five significant digits (A4 = 440).
inline constexpr int32_t OCTAVE_COUNT = 8;
inline constexpr int32_t NOTES_PER_OCTAVE = 12;
extern const double OCTAVE_0_FREQUENCIES[NOTES_PER_OCTAVE];
extern const double OCTAVE_1_FREQUENCIES[NOTES_PER_OCTAVE];
extern const double OCTAVE_2_FREQUENCIES[NOTES_PER_OCTAVE];
extern const double OCTAVE_3_FREQUENCIES[NOTES_PER_OCTAVE];
extern const double OCTAVE_4_FREQUENCIES[NOTES_PER_OCTAVE];
extern const double OCTAVE_5_FREQUENCIES[NOTES_PER_OCTAVE];
extern const double OCTAVE_6_FREQUENCIES[NOTES_PER_OCTAVE];
extern const double OCTAVE_7_FREQUENCIES[NOTES_PER_OCTAVE];
extern const double* const OCTAVE[OCTAVE_COUNT];
extern const char* const OCTAVE_NOTES[NOTES_PER_OCTAVE];
extern const int32_t OCTAVE_NOTE_WHOLE_STEPS[NOTES_PER_OCTAVE];

// Cents, note tables and note names. Class-level only; the one piece of
// state is the cents factor computed by initialize() on first use.
class WEXMusicUtil {
public:
    WEXMusicUtil() = delete;

    // Computes the cents factor 1200 / ln 2 once; later calls do nothing.
    // Every other operation calls it first, so no caller has to.
    static void initialize();
    // 0.0 until initialize() has run.
    static double centsFactor();

    // Cents from comparedTo up to a: 1200 * log2(a / comparedTo).
    static double getCentsDifference(double a, double comparedTo);
    // Cents from the nearest table note (+infinity above the table).
    static double getCentsFromStandard(double frequency);
    // |trunc(a - comparedTo)|, less 50 once when above 50.
    static double getDeltaCents(double a, double comparedTo);
    static double getFrequencyFromBaseFrequency(double base, double withCentsDifference);
    static int32_t getHalfStepsUp(int32_t octaves, int32_t atNoteIndex);
    static int32_t getWholeStepsUp(int32_t octaves, int32_t atNoteIndex);

    // Nearest table frequency (ties to the upper note), or 0.0 above B7,
    // below zero or for not-a-number, in which case nothing is written.
    static double getNearestFrequency(double frequency, int32_t* andReturnOctaveNumber,
                                      int32_t* andNoteIndex);
    // Table entry; 0.0 for a note or octave outside the table.
    static double frequencyOfNote(int32_t note, int32_t inOctave);
    static void determineOctaveNumber(int32_t* octaveNumber, int32_t* noteIndex,
                                      int32_t fromAbsoluteIndex);

    // Equal-tempered scale on any A4 (absolute index 57).
    static double frequencyOfCustomScaleNote(int32_t absoluteIndex, double withA4Frequency);
    static int32_t indexOfNearestMatchForNumber(double number, const double* withSortedArray,
                                                int32_t withArrayLength);
    static int32_t nearestAbsoluteIndexForFrequency(double frequency,
                                                    const double* withCustomScaleArray,
                                                    int32_t withArrayLength);
    static void fillCustomScale(double* array, int32_t withArrayLength, double forA4Frequency);

    // "C", "C#", ... "B"; "" for an index outside 0..11.
    static const char* nameOfRelativeNote(int32_t noteIndex);
    // The nearest table note with its octave, "A2" or "Eb4"; "" where the
    // nearest-note search finds no table note.
    static std::string nameOfNearestNote(double frequency);
};

} // namespace ovra
