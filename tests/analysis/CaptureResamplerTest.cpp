// SPDX-License-Identifier: GPL-3.0-or-later
// The browser microphone's converter to 8000 Hz: pitch survives exactly,
// what would alias is gone, and how the stream is cut up does not matter.
#include "analysis/CaptureResampler.hpp"
#include "TestTones.hpp"
#include "analysis/AnalysisCallback.hpp"
#include "analysis/CaptureRecord.hpp"
#include "engine/Quorl.hpp"
#include "model/TunerDisplayModel.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace ovra {
namespace {

const double TWO_PI = 2.0 * std::acos(-1.0);

// Two seconds of harmonics of `frequency` with the given amplitudes, `delay` seconds late.
std::vector<float> tone(double rate, double frequency, const std::vector<double>& partials,
                        double delay = 0.0) {
    std::vector<float> samples(static_cast<size_t>(2.0 * rate));
    for (size_t i = 0; i < samples.size(); ++i) {
        double value = 0.0;
        for (size_t h = 0; h < partials.size(); ++h) {
            value += partials[h] * std::sin(TWO_PI * frequency * (h + 1) * (i / rate - delay));
        }
        samples[i] = static_cast<float>(value);
    }
    return samples;
}
// Steady, the second harmonic the strongest, as a plucked string's.
const std::vector<double> GUITAR = {0.2, 0.3, 0.15, 0.1, 0.06};

// Pushes `input` in chunks of the given sizes, taken in turn.
std::vector<int16_t> convert(CaptureResampler& resampler, const std::vector<float>& input,
                             const std::vector<size_t>& chunks = {1u << 30}) {
    std::vector<int16_t> output;
    for (size_t at = 0, turn = 0; at < input.size(); ++turn) {
        const size_t count = std::min(chunks[turn % chunks.size()], input.size() - at);
        resampler.push(input.data() + at, count, [&](const int16_t* samples, size_t produced) {
            output.insert(output.end(), samples, samples + produced);
        });
        at += count;
    }
    return output;
}

std::vector<int16_t> convert(double rate, const std::vector<float>& input) {
    CaptureResampler resampler(rate);
    return convert(resampler, input);
}

// The phase of a sine near `approximate` in consecutive 0.1 s stretches of
// the middle second, fitted by least squares; its drift gives the frequency,
// its value the delay (in seconds, less than one period) behind a sine starting at zero.
struct Fit {
    double frequency, delay;
};
Fit fitSine(const std::vector<int16_t>& samples, double approximate) {
    const size_t stretch = 800;
    const double omega = TWO_PI * approximate / CAPTURE_SAMPLE_RATE;
    double previous = 0.0, sumT = 0.0, sumP = 0.0, sumTT = 0.0, sumTP = 0.0, count = 0.0;
    for (size_t start = 4000; start + stretch <= 12000; start += stretch, ++count) {
        double re = 0.0, im = 0.0;
        for (size_t n = start; n < start + stretch; ++n) {
            re += samples[n] * std::cos(omega * n);
            im -= samples[n] * std::sin(omega * n);
        }
        double phase = std::atan2(im, re);
        phase += TWO_PI * std::round((previous - phase) / TWO_PI);
        previous = phase;
        const double t = start + stretch / 2.0;
        sumT += t, sumP += phase, sumTT += t * t, sumTP += t * phase;
    }
    const double slope = (count * sumTP - sumT * sumP) / (count * sumTT - sumT * sumT);
    // A sine lagging by d has the phase -omega d - pi / 2 against the cosine.
    const double lag = -(sumP / count + TWO_PI / 4.0) / TWO_PI;
    return {approximate + slope * CAPTURE_SAMPLE_RATE / TWO_PI,
            (lag - std::floor(lag)) / approximate};
}

double cents(double frequency, double reference) {
    return 1200.0 * std::log2(frequency / reference);
}

// The middle second: its RMS level, and how far it strays from the sine of
// `frequency` fitted to it, in dB against that sine (late or early samples show up there).
struct Level {
    double rms, strayDb;
};
Level level(const std::vector<int16_t>& samples, double frequency) {
    const double omega = TWO_PI * frequency / CAPTURE_SAMPLE_RATE;
    double re = 0.0, im = 0.0, sum = 0.0, stray = 0.0;
    for (size_t n = 4000; n < 12000; ++n) {
        re += samples[n] * std::cos(omega * n) / 4000.0;
        im += samples[n] * std::sin(omega * n) / 4000.0;
        sum += double(samples[n]) * samples[n] / 8000.0;
    }
    for (size_t n = 4000; n < 12000; ++n) {
        const double error = samples[n] - re * std::cos(omega * n) - im * std::sin(omega * n);
        stray += error * error / 8000.0;
    }
    return {std::sqrt(sum), 10.0 * std::log10(stray / ((re * re + im * im) / 2.0))};
}

// What the tuner's callback stores for one 2048-sample buffer.
struct Analysed {
    float fundamental, topAmplitude;
};
Analysed analyse(const int16_t* buffer, bool fine) {
    CorvaneInputCallbackDataStruct data;
    data.myQuorl = std::make_unique<Quorl>(static_cast<float>(CAPTURE_SAMPLE_RATE));
    data.myFineTuning = fine;
    AudioQueueBuffer wrapped{4096, const_cast<int16_t*>(buffer), 4096};
    callbackForAudio(&data, nullptr, &wrapped);
    return {data.myMostRecentFundamentalFrequency.load(), data.myTopAmplitude.load()};
}

// 44101 Hz has no small ratio to 8000 Hz and goes through blended phases.
const double RATES[] = {48000.0, 44100.0, 44101.0};

TEST(CaptureResampler, KeepsThePitchForAPreciseEstimatorAndForTheTunersDetector) {
    for (const double rate : RATES) {
        const Fit fit = fitSine(convert(rate, tone(rate, 110.0, {0.5})), 110.0);
        EXPECT_NEAR(cents(fit.frequency, 110.0), 0.0, 0.1) << rate;
        // The detector reads slightly differently as a buffer's start moves
        // within the period, so the direct tone carries the converter's delay.
        const auto exact = tone(CAPTURE_SAMPLE_RATE, 110.0, GUITAR, fit.delay);
        const auto direct = test::toPcm16(std::vector<double>(exact.begin(), exact.end()));
        const auto resampled = convert(rate, tone(rate, 110.0, GUITAR));
        for (const bool fine : {false, true}) {
            for (const size_t at : {6000u, 10000u}) {
                const double expected = analyse(direct.data() + at, fine).fundamental;
                ASSERT_GT(expected, 0.0);
                EXPECT_NEAR(cents(analyse(resampled.data() + at, fine).fundamental, expected), 0.0,
                            0.1)
                    << rate << (fine ? " fine at " : " classic at ") << at;
            }
        }
    }
}

TEST(CaptureResampler, RemovesWhatWouldAliasAndPassesTheBandUnchanged) {
    const struct {
        double rate, frequency;
    } cases[] = {{48000, 6000}, {48000, 4000}, {44100, 4500}, {44100, 4000}, {44101, 4500}};
    for (const auto& c : cases) {
        const auto reference = convert(c.rate, tone(c.rate, 1000.0, {0.5}));
        const auto alias = convert(c.rate, tone(c.rate, c.frequency, {0.5}));
        const Level passed = level(reference, 1000.0);
        EXPECT_NEAR(20.0 * std::log10(passed.rms / (0.5 * 32767.0 / std::sqrt(2.0))), 0.0, 0.01);
        EXPECT_LE(passed.strayDb, -80.0) << c.rate;
        EXPECT_GE(20.0 * std::log10(passed.rms / level(alias, c.frequency).rms), 80.0)
            << c.frequency << " Hz at " << c.rate;
        const auto leds = [](const std::vector<int16_t>& samples) {
            return TunerDisplayModel::litLedCount(
                analyse(samples.data() + 4000, false).topAmplitude);
        };
        EXPECT_GT(leds(reference), 0);
        EXPECT_EQ(leds(alias), 0) << c.frequency << " Hz at " << c.rate;
    }
}

TEST(CaptureResampler, OutputDependsOnlyOnTheStreamAndInvalidRatesStayInert) {
    // Beyond full scale and not a number on the way, to reach the clipping.
    for (const double rate : RATES) {
        auto input = tone(rate, 311.0, {0.7});
        for (size_t i = 0; i < input.size(); ++i) {
            input[i] += static_cast<float>(0.6 * std::sin(i * i * 1e-3));
        }
        CaptureResampler resampler(rate);
        const auto clean = convert(resampler, input);
        input[1234] = std::numeric_limits<float>::quiet_NaN();
        input[2345] = -std::numeric_limits<float>::infinity();
        input[2346] = 0.0f;
        resampler.reset();
        const auto whole = convert(resampler, input);
        input[1234] = input[2345] = 0.0f;
        EXPECT_EQ(whole, convert(rate, input)) << "what is not a number reads as 0";
        EXPECT_NE(whole, clean);
        EXPECT_NEAR(double(whole.size()), input.size() * CAPTURE_SAMPLE_RATE / rate, 1.0);
        resampler.reset();
        EXPECT_EQ(convert(resampler, input, {128}), whole) << rate;
        resampler.reset();
        EXPECT_EQ(convert(resampler, input, {1, 7, 1000}), whole) << rate;
    }
    for (const double rate : {8000.0, 11025.0, 47999.6, 192000.0}) {
        EXPECT_NEAR(double(convert(rate, tone(rate, 440.0, {0.5})).size()),
                    2.0 * CAPTURE_SAMPLE_RATE, 1.0)
            << rate;
    }
    std::vector<float> loud(20000, 3.0f);
    EXPECT_EQ(convert(48000.0, loud).back(), std::numeric_limits<int16_t>::max());
    std::fill(loud.begin() + 10000, loud.end(), -3.0f);
    EXPECT_EQ(convert(48000.0, loud).back(), std::numeric_limits<int16_t>::min());
    for (const double rate : {0.0, 7999.0, 192001.0, -48000.0, std::nan(""), HUGE_VAL}) {
        CaptureResampler inert(rate);
        EXPECT_FALSE(inert.valid());
        EXPECT_TRUE(convert(inert, loud).empty()) << rate;
    }
}

} // namespace
} // namespace ovra
