// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/CommandLineScanner.hpp"

#include <gtest/gtest.h>

#include <utility>

namespace ovra {
namespace {

// The scanned items as "name=value " each (operands have no name), or the error.
std::string scanned(const std::vector<std::string>& arguments) {
    const ScannedCommandLine result = scanCommandLine(arguments, {"--flag"}, {"--name"});
    std::string out = result.error.empty() ? "" : "error: " + result.error;
    for (const auto& item : result.items) {
        out += item.name + "=" + item.value + " ";
    }
    return out;
}

TEST(CommandLineScanner, SeparatesFlagsValuedOptionsAndOperandsOrNamesTheFirstProblem) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        // Only the first '=' splits; a lone dash is an operand.
        {{"a", "--flag", "--name", "x", "--name=y=z", "-", "b"},
         "=a --flag= --name=x --name=y=z =- =b "},
        {{"--name", "--flag"}, "--name=--flag "},               // a value may look like an option
        {{"--", "--flag", "--unknown"}, "=--flag =--unknown "}, // the end of the options
        {{"--flag=1"}, "error: unknown option '--flag=1'"},
        {{"-x", "--bad"}, "error: unknown option '-x'"},
        {{"--name"}, "error: option '--name' needs a value"}};
    for (const auto& [arguments, expected] : cases) {
        EXPECT_EQ(scanned(arguments), expected);
    }
}

} // namespace
} // namespace ovra
