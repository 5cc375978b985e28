// Cost of the per-buffer work on the capture thread: peak search, detector,
// four stores and the notification, for one 2048-sample buffer.
#include "TestTones.hpp"
#include "analysis/AnalysisCallback.hpp"
#include "capture/CorvaneAudioTrapper.hpp"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

class CountingDelegate : public ovra::AudioTrapperDelegate {
public:
    void refreshGUIFromAnotherThread() override { ++count; }
    long count = 0;
};

void BM_CallbackForAudioOneBuffer(benchmark::State& state) {
    auto trapper = ovra::CorvaneAudioTrapper::create(nullptr);
    auto delegate = std::make_shared<CountingDelegate>();
    trapper->setDelegate(delegate);
    auto samples = ovra::test::pcmTone(146.8, {6000, 3000, 2000, 1500, 1200});
    ovra::AudioQueueBuffer buffer{4096, samples.data(), 4096};
    for (auto _ : state) {
        ovra::callbackForAudio(trapper->callbackData(), nullptr, &buffer);
    }
    benchmark::DoNotOptimize(trapper->mostRecentFundamentalFrequency());
    state.counters["buffers/s"] =
        benchmark::Counter(static_cast<double>(delegate->count), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CallbackForAudioOneBuffer);

void BM_CallbackForAudioSilentBuffer(benchmark::State& state) {
    auto trapper = ovra::CorvaneAudioTrapper::create(nullptr);
    std::vector<int16_t> samples(2048, 0);
    ovra::AudioQueueBuffer buffer{4096, samples.data(), 4096};
    for (auto _ : state) {
        ovra::callbackForAudio(trapper->callbackData(), nullptr, &buffer);
    }
}
BENCHMARK(BM_CallbackForAudioSilentBuffer);

} // namespace
