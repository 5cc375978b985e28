#include "app/CommandLine.hpp"

#include "TestTones.hpp"

#include <gtest/gtest.h>

#include <fstream>

namespace ovra {
namespace {

ParsedTunerCommandLine parse(const std::vector<std::string>& arguments) {
    return parseTunerCommandLine(arguments);
}

TEST(TunerCommandLine, NoArgumentsListenToTheDefaultMicrophone) {
    const auto parsed = parse({});
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.deviceName, "");
    EXPECT_EQ(parsed.options.inputFile, "");
    EXPECT_EQ(parsed.options.screenshotPath, "");
}

TEST(TunerCommandLine, ReadsEveryOption) {
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
    EXPECT_EQ(parse({}).options.tuning, nullptr) << "the stored tuning stays";
    EXPECT_TRUE(parse({"--list-tunings"}).options.listTunings);
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

TEST(TunerCommandLine, ScreenshotStateGoesBesideThePicture) {
    EXPECT_EQ(screenshotStatePath("out.png"), "out.json");
    EXPECT_EQ(screenshotStatePath("/tmp/a.b/shot.png"), "/tmp/a.b/shot.json");
    EXPECT_EQ(screenshotStatePath("shot"), "shot.json");
}

TEST(TunerCommandLineFiles, NamedFilesAndFoldersMustBeUsable) {
    test::TemporaryDirectory dir;
    ASSERT_TRUE(test::writeWav(dir.file("a.wav"), test::synthesizeTone({}), 8000));
    std::ofstream(dir.file("broken.wav")) << "RIFF, but not really";

    TunerOptions options;
    options.inputFile = dir.file("a.wav");
    options.resourcesDirectory = dir.path();
    options.screenshotPath = dir.file("shot.png");
    EXPECT_EQ(checkTunerOptionFiles(options), "");
    std::vector<int16_t> samples;
    EXPECT_EQ(decodeTunerInput(options, samples), "");
    EXPECT_EQ(samples.size(), 24000u) << "three seconds at 8000 Hz, decoded once";

    for (const char* bad : {"broken.wav", "missing.wav"}) {
        options.inputFile = dir.file(bad);
        EXPECT_NE(decodeTunerInput(options, samples).find(bad), std::string::npos);
        EXPECT_TRUE(samples.empty());
    }
    options.inputFile.clear();
    EXPECT_EQ(decodeTunerInput(options, samples), "") << "no input file, nothing to decode";

    options.resourcesDirectory = dir.file("no-skin");
    EXPECT_NE(checkTunerOptionFiles(options).find("no-skin"), std::string::npos);
    options.resourcesDirectory.clear();

    options.screenshotPath = dir.file("nowhere/shot.png");
    EXPECT_NE(checkTunerOptionFiles(options).find("nowhere"), std::string::npos);
    options.screenshotPath = dir.path();
    EXPECT_NE(checkTunerOptionFiles(options).find("is a folder"), std::string::npos);
}

} // namespace
} // namespace ovra
