// The built-in note tables, note names, step counts and custom scales.
#include "music/WEXMusicUtil.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

namespace ovra {
namespace {

TEST(NoteTables, EntriesAreEqualTemperedToFiveSignificantDigitsAndTheirOwnNearest) {
    for (int32_t o = 0; o < OCTAVE_COUNT; ++o) {
        for (int32_t n = 0; n < NOTES_PER_OCTAVE; ++n) {
            const double exact = 440.0 * std::pow(2.0, (12 * o + n - 57) / 12.0);
            const double digitScale = std::pow(10.0, std::floor(std::log10(exact)) - 4);
            const double rounded = std::round(exact / digitScale) * digitScale;
            EXPECT_NEAR(WEXMusicUtil::frequencyOfNote(n, o), rounded, digitScale * 1e-6)
                << "octave " << o << " note " << n;
            int32_t octave = -1, note = -1;
            WEXMusicUtil::getNearestFrequency(OCTAVE[o][n], &octave, &note);
            EXPECT_EQ(std::pair(octave, note), std::pair(o, n));
        }
    }
}

TEST(NoteTables, LandmarkEntriesAndZeroOutOfRange) {
    EXPECT_EQ(WEXMusicUtil::frequencyOfNote(9, 4), 440.0);
    EXPECT_EQ(WEXMusicUtil::frequencyOfNote(0, 0), 16.352);
    EXPECT_EQ(WEXMusicUtil::frequencyOfNote(0, 4), 261.63);
    EXPECT_EQ(WEXMusicUtil::frequencyOfNote(4, 2), 82.407);
    EXPECT_EQ(WEXMusicUtil::frequencyOfNote(11, 7), 3951.1);
    EXPECT_EQ(OCTAVE[2], OCTAVE_2_FREQUENCIES);
    EXPECT_EQ(WEXMusicUtil::frequencyOfNote(12, 4), 0.0);
    EXPECT_EQ(WEXMusicUtil::frequencyOfNote(-1, 4), 0.0);
    EXPECT_EQ(WEXMusicUtil::frequencyOfNote(0, 8), 0.0);
    EXPECT_EQ(WEXMusicUtil::frequencyOfNote(0, -1), 0.0);
}

TEST(NoteNames, SharpsForCAndFFlatsOtherwiseEmptyOutsideTheOctave) {
    const char* expected[] = {"",   "C", "C#", "D", "Eb", "E", "F",
                              "F#", "G", "Ab", "A", "Bb", "B", ""};
    for (int32_t i = -1; i <= 12; ++i) {
        EXPECT_STREQ(WEXMusicUtil::nameOfRelativeNote(i), expected[i + 1]) << i;
    }
}

TEST(NoteSteps, HalfAndWholeStepsCarryNoteIndicesOutsideTheOctave) {
    EXPECT_EQ(WEXMusicUtil::getHalfStepsUp(4, 9), 57);
    EXPECT_EQ(WEXMusicUtil::getHalfStepsUp(0, 0), 0);
    EXPECT_EQ(WEXMusicUtil::getWholeStepsUp(4, 9), 33);
    EXPECT_EQ(WEXMusicUtil::getWholeStepsUp(1, 1), 7);
    EXPECT_EQ(WEXMusicUtil::getWholeStepsUp(0, 3), 2);  // Eb counts with E
    EXPECT_EQ(WEXMusicUtil::getWholeStepsUp(0, 10), 6); // Bb counts with B
    EXPECT_EQ(WEXMusicUtil::getWholeStepsUp(0, 12), WEXMusicUtil::getWholeStepsUp(1, 0));
    EXPECT_EQ(WEXMusicUtil::getWholeStepsUp(2, -1), WEXMusicUtil::getWholeStepsUp(1, 11));
}

TEST(AbsoluteIndex, SplitsIntoOctaveAndNoteEitherOfWhichMayBeSkipped) {
    int32_t octave = -9, note = -9;
    WEXMusicUtil::determineOctaveNumber(&octave, &note, 57);
    EXPECT_EQ(std::pair(octave, note), std::pair(4, 9));
    WEXMusicUtil::determineOctaveNumber(&octave, &note, -1);
    EXPECT_EQ(std::pair(octave, note), std::pair(0, -1));
    WEXMusicUtil::determineOctaveNumber(nullptr, &note, 13);
    WEXMusicUtil::determineOctaveNumber(&octave, nullptr, 95);
    EXPECT_EQ(std::pair(octave, note), std::pair(7, 1));
}

TEST(CustomScale, A4IsTheReferenceAndOctavesDouble) {
    EXPECT_EQ(WEXMusicUtil::frequencyOfCustomScaleNote(57, 432.0), 432.0);
    EXPECT_DOUBLE_EQ(WEXMusicUtil::frequencyOfCustomScaleNote(69, 432.0), 864.0);
    EXPECT_DOUBLE_EQ(WEXMusicUtil::frequencyOfCustomScaleNote(45, 440.0), 220.0);
}

TEST(CustomScale, At440ItIsTheUnroundedTableAndOnlyTheGivenLengthIsFilled) {
    std::vector<double> scale(97, -1.0);
    WEXMusicUtil::fillCustomScale(scale.data(), 96, 440.0);
    for (int32_t i = 0; i < 96; ++i) {
        const double table = WEXMusicUtil::frequencyOfNote(i % 12, i / 12);
        EXPECT_NEAR(scale[i], table, table * 5e-5) << i;
    }
    EXPECT_EQ(scale[96], -1.0);
    WEXMusicUtil::fillCustomScale(nullptr, 2, 440.0); // nothing to fill, no crash
}

} // namespace
} // namespace ovra
