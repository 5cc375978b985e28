// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <vector>

namespace ovra::bench {

// One refresh of the display: when its reading was available (the end of its
// buffer, seconds after the note's onset) and what the needle showed.
struct Reading {
    double seconds = 0.0;
    std::optional<double> shownHz;
    std::optional<double> shownCents;
};

// The steady window: readings this long after the onset count towards accuracy.
inline constexpr double STEADY_FROM = 0.75;
inline constexpr double STEADY_TO = 3.5;

struct NoteScore {
    bool hasSteadyReading = false;
    double medianAbsCents = 0.0; // of the error against the true pitch
    double jitterCents = 0.0;    // standard deviation of the shown cents
    bool octaveError = false;    // a steady reading half an octave or more off
    int steadyReadings = 0;
    int octaveReadings = 0;
    // From the onset to the first reading within 5 cents that stays within
    // 5 cents for a second; empty when that never happens.
    std::optional<double> responseSeconds;
};

NoteScore scoreNote(const std::vector<Reading>& readings, double trueHz);

struct Summary {
    int notes = 0;
    int withoutReading = 0;
    double median = 0.0;
    double p95 = 0.0;
    double max = 0.0;
    double within01 = 0.0; // share of notes, 0..1
    double within05 = 0.0;
    double within1 = 0.0;
    int octaveErrors = 0;            // notes with a steady reading half an octave off
    double octaveReadingShare = 0.0; // of all steady readings
    double jitterMedian = 0.0;
    double jitterP95 = 0.0;
    std::optional<double> responseMedian;
    int withoutResponse = 0;
};

Summary summarize(const std::vector<NoteScore>& scores);

// Nearest-rank percentile (0..100) of the values; 0 for none.
double percentile(std::vector<double> values, double percent);

} // namespace ovra::bench
