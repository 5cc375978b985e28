// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReportWriter.hpp"

#include <cmath>
#include <string>

namespace ovra {

namespace {

std::string number(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.9g", value);
    return text;
}

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\n\r") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                out += escaped;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

// A value JSON can carry: %.9g of an infinity or NaN is not JSON.
std::string jsonNumber(double value) {
    return (value == value && value - value == 0.0) ? number(value) : "null";
}

std::string optionalNumber(const std::optional<float>& value, bool json) {
    if (!value) {
        return json ? "null" : "";
    }
    return json ? jsonNumber(*value) : number(*value);
}

std::string twoDecimals(const std::optional<float>& value, bool json) {
    const bool finite = value && std::isfinite(*value);
    if (!finite) {
        return optionalNumber(value, json);
    }
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", static_cast<double>(*value));
    // A reading a hair flat of the string is in tune, not "-0.00".
    return std::string(text) == "-0.00" ? "0.00" : text;
}

} // namespace

ReportWriter::ReportWriter(std::FILE* out, ReportFormat format, bool twoDecimalCents)
    : myOut(out), myFormat(format), myTwoDecimalCents(twoDecimalCents) {}

std::string ReportWriter::cents(const AnalysisRow& row) const {
    const bool json = myFormat == ReportFormat::Json;
    return myTwoDecimalCents ? twoDecimals(row.cents, json) : optionalNumber(row.cents, json);
}

void ReportWriter::begin() {
    if (myFormat == ReportFormat::Csv) {
        std::fputs("file,time_s,top_amplitude,mode_hz,fundamental_hz,raw_peak_power,loud,"
                   "display_hz,string,cents,note,leds\n",
                   myOut);
    } else {
        std::fputs("[", myOut);
    }
}

void ReportWriter::write(const AnalysisRow& row) {
    std::string line;
    if (myFormat == ReportFormat::Csv) {
        line = csvField(row.file) + "," + number(row.timeSeconds) + "," + number(row.topAmplitude) +
               "," + number(row.modeFrequency) + "," + number(row.fundamentalFrequency) + "," +
               number(row.rawPeakPower) + "," + (row.loud ? "1" : "0") + "," +
               optionalNumber(row.displayFrequency, false) + "," +
               std::to_string(row.activeString) + "," + cents(row) + "," +
               csvField(row.note.value_or("")) + "," + std::to_string(row.litLeds) + "\n";
    } else {
        line = std::string(myFirstRow ? "\n" : ",\n") + "{\"file\":" + jsonString(row.file) +
               ",\"time_s\":" + jsonNumber(row.timeSeconds) +
               ",\"top_amplitude\":" + jsonNumber(row.topAmplitude) +
               ",\"mode_hz\":" + jsonNumber(row.modeFrequency) +
               ",\"fundamental_hz\":" + jsonNumber(row.fundamentalFrequency) +
               ",\"raw_peak_power\":" + jsonNumber(row.rawPeakPower) +
               ",\"loud\":" + (row.loud ? "true" : "false") +
               ",\"display_hz\":" + optionalNumber(row.displayFrequency, true) +
               ",\"string\":" + std::to_string(row.activeString) + ",\"cents\":" + cents(row) +
               ",\"note\":" + (row.note ? jsonString(*row.note) : "null") +
               ",\"leds\":" + std::to_string(row.litLeds) + "}";
    }
    myFirstRow = false;
    std::fputs(line.c_str(), myOut);
}

void ReportWriter::end() {
    if (myFormat == ReportFormat::Json) {
        std::fputs(myFirstRow ? "]\n" : "\n]\n", myOut);
    }
    std::fflush(myOut);
}

} // namespace ovra
