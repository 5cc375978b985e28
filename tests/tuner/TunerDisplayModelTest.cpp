#include "tuner/TunerDisplayModel.hpp"

#include "engine/FrequencySmoother.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace ovra {
namespace {

// Reference points with distinct x and y so both coordinates are checked.
const NeedlePoints kPoints{
    /*farRed*/ {300.0f, 40.0f},
    /*nearRed*/ {180.0f, 20.0f},
    /*nearBlue*/ {140.0f, 20.0f},
    /*farBlue*/ {20.0f, 40.0f},
};

TEST(BorderFrequencies, LieHalfwayInCentsBetweenNeighbouringStrings) {
    TunerDisplayModel model;
    const auto& borders = model.borderFrequencies();
    const float expected[5] = {95.209f, 127.088f, 169.643f, 220.001f, 285.305f};
    for (int i = 0; i < 5; ++i) {
        EXPECT_NEAR(borders[static_cast<size_t>(i)], expected[i], 0.0006f) << "border " << i;
    }
}

TEST(AutomaticSelection, PicksTheStringWhoseRangeHoldsTheFrequency) {
    TunerDisplayModel model;
    const struct {
        float frequency;
        int32_t string;
    } cases[] = {{50.0f, 0},  {82.4f, 0},   {110.0f, 1}, {146.8f, 2}, {196.0f, 3},
                 {220.0f, 3}, {220.01f, 4}, {246.9f, 4}, {329.6f, 5}, {400.0f, 5}};
    for (const auto& c : cases) {
        model.autoSelectTuningKey(c.frequency);
        EXPECT_EQ(model.activeTuningKeyIndex(), c.string) << c.frequency << " Hz";
    }
}

TEST(AutomaticSelection, AFrequencyOnABorderGoesToTheHigherString) {
    TunerDisplayModel model;
    for (int i = 0; i < 5; ++i) {
        model.autoSelectTuningKey(model.borderFrequencies()[static_cast<size_t>(i)]);
        EXPECT_EQ(model.activeTuningKeyIndex(), i + 1);
    }
}

// Inside +-5 cents the needle moves on the line through the near points
// (+-2.5 on them); outside it goes from a near point towards its far point
// by cents/195, and rests exactly on the far point beyond 200 cents.
TEST(NeedleMapping, GreenZoneNearPointsFractionOf195AndFarPointCutoff) {
    const float t5 = 5.0f / 195.0f;
    const float t200 = 200.0f / 195.0f;
    const struct {
        float cents;
        Point expected;
    } table[] = {{0.0f, {160.0f, 20.0f}},
                 {2.5f, {180.0f, 20.0f}},
                 {-2.5f, {140.0f, 20.0f}},
                 {4.0f, {192.0f, 20.0f}}, // past near red by 0.3 of the near-to-near span
                 {5.0f, {180.0f + 120.0f * t5, 20.0f + 20.0f * t5}},
                 {-5.0f, {140.0f - 120.0f * t5, 20.0f + 20.0f * t5}},
                 {200.0f, {180.0f + 120.0f * t200, 20.0f + 20.0f * t200}}};
    for (const auto& row : table) {
        const Point actual = TunerDisplayModel::needleTarget(row.cents, kPoints).point();
        EXPECT_FLOAT_EQ(actual.x, row.expected.x) << row.cents << " cents";
        EXPECT_FLOAT_EQ(actual.y, row.expected.y) << row.cents << " cents";
    }
    for (float cents : {200.5f, 1e30f}) {
        EXPECT_EQ(TunerDisplayModel::needleTarget(cents, kPoints).point(), kPoints.farRed) << cents;
    }
    EXPECT_EQ(TunerDisplayModel::needleTarget(-250.0f, kPoints).point(), kPoints.farBlue);
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

TEST(KeyHits, StringKeysLeaveAutomaticModeAndTheMagicKeyToggles) {
    TunerDisplayModel model;
    ASSERT_TRUE(model.tuningKeyHit(6));
    EXPECT_TRUE(model.autoSwitchModeEnabled());
    model.autoSelectTuningKey(196.0f);
    ASSERT_TRUE(model.tuningKeyHit(6));
    EXPECT_FALSE(model.autoSwitchModeEnabled());
    EXPECT_EQ(model.activeTuningKeyIndex(), 3) << "the string chosen automatically stays active";

    ASSERT_TRUE(model.tuningKeyHit(6));
    ASSERT_TRUE(model.tuningKeyHit(2));
    EXPECT_FALSE(model.autoSwitchModeEnabled());
    EXPECT_EQ(model.activeTuningKeyIndex(), 2);
}

TEST(KeyHits, IndexesThatAreNotKeysChangeNothing) {
    TunerDisplayModel model;
    model.tuningKeyHit(4);
    EXPECT_FALSE(model.tuningKeyHit(7));
    EXPECT_FALSE(model.tuningKeyHit(-1));
    EXPECT_EQ(model.activeTuningKeyIndex(), 4);
    EXPECT_FALSE(model.autoSwitchModeEnabled());
}

TEST(Refresh, AQuietBufferDimsTheMeterButStillSetsTheLeds) {
    TunerDisplayModel model;
    const auto outcome = model.refresh(0.55f, 110.0f, 500.0f, 500, true, nullptr, kPoints);
    EXPECT_EQ(outcome.litLeds, 5);
    EXPECT_EQ(outcome.meter, RefreshOutcome::Meter::Dim);
    EXPECT_FALSE(outcome.needle.has_value());
    EXPECT_FALSE(outcome.displayFrequency.has_value());
}

TEST(Refresh, ALoudBufferMovesTheNeedleByCentsFromTheActiveString) {
    TunerDisplayModel model;
    model.tuningKeyHit(1);
    const auto outcome = model.refresh(0.3f, 110.0f, 501.0f, 500, true, nullptr, kPoints);
    EXPECT_EQ(outcome.meter, RefreshOutcome::Meter::Bright);
    ASSERT_TRUE(outcome.cents.has_value());
    EXPECT_NEAR(*outcome.cents, 0.0f, 1e-4f);
    ASSERT_TRUE(outcome.needle.has_value());
    EXPECT_FLOAT_EQ(outcome.needle->point().x, 160.0f);
    EXPECT_FLOAT_EQ(outcome.needle->point().y, 20.0f);
    EXPECT_EQ(outcome.readout, (ReadoutTexts{"A2", "110.0 Hz", "0 \u00a2"}));
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
}

TEST(Refresh, SmoothedModeWaitsForAgreeingReadingsBeforeShowingAnything) {
    TunerDisplayModel model;
    model.tuningKeyHit(6);
    FrequencySmoother smoother;
    for (int i = 0; i < 2; ++i) {
        const auto outcome = model.refresh(0.3f, 110.0f, 1e6f, 500, false, &smoother, kPoints);
        EXPECT_EQ(outcome.meter, RefreshOutcome::Meter::Unchanged) << "reading " << i;
        EXPECT_FALSE(outcome.needle.has_value());
    }
    const auto outcome = model.refresh(0.3f, 110.0f, 1e6f, 500, false, &smoother, kPoints);
    EXPECT_EQ(outcome.meter, RefreshOutcome::Meter::Bright);
    EXPECT_TRUE(outcome.selectionChanged);
    EXPECT_EQ(model.activeTuningKeyIndex(), 1);
    ASSERT_TRUE(outcome.displayFrequency.has_value());
    EXPECT_FLOAT_EQ(*outcome.displayFrequency, 110.0f);
}

TEST(Refresh, ManualModeNeverReselectsTheString) {
    TunerDisplayModel model;
    model.tuningKeyHit(0);
    const auto outcome = model.refresh(0.3f, 330.0f, 1e6f, 500, true, nullptr, kPoints);
    EXPECT_FALSE(outcome.selectionChanged);
    EXPECT_EQ(model.activeTuningKeyIndex(), 0);
    ASSERT_TRUE(outcome.needle.has_value());
    EXPECT_EQ(outcome.needle->point(), kPoints.farRed) << "330 Hz is far sharp of low E";
}

} // namespace
} // namespace ovra
