#include "app/CommandLine.hpp"

#include <gtest/gtest.h>

namespace ovra {
namespace {

ParsedTunerCommandLine parse(const std::vector<std::string>& arguments) {
    return parseTunerCommandLine(arguments);
}

// No arguments: the default microphone and the stored tuning.
TEST(TunerCommandLine, ReadsEveryOption) {
    const auto none = parse({});
    ASSERT_EQ(none.error, "");
    EXPECT_EQ(none.options.deviceName + none.options.inputFile + none.options.screenshotPath, "");
    EXPECT_EQ(none.options.tuning, nullptr);
    const auto parsed = parse({"--input", "a.wav", "--loop", "--resources=skin", "--screenshot",
                               "out.png", "--after", "2.5"});
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.inputFile, "a.wav");
    EXPECT_TRUE(parsed.options.loopInput);
    EXPECT_EQ(parsed.options.resourcesDirectory, "skin");
    EXPECT_EQ(parsed.options.screenshotPath, "out.png");
    EXPECT_DOUBLE_EQ(parsed.options.screenshotAfterSeconds, 2.5);

    EXPECT_EQ(parse({"--device", "USB Mic"}).options.deviceName, "USB Mic");
    EXPECT_TRUE(parse({"--list-devices"}).options.listDevices);
    EXPECT_TRUE(parse({"--help"}).options.showHelp);
    EXPECT_TRUE(parse({"--version"}).options.showVersion);
    EXPECT_DOUBLE_EQ(parse({"--screenshot", "x.png"}).options.screenshotAfterSeconds, 3.0);
    const auto tuned = parse({"--tuning", "open-g", "--a4=432"});
    ASSERT_EQ(tuned.error, "");
    EXPECT_EQ(tuned.options.tuning, findTuning("open-g"));
    EXPECT_EQ(tuned.options.referencePitch, 432);
    EXPECT_TRUE(parse({"--list-tunings"}).options.listTunings);
    EXPECT_EQ(screenshotStatePath("/tmp/a.b/shot.png"), "/tmp/a.b/shot.json") << "beside it";
    EXPECT_EQ(screenshotStatePath("shot"), "shot.json");
}

TEST(TunerCommandLine, RejectsMalformedOrContradictoryOptions) {
    EXPECT_EQ(parse({"--fullscreen"}).error, "unknown option '--fullscreen'");
    EXPECT_NE(parse({"a.wav"}).error.find("'a.wav'"), std::string::npos);
    EXPECT_NE(parse({"--screenshot", "x.png", "--after", "-1"}).error.find("'-1'"),
              std::string::npos);
    EXPECT_NE(parse({"--screenshot", "x.png", "--after", "soon"}).error, "");
    EXPECT_NE(parse({"--screenshot", "x.png", "--after", "inf"}).error, "");
    EXPECT_EQ(parse({"--after", "2"}).error, "--after goes with --screenshot");
    EXPECT_NE(parse({"--device", "x", "--input", "a.wav"}).error, "");
    EXPECT_EQ(parse({"--loop"}).error, "--loop goes with --input");
    EXPECT_EQ(parse({"--input="}).error, "option '--input' needs a value");
    EXPECT_EQ(parse({"--device"}).error, "option '--device' needs a value");
    EXPECT_EQ(parse({"--tuning", "Drop D"}).error,
              "no tuning named 'Drop D'; --list-tunings lists them");
    EXPECT_NE(parse({"--a4", "467"}).error.find("'467'"), std::string::npos);
}

} // namespace
} // namespace ovra
