// The analysis callback with the capture record's fine-tuning switch: off,
// the detector's fundamental stands; on, the refiner's replaces it, and the
// other results stay the detector's.
#include "PluckedString.hpp"
#include "TestTones.hpp"
#include "analysis/AnalysisCallback.hpp"
#include "analysis/CaptureRecord.hpp"
#include "engine/PitchRefiner.hpp"
#include "engine/Quorl.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace ovra {
namespace {

struct Readings {
    float mode;
    float fundamental;
    float rawPeakPower;
};

Readings analyse(std::vector<int16_t>& samples, bool fine) {
    CorvaneInputCallbackDataStruct record;
    record.myQuorl = std::make_unique<Quorl>(8000.0f);
    record.myFineTuning = fine;
    AudioQueueBuffer buffer{4096, samples.data(), 4096};
    callbackForAudio(&record, nullptr, &buffer);
    return {record.myMostRecentModeFrequency.load(), record.myMostRecentFundamentalFrequency.load(),
            record.myRawPeakPower.load()};
}

TEST(FineTuningCallback, IsOffByDefaultAndOnReplacesOnlyTheFundamentalByTheRefinedOne) {
    EXPECT_FALSE(CorvaneInputCallbackDataStruct{}.myFineTuning.load());
    test::PluckRecipe recipe;
    recipe.fundamental = 146.0;
    recipe.inharmonicity = 1e-4;
    auto samples = test::toPcm16(test::synthesizePluck(recipe));
    samples.resize(2048);

    Quorl detector(8000.0f);
    double fundamental = 0.0;
    double power = 0.0;
    const double mode = detector.detectPitchByHarmonics(samples.data(), 2048, &fundamental, &power);
    PitchRefiner refiner(8000.0);
    const double refined = refiner.refine(samples.data(), fundamental);
    ASSERT_EQ(refiner.lastOutcome(), PitchRefiner::Outcome::Refined);

    const Readings classic = analyse(samples, false);
    EXPECT_EQ(classic.fundamental, static_cast<float>(fundamental));
    const Readings fine = analyse(samples, true);
    EXPECT_EQ(fine.fundamental, static_cast<float>(refined));
    EXPECT_NEAR(1200.0 * std::log2(fine.fundamental / 146.0), 0.0, 0.1);
    for (const Readings& r : {classic, fine}) {
        EXPECT_EQ(r.mode, static_cast<float>(mode));
        EXPECT_EQ(r.rawPeakPower, static_cast<float>(power));
    }
}

} // namespace
} // namespace ovra
