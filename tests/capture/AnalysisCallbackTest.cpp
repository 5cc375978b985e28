// The analysis callback on single buffers: which buffers run the detector,
// what the record then holds, and that every buffer goes back to its queue.
#include "analysis/AnalysisCallback.hpp"
#include "CaptureTestSupport.hpp"
#include "engine/Quorl.hpp"

namespace ovra {
namespace {

TEST(AnalysisCallback, SilentAllNegativeOrIncompleteBuffersLeaveTheRecordAlone) {
    auto trapper = CorvaneAudioTrapper::create(nullptr);
    auto delegate = std::make_shared<test::RecordingDelegate>();
    trapper->setDelegate(delegate);
    test::RecordingQueue queue;
    std::vector<int16_t> zeros(2048, 0), oneNegative(2048, 0), allNegative(2048, -5);
    std::vector<int16_t> loud(100, 3000);
    oneNegative[700] = -32768;
    AudioQueueBuffer buffers[] = {{4096, zeros.data(), 4096},
                                  {4096, oneNegative.data(), 4096},
                                  {4096, allNegative.data(), 4096},
                                  {200, loud.data(), 200},
                                  {0, nullptr, 4096}};
    for (auto& buffer : buffers) {
        callbackForAudio(trapper->callbackData(), &queue, &buffer);
        EXPECT_EQ(queue.enqueued.back(), &buffer) << "handed back";
    }
    EXPECT_EQ(queue.enqueued.size(), std::size(buffers));
    EXPECT_EQ(trapper->mostRecentModeFrequency(), 0.0f);
    EXPECT_EQ(trapper->mostRecentFundamentalFrequency(), 0.0f);
    EXPECT_EQ(trapper->mostRecentTopAmplitude(), 0.0f);
    EXPECT_EQ(trapper->mostRecentRawPeakPower(), 0.0f);
    EXPECT_EQ(delegate->count(), 0);
}

TEST(AnalysisCallback, APositivePeakRunsTheDetectorAndNotifiesTheDelegateIfAny) {
    const struct {
        int16_t first, second;
        float amplitude;
        bool withDelegate;
    } cases[] = {
        {1, 0, 0.000030517578125f, true},          // smallest positive peak
        {32767, -32768, 0.999969482421875f, true}, // full scale is just below one
        {1000, 0, 1000.0f / 32768.0f, false},
    };
    for (const auto& c : cases) {
        auto trapper = CorvaneAudioTrapper::create(nullptr);
        auto delegate = std::make_shared<test::RecordingDelegate>();
        trapper->setDelegate(c.withDelegate ? delegate : nullptr);
        test::RecordingQueue queue;
        std::vector<int16_t> samples(2048, 0);
        samples[1234] = c.first;
        samples[1235] = c.second;
        AudioQueueBuffer buffer{4096, samples.data(), 4096};
        callbackForAudio(trapper->callbackData(), &queue, &buffer);
        EXPECT_EQ(trapper->mostRecentTopAmplitude(), c.amplitude) << c.first;
        EXPECT_EQ(delegate->count(), c.withDelegate ? 1 : 0) << c.first;
        EXPECT_EQ(queue.enqueued.size(), 1u) << c.first;
    }
}

TEST(AnalysisCallback, StoresTheDetectorsResultsRoundedToFloatEvenWithoutAQueue) {
    auto trapper = CorvaneAudioTrapper::create(nullptr);
    auto samples = test::harmonicTone(110.0, 2048);
    AudioQueueBuffer buffer{4096, samples.data(), 4096};
    callbackForAudio(trapper->callbackData(), nullptr, &buffer);
    Quorl reference(8000.0f);
    double fundamental = -1.0;
    double power = -1.0;
    const double mode =
        reference.detectPitchByHarmonics(samples.data(), 2048, &fundamental, &power);
    EXPECT_EQ(trapper->mostRecentModeFrequency(), static_cast<float>(mode));
    EXPECT_EQ(trapper->mostRecentFundamentalFrequency(), static_cast<float>(fundamental));
    EXPECT_EQ(trapper->mostRecentRawPeakPower(), static_cast<float>(power));
    EXPECT_NEAR(fundamental, 110.0, 1.0);
    EXPECT_EQ(trapper->mostRecentTopAmplitude(),
              static_cast<float>(*std::max_element(samples.begin(), samples.end())) / 32768.0f);
}

} // namespace
} // namespace ovra
