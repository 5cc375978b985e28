// SPDX-License-Identifier: GPL-3.0-or-later
// Cost of one buffer's analysis and of the two transforms.
#include "TestTones.hpp"
#include "engine/FftAndPeakScans.hpp"
#include "engine/PitchRefiner.hpp"
#include "engine/Quorl.hpp"
#include "engine/fix_fft.hpp"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

namespace {

std::vector<int16_t> guitarLikeTone(size_t length) {
    return ovra::test::pcmTone(110.0, {1000, 700, 500, 300, 200}, length, 2.0);
}

void BM_DetectPitchByHarmonics2048(benchmark::State& state) {
    auto quorl = std::make_unique<ovra::Quorl>(8000.0f);
    const auto samples = guitarLikeTone(2048);
    double fundamental = 0.0;
    double power = 0.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            quorl->detectPitchByHarmonics(samples.data(), 2048, &fundamental, &power));
        benchmark::DoNotOptimize(fundamental);
        benchmark::DoNotOptimize(power);
    }
}
BENCHMARK(BM_DetectPitchByHarmonics2048)->Unit(benchmark::kMicrosecond);

// The fine path's extra work per hop, on the same tone.
void BM_RefinePitch2048(benchmark::State& state) {
    auto refiner = std::make_unique<ovra::PitchRefiner>(8000.0);
    const auto samples = guitarLikeTone(2048);
    for (auto _ : state) {
        benchmark::DoNotOptimize(refiner->refine(samples.data(), 110.3));
    }
}
BENCHMARK(BM_RefinePitch2048)->Unit(benchmark::kMicrosecond);

void BM_RunFFT4096(benchmark::State& state) {
    const auto samples = guitarLikeTone(4096);
    std::vector<double> re(4096);
    std::vector<double> im(4096);
    for (auto _ : state) {
        for (size_t i = 0; i < re.size(); ++i) {
            re[i] = samples[i];
            im[i] = 0.0;
        }
        ovra::runFFT(1, 4096, re.data(), im.data());
        benchmark::DoNotOptimize(re.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_RunFFT4096)->Unit(benchmark::kMicrosecond);

void BM_FixFFT1024(benchmark::State& state) {
    const auto samples = guitarLikeTone(1024);
    std::vector<int16_t> re(1024);
    std::vector<int16_t> im(1024);
    for (auto _ : state) {
        re = samples;
        std::fill(im.begin(), im.end(), int16_t{0});
        benchmark::DoNotOptimize(ovra::fix_fft(re.data(), im.data(), 10, 0));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FixFFT1024)->Unit(benchmark::kMicrosecond);

} // namespace
