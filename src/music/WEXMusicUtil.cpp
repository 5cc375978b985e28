// SPDX-License-Identifier: GPL-3.0-or-later
#include "music/WEXMusicUtil.hpp"

#include "common/SystemLog.hpp"

#include <atomic>
#include <cmath>
#include <limits>
#include <mutex>

namespace ovra {

const double OCTAVE_0_FREQUENCIES[NOTES_PER_OCTAVE] = {
    16.352, 17.324, 18.354, 19.445, 20.602, 21.827, 23.125, 24.5, 25.957, 27.5, 29.135, 30.868};
const double OCTAVE_1_FREQUENCIES[NOTES_PER_OCTAVE] = {
    32.703, 34.648, 36.708, 38.891, 41.203, 43.654, 46.249, 48.999, 51.913, 55.0, 58.27, 61.735};
const double OCTAVE_2_FREQUENCIES[NOTES_PER_OCTAVE] = {
    65.406, 69.296, 73.416, 77.782, 82.407, 87.307, 92.499, 97.999, 103.83, 110.0, 116.54, 123.47};
const double OCTAVE_3_FREQUENCIES[NOTES_PER_OCTAVE] = {
    130.81, 138.59, 146.83, 155.56, 164.81, 174.61, 185.0, 196.0, 207.65, 220.0, 233.08, 246.94};
const double OCTAVE_4_FREQUENCIES[NOTES_PER_OCTAVE] = {
    261.63, 277.18, 293.66, 311.13, 329.63, 349.23, 369.99, 392.0, 415.3, 440.0, 466.16, 493.88};
const double OCTAVE_5_FREQUENCIES[NOTES_PER_OCTAVE] = {
    523.25, 554.37, 587.33, 622.25, 659.26, 698.46, 739.99, 783.99, 830.61, 880.0, 932.33, 987.77};
const double OCTAVE_6_FREQUENCIES[NOTES_PER_OCTAVE] = {
    1046.5, 1108.7, 1174.7, 1244.5, 1318.5, 1396.9, 1480.0, 1568.0, 1661.2, 1760.0, 1864.7, 1975.5};
const double OCTAVE_7_FREQUENCIES[NOTES_PER_OCTAVE] = {
    2093.0, 2217.5, 2349.3, 2489.0, 2637.0, 2793.8, 2960.0, 3136.0, 3322.4, 3520.0, 3729.3, 3951.1};

const double* const OCTAVE[OCTAVE_COUNT] = {
    OCTAVE_0_FREQUENCIES, OCTAVE_1_FREQUENCIES, OCTAVE_2_FREQUENCIES, OCTAVE_3_FREQUENCIES,
    OCTAVE_4_FREQUENCIES, OCTAVE_5_FREQUENCIES, OCTAVE_6_FREQUENCIES, OCTAVE_7_FREQUENCIES};

const char* const OCTAVE_NOTES[NOTES_PER_OCTAVE] = {"C",  "C#", "D",  "Eb", "E",  "F",
                                                    "F#", "G",  "Ab", "A",  "Bb", "B"};

// A sharp counts with the note below, a flat with the note above, as named.
const int32_t OCTAVE_NOTE_WHOLE_STEPS[NOTES_PER_OCTAVE] = {0, 0, 1, 2, 2, 3, 3, 4, 5, 5, 6, 6};

namespace {

// 0.0 until initialize(); atomic because the analysis tool may use the class
// from more than one thread.
std::atomic<double> CENTS_FACTOR{0.0};
std::atomic<bool> initialized{false};

constexpr int32_t A4_ABSOLUTE_INDEX = 57;

// The one bracket walk behind both nearest-match searches: the first
// position whose value is at or above x while the one before (0.0 at the
// start) is at or below it. Ties go to the upper position. Returns the
// chosen position (-1 when it lies before the start), or `count` when no
// bracket exists.
template <typename ValueAt> int32_t nearestPosition(double x, int32_t count, ValueAt valueAt) {
    double previous = 0.0;
    for (int32_t i = 0; i < count; ++i) {
        const double current = valueAt(i);
        if (x >= previous && current >= x) {
            return (x - previous < current - x) ? i - 1 : i;
        }
        previous = current;
    }
    return count;
}

} // namespace

// Every operation starts with this, so the class is ready at its first use
// whoever makes it; the later calls cost one check.
void WEXMusicUtil::initialize() {
    static std::once_flag once;
    std::call_once(once, [] {
        if (!initialized.load()) {
            CENTS_FACTOR.store(1200.0 / std::log(2.0));
            initialized.store(true);
        }
    });
}

double WEXMusicUtil::centsFactor() {
    return CENTS_FACTOR.load();
}

double WEXMusicUtil::getCentsDifference(double a, double comparedTo) {
    initialize();
    // Cannot happen after the initialize() above; kept as the last guard
    // against a zero factor silently turning every offset into 0 cents.
    if (CENTS_FACTOR.load() == 0.0) {
        systemLog("Warning: WEXMusicUtil initializer had not been called");
        initialize();
    }
    return std::log(a / comparedTo) * CENTS_FACTOR.load();
}

double WEXMusicUtil::getCentsFromStandard(double frequency) {
    initialize();
    const double nearest = getNearestFrequency(frequency, nullptr, nullptr);
    return getCentsDifference(frequency, nearest);
}

double WEXMusicUtil::getDeltaCents(double a, double comparedTo) {
    initialize();
    const double difference = a - comparedTo;
    if (std::isnan(difference)) {
        return difference;
    }
    // Truncation toward zero to 32 bits, saturating instead of overflowing.
    int64_t whole = 0;
    if (difference >= 2147483647.0) {
        whole = 2147483647;
    } else if (difference <= -2147483648.0) {
        whole = -2147483648LL;
    } else {
        whole = static_cast<int32_t>(difference);
    }
    double delta = static_cast<double>(whole < 0 ? -whole : whole);
    if (delta > 50.0) {
        delta -= 50.0;
    }
    return delta;
}

double WEXMusicUtil::getFrequencyFromBaseFrequency(double base, double withCentsDifference) {
    initialize();
    return std::pow(2.0, withCentsDifference / 1200.0) * base;
}

namespace {

// Note indices outside 0..11 carry into the octave, so that every index has
// a defined place in the scale.
void normalise(int32_t& octaves, int32_t& noteIndex) {
    int32_t carry = noteIndex / NOTES_PER_OCTAVE;
    int32_t note = noteIndex % NOTES_PER_OCTAVE;
    if (note < 0) {
        note += NOTES_PER_OCTAVE;
        --carry;
    }
    octaves += carry;
    noteIndex = note;
}

} // namespace

int32_t WEXMusicUtil::getHalfStepsUp(int32_t octaves, int32_t atNoteIndex) {
    initialize();
    return NOTES_PER_OCTAVE * octaves + atNoteIndex;
}

int32_t WEXMusicUtil::getWholeStepsUp(int32_t octaves, int32_t atNoteIndex) {
    initialize();
    normalise(octaves, atNoteIndex);
    return 7 * octaves + OCTAVE_NOTE_WHOLE_STEPS[atNoteIndex];
}

double WEXMusicUtil::getNearestFrequency(double frequency, int32_t* andReturnOctaveNumber,
                                         int32_t* andNoteIndex) {
    initialize();
    const int32_t count = OCTAVE_COUNT * NOTES_PER_OCTAVE;
    const int32_t position = nearestPosition(frequency, count, [](int32_t i) {
        return OCTAVE[i / NOTES_PER_OCTAVE][i % NOTES_PER_OCTAVE];
    });
    if (position == count) {
        return 0.0;
    }
    double answer = 0.0;
    int32_t octave = 0;
    int32_t note = NOTES_PER_OCTAVE - 1;
    if (position >= 0) {
        octave = position / NOTES_PER_OCTAVE;
        note = position % NOTES_PER_OCTAVE;
        answer = OCTAVE[octave][note];
    }
    if (andReturnOctaveNumber != nullptr) {
        *andReturnOctaveNumber = octave;
    }
    if (andNoteIndex != nullptr) {
        *andNoteIndex = note;
    }
    return answer;
}

double WEXMusicUtil::frequencyOfNote(int32_t note, int32_t inOctave) {
    initialize();
    if (note < 0 || note >= NOTES_PER_OCTAVE || inOctave < 0 || inOctave >= OCTAVE_COUNT) {
        return 0.0;
    }
    return OCTAVE[inOctave][note];
}

void WEXMusicUtil::determineOctaveNumber(int32_t* octaveNumber, int32_t* noteIndex,
                                         int32_t fromAbsoluteIndex) {
    initialize();
    if (octaveNumber != nullptr) {
        *octaveNumber = fromAbsoluteIndex / NOTES_PER_OCTAVE;
    }
    if (noteIndex != nullptr) {
        *noteIndex = fromAbsoluteIndex % NOTES_PER_OCTAVE;
    }
}

double WEXMusicUtil::frequencyOfCustomScaleNote(int32_t absoluteIndex, double withA4Frequency) {
    initialize();
    return std::pow(2.0, (absoluteIndex - A4_ABSOLUTE_INDEX) / 12.0) * withA4Frequency;
}

int32_t WEXMusicUtil::indexOfNearestMatchForNumber(double number, const double* withSortedArray,
                                                   int32_t withArrayLength) {
    initialize();
    if (withSortedArray == nullptr || withArrayLength <= 0) {
        return 0;
    }
    const int32_t position = nearestPosition(
        number, withArrayLength, [withSortedArray](int32_t i) { return withSortedArray[i]; });
    if (position == withArrayLength || position < 0) {
        return 0;
    }
    return position;
}

int32_t WEXMusicUtil::nearestAbsoluteIndexForFrequency(double frequency,
                                                       const double* withCustomScaleArray,
                                                       int32_t withArrayLength) {
    initialize();
    return indexOfNearestMatchForNumber(frequency, withCustomScaleArray, withArrayLength);
}

void WEXMusicUtil::fillCustomScale(double* array, int32_t withArrayLength, double forA4Frequency) {
    initialize();
    if (array == nullptr) {
        return;
    }
    for (int32_t i = 0; i < withArrayLength; ++i) {
        array[i] = frequencyOfCustomScaleNote(i, forA4Frequency);
    }
}

const char* WEXMusicUtil::nameOfRelativeNote(int32_t noteIndex) {
    initialize();
    if (noteIndex < 0 || noteIndex >= NOTES_PER_OCTAVE) {
        return "";
    }
    return OCTAVE_NOTES[noteIndex];
}

std::string WEXMusicUtil::nameOfNearestNote(double frequency) {
    int32_t octave = 0;
    int32_t note = 0;
    // Close to 0 Hz the search answers 0.0 (with "B0"): no note to name there.
    if (getNearestFrequency(frequency, &octave, &note) == 0.0) {
        return {};
    }
    return nameOfRelativeNote(note) + std::to_string(octave);
}

} // namespace ovra
