// SPDX-License-Identifier: GPL-3.0-or-later
// The browser build's WAV reader: the same samples as libsndfile for the
// one format it reads, odd chunk layouts, and what it refuses.
#include "analysis/WavFileDecoder.hpp"
#include "TestTones.hpp"
#include "analysis/AudioFileDecoder.hpp"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace ovra {
namespace {

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

class WavFileDecoderTest : public ::testing::Test {
protected:
    std::string writeWithLibsndfile(const std::string& name, int format, int rate, int channels,
                                    const std::vector<int16_t>& pcm) const {
        const std::string path = dir.file(name);
        SF_INFO info{0, rate, channels, format, 0, 0};
        SNDFILE* out = sf_open(path.c_str(), SFM_WRITE, &info);
        EXPECT_NE(out, nullptr) << sf_strerror(nullptr);
        if (out != nullptr) {
            sf_write_short(out, pcm.data(), static_cast<sf_count_t>(pcm.size()));
            sf_close(out);
        }
        return path;
    }
    test::TemporaryDirectory dir;
};

const std::vector<int16_t> SAMPLES = {0, 1, -1, 32767, -32768, 12345, -2048, 7};

TEST_F(WavFileDecoderTest, ReadsWhatLibsndfileReadsForPlainAndExtensibleHeaders) {
    for (const int format :
         {SF_FORMAT_WAV | SF_FORMAT_PCM_16, SF_FORMAT_WAVEX | SF_FORMAT_PCM_16}) {
        const std::string path = writeWithLibsndfile("take.wav", format, 8000, 1, SAMPLES);
        DecodedAudio full;
        std::string error;
        ASSERT_TRUE(decodeAudioFile(path, full, error)) << error;
        DecodedAudio wav;
        std::string reason;
        ASSERT_TRUE(decodeWavBytes(readBytes(path), wav, reason)) << reason;
        EXPECT_EQ(wav.samples, full.samples);
        EXPECT_EQ(wav.samples, SAMPLES);
        EXPECT_EQ(wav.sourceSampleRate, 8000);
        EXPECT_EQ(wav.sourceChannels, 1);
        EXPECT_EQ(wav.sourceFrames, static_cast<int64_t>(SAMPLES.size()));
    }
}

TEST_F(WavFileDecoderTest, RefusesEveryOtherFormatWithAReason) {
    const std::vector<int16_t> stereo = {1, 2, 3, 4};
    const std::vector<std::string> paths = {
        writeWithLibsndfile("stereo.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 2, stereo),
        writeWithLibsndfile("cd.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 1, SAMPLES),
        writeWithLibsndfile("24.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_24, 8000, 1, SAMPLES),
        writeWithLibsndfile("float.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 8000, 1, SAMPLES),
        writeWithLibsndfile("take.aiff", SF_FORMAT_AIFF | SF_FORMAT_PCM_16, 8000, 1, SAMPLES),
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

TEST_F(WavFileDecoderTest, SkipsOtherChunksWithTheirPaddingByte) {
    std::vector<uint8_t> chunks;
    putTag(chunks, "LIST");
    put32(chunks, 3); // odd: one padding byte follows
    for (const uint8_t byte : {'a', 'b', 'c', '\0'}) {
        chunks.push_back(byte);
    }
    const std::vector<uint8_t> data = dataChunk(SAMPLES, 2 * SAMPLES.size());
    chunks.insert(chunks.end(), data.begin(), data.end());
    DecodedAudio audio;
    std::string reason;
    ASSERT_TRUE(decodeWavBytes(wav(1, 8000, 16, chunks), audio, reason)) << reason;
    EXPECT_EQ(audio.samples, SAMPLES);
}

TEST_F(WavFileDecoderTest, KeepsWhatIsThereOfADataChunkCutShort) {
    // The header promises a thousand samples; eight and a half are there.
    std::vector<uint8_t> chunks = dataChunk(SAMPLES, 2000);
    chunks.push_back(0x55);
    DecodedAudio audio;
    std::string reason;
    ASSERT_TRUE(decodeWavBytes(wav(1, 8000, 16, chunks), audio, reason)) << reason;
    EXPECT_EQ(audio.samples, SAMPLES);
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
