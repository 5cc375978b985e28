// The analysis callback on single buffers: which buffers run the detector,
// what the record then holds, and that every buffer goes back to its queue;
// and the capture object's delegate, held and safe to replace while read.
#include "analysis/AnalysisCallback.hpp"
#include "CaptureTestSupport.hpp"
#include "engine/Quorl.hpp"

namespace ovra {
namespace {

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
        auto trapper = CorvaneAudioTrapper::create(nullptr);
        auto delegate = std::make_shared<test::RecordingDelegate>();
        trapper->setDelegate(delegate);
        test::RecordingQueue queue;
        callbackForAudio(trapper->callbackData(), &queue, &c.buffer);
        EXPECT_EQ(queue.enqueued, std::vector{&c.buffer}) << "handed back";
        EXPECT_EQ(trapper->mostRecentTopAmplitude(), c.amplitude) << &c - cases;
        EXPECT_EQ(delegate->count(), c.amplitude > 0.0f ? 1 : 0) << &c - cases;
    }
}

TEST(AnalysisCallback, StoresTheDetectorsResultsRoundedToFloatWithoutAQueueOrDelegate) {
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

TEST(CaptureObject, DelegateReadWhileReplacedStaysWholeAndTheLastIsHeldUntilTheObjectGoes) {
    auto trapper = CorvaneAudioTrapper::create(nullptr);
    std::atomic<bool> done{false};
    std::atomic<int> calls{0};
    std::thread reader([&] {
        while (!done.load()) {
            if (auto d = trapper->delegate()) {
                d->refreshGUIFromAnotherThread();
                calls.fetch_add(1);
            }
        }
    });
    std::vector<std::shared_ptr<test::RecordingDelegate>> all;
    for (int i = 0; i < 2000; ++i) {
        all.push_back(std::make_shared<test::RecordingDelegate>());
        trapper->setDelegate(all.back());
    }
    done.store(true);
    reader.join();
    int received = 0;
    for (const auto& d : all) {
        received += d->count();
    }
    EXPECT_EQ(received, calls.load()) << "every call reached one of the delegates";
    std::weak_ptr<test::RecordingDelegate> last = all.back();
    all.clear();
    EXPECT_FALSE(last.expired());
    trapper.reset();
    EXPECT_TRUE(last.expired());
}

} // namespace
} // namespace ovra
