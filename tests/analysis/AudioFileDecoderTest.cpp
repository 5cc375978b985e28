// SPDX-License-Identifier: GPL-3.0-or-later
// The audio-file decoder: exact 16-bit input, mixing down, clipping,
// resampling, and files it cannot read.
#include "analysis/AudioFileDecoder.hpp"
#include "TestTones.hpp"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace ovra {
namespace {

class AudioFileDecoderTest : public ::testing::Test {
protected:
    // Writes interleaved frames with libsndfile: 16-bit samples, or floats in [-1, 1].
    void write(const std::string& name, int format, int rate, int channels,
               const std::vector<int16_t>& pcm, const std::vector<float>& floats = {}) const {
        SF_INFO info{0, rate, channels, format, 0, 0};
        SNDFILE* out = sf_open(dir.file(name).c_str(), SFM_WRITE, &info);
        ASSERT_NE(out, nullptr) << sf_strerror(nullptr);
        sf_write_short(out, pcm.data(), static_cast<sf_count_t>(pcm.size()));
        sf_write_float(out, floats.data(), static_cast<sf_count_t>(floats.size()));
        sf_close(out);
    }
    DecodedAudio decode(const std::string& name) const {
        DecodedAudio audio;
        std::string error;
        EXPECT_TRUE(decodeAudioFile(dir.file(name), audio, error)) << error;
        return audio;
    }
    test::TemporaryDirectory dir;
};

constexpr int WAV16 = SF_FORMAT_WAV | SF_FORMAT_PCM_16;

TEST_F(AudioFileDecoderTest, Mono16Bit8kComesOutBitExactStereoMixedAndFloatClipped) {
    std::mt19937 random(42);
    std::vector<int16_t> samples(10000);
    for (auto& s : samples) {
        s = static_cast<int16_t>(random());
    }
    samples[0] = -32768;
    samples[1] = 32767;
    for (const auto& [name, format] :
         {std::pair{"exact.wav", WAV16},
          std::pair{"exact.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16}}) {
        write(name, format, 8000, 1, samples);
        const DecodedAudio audio = decode(name);
        EXPECT_EQ(audio.samples, samples) << name;
        EXPECT_EQ(audio.sourceFrames, 10000) << name;
    }
    // Stereo is mixed to the mean, and float beyond full scale is clipped.
    write("stereo.wav", WAV16, 8000, 2,
          {1000, -1000, 2000, 2000, 32767, 32767, -32768, -32768, 300, 100, -32768, 32766});
    EXPECT_EQ(decode("stereo.wav").samples,
              (std::vector<int16_t>{0, 2000, 32767, -32768, 200, -1}));
    write("float.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 8000, 1, {},
          {1.5f, -2.0f, 0.5f, -0.25f, 1.0f, -1.0f, 0.49999f / 32768.0f});
    EXPECT_EQ(decode("float.wav").samples,
              (std::vector<int16_t>{32767, -32768, 16384, -8192, 32767, -32768, 0}));
}

TEST_F(AudioFileDecoderTest, OtherRatesAreResampledKeepingPitchLengthAndLevel) {
    ASSERT_TRUE(test::writeWav(dir.file("cd.wav"),
                               test::synthesizeTone({440.0, {16000.0 / 32767.0}, 2.0, 0.0, 44100}),
                               44100));
    const DecodedAudio audio = decode("cd.wav");
    EXPECT_NEAR(static_cast<double>(audio.samples.size()), 16000.0, 4.0);
    int crossingsUp = 0;
    for (size_t i = 1; i < audio.samples.size(); ++i) {
        crossingsUp += (audio.samples[i - 1] < 0 && audio.samples[i] >= 0) ? 1 : 0;
    }
    EXPECT_NEAR(crossingsUp, 880, 2); // 440 cycles per second for two seconds
    EXPECT_NEAR(*std::max_element(audio.samples.begin() + 1000, audio.samples.end() - 1000), 16000,
                160);
}

TEST_F(AudioFileDecoderTest, MissingGarbageEmptyOrSamplelessFilesAreErrorsNamingThem) {
    std::ofstream(dir.file("garbage.wav"), std::ios::binary) << std::string(5000, '\x5a');
    std::ofstream(dir.file("empty.wav"), std::ios::binary).flush();
    write("silent.wav", WAV16, 8000, 1, {});
    for (const char* name : {"nothing-here.wav", "garbage.wav", "empty.wav", "silent.wav"}) {
        DecodedAudio audio;
        audio.samples = {1, 2, 3};
        std::string error;
        EXPECT_FALSE(decodeAudioFile(dir.file(name), audio, error)) << name;
        EXPECT_NE(error.find(name), std::string::npos) << error;
        EXPECT_TRUE(audio.samples.empty()) << name;
    }
}

} // namespace
} // namespace ovra
