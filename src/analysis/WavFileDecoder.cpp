// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/WavFileDecoder.hpp"

#include <cstring>

namespace ovra {

namespace {

constexpr uint16_t WAVE_FORMAT_PCM = 1;
constexpr uint16_t WAVE_FORMAT_EXTENSIBLE = 0xFFFE;

uint16_t readU16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t readU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

struct Chunk {
    const uint8_t* data = nullptr;
    size_t size = 0;
};

// The chunks' sizes come from the file: every one is checked against what
// is left before it is read.
bool findChunks(const std::vector<uint8_t>& bytes, Chunk& format, Chunk& data) {
    size_t at = 12;
    while (at + 8 <= bytes.size()) {
        const uint8_t* header = bytes.data() + at;
        const size_t size = readU32(header + 4);
        const size_t available = bytes.size() - at - 8;
        // A data chunk cut short (a recording that was not finished) keeps what is there.
        const Chunk chunk{header + 8, size < available ? size : available};
        if (std::memcmp(header, "fmt ", 4) == 0) {
            format = chunk;
        } else if (std::memcmp(header, "data", 4) == 0) {
            data = chunk;
            return format.data != nullptr;
        }
        if (size >= available) {
            break;
        }
        at += 8 + size + (size & 1); // chunks are padded to even sizes
    }
    return format.data != nullptr && data.data != nullptr;
}

} // namespace

bool decodeWavBytes(const std::vector<uint8_t>& bytes, DecodedAudio& out, std::string& reason) {
    out = DecodedAudio{};
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
        std::memcmp(bytes.data() + 8, "WAVE", 4) != 0) {
        reason = "not a WAV file";
        return false;
    }
    Chunk format;
    Chunk data;
    if (!findChunks(bytes, format, data) || format.size < 16) {
        reason = "no format or no data in the WAV file";
        return false;
    }
    const uint16_t tag = readU16(format.data);
    const uint16_t channels = readU16(format.data + 2);
    const uint32_t rate = readU32(format.data + 4);
    const uint16_t bits = readU16(format.data + 14);
    const bool pcm =
        tag == WAVE_FORMAT_PCM || (tag == WAVE_FORMAT_EXTENSIBLE && format.size >= 26 &&
                                   readU16(format.data + 24) == WAVE_FORMAT_PCM);
    if (!pcm || channels != 1 || bits != 16 || rate != DECODED_SAMPLE_RATE) {
        reason = "only 16-bit mono PCM WAV at 8000 Hz is read in this build";
        return false;
    }
    const size_t frames = data.size / 2;
    if (frames == 0) {
        reason = "it holds no audio";
        return false;
    }
    out.samples.resize(frames);
    for (size_t i = 0; i < frames; ++i) {
        out.samples[i] = static_cast<int16_t>(readU16(data.data + 2 * i));
    }
    out.sourceSampleRate = static_cast<int>(rate);
    out.sourceChannels = channels;
    out.sourceFrames = static_cast<int64_t>(frames);
    return true;
}

} // namespace ovra
