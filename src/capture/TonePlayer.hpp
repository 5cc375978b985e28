// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace ovra {

// Plays a string's tone to tune by ear. Main thread only.
class TonePlayer {
public:
    virtual ~TonePlayer() = default;
    // Plucks a tone of `frequency` Hz that dies away by itself in about two
    // seconds; a tone still sounding is replaced.
    virtual void play(double frequency) = 0;
    // Ends the tone early, with a short fade; nothing if none sounds.
    virtual void stop() = 0;
};

} // namespace ovra
