// SPDX-License-Identifier: GPL-3.0-or-later
// Cost of the per-buffer work on the capture thread: peak search, detector,
// four stores and the notification, for one 2048-sample buffer; of turning a
// device's own format into 16-bit mono 8000 Hz; and how long a capture
// thread takes to end once stopped.
#include "ScriptedAudioQueue.hpp"
#include "TestTones.hpp"
#include "analysis/AnalysisCallback.hpp"
#include "capture/CaptureFormatConverter.hpp"
#include "capture/CaptureThread.hpp"
#include "capture/CorvaneAudioTrapper.hpp"

#include <QCoreApplication>
#include <QThread>

#include <chrono>
#include <cmath>
#include <thread>

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

// One 256 ms capture read (12288 frames) of 48000 Hz stereo float, as a
// device that refuses 16-bit mono 8000 Hz delivers it.
void BM_ConvertDeviceFormat48kStereoFloat(benchmark::State& state) {
    QAudioFormat format;
    format.setSampleRate(48000);
    format.setChannelCount(2);
    format.setSampleFormat(QAudioFormat::Float);
    ovra::CaptureFormatConverter converter(format);
    QByteArray read(12288 * 2 * static_cast<qsizetype>(sizeof(float)), Qt::Uninitialized);
    auto* samples = reinterpret_cast<float*>(read.data());
    for (int i = 0; i < 12288; ++i) {
        samples[2 * i] = samples[2 * i + 1] = 0.3f * std::sin(0.0192f * static_cast<float>(i));
    }
    std::vector<int16_t> out;
    for (auto _ : state) {
        out.clear();
        converter.convert(read, out);
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["realtime x"] = benchmark::Counter(
        0.256 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ConvertDeviceFormat48kStereoFloat);

// From stopAudioTrapper to the end of the capture thread, in the middle of
// a 2.0 s event-loop slice.
void BM_StopToThreadEnd(benchmark::State& state) {
    static int argc = 1;
    static char name[] = "capture_bench";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    auto source = ovra::ScriptedAudioSource::create();
    auto trapper = ovra::CorvaneAudioTrapper::create(source->factory());
    for (auto _ : state) {
        state.PauseTiming();
        trapper->startAudioTrapper();
        const auto thread = trapper->audioThread();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        state.ResumeTiming();
        trapper->stopAudioTrapper();
        thread->wait();
    }
    ovra::finishCaptureThreads(std::chrono::seconds(5));
}
BENCHMARK(BM_StopToThreadEnd)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace
