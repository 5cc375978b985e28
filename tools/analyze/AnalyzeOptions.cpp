// SPDX-License-Identifier: GPL-3.0-or-later
#include "AnalyzeOptions.hpp"

#include "common/CommandLineScanner.hpp"
#include "model/TuningOptions.hpp"

namespace ovra {

namespace {

// Applies one option's value; returns an error message, or empty.
std::string applyOption(const CommandLineItem& item, AnalyzeOptions& options) {
    const std::string& value = item.value;
    if (item.name == "--help" || item.name == "-h") {
        options.showHelp = true;
    } else if (item.name == "--version") {
        options.showVersion = true;
    } else if (item.name == "--hyperactive") {
        options.hyperactive = true;
    } else if (item.name == "--fine") {
        options.fine = true;
    } else if (item.name == "--list-tunings") {
        options.listTunings = true;
    } else if (item.name == "--tuning") {
        return parseTuningOption(value, &options.tuning);
    } else if (item.name == "--a4") {
        return parseReferencePitchOption(value, &options.referencePitch);
    } else if (item.name == "--threshold") {
        if (!parseWholeNumber(value, &options.threshold)) {
            return "--threshold takes a whole number, not '" + value + "'";
        }
    } else if (item.name == "--string") {
        int32_t string = 0;
        if (value == "auto") {
            options.fixedString = -1;
        } else if (parseWholeNumber(value, &string) && string >= 0 && string <= 5) {
            options.fixedString = string;
        } else {
            return "--string takes auto or 0..5, not '" + value + "'";
        }
    } else if (item.name == "--format") {
        if (value == "csv") {
            options.format = ReportFormat::Csv;
        } else if (value == "json") {
            options.format = ReportFormat::Json;
        } else {
            return "--format takes csv or json, not '" + value + "'";
        }
    }
    return {};
}

} // namespace

std::string analyzeUsage() {
    return "Usage: ovratuner-analyze [--threshold N] [--hyperactive] [--fine]\n"
           "                         [--string auto|0..5] [--tuning ID] [--a4 HZ]\n"
           "                         [--format csv|json] FILE...\n"
           "\n"
           "Runs audio files through the tuner's analysis, buffer by buffer, and prints\n"
           "what the tuner would show for each buffer that is not silent.\n"
           "\n"
           "  --threshold N        volume threshold on the raw peak power (default 500)\n"
           "  --hyperactive        show every reading unsmoothed (reactivity \"High\")\n"
           "  --fine               fine tuning: refine each reading from the partials and\n"
           "                       analyse the latest 2048 samples every 512 (64 ms);\n"
           "                       time_s is the start of each window, cents have two\n"
           "                       decimals\n"
           "  --string auto|0..5   choose the string automatically (default), or fix it\n"
           "                       (0 = lowest string ... 5 = highest)\n"
           "  --format csv|json    output format (default csv)\n" +
           tuningOptionsUsage(23, false) +
           "  --help               show this help\n"
           "  --version            show the version\n"
           "\n"
           "Any format libsndfile reads is accepted; other sample rates are resampled\n"
           "to 8000 Hz and channels are mixed down to mono.\n";
}

ParsedCommandLine parseAnalyzeCommandLine(const std::vector<std::string>& arguments) {
    ParsedCommandLine parsed;
    const ScannedCommandLine scanned = scanCommandLine(
        arguments, {"--help", "-h", "--version", "--hyperactive", "--fine", "--list-tunings"},
        {"--threshold", "--string", "--format", "--tuning", "--a4"});
    if (!scanned.error.empty()) {
        parsed.error = scanned.error;
        return parsed;
    }
    AnalyzeOptions& options = parsed.options;
    for (const CommandLineItem& item : scanned.items) {
        if (item.name.empty()) {
            options.files.push_back(item.value);
        } else if (std::string error = applyOption(item, options); !error.empty()) {
            parsed.error = error;
            return parsed;
        }
    }
    if (!options.showHelp && !options.showVersion && !options.listTunings &&
        options.files.empty()) {
        parsed.error = "no audio file given";
    }
    return parsed;
}

} // namespace ovra
