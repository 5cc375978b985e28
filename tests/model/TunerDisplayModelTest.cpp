// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/TunerDisplayModel.hpp"

#include "engine/FrequencySmoother.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>

namespace ovra {
namespace {

// Reference points with distinct x and y so both coordinates are checked.
const NeedlePoints kPoints{
    /*farRed*/ {300.0f, 40.0f},
    /*nearRed*/ {180.0f, 20.0f},
    /*nearBlue*/ {140.0f, 20.0f},
    /*farBlue*/ {20.0f, 40.0f},
};

// A frequency exactly on a border goes to the higher string. (The borders'
// values, for every tuning and pitch, are the tuning table's business.)
TEST(AutomaticSelection, PicksTheStringWhoseRangeHoldsTheFrequency) {
    TunerDisplayModel model;
    for (size_t i = 0; i < 5; ++i) {
        model.autoSelectTuningKey(model.borderFrequencies()[i]);
        EXPECT_EQ(model.activeTuningKeyIndex(), static_cast<int32_t>(i + 1));
    }
    const struct {
        float frequency;
        int32_t string;
    } cases[] = {{50.0f, 0},  {82.4f, 0},   {110.0f, 1}, {146.8f, 2}, {196.0f, 3},
                 {220.0f, 3}, {220.01f, 4}, {246.9f, 4}, {329.6f, 5}, {400.0f, 5}};
    for (const auto& c : cases) {
        model.autoSelectTuningKey(c.frequency);
        EXPECT_EQ(model.activeTuningKeyIndex(), c.string) << c.frequency << " Hz";
    }
    EXPECT_FALSE(model.tuningKeyHit(7) || model.tuningKeyHit(-1)) << "not keys";
}

// The needle is a measuring pointer: 0 cents is the midpoint, +-5 cents (the
// in-tune cutoff) are the near points, +-200 cents and beyond the far points,
// and in between it never moves against the cents nor jumps.
TEST(NeedleMapping, ContinuousAndMonotonicThroughTheNearAndFarPoints) {
    const auto at = [](float cents) {
        return TunerDisplayModel::needleTarget(cents, kPoints).point();
    };
    const struct {
        float cents;
        Point expected;
    } table[] = {{0.0f, {160.0f, 20.0f}},   {2.5f, {170.0f, 20.0f}},
                 {-2.5f, {150.0f, 20.0f}},  {5.0f, kPoints.nearRed},
                 {-5.0f, kPoints.nearBlue}, {102.5f, {240.0f, 30.0f}}, // halfway from near to far
                 {200.0f, kPoints.farRed},  {-200.0f, kPoints.farBlue},
                 {1e30f, kPoints.farRed},   {-250.0f, kPoints.farBlue}};
    for (const auto& row : table) {
        EXPECT_NEAR(at(row.cents).x, row.expected.x, 1e-4f) << row.cents << " cents";
        EXPECT_NEAR(at(row.cents).y, row.expected.y, 1e-4f) << row.cents << " cents";
    }
    // Steps of a hundredth of a cent: red is to the right, so x follows the
    // cents, and no step is worth a pixel.
    Point previous = at(-300.0f);
    for (int step = -29999; step <= 30000; ++step) {
        const float cents = static_cast<float>(step) / 100.0f;
        const Point p = at(cents);
        ASSERT_GE(p.x, previous.x) << cents << " cents";
        ASSERT_LE(std::hypot(p.x - previous.x, p.y - previous.y), 1.0f) << cents << " cents";
        previous = p;
    }
}

TEST(LedBar, LitCountIsTheLevelInTenthsTruncated) {
    const struct {
        float level;
        int32_t lit;
    } table[] = {{0.0f, 0},          {0.0999f, 0}, {0.1f, 1},
                 {0.55f, 5},         {0.95f, 9},   {32767.0f / 32768.0f, 9},
                 {std::nanf(""), 0}, {-1.0f, 0}};
    for (const auto& row : table) {
        EXPECT_EQ(TunerDisplayModel::litLedCount(row.level), row.lit) << row.level;
    }
}

// A quiet buffer (not above the threshold) dims the meter but still sets the
// LEDs (the browser's screen reads them here); smoothed, automatic mode
// waits; a chosen string is never reselected, nor are the keys redrawn
// (where it puts the needle is the screen's test's).
TEST(Refresh, QuietSmoothedAndManualBuffers) {
    TunerDisplayModel model;
    const auto quiet = model.refresh(0.55f, 110.0f, 500.0f, 500, true, nullptr, kPoints);
    EXPECT_EQ(quiet.litLeds, 5);
    EXPECT_EQ(quiet.meter, RefreshOutcome::Meter::Dim);
    EXPECT_FALSE(quiet.needle.has_value() || quiet.displayFrequency.has_value());
    model.tuningKeyHit(6);
    FrequencySmoother smoother;
    for (int i = 0; i < 2; ++i) {
        const auto waiting = model.refresh(0.3f, 220.0f, 1e6f, 500, false, &smoother, kPoints);
        EXPECT_EQ(waiting.meter, RefreshOutcome::Meter::Unchanged) << "reading " << i;
        EXPECT_FALSE(waiting.needle.has_value());
    }
    const auto smoothed = model.refresh(0.3f, 220.0f, 1e6f, 500, false, &smoother, kPoints);
    EXPECT_EQ(smoothed.meter, RefreshOutcome::Meter::Bright);
    EXPECT_TRUE(smoothed.selectionChanged);
    EXPECT_EQ(model.activeTuningKeyIndex(), 3);
    ASSERT_TRUE(smoothed.displayFrequency.has_value());
    EXPECT_FLOAT_EQ(*smoothed.displayFrequency, 220.0f);

    model.tuningKeyHit(0);
    EXPECT_FALSE(model.refresh(0.3f, 330.0f, 1e6f, 500, true, nullptr, kPoints).selectionChanged);
}

// Nearest note with octave (the sharps and flats of the note table), one
// decimal of hertz, whole cents with a true minus sign; nothing for what is
// no note.
TEST(Refresh, ReadoutNamesTheNearestNoteAndRoundsHertzAndCents) {
    const struct {
        float frequency, cents;
        ReadoutTexts texts;
    } table[] = {{77.0f, -12.6f, {"Eb2", "77.0 Hz", "\u221213 \u00a2"}},
                 {277.18f, 2.5f, {"C#4", "277.2 Hz", "+3 \u00a2"}},
                 {233.1f, -0.49f, {"Bb3", "233.1 Hz", "0 \u00a2"}},
                 {4000.0f, 1e30f, {"", "4000.0 Hz", ""}},
                 {5.0f, std::nanf(""), {"", "5.0 Hz", ""}}};
    for (const auto& row : table) {
        EXPECT_EQ(TunerDisplayModel::readoutTexts(row.frequency, row.cents), row.texts)
            << row.frequency;
    }
    // Fine tuning's readout: tenths, signed by what is shown.
    const auto tenths = [](float cents) {
        return TunerDisplayModel::readoutTexts(110.0f, cents, 440, 1).cents;
    };
    EXPECT_EQ(tenths(0.44f) + tenths(-0.04f) + tenths(-12.36f) + tenths(2.0f),
              "+0.4 \u00a20.0 \u00a2\u221212.4 \u00a2+2.0 \u00a2");
    // What a person reads: the signs, not the ASCII the analyser prints.
    EXPECT_EQ(spelledForReading("Eb2") + spelledForReading("C#4") + spelledForReading("B3") +
                  spelledForReading("") + spelledForReading("b#"),
              "E\u266d2C\u266f4B3b#");
}

// Standard at 440 is the classic table bit for bit; every tuning's targets
// rise from the lowest string. (Each target's value is the tuning table's.)
TEST(Tunings, TargetsAreTheNotesOfTheTuningFromTheReferencePitch) {
    const auto standard = targetFrequencies(standardTuning(), 440);
    EXPECT_EQ(0, std::memcmp(standard.data(), OVRA_TARGET_FREQUENCIES.data(), sizeof standard));
    for (const Tuning& tuning : builtInTunings()) {
        const auto targets = targetFrequencies(tuning, 440);
        EXPECT_TRUE(std::is_sorted(targets.begin(), targets.end(), std::less_equal<float>()) &&
                    targets[0] > 60.0f && targets[5] < 340.0f)
            << tuning.id;
    }
    for (const char* bad : {"", "H2", "E", "E22", "E\u266d", "e2"}) {
        EXPECT_EQ(absoluteNoteIndex(bad), -1) << bad;
    }
}

TEST(Tunings, BordersSelectionCentsNamesAndReadoutFollowTheTuning) {
    TunerDisplayModel model;
    model.tuningKeyHit(6);
    model.setTuning(*findTuning("drop-d"), 440);
    const auto outcome = model.refresh(0.3f, 73.5f, 1e6f, 500, true, nullptr, kPoints);
    EXPECT_EQ(model.activeTuningKeyIndex(), 0);
    EXPECT_NEAR(*outcome.cents, 1.97f, 0.01f);
    model.autoSelectTuningKey(95.0f); // below standard's first border, above drop D's
    EXPECT_EQ(model.activeTuningKeyIndex(), 1);

    const auto names = [&model](const char* tuning) {
        model.setTuning(*findTuning(tuning), 440);
        std::string all;
        for (int32_t i = 0; i < STRING_COUNT; ++i) {
            all += model.stringName(i) + " ";
        }
        return all;
    };
    EXPECT_EQ(names("standard"), "E2 A D G B E4 ");
    EXPECT_EQ(names("dadgad"), "D2 A2 D3 G A3 D4 ");
    EXPECT_EQ(names("open-e"), "E2 B2 E3 G\u266f B3 E4 ");
    EXPECT_EQ(names("half-step-down"), "E\u266d2 A\u266d D\u266d G\u266d B\u266d E\u266d4 ");

    EXPECT_EQ(TunerDisplayModel::readoutTexts(103.8f, 0.0f, 415).note, "A2");
    EXPECT_EQ(TunerDisplayModel::readoutTexts(103.8f, 0.0f, 440).note, "Ab2");
}

} // namespace
} // namespace ovra
