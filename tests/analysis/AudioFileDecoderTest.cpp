// SPDX-License-Identifier: GPL-3.0-or-later
// The audio-file decoder: exact 16-bit input, mixing down, clipping,
// resampling, and files it cannot read; and the browser build's WAV reader.
#include "analysis/AudioFileDecoder.hpp"
#include "TestTones.hpp"
#include "analysis/WavFileDecoder.hpp"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace ovra {
namespace {

class AudioFileDecoderTest : public ::testing::Test {
protected:
    // Writes interleaved items with libsndfile; the file's path.
    std::string write(const std::string& name, int format, int rate, int channels,
                      const std::vector<int16_t>& pcm,
                      const std::vector<float>& floats = {}) const {
        EXPECT_TRUE(test::writeSoundFile(dir.file(name), format, rate, channels, pcm, floats));
        return dir.file(name);
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

std::vector<uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void put16(std::vector<uint8_t>& bytes, uint32_t value) {
    bytes.push_back(static_cast<uint8_t>(value & 0xFF));
    bytes.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
}

void put32(std::vector<uint8_t>& bytes, uint32_t value) {
    put16(bytes, value & 0xFFFF);
    put16(bytes, value >> 16);
}

void putTag(std::vector<uint8_t>& bytes, const char* tag) {
    for (int i = 0; i < 4; ++i) {
        bytes.push_back(static_cast<uint8_t>(tag[i]));
    }
}

// A WAV by hand: the RIFF header, a 16-byte PCM format chunk, then `chunks`
// as given (the RIFF size is not read, so it is left 0).
std::vector<uint8_t> wav(uint16_t channels, uint32_t rate, uint16_t bits,
                         const std::vector<uint8_t>& chunks) {
    std::vector<uint8_t> bytes;
    putTag(bytes, "RIFF");
    put32(bytes, 0);
    putTag(bytes, "WAVE");
    putTag(bytes, "fmt ");
    put32(bytes, 16);
    put16(bytes, 1);
    put16(bytes, channels);
    put32(bytes, rate);
    put32(bytes, rate * channels * bits / 8);
    put16(bytes, static_cast<uint16_t>(channels * bits / 8));
    put16(bytes, bits);
    bytes.insert(bytes.end(), chunks.begin(), chunks.end());
    return bytes;
}

std::vector<uint8_t> dataChunk(const std::vector<int16_t>& samples, uint32_t declaredBytes) {
    std::vector<uint8_t> chunk;
    putTag(chunk, "data");
    put32(chunk, declaredBytes);
    for (const int16_t s : samples) {
        put16(chunk, static_cast<uint16_t>(s));
    }
    return chunk;
}

// The browser build's WAV reader: the same samples as libsndfile for the
// one format it reads, odd chunk layouts, and what it refuses.
using WavFileDecoderTest = AudioFileDecoderTest;

const std::vector<int16_t> SAMPLES = {0, 1, -1, 32767, -32768, 12345, -2048, 7};

TEST_F(WavFileDecoderTest, ReadsWhatLibsndfileReadsForPlainAndExtensibleHeaders) {
    for (const int format :
         {SF_FORMAT_WAV | SF_FORMAT_PCM_16, SF_FORMAT_WAVEX | SF_FORMAT_PCM_16}) {
        const std::string path = write("take.wav", format, 8000, 1, SAMPLES);
        DecodedAudio wav;
        std::string reason;
        ASSERT_TRUE(decodeWavBytes(readBytes(path), wav, reason)) << reason;
        EXPECT_EQ(wav.samples, decode("take.wav").samples);
        EXPECT_EQ(wav.samples, SAMPLES);
        EXPECT_EQ(wav.sourceSampleRate, 8000);
        EXPECT_EQ(wav.sourceChannels, 1);
        EXPECT_EQ(wav.sourceFrames, static_cast<int64_t>(SAMPLES.size()));
    }
}

TEST_F(WavFileDecoderTest, RefusesEveryOtherFormatWithAReason) {
    const std::vector<int16_t> stereo = {1, 2, 3, 4};
    const std::vector<std::string> paths = {
        write("stereo.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 2, stereo),
        write("cd.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 1, SAMPLES),
        write("24.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_24, 8000, 1, SAMPLES),
        write("float.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 8000, 1, SAMPLES),
        write("take.aiff", SF_FORMAT_AIFF | SF_FORMAT_PCM_16, 8000, 1, SAMPLES),
    };
    for (const std::string& path : paths) {
        DecodedAudio audio;
        audio.samples = {1};
        std::string reason;
        EXPECT_FALSE(decodeWavBytes(readBytes(path), audio, reason)) << path;
        EXPECT_FALSE(reason.empty()) << path;
        EXPECT_TRUE(audio.samples.empty()) << path;
    }
}

// Another chunk (odd-sized, so a padding byte follows) is skipped; of a data
// chunk that promises a thousand samples, the eight and a half there are kept.
TEST_F(WavFileDecoderTest, SkipsOtherChunksWithTheirPaddingByteAndKeepsADataChunkCutShort) {
    std::vector<uint8_t> skipped;
    putTag(skipped, "LIST");
    put32(skipped, 3);
    for (const uint8_t byte : {'a', 'b', 'c', '\0'}) {
        skipped.push_back(byte);
    }
    const std::vector<uint8_t> data = dataChunk(SAMPLES, 2 * SAMPLES.size());
    skipped.insert(skipped.end(), data.begin(), data.end());
    std::vector<uint8_t> cutShort = dataChunk(SAMPLES, 2000);
    cutShort.push_back(0x55);
    for (const auto& chunks : {skipped, cutShort}) {
        DecodedAudio audio;
        std::string reason;
        ASSERT_TRUE(decodeWavBytes(wav(1, 8000, 16, chunks), audio, reason)) << reason;
        EXPECT_EQ(audio.samples, SAMPLES);
    }
}

TEST_F(WavFileDecoderTest, RefusesBrokenOrEmptyFiles) {
    std::vector<uint8_t> hugeChunk;
    putTag(hugeChunk, "junk");
    put32(hugeChunk, 0xFFFFFFFF); // larger than the file: no data chunk after it
    std::vector<uint8_t> formatCutShort = wav(1, 8000, 16, {});
    formatCutShort.resize(30);
    const std::vector<std::vector<uint8_t>> broken = {
        {},
        {'R', 'I', 'F', 'F'},
        std::vector<uint8_t>(64, 0),
        wav(1, 8000, 16, {}),               // no data chunk
        wav(1, 8000, 16, dataChunk({}, 0)), // no samples
        wav(1, 8000, 16, hugeChunk),        // a chunk running past the end
        formatCutShort,
    };
    for (size_t i = 0; i < broken.size(); ++i) {
        DecodedAudio audio;
        std::string reason;
        EXPECT_FALSE(decodeWavBytes(broken[i], audio, reason)) << "case " << i;
        EXPECT_FALSE(reason.empty()) << "case " << i;
    }
}

} // namespace
} // namespace ovra
