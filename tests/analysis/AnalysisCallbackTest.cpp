// SPDX-License-Identifier: GPL-3.0-or-later
// The analysis callback on single buffers: which buffers run the detector,
// what the record then holds (classic and fine), and that every buffer goes
// back to its queue.
#include "analysis/AnalysisCallback.hpp"
#include "AnalysisDoubles.hpp"
#include "PluckedString.hpp"
#include "TestTones.hpp"
#include "analysis/CaptureRecord.hpp"
#include "engine/PitchRefiner.hpp"
#include "engine/Quorl.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace ovra {
namespace {

// A record set up as the capture object sets up its own, without threads.
struct Record {
    Record() {
        data.myQuorl = std::make_unique<Quorl>(8000.0f);
        data.myAudioTrapper = &owner;
    }
    test::DelegateHolder owner;
    CorvaneInputCallbackDataStruct data;
};

TEST(AnalysisCallback, OnlyAWholeBufferWithAPositivePeakRunsTheDetectorAndNotifies) {
    std::vector<int16_t> zeros(2048, 0), oneNegative(2048, 0), allNegative(2048, -5);
    std::vector<int16_t> loud(100, 3000), smallest(2048, 0), full(2048, 0);
    oneNegative[700] = -32768;
    smallest[1234] = 1;
    full[1234] = 32767;
    full[1235] = -32768;
    struct {
        AudioQueueBuffer buffer;
        float amplitude;
    } cases[] = {{{4096, zeros.data(), 4096}, 0.0f},
                 {{4096, oneNegative.data(), 4096}, 0.0f},
                 {{4096, allNegative.data(), 4096}, 0.0f},
                 {{200, loud.data(), 200}, 0.0f}, // incomplete
                 {{0, nullptr, 4096}, 0.0f},
                 {{4096, smallest.data(), 4096}, 0.000030517578125f},
                 {{4096, full.data(), 4096}, 0.999969482421875f}}; // full scale is below one
    for (auto& c : cases) {
        Record record;
        auto delegate = std::make_shared<test::RecordingDelegate>();
        record.owner.held = delegate;
        test::RecordingQueue queue;
        callbackForAudio(&record.data, &queue, &c.buffer);
        EXPECT_EQ(queue.enqueued, std::vector{&c.buffer}) << "handed back";
        EXPECT_EQ(record.data.myTopAmplitude.load(), c.amplitude) << &c - cases;
        EXPECT_EQ(delegate->count(), c.amplitude > 0.0f ? 1 : 0) << &c - cases;
    }
}

// Off, the detector's results are stored as floats; on, the refiner's
// fundamental replaces the detector's and the other results stay.
TEST(AnalysisCallback, StoresTheDetectorsResultsAndWithFineTuningTheRefinedFundamental) {
    EXPECT_FALSE(CorvaneInputCallbackDataStruct{}.myFineTuning.load());
    test::PluckRecipe recipe;
    recipe.fundamental = 146.0;
    recipe.inharmonicity = 1e-4;
    auto samples = test::toPcm16(test::synthesizePluck(recipe));
    samples.resize(2048);
    double fundamental = -1.0;
    double power = -1.0;
    const double mode =
        Quorl(8000.0f).detectPitchByHarmonics(samples.data(), 2048, &fundamental, &power);
    PitchRefiner refiner(8000.0);
    const double refined = refiner.refine(samples.data(), fundamental);
    ASSERT_EQ(refiner.lastOutcome(), PitchRefiner::Outcome::Refined);
    EXPECT_NEAR(1200.0 * std::log2(refined / 146.0), 0.0, 0.1);

    for (const bool fine : {false, true}) {
        Record record; // without a queue or a delegate
        record.data.myFineTuning = fine;
        AudioQueueBuffer buffer{4096, samples.data(), 4096};
        callbackForAudio(&record.data, nullptr, &buffer);
        EXPECT_EQ(record.data.myMostRecentFundamentalFrequency.load(),
                  static_cast<float>(fine ? refined : fundamental));
        EXPECT_EQ(record.data.myMostRecentModeFrequency.load(), static_cast<float>(mode));
        EXPECT_EQ(record.data.myRawPeakPower.load(), static_cast<float>(power));
        EXPECT_EQ(record.data.myTopAmplitude.load(),
                  static_cast<float>(*std::max_element(samples.begin(), samples.end())) / 32768.0f);
    }
}

} // namespace
} // namespace ovra
