#include "capture/AnalysisCallback.hpp"
#include "CaptureTestSupport.hpp"
#include "capture/CorvaneAudioTrapper.hpp"
#include "engine/Quorl.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace ovra {
namespace {

using test::RecordingDelegate;
using test::RecordingQueue;

class AnalysisCallbackTest : public ::testing::Test {
protected:
    void SetUp() override {
        trapper = CorvaneAudioTrapper::create(nullptr);
        delegate = std::make_shared<RecordingDelegate>();
        trapper->setDelegate(delegate);
        samples.assign(2048, 0);
        buffer.mAudioData = samples.data();
        buffer.mAudioDataBytesCapacity = 4096;
        buffer.mAudioDataByteSize = 4096;
    }

    void deliver() { callbackForAudio(trapper->callbackData(), &queue, &buffer); }

    void expectUntouched() const {
        EXPECT_EQ(trapper->mostRecentModeFrequency(), 0.0f);
        EXPECT_EQ(trapper->mostRecentFundamentalFrequency(), 0.0f);
        EXPECT_EQ(trapper->mostRecentTopAmplitude(), 0.0f);
        EXPECT_EQ(trapper->mostRecentRawPeakPower(), 0.0f);
        EXPECT_EQ(trapper->waveValues(), nullptr);
        EXPECT_EQ(delegate->count(), 0);
    }

    std::shared_ptr<CorvaneAudioTrapper> trapper;
    std::shared_ptr<RecordingDelegate> delegate;
    RecordingQueue queue;
    std::vector<int16_t> samples;
    AudioQueueBuffer buffer;
};

TEST_F(AnalysisCallbackTest, AccessorsAreZeroBeforeTheFirstBuffer) {
    expectUntouched();
}

TEST_F(AnalysisCallbackTest, AllZeroBufferIsOnlyHandedBack) {
    deliver();
    expectUntouched();
    ASSERT_EQ(queue.enqueued.size(), 1u);
    EXPECT_EQ(queue.enqueued[0], &buffer);
}

TEST_F(AnalysisCallbackTest, NegativeOnlyBufferIsSilent) {
    samples[700] = -32768;
    deliver();
    expectUntouched();
    EXPECT_EQ(queue.enqueued.size(), 1u);

    for (auto& s : samples) {
        s = -5;
    }
    deliver();
    expectUntouched();
    EXPECT_EQ(queue.enqueued.size(), 2u);
}

TEST_F(AnalysisCallbackTest, SmallestPositivePeakRunsTheDetector) {
    samples[1234] = 1;
    deliver();
    EXPECT_EQ(trapper->mostRecentTopAmplitude(), 0.000030517578125f);
    EXPECT_EQ(trapper->waveValues(), samples.data());
    EXPECT_EQ(delegate->count(), 1);
    EXPECT_EQ(queue.enqueued.size(), 1u);
}

TEST_F(AnalysisCallbackTest, FullScalePeakIsJustBelowOne) {
    samples[0] = 32767;
    samples[1] = -32768;
    deliver();
    EXPECT_EQ(trapper->mostRecentTopAmplitude(), 0.999969482421875f);
    EXPECT_EQ(delegate->count(), 1);
}

TEST_F(AnalysisCallbackTest, StoresTheDetectorResultsRoundedToFloat) {
    samples = test::harmonicTone(110.0, 2048);
    buffer.mAudioData = samples.data();
    deliver();

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

    int16_t peak = 0;
    for (auto s : samples) {
        peak = std::max(peak, s);
    }
    EXPECT_EQ(trapper->mostRecentTopAmplitude(), static_cast<float>(peak) / 32768.0f);
}

TEST_F(AnalysisCallbackTest, SilentBufferKeepsThePreviousResults) {
    samples = test::harmonicTone(196.0, 2048);
    buffer.mAudioData = samples.data();
    deliver();
    const float fundamental = trapper->mostRecentFundamentalFrequency();
    const float level = trapper->mostRecentTopAmplitude();
    const int16_t* wave = trapper->waveValues();

    std::vector<int16_t> silence(2048, 0);
    AudioQueueBuffer silent{4096, silence.data(), 4096};
    callbackForAudio(trapper->callbackData(), &queue, &silent);

    EXPECT_EQ(trapper->mostRecentFundamentalFrequency(), fundamental);
    EXPECT_EQ(trapper->mostRecentTopAmplitude(), level);
    EXPECT_EQ(trapper->waveValues(), wave);
    EXPECT_EQ(delegate->count(), 1);
    EXPECT_EQ(queue.enqueued.size(), 2u);
}

TEST_F(AnalysisCallbackTest, WithoutDelegateResultsAreStoredAndBufferHandedBack) {
    trapper->setDelegate(nullptr);
    samples[10] = 1000;
    deliver();
    EXPECT_EQ(trapper->mostRecentTopAmplitude(), 1000.0f / 32768.0f);
    EXPECT_EQ(delegate->count(), 0);
    EXPECT_EQ(queue.enqueued.size(), 1u);
}

TEST_F(AnalysisCallbackTest, ShortOrEmptyBufferIsNotReadPastItsEnd) {
    samples.assign(100, 3000);
    AudioQueueBuffer shortBuffer{200, samples.data(), 200};
    callbackForAudio(trapper->callbackData(), &queue, &shortBuffer);
    AudioQueueBuffer empty{0, nullptr, 4096};
    callbackForAudio(trapper->callbackData(), &queue, &empty);
    expectUntouched();
    EXPECT_EQ(queue.enqueued.size(), 2u);
}

TEST_F(AnalysisCallbackTest, BuffersCanBeAnalysedWithoutAQueue) {
    samples = test::harmonicTone(146.8, 2048);
    buffer.mAudioData = samples.data();
    callbackForAudio(trapper->callbackData(), nullptr, &buffer);
    EXPECT_NEAR(trapper->mostRecentFundamentalFrequency(), 146.8f, 1.5f);
    EXPECT_EQ(delegate->count(), 1);
}

} // namespace
} // namespace ovra
