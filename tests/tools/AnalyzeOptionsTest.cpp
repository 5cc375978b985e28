// What the analyser's command line refuses, and how it says so. Accepted
// options are exercised by the golden runs (examples/expected/runs.txt).
#include "AnalyzeOptions.hpp"

#include <gtest/gtest.h>

namespace ovra {
namespace {

std::string errorOf(std::vector<std::string> arguments) {
    return parseAnalyzeCommandLine(arguments).error;
}

TEST(AnalyzeCommandLine, RejectsWhatItDoesNotUnderstandNamingIt) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--loud", "a.wav"}, "--loud"},
        {{"--string", "6", "a.wav"}, "'6'"},
        {{"--string", "-1", "a.wav"}, "'-1'"},
        {{"--threshold", "12x", "a.wav"}, "'12x'"},
        {{"--threshold", "99999999999", "a.wav"}, "99999999999"},
        {{"--format", "xml", "a.wav"}, "'xml'"},
        {{"--tuning", "drop-z", "a.wav"}, "'drop-z'"},
        {{"--a4", "414", "a.wav"}, "from 415 to 466, not '414'"},
        {{"--a4", "440.5", "a.wav"}, "'440.5'"},
        {{"a.wav", "--threshold"}, "needs a value"},
        {{}, "no audio file"}};
    for (const auto& [arguments, named] : cases) {
        EXPECT_NE(errorOf(arguments).find(named), std::string::npos) << errorOf(arguments);
    }
    EXPECT_EQ(errorOf({"--help"}), "");
    EXPECT_EQ(errorOf({"--list-tunings"}), "");
    EXPECT_EQ(parseAnalyzeCommandLine({"--", "--odd.wav"}).options.files,
              std::vector<std::string>{"--odd.wav"});
}

} // namespace
} // namespace ovra
