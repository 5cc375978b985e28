// SPDX-License-Identifier: GPL-3.0-or-later
// Throughput of the headless analysis: seconds of audio analysed per second,
// through the same callback, detector and display arithmetic as the tuner.

#include "FileAnalysis.hpp"
#include "TestTones.hpp"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

void BM_AnalyzeTenSecondsOfGuitar(benchmark::State& state) {
    const double seconds = 10.0;
    const auto samples = ovra::test::pcmTone(110.0, {6000, 3000, 2000, 1500, 1200}, 80000, 0.4);
    ovra::AnalyzeOptions options;
    size_t rows = 0;
    for (auto _ : state) {
        ovra::analyzeSamples("bench", samples, options, [&](const ovra::AnalysisRow&) { ++rows; });
    }
    benchmark::DoNotOptimize(rows);
    state.counters["audio_s_per_s"] = benchmark::Counter(
        seconds * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_AnalyzeTenSecondsOfGuitar)->Unit(benchmark::kMillisecond);

} // namespace
