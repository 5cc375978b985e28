#include "AnalyzeOptions.hpp"

#include <gtest/gtest.h>

namespace ovra {
namespace {

ParsedCommandLine parse(std::vector<std::string> arguments) {
    return parseAnalyzeCommandLine(arguments);
}

TEST(AnalyzeCommandLine, DefaultsMatchTheTunersOwnSettings) {
    const auto parsed = parse({"a.wav"});
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.threshold, 500);
    EXPECT_FALSE(parsed.options.hyperactive);
    EXPECT_EQ(parsed.options.fixedString, -1);
    EXPECT_EQ(parsed.options.format, ReportFormat::Csv);
    EXPECT_EQ(parsed.options.files, std::vector<std::string>{"a.wav"});
}

TEST(AnalyzeCommandLine, AcceptsEveryOptionInBothSpellings) {
    const auto parsed = parse({"--threshold", "50", "--hyperactive", "--string=3", "--format",
                               "json", "a.wav", "b.flac"});
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.threshold, 50);
    EXPECT_TRUE(parsed.options.hyperactive);
    EXPECT_EQ(parsed.options.fixedString, 3);
    EXPECT_EQ(parsed.options.format, ReportFormat::Json);
    EXPECT_EQ(parsed.options.files.size(), 2u);

    EXPECT_EQ(parse({"--string", "auto", "x.wav"}).options.fixedString, -1);
    EXPECT_EQ(parse({"--threshold=-5", "x.wav"}).options.threshold, -5);
}

TEST(AnalyzeCommandLine, FilesAfterDoubleDashMayStartWithADash) {
    const auto parsed = parse({"--", "--odd-name.wav"});
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.files, std::vector<std::string>{"--odd-name.wav"});
}

TEST(AnalyzeCommandLine, RejectsWhatItDoesNotUnderstandNamingIt) {
    EXPECT_NE(parse({"--loud", "a.wav"}).error.find("--loud"), std::string::npos);
    EXPECT_NE(parse({"--string", "6", "a.wav"}).error.find("'6'"), std::string::npos);
    EXPECT_NE(parse({"--string", "-1", "a.wav"}).error, "");
    EXPECT_NE(parse({"--threshold", "12x", "a.wav"}).error.find("12x"), std::string::npos);
    EXPECT_NE(parse({"--threshold", "99999999999", "a.wav"}).error, "");
    EXPECT_NE(parse({"--format", "xml", "a.wav"}).error.find("xml"), std::string::npos);
    EXPECT_NE(parse({"a.wav", "--threshold"}).error.find("needs a value"), std::string::npos);
    EXPECT_NE(parse({}).error, "");
}

TEST(AnalyzeCommandLine, HelpAndVersionNeedNoFile) {
    EXPECT_EQ(parse({"--help"}).error, "");
    EXPECT_TRUE(parse({"--help"}).options.showHelp);
    EXPECT_TRUE(parse({"--version"}).options.showVersion);
}

} // namespace
} // namespace ovra
