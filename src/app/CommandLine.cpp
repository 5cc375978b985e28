// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.hpp"

#include "analysis/AudioFileDecoder.hpp"
#include "common/CommandLineScanner.hpp"
#include "model/TuningOptions.hpp"

#include <charconv>
#include <cmath>
#include <filesystem>

namespace ovra {

namespace {

bool parseSeconds(const std::string& text, double* seconds) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, *seconds);
    return ec == std::errc() && ptr == end && !text.empty() && std::isfinite(*seconds) &&
           *seconds >= 0.0;
}

} // namespace

std::string tunerUsage() {
    return "Usage: ovratuner [OPTION]...\n"
           "\n"
           "A guitar tuner: play a string and the needle shows how many cents it is sharp\n"
           "(red) or flat (blue). Touch a tuning key to pick a string, or the magic key to\n"
           "let the tuner pick it.\n"
           "\n"
           "  --device NAME           listen to this microphone (see --list-devices)\n"
           "  --list-devices          list the microphones (* marks the default) and exit\n"
           "  --input FILE            listen to an audio file instead, in real time\n"
           "  --loop                  with --input: start the file again at its end\n"
           "  --resources DIR         use the layout and images in DIR where present\n"
           "  --screenshot FILE.png   after --after seconds, save the window as FILE.png\n"
           "                          and its state as FILE.json, then quit\n"
           "  --after SECONDS         when to take the screenshot (default 3)\n"
           "  --lang CODE             speak this language (de, fr, es, it, pt_BR, en) instead\n"
           "                          of the one LANGUAGE or LANG names\n" +
           tuningOptionsUsage(26, true) +
           "  --help                  show this help\n"
           "  --version               show the version\n"
           "\n"
           "Keys: 1-6 pick a string (lowest to highest), M the magic key, S or comma opens\n"
           "the settings, Escape or Return closes them, Ctrl+Q quits.\n";
}

ParsedTunerCommandLine parseTunerCommandLine(const std::vector<std::string>& arguments) {
    ParsedTunerCommandLine parsed;
    const ScannedCommandLine scanned = scanCommandLine(
        arguments, {"--help", "-h", "--version", "--list-devices", "--loop", "--list-tunings"},
        {"--device", "--input", "--resources", "--screenshot", "--after", "--tuning", "--a4",
         "--lang"});
    if (!scanned.error.empty()) {
        parsed.error = scanned.error;
        return parsed;
    }
    TunerOptions& options = parsed.options;
    bool afterGiven = false;
    for (const CommandLineItem& item : scanned.items) {
        const std::string& value = item.value;
        if (item.name.empty()) {
            parsed.error = "unexpected argument '" + value + "' (audio files go after --input)";
            return parsed;
        }
        if (item.name == "--help" || item.name == "-h") {
            options.showHelp = true;
        } else if (item.name == "--version") {
            options.showVersion = true;
        } else if (item.name == "--list-devices") {
            options.listDevices = true;
        } else if (item.name == "--loop") {
            options.loopInput = true;
        } else if (item.name == "--list-tunings") {
            options.listTunings = true;
        } else if (value.empty()) {
            parsed.error = "option '" + item.name + "' needs a value";
            return parsed;
        } else if (item.name == "--device") {
            options.deviceName = value;
        } else if (item.name == "--input") {
            options.inputFile = value;
        } else if (item.name == "--resources") {
            options.resourcesDirectory = value;
        } else if (item.name == "--screenshot") {
            options.screenshotPath = value;
        } else if (item.name == "--lang") {
            options.language = value;
        } else if (item.name == "--tuning") {
            parsed.error = parseTuningOption(value, &options.tuning);
        } else if (item.name == "--a4") {
            parsed.error = parseReferencePitchOption(value, &options.referencePitch);
        } else if (item.name == "--after") {
            if (!parseSeconds(value, &options.screenshotAfterSeconds)) {
                parsed.error = "--after takes a number of seconds, not '" + value + "'";
                return parsed;
            }
            afterGiven = true;
        }
        if (!parsed.error.empty()) {
            return parsed;
        }
    }
    if (afterGiven && options.screenshotPath.empty()) {
        parsed.error = "--after goes with --screenshot";
    } else if (!options.deviceName.empty() && !options.inputFile.empty()) {
        parsed.error = "--device and --input cannot be used together";
    } else if (options.loopInput && options.inputFile.empty()) {
        parsed.error = "--loop goes with --input";
    }
    return parsed;
}

std::string checkTunerOptionFiles(const TunerOptions& options) {
    namespace fs = std::filesystem;
    std::error_code ignored;
    if (!options.resourcesDirectory.empty() &&
        !fs::is_directory(options.resourcesDirectory, ignored)) {
        return "resources folder '" + options.resourcesDirectory + "' does not exist";
    }
    if (!options.screenshotPath.empty()) {
        const fs::path path(options.screenshotPath);
        const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
        if (!fs::is_directory(folder, ignored)) {
            return "cannot write the screenshot: folder '" + folder.string() + "' does not exist";
        }
        if (fs::is_directory(path, ignored)) {
            return "cannot write the screenshot: '" + options.screenshotPath + "' is a folder";
        }
    }
    return {};
}

std::string decodeTunerInput(const TunerOptions& options, std::vector<int16_t>& samples) {
    samples.clear();
    if (options.inputFile.empty()) {
        return {};
    }
    DecodedAudio audio;
    std::string error;
    if (!decodeAudioFile(options.inputFile, audio, error)) {
        return error;
    }
    if (audio.samples.empty()) {
        return "'" + options.inputFile + "' holds no sound";
    }
    samples = std::move(audio.samples);
    return {};
}

std::string screenshotStatePath(const std::string& screenshotPath) {
    std::filesystem::path path(screenshotPath);
    path.replace_extension(".json");
    return path.string();
}

} // namespace ovra
