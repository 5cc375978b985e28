#include "FileAnalysis.hpp"

#include "TestTones.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace ovra {
namespace {

using test::synthesizeTone;
using test::TemporaryDirectory;
using test::ToneRecipe;
using test::toPcm16;
using test::writeWav;

std::vector<AnalysisRow> analyze(const std::vector<int16_t>& samples,
                                 const AnalyzeOptions& options = {}) {
    std::vector<AnalysisRow> rows;
    analyzeSamples("tone", samples, options, [&](const AnalysisRow& row) { rows.push_back(row); });
    return rows;
}

std::vector<AnalysisRow> analyzePath(const std::string& path, const AnalyzeOptions& options = {}) {
    std::vector<AnalysisRow> rows;
    std::string error;
    EXPECT_TRUE(analyzeFile(
        path, options, [&](const AnalysisRow& row) { rows.push_back(row); }, error))
        << error;
    return rows;
}

TEST(FileAnalysis, A110HzToneSettlesOnStringOneInTune) {
    const auto rows = analyze(toPcm16(synthesizeTone(ToneRecipe{})));
    ASSERT_GE(rows.size(), 8u);
    // The smoother needs three agreeing readings before it shows anything.
    EXPECT_FALSE(rows[0].displayFrequency.has_value());
    EXPECT_FALSE(rows[1].displayFrequency.has_value());
    for (size_t i = 3; i < rows.size(); ++i) {
        ASSERT_TRUE(rows[i].cents.has_value()) << "row " << i;
        EXPECT_EQ(rows[i].activeString, 1) << "row " << i;
        EXPECT_NEAR(*rows[i].cents, 0.0f, 3.0f) << "row " << i;
        EXPECT_TRUE(rows[i].loud);
    }
}

TEST(FileAnalysis, RowsCarryTheBufferStartAndSkipSilentBuffers) {
    auto samples = toPcm16(synthesizeTone(ToneRecipe{.seconds = 1.0}));
    samples.insert(samples.begin(), 2 * 2048, int16_t{0}); // two silent buffers first
    const auto rows = analyze(samples);
    ASSERT_FALSE(rows.empty());
    EXPECT_DOUBLE_EQ(rows[0].timeSeconds, 0.512);
    for (size_t i = 1; i < rows.size(); ++i) {
        EXPECT_DOUBLE_EQ(rows[i].timeSeconds - rows[i - 1].timeSeconds, 0.256);
    }
    // 8000 + 4096 samples make six buffers, the last one padded; two are silent.
    EXPECT_EQ(rows.size(), 4u);
}

TEST(FileAnalysis, AFixedStringIsKeptAndMeasuredAgainst) {
    AnalyzeOptions options;
    options.fixedString = 3;
    options.hyperactive = true;
    const auto rows = analyze(toPcm16(synthesizeTone(ToneRecipe{})), options);
    ASSERT_FALSE(rows.empty());
    const float expected = static_cast<float>(1200.0 * std::log2(110.0 / 196.0));
    for (const auto& row : rows) {
        EXPECT_EQ(row.activeString, 3);
        ASSERT_TRUE(row.cents.has_value()) << "unsmoothed: every loud row shows a reading";
        EXPECT_NEAR(*row.cents, expected, 3.0f);
    }
}

TEST(FileAnalysis, AHighThresholdKeepsTheMeterDim) {
    AnalyzeOptions options;
    options.threshold = 1000000000;
    const auto rows = analyze(toPcm16(synthesizeTone(ToneRecipe{})), options);
    ASSERT_FALSE(rows.empty());
    for (const auto& row : rows) {
        EXPECT_FALSE(row.loud);
        EXPECT_FALSE(row.displayFrequency.has_value());
        EXPECT_EQ(row.activeString, 0) << "automatic mode starts on string 0 and stays there";
    }
}

TEST(FileAnalysis, A16BitMono8kFileReachesTheDetectorBitExact) {
    TemporaryDirectory dir;
    const auto tone = synthesizeTone(ToneRecipe{.fundamental = 196.0, .seconds = 2.0});
    ASSERT_TRUE(writeWav(dir.file("g.wav"), tone, 8000));

    const auto fromFile = analyzePath(dir.file("g.wav"));
    const auto direct = analyze(toPcm16(tone));
    ASSERT_EQ(fromFile.size(), direct.size());
    for (size_t i = 0; i < direct.size(); ++i) {
        EXPECT_EQ(fromFile[i].fundamentalFrequency, direct[i].fundamentalFrequency);
        EXPECT_EQ(fromFile[i].rawPeakPower, direct[i].rawPeakPower);
        EXPECT_EQ(fromFile[i].topAmplitude, direct[i].topAmplitude);
    }
}

TEST(FileAnalysis, OtherRatesAndChannelsAreResampledAndMixedDown) {
    TemporaryDirectory dir;
    const ToneRecipe recipe{.fundamental = 146.83, .sampleRate = 44100};
    ASSERT_TRUE(
        writeWav(dir.file("d.wav"), synthesizeTone(recipe), 44100, 2, test::WavEncoding::Float32));
    const auto rows = analyzePath(dir.file("d.wav"));
    ASSERT_GE(rows.size(), 8u);
    const auto& last = rows[rows.size() - 2];
    EXPECT_EQ(last.activeString, 2);
    ASSERT_TRUE(last.cents.has_value());
    EXPECT_NEAR(*last.cents, 0.0f, 3.0f);
}

TEST(FileAnalysis, UnreadableFilesAreReportedByName) {
    TemporaryDirectory dir;
    std::string error;
    bool called = false;
    EXPECT_FALSE(analyzeFile(
        dir.file("missing.wav"), {}, [&](const AnalysisRow&) { called = true; }, error));
    EXPECT_NE(error.find("missing.wav"), std::string::npos) << error;
    EXPECT_FALSE(called);
}

} // namespace
} // namespace ovra
