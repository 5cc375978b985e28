// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Tunings.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ovra {

// The command line of the ovratuner program.
struct TunerOptions {
    bool showHelp = false;
    bool showVersion = false;
    bool listDevices = false;
    std::string deviceName;         // empty: the default microphone
    std::string inputFile;          // an audio file heard instead of the microphone
    bool loopInput = false;         // start the file again at its end
    std::string resourcesDirectory; // another skin: files here win over the built-in ones
    std::string screenshotPath;     // render the window to this PNG and quit
    double screenshotAfterSeconds = 3.0;
    bool listTunings = false;
    std::string language; // empty: the one the environment names
    // For this run only; null and 0 keep the stored settings.
    const Tuning* tuning = nullptr;
    int32_t referencePitch = 0;
};

struct ParsedTunerCommandLine {
    TunerOptions options;
    std::string error; // empty when the command line is valid
};

// Reads the words of the command line; checks their form, not the files.
ParsedTunerCommandLine parseTunerCommandLine(const std::vector<std::string>& arguments);

// Checks what the options name on disk: the resources folder exists, the
// screenshot's folder exists. Returns an error message, or empty.
std::string checkTunerOptionFiles(const TunerOptions& options);

// Decodes the --input file (mono, 8000 Hz, 16-bit) once, before any window
// opens, so that a bad file is reported at once and capture needs no second
// decoding. Returns an error message naming the file, or empty.
std::string decodeTunerInput(const TunerOptions& options, std::vector<int16_t>& samples);

// The JSON file written beside a screenshot: FILE.png -> FILE.json.
std::string screenshotStatePath(const std::string& screenshotPath);

std::string tunerUsage();

} // namespace ovra
