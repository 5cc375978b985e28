// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/CaptureResampler.hpp"

#include "analysis/CaptureRecord.hpp"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace ovra {

namespace {

constexpr double MIN_INPUT_RATE = 8000.0;
constexpr double MAX_INPUT_RATE = 192000.0;
// Guitar partials that matter sit far below the passband edge; the stopband
// starts at the output's Nyquist frequency so nothing folds back audibly.
constexpr double PASSBAND_EDGE_HZ = 3200.0;
constexpr double STOPBAND_EDGE_HZ = 4000.0;
// Designed with margin over the 80 dB wanted: Kaiser's length estimate is approximate.
constexpr double ATTENUATION_DB = 90.0;
// Above this many coefficients the table holds fewer phases than the ratio
// asks for (odd rates such as 44101 Hz would need thousands) and outputs
// between two stored phases are blended.
constexpr size_t MAX_EXACT_TABLE = 65536;
// With this many phases per 8000 Hz of input rate the blend errs far below
// the stopband: the kernel is smooth on the scale of 1 / phases.
constexpr double BLENDED_PHASES_AT_8000_HZ = 512.0;
// Input is clamped to this before filtering so that no sum can overflow;
// the output clips at full scale long before.
constexpr float INPUT_LIMIT = 64.0f;
constexpr float FULL_SCALE = 32767.0f;

double besselI0(double x) {
    double sum = 1.0;
    double term = 1.0;
    for (int k = 1; k < 64 && term > 1e-12 * sum; ++k) {
        const double half = x / (2.0 * k);
        term *= half * half;
        sum += term;
    }
    return sum;
}

double sinc(double x) {
    if (x == 0.0) {
        return 1.0;
    }
    const double pix = std::acos(-1.0) * x;
    return std::sin(pix) / pix;
}

} // namespace

CaptureResampler::CaptureResampler(double inputRate) : myInputRate(inputRate) {
    if (!std::isfinite(inputRate) || inputRate < MIN_INPUT_RATE || inputRate > MAX_INPUT_RATE) {
        return;
    }
    const auto rate = static_cast<uint32_t>(std::lround(inputRate));
    const auto outputRate = static_cast<uint32_t>(CAPTURE_SAMPLE_RATE);
    const uint32_t common = std::gcd(rate, outputRate);
    myUp = outputRate / common;
    myDown = rate / common;

    // Kaiser's estimates of length and shape for the wanted attenuation and
    // transition width, the length counted in input samples, rounded up to a
    // multiple of four for the unrolled dot product.
    const double transition = (STOPBAND_EDGE_HZ - PASSBAND_EDGE_HZ) / rate;
    const auto length =
        static_cast<size_t>(std::ceil((ATTENUATION_DB - 7.95) / (14.36 * transition)));
    myTapsPerPhase = (length + 3) / 4 * 4;
    const double beta = 0.1102 * (ATTENUATION_DB - 8.7);

    myInterpolated = static_cast<size_t>(myUp) * myTapsPerPhase > MAX_EXACT_TABLE;
    myPhases = myInterpolated
                   ? static_cast<uint32_t>(std::ceil(BLENDED_PHASES_AT_8000_HZ * outputRate / rate))
                   : myUp;
    const uint32_t stored = myPhases + (myInterpolated ? 1 : 0);

    // The kernel spans [0, K] input samples centred on K / 2; phase p, tap m
    // weighs the sample m + p / phases before the output's position.
    const double taps = static_cast<double>(myTapsPerPhase);
    const double centre = taps / 2.0;
    // Twice the cutoff (mid-transition), in cycles per input sample.
    const double cutoff = (PASSBAND_EDGE_HZ + STOPBAND_EDGE_HZ) / rate;
    const double windowScale = 1.0 / besselI0(beta);
    std::vector<double> kernel(static_cast<size_t>(stored) * myTapsPerPhase);
    double total = 0.0;
    for (uint32_t p = 0; p < stored; ++p) {
        for (size_t m = 0; m < myTapsPerPhase; ++m) {
            const double tau = static_cast<double>(m) + static_cast<double>(p) / myPhases;
            const double x = (tau - centre) / centre;
            const double window = besselI0(beta * std::sqrt(std::max(0.0, 1.0 - x * x)));
            const double value = cutoff * sinc(cutoff * (tau - centre)) * window * windowScale;
            // Oldest sample first: tap m meets the sample m before the newest.
            kernel[p * myTapsPerPhase + (myTapsPerPhase - 1 - m)] = value;
            if (p < myPhases) {
                total += value;
            }
        }
    }
    // Unity gain at DC, averaged over the phases.
    const double gain = myPhases / total;
    myTaps.resize(kernel.size());
    std::transform(kernel.begin(), kernel.end(), myTaps.begin(),
                   [gain](double v) { return static_cast<float>(v * gain); });

    myHistory.assign(myTapsPerPhase - 1 + BLOCK_FRAMES, 0.0f);
    myOutput.assign(BLOCK_FRAMES * myUp / myDown + 2, 0);
    reset();
}

void CaptureResampler::reset() {
    if (!valid()) {
        return;
    }
    std::fill(myHistory.begin(), myHistory.end(), 0.0f);
    myNewest = myTapsPerPhase - 1;
    myPhase = 0;
}

size_t CaptureResampler::convertBlock(const float* samples, size_t count) {
    const size_t kept = myTapsPerPhase - 1;
    std::transform(
        samples, samples + count, myHistory.begin() + static_cast<ptrdiff_t>(kept),
        [](float v) { return std::isfinite(v) ? std::clamp(v, -INPUT_LIMIT, INPUT_LIMIT) : 0.0f; });
    const size_t end = kept + count;
    size_t produced = 0;
    while (myNewest < end) {
        const float value = std::clamp(outputAt(myNewest) * FULL_SCALE, -32768.0f, FULL_SCALE);
        myOutput[produced++] = static_cast<int16_t>(std::lrint(value));
        myPhase += myDown;
        myNewest += myPhase / myUp;
        myPhase %= myUp;
    }
    std::copy(myHistory.begin() + static_cast<ptrdiff_t>(count),
              myHistory.begin() + static_cast<ptrdiff_t>(end), myHistory.begin());
    myNewest -= count;
    return produced;
}

float CaptureResampler::outputAt(size_t newest) const {
    const float* history = myHistory.data() + (newest + 1 - myTapsPerPhase);
    const auto dot = [&](const float* taps) {
        float a = 0.0f, b = 0.0f, c = 0.0f, d = 0.0f;
        for (size_t i = 0; i < myTapsPerPhase; i += 4) {
            a += taps[i] * history[i];
            b += taps[i + 1] * history[i + 1];
            c += taps[i + 2] * history[i + 2];
            d += taps[i + 3] * history[i + 3];
        }
        return (a + b) + (c + d);
    };
    if (!myInterpolated) {
        return dot(phaseTaps(myPhase));
    }
    const uint64_t scaled = static_cast<uint64_t>(myPhase) * myPhases;
    const auto phase = static_cast<uint32_t>(scaled / myUp);
    const float fraction = static_cast<float>(scaled % myUp) / static_cast<float>(myUp);
    const float before = dot(phaseTaps(phase));
    return before + fraction * (dot(phaseTaps(phase + 1)) - before);
}

} // namespace ovra
