// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "capture/TonePlayer.hpp"

#include <vector>

namespace ovra::test {

// Stands in for the audio output: each frequency played, and 0 for a stop.
class RecordingTonePlayer : public TonePlayer {
public:
    explicit RecordingTonePlayer(std::vector<double>& calls) : myCalls(calls) {}
    void play(double frequency) override { myCalls.push_back(frequency); }
    void stop() override { myCalls.push_back(0.0); }

private:
    std::vector<double>& myCalls;
};

} // namespace ovra::test
