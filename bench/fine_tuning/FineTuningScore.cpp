// SPDX-License-Identifier: GPL-3.0-or-later
#include "FineTuningScore.hpp"

#include <algorithm>
#include <cmath>

namespace ovra::bench {

namespace {

constexpr double RESPONSE_CENTS = 5.0;
constexpr double RESPONSE_HOLD = 1.0;
constexpr double OCTAVE_ERROR_CENTS = 600.0;

double centsOff(double shownHz, double trueHz) {
    return 1200.0 * std::log2(shownHz / trueHz);
}

std::optional<double> response(const std::vector<Reading>& readings, double trueHz) {
    for (size_t i = 0; i < readings.size(); ++i) {
        const Reading& start = readings[i];
        if (start.seconds < 0.0 || !start.shownHz ||
            std::abs(centsOff(*start.shownHz, trueHz)) > RESPONSE_CENTS) {
            continue;
        }
        bool holds = true;
        for (size_t j = i + 1;
             j < readings.size() && readings[j].seconds <= start.seconds + RESPONSE_HOLD; ++j) {
            if (readings[j].shownHz &&
                std::abs(centsOff(*readings[j].shownHz, trueHz)) > RESPONSE_CENTS) {
                holds = false;
                break;
            }
        }
        if (holds) {
            return start.seconds;
        }
    }
    return std::nullopt;
}

double median(std::vector<double> values) {
    return percentile(std::move(values), 50.0);
}

} // namespace

double percentile(std::vector<double> values, double percent) {
    if (values.empty()) {
        return 0.0;
    }
    std::sort(values.begin(), values.end());
    const auto rank = static_cast<size_t>(std::ceil(percent / 100.0 * values.size()));
    return values[std::clamp<size_t>(rank, 1, values.size()) - 1];
}

NoteScore scoreNote(const std::vector<Reading>& readings, double trueHz) {
    NoteScore score;
    std::vector<double> errors;
    std::vector<double> shown;
    for (const Reading& r : readings) {
        if (r.seconds < STEADY_FROM || r.seconds > STEADY_TO || !r.shownHz) {
            continue;
        }
        const double error = centsOff(*r.shownHz, trueHz);
        errors.push_back(std::abs(error));
        ++score.steadyReadings;
        if (std::abs(error) >= OCTAVE_ERROR_CENTS) {
            score.octaveError = true;
            ++score.octaveReadings;
        }
        if (r.shownCents) {
            shown.push_back(*r.shownCents);
        }
    }
    score.hasSteadyReading = !errors.empty();
    score.medianAbsCents = median(errors);
    if (shown.size() > 1) {
        double mean = 0.0;
        for (double c : shown) {
            mean += c / static_cast<double>(shown.size());
        }
        double sum = 0.0;
        for (double c : shown) {
            sum += (c - mean) * (c - mean);
        }
        score.jitterCents = std::sqrt(sum / static_cast<double>(shown.size() - 1));
    }
    score.responseSeconds = response(readings, trueHz);
    return score;
}

Summary summarize(const std::vector<NoteScore>& scores) {
    Summary s;
    std::vector<double> medians;
    std::vector<double> jitters;
    std::vector<double> responses;
    int readings = 0;
    int octaveReadings = 0;
    for (const NoteScore& n : scores) {
        ++s.notes;
        readings += n.steadyReadings;
        octaveReadings += n.octaveReadings;
        s.octaveErrors += n.octaveError ? 1 : 0;
        if (n.responseSeconds) {
            responses.push_back(*n.responseSeconds);
        } else {
            ++s.withoutResponse;
        }
        if (!n.hasSteadyReading) {
            ++s.withoutReading;
            continue;
        }
        medians.push_back(n.medianAbsCents);
        jitters.push_back(n.jitterCents);
    }
    const auto share = [&medians](double limit) {
        const auto count =
            std::count_if(medians.begin(), medians.end(), [limit](double m) { return m <= limit; });
        return medians.empty() ? 0.0 : static_cast<double>(count) / medians.size();
    };
    s.median = median(medians);
    s.p95 = percentile(medians, 95.0);
    s.max = medians.empty() ? 0.0 : *std::max_element(medians.begin(), medians.end());
    s.within01 = share(0.1);
    s.within05 = share(0.5);
    s.within1 = share(1.0);
    s.jitterMedian = median(jitters);
    s.jitterP95 = percentile(jitters, 95.0);
    s.octaveReadingShare = readings > 0 ? static_cast<double>(octaveReadings) / readings : 0.0;
    if (!responses.empty()) {
        s.responseMedian = median(responses);
    }
    return s;
}

} // namespace ovra::bench
