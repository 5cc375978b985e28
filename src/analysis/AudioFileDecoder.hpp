// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ovra {

inline constexpr int DECODED_SAMPLE_RATE = 8000;

// A whole audio file as the tuner hears it: mono, 8000 Hz, 16-bit.
struct DecodedAudio {
    std::vector<int16_t> samples;
    int sourceSampleRate = 0;
    int sourceChannels = 0;
    int64_t sourceFrames = 0;
};

// Decodes any file libsndfile reads: mixes the channels down to mono (their
// mean), resamples to 8000 Hz when the file's rate differs, and converts to
// 16-bit with rounding and clipping. A 16-bit mono 8000 Hz PCM file comes out
// bit-exact. On failure returns false with `error` naming the file and the
// reason; `out` is then left empty.
bool decodeAudioFile(const std::string& path, DecodedAudio& out, std::string& error);

} // namespace ovra
