#include "analysis/AudioFileDecoder.hpp"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <QTemporaryDir>

#include <cmath>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace ovra {
namespace {

constexpr int PCM16 = SF_FORMAT_PCM_16;

class AudioFileDecoderTest : public ::testing::Test {
protected:
    std::string path(const std::string& name) const {
        return (dir.path() + "/").toStdString() + name;
    }

    // Writes interleaved frames with libsndfile; WAV unless the format says otherwise.
    template <typename T>
    void write(const std::string& name, int format, int rate, int channels,
               const std::vector<T>& interleaved) const {
        SF_INFO info{};
        info.samplerate = rate;
        info.channels = channels;
        info.format = (format & SF_FORMAT_TYPEMASK) ? format : (SF_FORMAT_WAV | format);
        SNDFILE* out = sf_open(path(name).c_str(), SFM_WRITE, &info);
        ASSERT_NE(out, nullptr) << sf_strerror(nullptr);
        if constexpr (std::is_same_v<T, int16_t>) {
            sf_write_short(out, interleaved.data(), static_cast<sf_count_t>(interleaved.size()));
        } else {
            sf_command(out, SFC_SET_NORM_FLOAT, nullptr, SF_TRUE);
            sf_write_float(out, interleaved.data(), static_cast<sf_count_t>(interleaved.size()));
        }
        sf_close(out);
    }

    DecodedAudio decode(const std::string& name) const {
        DecodedAudio audio;
        std::string error;
        EXPECT_TRUE(decodeAudioFile(path(name), audio, error)) << error;
        return audio;
    }

    // The largest sample (or |sample|) away from the resampler's edges.
    static int innerPeak(const std::vector<int16_t>& samples, bool magnitude) {
        int peak = 0;
        for (size_t i = 1000; i + 1000 < samples.size(); ++i) {
            peak = std::max(peak, magnitude ? std::abs(int{samples[i]}) : int{samples[i]});
        }
        return peak;
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

std::vector<int16_t> sine(double frequency, int rate, size_t count) {
    std::vector<int16_t> tone(count);
    for (size_t i = 0; i < count; ++i) {
        tone[i] = static_cast<int16_t>(std::lround(
            16000.0 * std::sin(2.0 * M_PI * frequency * static_cast<double>(i) / rate)));
    }
    return tone;
}

TEST_F(AudioFileDecoderTest, Mono16Bit8kWavAndFlacComeOutBitExact) {
    for (auto [name, format, count] : {std::tuple{"exact.wav", PCM16, 10000},
                                       std::tuple{"exact.flac", SF_FORMAT_FLAC | PCM16, 5000}}) {
        const auto samples = noise(static_cast<size_t>(count));
        write(name, format, 8000, 1, samples);
        const DecodedAudio audio = decode(name);
        EXPECT_EQ(audio.samples, samples) << name;
        EXPECT_EQ(audio.sourceSampleRate, 8000) << name;
        EXPECT_EQ(audio.sourceChannels, 1) << name;
        EXPECT_EQ(audio.sourceFrames, count) << name;
    }
}

TEST_F(AudioFileDecoderTest, StereoIsMixedToTheMeanOfTheChannels) {
    write("stereo.wav", PCM16, 8000, 2,
          std::vector<int16_t>{1000, -1000, 2000, 2000, 32767, 32767, -32768, -32768, 300, 100,
                               -32768, 32766});
    const DecodedAudio audio = decode("stereo.wav");
    EXPECT_EQ(audio.samples, (std::vector<int16_t>{0, 2000, 32767, -32768, 200, -1}));
    EXPECT_EQ(audio.sourceChannels, 2);
}

TEST_F(AudioFileDecoderTest, FloatBeyondFullScaleIsClipped) {
    write("float.wav", SF_FORMAT_FLOAT, 8000, 1,
          std::vector<float>{1.5f, -2.0f, 0.5f, -0.25f, 1.0f, -1.0f, 0.49999f / 32768.0f});
    EXPECT_EQ(decode("float.wav").samples,
              (std::vector<int16_t>{32767, -32768, 16384, -8192, 32767, -32768, 0}));
}

TEST_F(AudioFileDecoderTest, OtherRatesAreResampledKeepingPitchLengthAndLevel) {
    write("cd.wav", PCM16, 44100, 1, sine(440.0, 44100, 88200));
    const DecodedAudio audio = decode("cd.wav");
    EXPECT_NEAR(static_cast<double>(audio.samples.size()), 16000.0, 4.0);
    EXPECT_EQ(audio.sourceSampleRate, 44100);
    int crossingsUp = 0;
    for (size_t i = 1; i < audio.samples.size(); ++i) {
        crossingsUp += (audio.samples[i - 1] < 0 && audio.samples[i] >= 0) ? 1 : 0;
    }
    EXPECT_NEAR(crossingsUp, 880, 2); // 440 cycles per second for two seconds
    EXPECT_NEAR(innerPeak(audio.samples, false), 16000, 160);
}

TEST_F(AudioFileDecoderTest, ContentAboveTheNewNyquistIsRemoved) {
    write("high.wav", PCM16, 48000, 1, sine(6000.0, 48000, 48000));
    // A 6 kHz tone would alias to 2 kHz at full level.
    EXPECT_LT(innerPeak(decode("high.wav").samples, true), 50);
}

TEST_F(AudioFileDecoderTest, MissingGarbageEmptyOrSamplelessFilesAreErrorsNamingThem) {
    {
        std::ofstream garbage(path("garbage.wav"), std::ios::binary);
        std::mt19937 random(7);
        for (int i = 0; i < 5000; ++i) {
            garbage.put(static_cast<char>(random()));
        }
    }
    std::ofstream(path("empty.wav"), std::ios::binary).flush();
    write("silent.wav", PCM16, 8000, 1, std::vector<int16_t>{});
    for (const char* name : {"nothing-here.wav", "garbage.wav", "empty.wav", "silent.wav"}) {
        DecodedAudio audio;
        audio.samples = {1, 2, 3};
        std::string error;
        EXPECT_FALSE(decodeAudioFile(path(name), audio, error)) << name;
        EXPECT_NE(error.find(name), std::string::npos) << error;
        EXPECT_TRUE(audio.samples.empty()) << name;
    }
}

TEST_F(AudioFileDecoderTest, TruncatedFileGivesWhatItHoldsOrAnError) {
    const auto samples = noise(4000);
    write("whole.wav", PCM16, 8000, 1, samples);
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
