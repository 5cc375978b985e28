// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/AudioFileDecoder.hpp"

#include <samplerate.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace ovra {

namespace {

constexpr sf_count_t CHUNK_FRAMES = 4096;

struct SndfileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};
using SndfileHandle = std::unique_ptr<SNDFILE, SndfileCloser>;

struct ResamplerDeleter {
    void operator()(SRC_STATE* state) const { src_delete(state); }
};
using ResamplerHandle = std::unique_ptr<SRC_STATE, ResamplerDeleter>;

int16_t toSample16(float value) {
    const float scaled = std::nearbyint(value * 32768.0f);
    return static_cast<int16_t>(std::clamp(scaled, -32768.0f, 32767.0f));
}

std::string describe(const std::string& path, const std::string& reason) {
    return "cannot decode audio file '" + path + "': " + reason;
}

// Reads the file as it is: exact for 16-bit mono at the target rate.
bool readExact16(SNDFILE* file, std::vector<int16_t>& samples) {
    std::vector<int16_t> chunk(CHUNK_FRAMES);
    for (;;) {
        const sf_count_t got = sf_read_short(file, chunk.data(), CHUNK_FRAMES);
        if (got <= 0) {
            break;
        }
        samples.insert(samples.end(), chunk.begin(), chunk.begin() + got);
    }
    return sf_error(file) == SF_ERR_NO_ERROR;
}

// Reads the next chunk mixed down to mono floats (full scale = 1.0).
sf_count_t readMono(SNDFILE* file, int channels, std::vector<float>& interleaved,
                    std::vector<float>& mono) {
    const sf_count_t got = sf_readf_float(file, interleaved.data(), CHUNK_FRAMES);
    for (sf_count_t frame = 0; frame < got; ++frame) {
        float sum = 0.0f;
        for (int c = 0; c < channels; ++c) {
            sum += interleaved[static_cast<size_t>(frame * channels + c)];
        }
        mono[static_cast<size_t>(frame)] = sum / static_cast<float>(channels);
    }
    return got;
}

} // namespace

bool decodeAudioFile(const std::string& path, DecodedAudio& out, std::string& error) {
    out = DecodedAudio{};
    SF_INFO info{};
    SndfileHandle file(sf_open(path.c_str(), SFM_READ, &info));
    if (!file) {
        error = describe(path, sf_strerror(nullptr));
        return false;
    }
    if (info.channels <= 0 || info.samplerate <= 0) {
        error = describe(path, "no channels or no sample rate");
        return false;
    }

    DecodedAudio decoded;
    decoded.sourceSampleRate = info.samplerate;
    decoded.sourceChannels = info.channels;

    const bool exact = info.channels == 1 && info.samplerate == DECODED_SAMPLE_RATE &&
                       (info.format & SF_FORMAT_SUBMASK) == SF_FORMAT_PCM_16;
    if (exact) {
        if (!readExact16(file.get(), decoded.samples)) {
            error = describe(path, sf_strerror(file.get()));
            return false;
        }
    } else {
        std::vector<float> interleaved(static_cast<size_t>(CHUNK_FRAMES * info.channels));
        std::vector<float> mono(static_cast<size_t>(CHUNK_FRAMES));
        const bool resample = info.samplerate != DECODED_SAMPLE_RATE;
        const double ratio = static_cast<double>(DECODED_SAMPLE_RATE) / info.samplerate;
        ResamplerHandle resampler;
        std::vector<float> resampled;
        if (resample) {
            int srcError = 0;
            resampler.reset(src_new(SRC_SINC_BEST_QUALITY, 1, &srcError));
            if (!resampler) {
                error = describe(path, std::string("resampler: ") + src_strerror(srcError));
                return false;
            }
            resampled.resize(static_cast<size_t>(std::ceil(CHUNK_FRAMES * ratio)) + 64);
        }
        bool endOfInput = false;
        while (!endOfInput) {
            const sf_count_t got = readMono(file.get(), info.channels, interleaved, mono);
            endOfInput = got < CHUNK_FRAMES;
            if (!resample) {
                for (sf_count_t i = 0; i < got; ++i) {
                    decoded.samples.push_back(toSample16(mono[static_cast<size_t>(i)]));
                }
                continue;
            }
            // Feed the chunk, then drain what the resampler has ready (all of
            // it, including its tail, once the input has ended).
            SRC_DATA step{};
            step.data_in = mono.data();
            step.input_frames = static_cast<long>(std::max<sf_count_t>(got, 0));
            step.src_ratio = ratio;
            step.end_of_input = endOfInput ? 1 : 0;
            for (;;) {
                step.data_out = resampled.data();
                step.output_frames = static_cast<long>(resampled.size());
                const int srcError = src_process(resampler.get(), &step);
                if (srcError != 0) {
                    error = describe(path, std::string("resampler: ") + src_strerror(srcError));
                    return false;
                }
                for (long i = 0; i < step.output_frames_gen; ++i) {
                    decoded.samples.push_back(toSample16(resampled[static_cast<size_t>(i)]));
                }
                step.data_in += step.input_frames_used;
                step.input_frames -= step.input_frames_used;
                if (step.input_frames == 0 && (step.output_frames_gen == 0 || !endOfInput)) {
                    break;
                }
            }
        }
        if (sf_error(file.get()) != SF_ERR_NO_ERROR) {
            error = describe(path, sf_strerror(file.get()));
            return false;
        }
    }

    decoded.sourceFrames = info.frames;
    if (decoded.samples.empty()) {
        error = describe(path, "it holds no audio");
        return false;
    }
    out = std::move(decoded);
    return true;
}

} // namespace ovra
