#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

namespace ovra::test {

inline constexpr double SAMPLE_RATE = 8000.0;
inline constexpr int32_t BUFFER_LENGTH = 2048;

// Sum of harmonics of f0 with the given amplitudes (partial 1 first), each
// decaying as exp(-decay * h * t), rounded to 16-bit samples.
inline std::vector<int16_t> harmonicTone(double f0, const std::vector<double>& amplitudes,
                                         double decayPerSecond = 0.0,
                                         int32_t length = BUFFER_LENGTH) {
    std::vector<int16_t> samples(static_cast<size_t>(length));
    const double pi = std::acos(-1.0);
    for (int32_t t = 0; t < length; ++t) {
        const double time = t / SAMPLE_RATE;
        double value = 0.0;
        for (size_t h = 0; h < amplitudes.size(); ++h) {
            const double harmonic = static_cast<double>(h + 1);
            value += amplitudes[h] * std::exp(-decayPerSecond * harmonic * time) *
                     std::sin(2.0 * pi * f0 * harmonic * time);
        }
        samples[static_cast<size_t>(t)] = static_cast<int16_t>(std::lround(value));
    }
    return samples;
}

inline std::vector<int16_t> sine(double frequency, double amplitude,
                                 int32_t length = BUFFER_LENGTH) {
    return harmonicTone(frequency, {amplitude}, 0.0, length);
}

} // namespace ovra::test
