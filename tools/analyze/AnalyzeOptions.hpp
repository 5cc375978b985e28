// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Tunings.hpp"

#include <cstdint>
#include <string>
#include <vector>

namespace ovra {

enum class ReportFormat { Csv, Json };

// The command line of ovratuner-analyze.
struct AnalyzeOptions {
    int32_t threshold = 500;  // the tuner's default volume threshold
    bool hyperactive = false; // true: no smoothing, as the "High" reactivity
    bool fine = false;        // fine tuning: refined readings every 512 samples
    int32_t fixedString = -1; // -1: automatic string selection
    const Tuning* tuning = &standardTuning();
    int32_t referencePitch = DEFAULT_REFERENCE_PITCH;
    ReportFormat format = ReportFormat::Csv;
    std::vector<std::string> files;
    bool showHelp = false;
    bool showVersion = false;
    bool listTunings = false;
};

struct ParsedCommandLine {
    AnalyzeOptions options;
    std::string error; // empty when the command line is valid
};

ParsedCommandLine parseAnalyzeCommandLine(const std::vector<std::string>& arguments);

std::string analyzeUsage();

} // namespace ovra
