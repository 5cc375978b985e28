// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/AudioFileDecoder.hpp"
#include "analysis/WavFileDecoder.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace ovra {

// The decoder interface where libsndfile is missing (the browser build):
// the whole file is read and handed to the WAV reader.
bool decodeAudioFile(const std::string& path, DecodedAudio& out, std::string& error) {
    out = DecodedAudio{};
    const auto describe = [&](const std::string& reason) {
        error = "cannot decode audio file '" + path + "': " + reason;
        return false;
    };
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                               &std::fclose);
    if (!file) {
        return describe(std::strerror(errno));
    }
    std::vector<uint8_t> bytes;
    std::vector<uint8_t> chunk(65536);
    size_t got = 0;
    while ((got = std::fread(chunk.data(), 1, chunk.size(), file.get())) > 0) {
        bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(got));
    }
    if (std::ferror(file.get()) != 0) {
        return describe("read error");
    }
    std::string reason;
    if (!decodeWavBytes(bytes, out, reason)) {
        return describe(reason);
    }
    return true;
}

} // namespace ovra
