// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ovra {

// Turns a stream of samples, delivered in chunks of any size, into "the
// latest `windowLength` samples" every `hop` samples: the first window once
// windowLength samples have arrived, then one per further hop. Fine tuning
// analyses 2048 samples every 512 this way. Memory is reserved once at
// construction; pushing allocates nothing.
class HoppingWindow {
public:
    HoppingWindow(size_t windowLength, size_t hop);

    // Appends the samples; for every window completed on the way calls
    // onWindow(const int16_t* window, uint64_t firstSample), with the window
    // in order, oldest sample first, and the stream position of that sample.
    // The pointer is valid only during the call.
    template <typename OnWindow>
    void push(const int16_t* samples, size_t count, OnWindow&& onWindow) {
        while (count > 0) {
            const size_t taken = append(samples, count);
            samples += taken;
            count -= taken;
            if (myFill == myBuffer.size()) {
                onWindow(static_cast<const int16_t*>(myBuffer.data()), myReceived - myFill);
            }
        }
    }

    // Forgets everything received, as for a new stream.
    void reset();

    size_t windowLength() const { return myBuffer.size(); }
    size_t hop() const { return myHop; }

private:
    // Makes room for the next hop when the window is full, then copies as
    // many samples as fit; returns how many it took.
    size_t append(const int16_t* samples, size_t count);

    std::vector<int16_t> myBuffer;
    size_t myHop;
    size_t myFill = 0;
    uint64_t myReceived = 0;
};

} // namespace ovra
