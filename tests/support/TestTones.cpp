// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestTones.hpp"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>

namespace ovra::test {

namespace {

// One sample of the tone: partial h (from 1) decays h times as fast as the first.
double toneAt(double fundamental, const std::vector<double>& amplitudes, double decayPerSecond,
              double time) {
    const double twoPi = 2.0 * std::acos(-1.0);
    double value = 0.0;
    for (size_t h = 0; h < amplitudes.size(); ++h) {
        const double harmonic = static_cast<double>(h + 1);
        value += amplitudes[h] * std::exp(-decayPerSecond * harmonic * time) *
                 std::sin(twoPi * fundamental * harmonic * time);
    }
    return value;
}

} // namespace

std::vector<double> synthesizeTone(const ToneRecipe& recipe) {
    std::vector<double> samples(static_cast<size_t>(recipe.seconds * recipe.sampleRate));
    for (size_t i = 0; i < samples.size(); ++i) {
        samples[i] = toneAt(recipe.fundamental, recipe.partials, recipe.decayPerSecond,
                            static_cast<double>(i) / recipe.sampleRate);
    }
    return samples;
}

std::vector<int16_t> pcmTone(double fundamental, const std::vector<double>& amplitudes,
                             size_t count, double decayPerSecond) {
    std::vector<int16_t> samples(count);
    for (size_t i = 0; i < count; ++i) {
        const double value =
            toneAt(fundamental, amplitudes, decayPerSecond, static_cast<double>(i) / 8000.0);
        samples[i] = static_cast<int16_t>(std::clamp(std::lround(value), -32768L, 32767L));
    }
    return samples;
}

std::vector<int16_t> toPcm16(const std::vector<double>& samples) {
    std::vector<int16_t> pcm(samples.size());
    std::transform(samples.begin(), samples.end(), pcm.begin(), [](double v) {
        return static_cast<int16_t>(std::clamp(std::lround(v * 32767.0), -32768L, 32767L));
    });
    return pcm;
}

bool writeWav(const std::string& path, const std::vector<double>& samples, int sampleRate,
              int channels) {
    // Exact 16-bit values, so a reader can compare them bit for bit.
    std::vector<int16_t> frames;
    for (int16_t v : toPcm16(samples)) {
        frames.insert(frames.end(), static_cast<size_t>(channels), v);
    }
    return writeSoundFile(path, SF_FORMAT_WAV | SF_FORMAT_PCM_16, sampleRate, channels, frames);
}

bool writeSoundFile(const std::string& path, int format, int sampleRate, int channels,
                    const std::vector<int16_t>& pcm, const std::vector<float>& floats) {
    SF_INFO info{0, sampleRate, channels, format, 0, 0};
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr) {
        return false;
    }
    sf_write_short(file, pcm.data(), static_cast<sf_count_t>(pcm.size()));
    sf_write_float(file, floats.data(), static_cast<sf_count_t>(floats.size()));
    return sf_close(file) == 0;
}

TemporaryDirectory::TemporaryDirectory() {
    std::string pattern = (std::filesystem::temp_directory_path() / "ovratuner-test-XXXXXX");
    if (mkdtemp(pattern.data()) != nullptr) {
        myPath = pattern;
    }
}

TemporaryDirectory::~TemporaryDirectory() {
    if (!myPath.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(myPath, ignored);
    }
}

} // namespace ovra::test
