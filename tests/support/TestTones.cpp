#include "TestTones.hpp"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>

namespace ovra::test {

std::vector<double> synthesizeTone(const ToneRecipe& recipe) {
    const auto count = static_cast<size_t>(recipe.seconds * recipe.sampleRate);
    std::vector<double> samples(count);
    const double twoPi = 2.0 * std::acos(-1.0);
    for (size_t i = 0; i < count; ++i) {
        const double time = static_cast<double>(i) / recipe.sampleRate;
        double value = 0.0;
        for (size_t h = 0; h < recipe.partials.size(); ++h) {
            const double harmonic = static_cast<double>(h + 1);
            value += recipe.partials[h] * std::exp(-recipe.decayPerSecond * harmonic * time) *
                     std::sin(twoPi * recipe.fundamental * harmonic * time);
        }
        samples[i] = value;
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
              int channels, WavEncoding encoding) {
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = channels;
    info.format =
        SF_FORMAT_WAV | (encoding == WavEncoding::Pcm16 ? SF_FORMAT_PCM_16 : SF_FORMAT_FLOAT);
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr) {
        return false;
    }
    if (encoding == WavEncoding::Pcm16) {
        // Exact 16-bit values, so a reader can compare them bit for bit.
        const std::vector<int16_t> pcm = toPcm16(samples);
        std::vector<short> frames;
        frames.reserve(pcm.size() * static_cast<size_t>(channels));
        for (int16_t v : pcm) {
            frames.insert(frames.end(), static_cast<size_t>(channels), v);
        }
        sf_writef_short(file, frames.data(), static_cast<sf_count_t>(pcm.size()));
    } else {
        std::vector<double> frames;
        frames.reserve(samples.size() * static_cast<size_t>(channels));
        for (double v : samples) {
            frames.insert(frames.end(), static_cast<size_t>(channels), v);
        }
        sf_writef_double(file, frames.data(), static_cast<sf_count_t>(samples.size()));
    }
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
