// SPDX-License-Identifier: GPL-3.0-or-later
#include "capture/CaptureFormatConverter.hpp"

#include "analysis/CaptureRecord.hpp"

#include <samplerate.h>

#include <algorithm>
#include <cmath>

namespace ovra {

namespace {

// Fast windowed sinc: band-limited well enough for a detector that looks
// below 2 kHz, at a fraction of the better converters' cost.
constexpr int RESAMPLER_QUALITY = SRC_SINC_FASTEST;
constexpr int MAX_RATE = 768000;
constexpr int MAX_CHANNELS = 64;

} // namespace

CaptureFormatConverter::CaptureFormatConverter(const QAudioFormat& from) : myFormat(from) {
    if (from.sampleFormat() == QAudioFormat::Unknown || from.channelCount() < 1 ||
        from.channelCount() > MAX_CHANNELS || from.sampleRate() < 1000 ||
        from.sampleRate() > MAX_RATE) {
        return;
    }
    myRatio = CAPTURE_SAMPLE_RATE / from.sampleRate();
    int error = 0;
    myState = src_new(RESAMPLER_QUALITY, 1, &error);
}

CaptureFormatConverter::~CaptureFormatConverter() {
    if (myState != nullptr) {
        src_delete(myState);
    }
}

void CaptureFormatConverter::convert(const QByteArray& bytes, std::vector<int16_t>& out) {
    if (myState == nullptr) {
        return;
    }
    myPartialFrame.append(bytes);
    const int channels = myFormat.channelCount();
    const int sampleBytes = myFormat.bytesPerSample();
    const int frameBytes = myFormat.bytesPerFrame();
    const qsizetype frames = myPartialFrame.size() / frameBytes;
    if (frames == 0) {
        return;
    }
    myMono.resize(static_cast<size_t>(frames));
    const char* data = myPartialFrame.constData();
    for (qsizetype f = 0; f < frames; ++f) {
        float sum = 0.0f;
        for (int c = 0; c < channels; ++c) {
            sum += myFormat.normalizedSampleValue(data + f * frameBytes + c * sampleBytes);
        }
        myMono[static_cast<size_t>(f)] = sum / static_cast<float>(channels);
    }
    myPartialFrame.remove(0, frames * frameBytes);

    myResampled.resize(static_cast<size_t>(std::ceil(static_cast<double>(frames) * myRatio)) + 64);
    SRC_DATA job{};
    job.data_in = myMono.data();
    job.input_frames = static_cast<long>(frames);
    job.src_ratio = myRatio;
    job.end_of_input = 0;
    // The resampler keeps its filter's delay line itself; every frame handed
    // to it is used, over as many calls as the output room needs.
    while (job.input_frames > 0) {
        job.data_out = myResampled.data();
        job.output_frames = static_cast<long>(myResampled.size());
        if (src_process(myState, &job) != 0) {
            return;
        }
        for (long i = 0; i < job.output_frames_gen; ++i) {
            const float scaled =
                std::clamp(myResampled[static_cast<size_t>(i)] * 32768.0f, -32768.0f, 32767.0f);
            out.push_back(static_cast<int16_t>(std::lrint(scaled)));
        }
        if (job.input_frames_used == 0 && job.output_frames_gen == 0) {
            return;
        }
        job.data_in += job.input_frames_used;
        job.input_frames -= job.input_frames_used;
    }
}

std::string describeAudioFormat(const QAudioFormat& format) {
    const char* sample = "unknown";
    switch (format.sampleFormat()) {
    case QAudioFormat::UInt8:
        sample = "8-bit";
        break;
    case QAudioFormat::Int16:
        sample = "16-bit";
        break;
    case QAudioFormat::Int32:
        sample = "32-bit";
        break;
    case QAudioFormat::Float:
        sample = "float";
        break;
    default:
        break;
    }
    return std::to_string(format.sampleRate()) + " Hz " +
           (format.channelCount() == 1 ? std::string("mono")
                                       : std::to_string(format.channelCount()) + "-channel") +
           " " + sample;
}

} // namespace ovra
