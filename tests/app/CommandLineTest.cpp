// SPDX-License-Identifier: GPL-3.0-or-later
// The tuner's command line. The options the end-to-end runs pass (--input,
// --loop, --resources, --screenshot, --after, --tuning, --a4) and the
// refusals they check are theirs; here are the rest.
#include "app/CommandLine.hpp"

#include <gtest/gtest.h>

namespace ovra {
namespace {

const auto parse = parseTunerCommandLine;

// No arguments: the default microphone and the stored tuning.
TEST(TunerCommandLine, ReadsEveryOption) {
    const auto none = parse({});
    ASSERT_EQ(none.error, "");
    EXPECT_EQ(none.options.deviceName + none.options.inputFile + none.options.screenshotPath, "");
    EXPECT_EQ(none.options.tuning, nullptr);
    EXPECT_EQ(parse({"--device", "USB Mic"}).options.deviceName, "USB Mic");
    EXPECT_TRUE(parse({"--list-devices"}).options.listDevices);
    EXPECT_TRUE(parse({"--version"}).options.showVersion);
    EXPECT_TRUE(parse({"--list-tunings"}).options.listTunings);
    EXPECT_DOUBLE_EQ(parse({"--screenshot", "x.png"}).options.screenshotAfterSeconds, 3.0);
    EXPECT_EQ(parse({"--a4=432"}).options.referencePitch, 432);
    EXPECT_EQ(screenshotStatePath("/tmp/a.b/shot"), "/tmp/a.b/shot.json");
}

TEST(TunerCommandLine, RejectsMalformedOrContradictoryOptions) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"a.wav"}, "'a.wav'"},
        {{"--screenshot", "x.png", "--after", "-1"}, "'-1'"},
        {{"--screenshot", "x.png", "--after", "inf"}, "'inf'"},
        {{"--after", "2"}, "--after goes with --screenshot"},
        {{"--device", "x", "--input", "a.wav"}, "--input"},
        {{"--loop"}, "--loop goes with --input"},
        {{"--input="}, "option '--input' needs a value"},
        {{"--device"}, "option '--device' needs a value"},
        {{"--tuning", "Drop D"}, "no tuning named 'Drop D'; --list-tunings lists them"}};
    for (const auto& [arguments, named] : cases) {
        EXPECT_NE(parse(arguments).error.find(named), std::string::npos) << parse(arguments).error;
    }
}

} // namespace
} // namespace ovra
