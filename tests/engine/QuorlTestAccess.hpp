// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Quorl.hpp"

#include <cstdint>
#include <initializer_list>

namespace ovra {

// Lets tests lay down a power spectrum or a peak list directly, so the peak
// ranking and the harmonic vote can be checked on hand-made inputs.
class QuorlTestAccess {
public:
    struct Peak {
        double frequency;
        double power;
    };

    // A spectrum of 2 * half points (half bins analysed), every bin 0.
    static void clearSpectrum(Quorl& quorl, int32_t half) {
        quorl.setBufferLength(half);
        for (double& p : quorl.myPowerValues) {
            p = 0.0;
        }
    }

    static double& power(Quorl& quorl, int32_t bin) { return quorl.myPowerValues[bin]; }
    // Peak list in slot order; slot s uses bin s + 1 to hold its power.
    static void setPeaks(Quorl& quorl, std::initializer_list<Peak> peaks) {
        int32_t slot = 0;
        for (const Peak& peak : peaks) {
            quorl.myPeakIndexArray[slot] = slot + 1;
            quorl.myPowerValues[slot + 1] = peak.power;
            quorl.myPeakFrequencyArray[slot] = peak.frequency;
            ++slot;
        }
        quorl.myPeakCount = slot;
    }
};

} // namespace ovra
