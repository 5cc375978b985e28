#include "capture/AudioFileDecoder.hpp"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace ovra {
namespace {

class AudioFileDecoderTest : public ::testing::Test {
protected:
    std::string path(const char* name) const { return (dir.path() + "/" + name).toStdString(); }

    // Writes interleaved frames with libsndfile in the given format.
    template <typename T>
    void write(const std::string& file, int format, int rate, int channels,
               const std::vector<T>& interleaved) const {
        SF_INFO info{};
        info.samplerate = rate;
        info.channels = channels;
        info.format = format;
        SNDFILE* out = sf_open(file.c_str(), SFM_WRITE, &info);
        ASSERT_NE(out, nullptr) << sf_strerror(nullptr);
        if constexpr (std::is_same_v<T, int16_t>) {
            sf_write_short(out, interleaved.data(), static_cast<sf_count_t>(interleaved.size()));
        } else {
            sf_command(out, SFC_SET_NORM_FLOAT, nullptr, SF_TRUE);
            sf_write_float(out, interleaved.data(), static_cast<sf_count_t>(interleaved.size()));
        }
        sf_close(out);
    }

    QTemporaryDir dir;
};

std::vector<int16_t> noise(size_t count) {
    std::mt19937 random(42);
    std::uniform_int_distribution<int> value(-32768, 32767);
    std::vector<int16_t> samples(count);
    for (auto& s : samples) {
        s = static_cast<int16_t>(value(random));
    }
    samples[0] = -32768;
    samples[1] = 32767;
    samples[2] = 0;
    samples[3] = -1;
    return samples;
}

int zeroCrossingsUp(const std::vector<int16_t>& samples) {
    int crossings = 0;
    for (size_t i = 1; i < samples.size(); ++i) {
        crossings += (samples[i - 1] < 0 && samples[i] >= 0) ? 1 : 0;
    }
    return crossings;
}

TEST_F(AudioFileDecoderTest, Mono16Bit8kWavComesOutBitExact) {
    const auto samples = noise(10000);
    write(path("exact.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 1, samples);
    DecodedAudio audio;
    std::string error;
    ASSERT_TRUE(decodeAudioFile(path("exact.wav"), audio, error)) << error;
    EXPECT_EQ(audio.samples, samples);
    EXPECT_EQ(audio.sourceSampleRate, 8000);
    EXPECT_EQ(audio.sourceChannels, 1);
    EXPECT_EQ(audio.sourceFrames, 10000);
}

TEST_F(AudioFileDecoderTest, Mono16Bit8kFlacComesOutBitExact) {
    const auto samples = noise(5000);
    write(path("exact.flac"), SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 8000, 1, samples);
    DecodedAudio audio;
    std::string error;
    ASSERT_TRUE(decodeAudioFile(path("exact.flac"), audio, error)) << error;
    EXPECT_EQ(audio.samples, samples);
}

TEST_F(AudioFileDecoderTest, StereoIsMixedToTheMeanOfTheChannels) {
    std::vector<int16_t> frames;
    const std::vector<std::pair<int16_t, int16_t>> pairs = {
        {1000, -1000}, {2000, 2000}, {32767, 32767}, {-32768, -32768}, {300, 100}, {-32768, 32766}};
    for (auto [left, right] : pairs) {
        frames.push_back(left);
        frames.push_back(right);
    }
    write(path("stereo.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 2, frames);
    DecodedAudio audio;
    std::string error;
    ASSERT_TRUE(decodeAudioFile(path("stereo.wav"), audio, error)) << error;
    EXPECT_EQ(audio.samples, (std::vector<int16_t>{0, 2000, 32767, -32768, 200, -1}));
    EXPECT_EQ(audio.sourceChannels, 2);
}

TEST_F(AudioFileDecoderTest, FloatBeyondFullScaleIsClipped) {
    const std::vector<float> values = {1.5f, -2.0f, 0.5f, -0.25f, 1.0f, -1.0f, 0.49999f / 32768.0f};
    write(path("float.wav"), SF_FORMAT_WAV | SF_FORMAT_FLOAT, 8000, 1, values);
    DecodedAudio audio;
    std::string error;
    ASSERT_TRUE(decodeAudioFile(path("float.wav"), audio, error)) << error;
    EXPECT_EQ(audio.samples, (std::vector<int16_t>{32767, -32768, 16384, -8192, 32767, -32768, 0}));
}

TEST_F(AudioFileDecoderTest, OtherRatesAreResampledKeepingPitchLengthAndLevel) {
    const int rate = 44100;
    const double seconds = 2.0;
    std::vector<int16_t> tone(static_cast<size_t>(rate * seconds));
    for (size_t i = 0; i < tone.size(); ++i) {
        tone[i] = static_cast<int16_t>(
            std::lround(16000.0 * std::sin(2.0 * M_PI * 440.0 * static_cast<double>(i) / rate)));
    }
    write(path("cd.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, rate, 1, tone);
    DecodedAudio audio;
    std::string error;
    ASSERT_TRUE(decodeAudioFile(path("cd.wav"), audio, error)) << error;
    EXPECT_NEAR(static_cast<double>(audio.samples.size()), 16000.0, 4.0);
    EXPECT_EQ(audio.sourceSampleRate, rate);
    // 440 cycles per second: 880 upward crossings in two seconds.
    EXPECT_NEAR(zeroCrossingsUp(audio.samples), 880, 2);
    int16_t peak = 0;
    for (size_t i = 1000; i < audio.samples.size() - 1000; ++i) {
        peak = std::max(peak, audio.samples[i]);
    }
    EXPECT_NEAR(peak, 16000, 160);
}

TEST_F(AudioFileDecoderTest, ContentAboveTheNewNyquistIsRemoved) {
    const int rate = 48000;
    std::vector<int16_t> tone(48000);
    for (size_t i = 0; i < tone.size(); ++i) {
        tone[i] = static_cast<int16_t>(
            std::lround(16000.0 * std::sin(2.0 * M_PI * 6000.0 * static_cast<double>(i) / rate)));
    }
    write(path("high.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, rate, 1, tone);
    DecodedAudio audio;
    std::string error;
    ASSERT_TRUE(decodeAudioFile(path("high.wav"), audio, error)) << error;
    int16_t peak = 0;
    for (size_t i = 1000; i < audio.samples.size() - 1000; ++i) {
        peak = std::max<int16_t>(peak, static_cast<int16_t>(std::abs(audio.samples[i])));
    }
    EXPECT_LT(peak, 50); // a 6 kHz tone would alias to 2 kHz at full level
}

TEST_F(AudioFileDecoderTest, MissingFileIsAnErrorNamingIt) {
    DecodedAudio audio;
    audio.samples = {1, 2, 3};
    std::string error;
    EXPECT_FALSE(decodeAudioFile(path("nothing-here.wav"), audio, error));
    EXPECT_NE(error.find("nothing-here.wav"), std::string::npos) << error;
    EXPECT_TRUE(audio.samples.empty());
}

TEST_F(AudioFileDecoderTest, GarbageAndEmptyFilesAreErrors) {
    {
        std::ofstream garbage(path("garbage.wav"), std::ios::binary);
        std::mt19937 random(7);
        for (int i = 0; i < 5000; ++i) {
            garbage.put(static_cast<char>(random()));
        }
    }
    { std::ofstream empty(path("empty.wav"), std::ios::binary); }
    for (const char* name : {"garbage.wav", "empty.wav"}) {
        DecodedAudio audio;
        std::string error;
        EXPECT_FALSE(decodeAudioFile(path(name), audio, error)) << name;
        EXPECT_NE(error.find(name), std::string::npos) << error;
    }
}

TEST_F(AudioFileDecoderTest, HeaderWithoutSamplesIsAnError) {
    write(path("silent.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 1, std::vector<int16_t>{});
    DecodedAudio audio;
    std::string error;
    EXPECT_FALSE(decodeAudioFile(path("silent.wav"), audio, error));
    EXPECT_NE(error.find("silent.wav"), std::string::npos) << error;
}

TEST_F(AudioFileDecoderTest, TruncatedFileGivesWhatItHoldsOrAnError) {
    const auto samples = noise(4000);
    write(path("whole.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 1, samples);
    std::ifstream in(path("whole.wav"), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    std::ofstream(path("cut.wav"), std::ios::binary).write(bytes.data(), 44 + 1001);
    DecodedAudio audio;
    std::string error;
    if (decodeAudioFile(path("cut.wav"), audio, error)) {
        ASSERT_LE(audio.samples.size(), 500u);
        EXPECT_TRUE(std::equal(audio.samples.begin(), audio.samples.end(), samples.begin()));
    } else {
        EXPECT_NE(error.find("cut.wav"), std::string::npos) << error;
    }
}

} // namespace
} // namespace ovra
