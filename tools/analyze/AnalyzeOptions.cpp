#include "AnalyzeOptions.hpp"

#include <charconv>

namespace ovra {

namespace {

bool parseInt(const std::string& text, int32_t* value) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, *value);
    return ec == std::errc() && ptr == end && !text.empty();
}

} // namespace

std::string analyzeUsage() {
    return "Usage: ovratuner-analyze [--threshold N] [--hyperactive] [--string auto|0..5]\n"
           "                         [--format csv|json] FILE...\n"
           "\n"
           "Runs audio files through the tuner's analysis, buffer by buffer, and prints\n"
           "what the tuner would show for each buffer that is not silent.\n"
           "\n"
           "  --threshold N        volume threshold on the raw peak power (default 500)\n"
           "  --hyperactive        show every reading unsmoothed (reactivity \"High\")\n"
           "  --string auto|0..5   choose the string automatically (default), or fix it\n"
           "                       (0 = low E ... 5 = high E)\n"
           "  --format csv|json    output format (default csv)\n"
           "  --help               show this help\n"
           "  --version            show the version\n"
           "\n"
           "Any format libsndfile reads is accepted; other sample rates are resampled\n"
           "to 8000 Hz and channels are mixed down to mono.\n";
}

ParsedCommandLine parseAnalyzeCommandLine(const std::vector<std::string>& arguments) {
    ParsedCommandLine parsed;
    AnalyzeOptions& options = parsed.options;
    bool onlyFiles = false;

    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (onlyFiles || argument.empty() || argument[0] != '-' || argument == "-") {
            options.files.push_back(argument);
            continue;
        }
        if (argument == "--") {
            onlyFiles = true;
            continue;
        }
        if (argument == "--help" || argument == "-h") {
            options.showHelp = true;
            continue;
        }
        if (argument == "--version") {
            options.showVersion = true;
            continue;
        }
        if (argument == "--hyperactive") {
            options.hyperactive = true;
            continue;
        }

        // The remaining options take a value, as "--name value" or "--name=value".
        std::string name = argument;
        std::string value;
        bool hasValue = false;
        if (const auto equals = argument.find('='); equals != std::string::npos) {
            name = argument.substr(0, equals);
            value = argument.substr(equals + 1);
            hasValue = true;
        }
        if (name != "--threshold" && name != "--string" && name != "--format") {
            parsed.error = "unknown option '" + argument + "'";
            return parsed;
        }
        if (!hasValue) {
            if (i + 1 >= arguments.size()) {
                parsed.error = "option '" + name + "' needs a value";
                return parsed;
            }
            value = arguments[++i];
        }

        if (name == "--threshold") {
            if (!parseInt(value, &options.threshold)) {
                parsed.error = "--threshold takes a whole number, not '" + value + "'";
                return parsed;
            }
        } else if (name == "--string") {
            if (value == "auto") {
                options.fixedString = -1;
            } else if (int32_t string = 0; parseInt(value, &string) && string >= 0 && string <= 5) {
                options.fixedString = string;
            } else {
                parsed.error = "--string takes auto or 0..5, not '" + value + "'";
                return parsed;
            }
        } else {
            if (value == "csv") {
                options.format = ReportFormat::Csv;
            } else if (value == "json") {
                options.format = ReportFormat::Json;
            } else {
                parsed.error = "--format takes csv or json, not '" + value + "'";
                return parsed;
            }
        }
    }

    if (!options.showHelp && !options.showVersion && options.files.empty()) {
        parsed.error = "no audio file given";
    }
    return parsed;
}

} // namespace ovra
