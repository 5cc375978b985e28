// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/AudioFileDecoder.hpp"

#include <cstdint>
#include <string>
#include <vector>

namespace ovra {

// The decoder of builds without libsndfile (the browser's): reads the one
// format the tuner hears, a RIFF WAVE file of 16-bit little-endian PCM,
// mono, at 8000 Hz, bit-exact. Anything else is refused with a reason, as
// the full decoder would refuse an unreadable file. `decodeAudioFile` is
// this over the file's bytes in these builds.
bool decodeWavBytes(const std::vector<uint8_t>& bytes, DecodedAudio& out, std::string& reason);

} // namespace ovra
