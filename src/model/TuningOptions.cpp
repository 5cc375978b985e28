// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/TuningOptions.hpp"

#include "common/CommandLineScanner.hpp"

#include <algorithm>
#include <cstdio>

namespace ovra {

std::string tuningOptionsUsage(size_t descriptionColumn, bool forOneRun) {
    const auto line = [descriptionColumn](std::string option, const std::string& description) {
        option.resize(std::max(descriptionColumn, option.size() + 1), ' ');
        return option + description + "\n";
    };
    const std::string range =
        std::to_string(MIN_REFERENCE_PITCH) + " to " + std::to_string(MAX_REFERENCE_PITCH);
    if (forOneRun) {
        return line("  --tuning ID", "tune to this tuning for this run, without storing it") +
               line("  --a4 HZ", "tune from A4 at HZ hertz (" + range + ") for this run") +
               line("  --list-tunings", "list the tunings and exit");
    }
    return line("  --tuning ID", "tune the strings to this tuning (default standard)") +
           line("  --a4 HZ", "tune from A4 at HZ hertz, " + range + " (default " +
                                 std::to_string(DEFAULT_REFERENCE_PITCH) + ")") +
           line("  --list-tunings", "list the tunings and exit");
}

std::string parseTuningOption(const std::string& value, const Tuning** tuning) {
    if (const Tuning* found = findTuning(value)) {
        *tuning = found;
        return {};
    }
    return "no tuning named '" + value + "'; --list-tunings lists them";
}

std::string parseReferencePitchOption(const std::string& value, int32_t* hertz) {
    int32_t number = 0;
    if (!parseWholeNumber(value, &number) || !isValidReferencePitch(number)) {
        return "--a4 takes a whole number of hertz from " + std::to_string(MIN_REFERENCE_PITCH) +
               " to " + std::to_string(MAX_REFERENCE_PITCH) + ", not '" + value + "'";
    }
    *hertz = number;
    return {};
}

std::string tuningListText() {
    std::string text;
    for (const Tuning& tuning : builtInTunings()) {
        char line[64];
        std::snprintf(line, sizeof line, "%-17s %-17s ", std::string(tuning.id).c_str(),
                      std::string(tuning.name).c_str());
        text += line + tuningNotesText(tuning) + "\n";
    }
    return text;
}

} // namespace ovra
