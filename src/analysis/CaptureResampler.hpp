// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ovra {

// Converts microphone audio at the device's rate into the tuner's capture
// format (CAPTURE_SAMPLE_RATE, 16-bit). A polyphase FIR filter (Kaiser-windowed
// sinc) band-limits the input below 4000 Hz, attenuating everything from 4000 Hz
// up by at least 80 dB, and resamples by the exact ratio of the rate rounded to
// whole hertz. The output lags the input by a constant half the filter length.
// Everything is allocated at construction; pushing allocates nothing.
class CaptureResampler {
public:
    // inputRate in Hz; rates outside [8000, 192000] (or not finite) make an
    // inert converter: valid() false, push() emits nothing.
    explicit CaptureResampler(double inputRate);

    bool valid() const { return myTapsPerPhase > 0; }
    double inputRate() const { return myInputRate; }

    // Appends `count` samples in [-1, 1] (values beyond are clipped on output,
    // NaN and infinities read as 0) and calls
    // onSamples(const int16_t* samples, size_t count) with the 8000 Hz samples
    // this produced, possibly several times, possibly none. The pointer is
    // valid only during the call.
    template <typename OnSamples>
    void push(const float* samples, size_t count, OnSamples&& onSamples) {
        if (!valid()) {
            return;
        }
        while (count > 0) {
            const size_t taken = count < BLOCK_FRAMES ? count : BLOCK_FRAMES;
            const size_t produced = convertBlock(samples, taken);
            samples += taken;
            count -= taken;
            if (produced > 0) {
                onSamples(static_cast<const int16_t*>(myOutput.data()), produced);
            }
        }
    }

    // Forgets history, as for a new stream.
    void reset();

private:
    static constexpr size_t BLOCK_FRAMES = 1024;

    // Filters up to BLOCK_FRAMES input samples into myOutput; returns how
    // many output samples they completed.
    size_t convertBlock(const float* samples, size_t count);
    // One output sample from the history ending at myHistory[newest].
    float outputAt(size_t newest) const;
    const float* phaseTaps(uint32_t phase) const {
        return myTaps.data() + static_cast<size_t>(phase) * myTapsPerPhase;
    }

    double myInputRate;
    // Output sample n lies at input position n * myDown / myUp.
    uint32_t myUp = 1;
    uint32_t myDown = 1;
    // Filter phases stored: myUp when the table stays small, otherwise fewer,
    // and an output between two stored phases blends their results.
    uint32_t myPhases = 1;
    bool myInterpolated = false;
    size_t myTapsPerPhase = 0;
    // Phase-major, taps in the order of the samples they meet (oldest first);
    // one extra phase when interpolating, for blending past the last.
    std::vector<float> myTaps;
    // The last myTapsPerPhase - 1 samples of earlier blocks, then the block.
    std::vector<float> myHistory;
    std::vector<int16_t> myOutput;
    // Index in myHistory of the newest sample the next output reads, and
    // that output's position between it and the following sample, in 1/myUp.
    size_t myNewest = 0;
    uint32_t myPhase = 0;
};

} // namespace ovra
