// SPDX-License-Identifier: GPL-3.0-or-later
// ovratuner-analyze: the tuner's analysis and display arithmetic, without a
// screen, over audio files.

#include "AnalyzeOptions.hpp"
#include "FileAnalysis.hpp"
#include "ReportWriter.hpp"

#include "common/LogCapture.hpp"
#include "common/Version.hpp"
#include "model/TuningOptions.hpp"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    using namespace ovra;

    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const ParsedCommandLine parsed = parseAnalyzeCommandLine(arguments);
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "ovratuner-analyze: %s (try --help)\n", parsed.error.c_str());
        return 2;
    }
    const AnalyzeOptions& options = parsed.options;
    if (options.showHelp) {
        std::fputs(analyzeUsage().c_str(), stdout);
        return 0;
    }
    if (options.showVersion) {
        std::printf("ovratuner-analyze %s\n%s\n%s", OVRA_VERSION, OVRA_COPYRIGHT,
                    OVRA_LICENSE_NOTICE);
        return 0;
    }
    if (options.listTunings) {
        std::fputs(tuningListText().c_str(), stdout);
        return 0;
    }

    // The detector's one-time start-up line is for the application's log,
    // not for a report on standard output or error.
    LogCapture quietLog;

    ReportWriter writer(stdout, options.format, options.fine);
    writer.begin();
    int status = 0;
    for (const std::string& file : options.files) {
        std::string error;
        if (!analyzeFile(
                file, options, [&](const AnalysisRow& row) { writer.write(row); }, error)) {
            std::fflush(stdout);
            std::fprintf(stderr, "ovratuner-analyze: %s\n", error.c_str());
            status = 1;
        }
    }
    writer.end();
    return status;
}
