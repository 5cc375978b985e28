// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace ovra {

// One word of a command line: an option with its value (if it takes one), or
// an operand such as a file name.
struct CommandLineItem {
    std::string name;  // "--threshold"; empty for an operand
    std::string value; // the option's value, or the operand itself
};

struct ScannedCommandLine {
    std::vector<CommandLineItem> items;
    std::string error; // empty when every option is known and has its value
};

// Splits arguments into flags (options in `flags`), options with a value
// ("--name value" or "--name=value", for options in `withValue`) and
// operands. "--" ends the options; a lone "-" is an operand. The first
// unknown option or missing value stops the scan with a message naming it.
// An option's value read as a whole decimal 32-bit integer (all of it, no
// sign other than '-'); false, with `value` untouched, otherwise.
bool parseWholeNumber(const std::string& text, int32_t* value);

ScannedCommandLine scanCommandLine(const std::vector<std::string>& arguments,
                                   const std::set<std::string>& flags,
                                   const std::set<std::string>& withValue);

} // namespace ovra
