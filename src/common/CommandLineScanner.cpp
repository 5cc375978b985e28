// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/CommandLineScanner.hpp"

#include <charconv>

namespace ovra {

bool parseWholeNumber(const std::string& text, int32_t* value) {
    int32_t number = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, number);
    if (text.empty() || ec != std::errc() || ptr != end) {
        return false;
    }
    *value = number;
    return true;
}

ScannedCommandLine scanCommandLine(const std::vector<std::string>& arguments,
                                   const std::set<std::string>& flags,
                                   const std::set<std::string>& withValue) {
    ScannedCommandLine scanned;
    bool onlyOperands = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (onlyOperands || argument.size() < 2 || argument[0] != '-') {
            scanned.items.push_back({"", argument});
            continue;
        }
        if (argument == "--") {
            onlyOperands = true;
            continue;
        }
        if (flags.count(argument) != 0) {
            scanned.items.push_back({argument, ""});
            continue;
        }
        std::string name = argument;
        std::string value;
        bool hasValue = false;
        if (const auto equals = argument.find('='); equals != std::string::npos) {
            name = argument.substr(0, equals);
            value = argument.substr(equals + 1);
            hasValue = true;
        }
        if (withValue.count(name) == 0) {
            scanned.error = "unknown option '" + argument + "'";
            return scanned;
        }
        if (!hasValue) {
            if (i + 1 >= arguments.size()) {
                scanned.error = "option '" + name + "' needs a value";
                return scanned;
            }
            value = arguments[++i];
        }
        scanned.items.push_back({name, value});
    }
    return scanned;
}

} // namespace ovra
