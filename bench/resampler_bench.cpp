// SPDX-License-Identifier: GPL-3.0-or-later
// Cost of converting one second of browser microphone audio to 8000 Hz, in
// the worklet's 128-sample frames, at the two usual device rates.
#include "analysis/CaptureResampler.hpp"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

void BM_ResampleOneSecond(benchmark::State& state) {
    const double rate = static_cast<double>(state.range(0));
    std::vector<float> input(static_cast<size_t>(rate));
    for (size_t i = 0; i < input.size(); ++i) {
        input[i] = static_cast<float>(0.5 * std::sin(2.0 * std::acos(-1.0) * 110.0 * i / rate));
    }
    ovra::CaptureResampler resampler(rate);
    int64_t produced = 0;
    for (auto _ : state) {
        for (size_t at = 0; at < input.size(); at += 128) {
            const size_t count = std::min<size_t>(128, input.size() - at);
            resampler.push(input.data() + at, count, [&](const int16_t* samples, size_t n) {
                benchmark::DoNotOptimize(samples);
                produced += static_cast<int64_t>(n);
            });
        }
    }
    state.counters["outputs/s"] =
        benchmark::Counter(static_cast<double>(produced), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ResampleOneSecond)->Arg(48000)->Arg(44100)->Arg(44101)->Unit(benchmark::kMicrosecond);

} // namespace
