#include "analysis/AnalysisCallback.hpp"
#include "CaptureTestSupport.hpp"
#include "capture/CorvaneAudioTrapper.hpp"
#include "engine/Quorl.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace ovra {
namespace {

class AnalysisCallbackTest : public ::testing::Test {
protected:
    void SetUp() override {
        trapper = CorvaneAudioTrapper::create(nullptr);
        trapper->setDelegate(delegate);
    }

    void deliver(std::vector<int16_t>& samples, AudioInputQueue* to) {
        buffer = {4096, samples.data(), 4096};
        callbackForAudio(trapper->callbackData(), to, &buffer);
    }

    void expectUntouched(const std::string& what) const {
        EXPECT_EQ(trapper->mostRecentModeFrequency(), 0.0f) << what;
        EXPECT_EQ(trapper->mostRecentFundamentalFrequency(), 0.0f) << what;
        EXPECT_EQ(trapper->mostRecentTopAmplitude(), 0.0f) << what;
        EXPECT_EQ(trapper->mostRecentRawPeakPower(), 0.0f) << what;
        EXPECT_EQ(trapper->waveValues(), nullptr) << what;
        EXPECT_EQ(delegate->count(), 0) << what;
    }

    std::shared_ptr<CorvaneAudioTrapper> trapper;
    std::shared_ptr<test::RecordingDelegate> delegate = std::make_shared<test::RecordingDelegate>();
    test::RecordingQueue queue;
    AudioQueueBuffer buffer;
};

TEST_F(AnalysisCallbackTest, AccessorsStayZeroWhileBuffersAreSilentOrIncomplete) {
    expectUntouched("before the first buffer");
    std::vector<int16_t> zeros(2048, 0), oneNegative(2048, 0), allNegative(2048, -5);
    std::vector<int16_t> loud(100, 3000);
    oneNegative[700] = -32768;
    struct Case {
        const char* what;
        AudioQueueBuffer buffer;
    } cases[] = {
        {"all zero", {4096, zeros.data(), 4096}},
        {"one full-scale negative", {4096, oneNegative.data(), 4096}},
        {"all negative", {4096, allNegative.data(), 4096}},
        {"short", {200, loud.data(), 200}},
        {"no data", {0, nullptr, 4096}},
    };
    for (auto& c : cases) {
        callbackForAudio(trapper->callbackData(), &queue, &c.buffer);
        expectUntouched(c.what);
        ASSERT_FALSE(queue.enqueued.empty());
        EXPECT_EQ(queue.enqueued.back(), &c.buffer) << c.what << ": handed back";
    }
    EXPECT_EQ(queue.enqueued.size(), std::size(cases));
}

TEST_F(AnalysisCallbackTest, PositivePeakRunsTheDetectorAndNotifiesTheDelegateIfAny) {
    const struct {
        int16_t first, second;
        size_t at;
        float amplitude;
        bool withDelegate;
    } cases[] = {
        {1, 0, 1234, 0.000030517578125f, true},       // smallest positive peak
        {32767, -32768, 0, 0.999969482421875f, true}, // full scale is just below one
        {1000, 0, 10, 1000.0f / 32768.0f, false},
    };
    for (const auto& c : cases) {
        auto trapper = CorvaneAudioTrapper::create(nullptr);
        auto delegate = std::make_shared<test::RecordingDelegate>();
        trapper->setDelegate(c.withDelegate ? delegate : nullptr);
        test::RecordingQueue queue;
        std::vector<int16_t> samples(2048, 0);
        samples[c.at] = c.first;
        samples[c.at + 1] = c.second;
        AudioQueueBuffer buffer{4096, samples.data(), 4096};
        callbackForAudio(trapper->callbackData(), &queue, &buffer);
        EXPECT_EQ(trapper->mostRecentTopAmplitude(), c.amplitude) << c.first;
        EXPECT_EQ(trapper->waveValues(), samples.data()) << c.first;
        EXPECT_EQ(delegate->count(), c.withDelegate ? 1 : 0) << c.first;
        EXPECT_EQ(queue.enqueued.size(), 1u) << c.first;
    }
}

TEST_F(AnalysisCallbackTest, StoresTheDetectorResultsRoundedToFloatEvenWithoutAQueue) {
    auto samples = test::harmonicTone(110.0, 2048);
    deliver(samples, nullptr);

    Quorl reference(8000.0f);
    double fundamental = -1.0;
    double rawPeakPower = -1.0;
    const double mode =
        reference.detectPitchByHarmonics(samples.data(), 2048, &fundamental, &rawPeakPower);
    EXPECT_EQ(trapper->mostRecentModeFrequency(), static_cast<float>(mode));
    EXPECT_EQ(trapper->mostRecentFundamentalFrequency(), static_cast<float>(fundamental));
    EXPECT_EQ(trapper->mostRecentRawPeakPower(), static_cast<float>(rawPeakPower));
    EXPECT_NEAR(trapper->mostRecentFundamentalFrequency(), 110.0f, 1.0f);
    EXPECT_GT(trapper->mostRecentRawPeakPower(), 0.0f);
    EXPECT_EQ(trapper->mostRecentTopAmplitude(),
              static_cast<float>(*std::max_element(samples.begin(), samples.end())) / 32768.0f);
    EXPECT_EQ(delegate->count(), 1);
}

} // namespace
} // namespace ovra
