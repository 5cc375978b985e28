// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAudioFormat>
#include <QByteArray>

#include <cstdint>
#include <string>
#include <vector>

struct SRC_STATE_tag;

namespace ovra {

// Turns a stream in a device's own format (any rate, any channel count,
// 8/16/32-bit integer or float samples) into the detector's 16-bit mono
// 8000 Hz: channels are averaged, then libsamplerate resamples. Streaming:
// reads may end in the middle of a frame.
class CaptureFormatConverter {
public:
    explicit CaptureFormatConverter(const QAudioFormat& from);
    ~CaptureFormatConverter();
    CaptureFormatConverter(const CaptureFormatConverter&) = delete;
    CaptureFormatConverter& operator=(const CaptureFormatConverter&) = delete;

    // False when the format cannot be converted (unknown sample format,
    // no channels, a rate out of range) or the resampler failed to start.
    bool isValid() const { return myState != nullptr; }
    // Converts `bytes` and appends the resulting samples to `out`.
    void convert(const QByteArray& bytes, std::vector<int16_t>& out);

private:
    QAudioFormat myFormat;
    SRC_STATE_tag* myState = nullptr;
    double myRatio = 1.0;
    QByteArray myPartialFrame;
    std::vector<float> myMono;
    std::vector<float> myResampled;
};

// "48000 Hz 2-channel float", for log lines.
std::string describeAudioFormat(const QAudioFormat& format);

} // namespace ovra
