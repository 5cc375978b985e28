// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace ovra::test {

// A plucked-string-like tone: harmonics of `fundamental` with the given
// amplitudes (fraction of full scale, partial 1 first), each decaying faster
// the higher it is, as a string's partials do.
struct ToneRecipe {
    double fundamental = 110.0;
    std::vector<double> partials = {0.35, 0.25, 0.15, 0.1, 0.06};
    double seconds = 3.0;
    double decayPerSecond = 0.4; // of the first partial; partial h decays h times faster
    int sampleRate = 8000;
};

// Mono samples in [-1, 1].
std::vector<double> synthesizeTone(const ToneRecipe& recipe);

// Rounded and clipped to 16-bit.
std::vector<int16_t> toPcm16(const std::vector<double>& samples);

// `count` 16-bit samples at 8000 Hz of the same kind of tone, with the
// partials' amplitudes in sample units (1000 is 1000 / 32768 of full scale).
std::vector<int16_t> pcmTone(double fundamental, const std::vector<double>& amplitudes,
                             size_t count = 2048, double decayPerSecond = 0.0);

// Writes the samples, 16-bit and the same in every channel, with libsndfile;
// returns false if the file cannot be written.
bool writeWav(const std::string& path, const std::vector<double>& samples, int sampleRate,
              int channels = 1);
// Writes interleaved items in libsndfile's `format`: the 16-bit ones, then
// the floats (full scale 1); returns false if the file cannot be written.
bool writeSoundFile(const std::string& path, int format, int sampleRate, int channels,
                    const std::vector<int16_t>& pcm, const std::vector<float>& floats = {});

// A fresh directory under the system's temporary directory, removed with
// everything in it when the object goes.
class TemporaryDirectory {
public:
    TemporaryDirectory();
    ~TemporaryDirectory();
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

    const std::string& path() const { return myPath; }
    std::string file(const std::string& name) const { return myPath + "/" + name; }

private:
    std::string myPath;
};

} // namespace ovra::test
