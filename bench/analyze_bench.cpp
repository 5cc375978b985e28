// Throughput of the headless analysis: seconds of audio analysed per second,
// through the same callback, detector and display arithmetic as the tuner.

#include "FileAnalysis.hpp"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

std::vector<int16_t> pluckedTone(double fundamental, double seconds) {
    const auto count = static_cast<size_t>(seconds * 8000.0);
    std::vector<int16_t> samples(count);
    const double twoPi = 2.0 * std::acos(-1.0);
    for (size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / 8000.0;
        double v = 0.0;
        for (int h = 1; h <= 5; ++h) {
            v += 6000.0 / h * std::exp(-0.4 * h * t) * std::sin(twoPi * fundamental * h * t);
        }
        samples[i] = static_cast<int16_t>(std::lround(v));
    }
    return samples;
}

void BM_AnalyzeTenSecondsOfGuitar(benchmark::State& state) {
    const double seconds = 10.0;
    const auto samples = pluckedTone(110.0, seconds);
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
