// The ovratuner-analyze program as a user runs it: exit status, standard
// output and standard error.

#include "TestTones.hpp"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

#include <fstream>

namespace ovra {
namespace {

using test::synthesizeTone;
using test::TemporaryDirectory;
using test::ToneRecipe;
using test::writeWav;

struct ProcessResult {
    int exitCode = -1;
    QString out;
    QString err;
};

ProcessResult runAnalyze(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(OVRA_ANALYZE_PATH), arguments);
    ProcessResult run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

class AnalyzeCommand : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(writeWav(dir.file("a2.wav"), synthesizeTone(ToneRecipe{}), 8000));
    }
    QString file(const char* name) const { return QString::fromStdString(dir.file(name)); }
    TemporaryDirectory dir;
};

TEST_F(AnalyzeCommand, CsvHasTheHeaderAndOneRowPerAnalysedBuffer) {
    const ProcessResult run = runAnalyze({file("a2.wav")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 10);
    EXPECT_EQ(lines[0], "file,time_s,top_amplitude,mode_hz,fundamental_hz,raw_peak_power,loud,"
                        "display_hz,string,cents,leds");
    const QStringList first = lines[1].split(',');
    ASSERT_EQ(first.size(), 11);
    EXPECT_EQ(first[1], "0");
    EXPECT_EQ(first[7], "") << "no display frequency before the smoother has settled";
    const QStringList last = lines.last().split(',');
    EXPECT_EQ(last[8], "1");
    EXPECT_LT(std::abs(last[9].toDouble()), 3.0);
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
}

TEST_F(AnalyzeCommand, JsonCarriesTheSameFields) {
    const ProcessResult run = runAnalyze({"--format", "json", "--string", "1", file("a2.wav")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(run.out.toUtf8(), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    const QJsonArray rows = document.array();
    ASSERT_GE(rows.size(), 10);
    const QJsonObject first = rows.first().toObject();
    for (const char* key : {"file", "time_s", "top_amplitude", "mode_hz", "fundamental_hz",
                            "raw_peak_power", "loud", "display_hz", "string", "cents", "leds"}) {
        EXPECT_TRUE(first.contains(key)) << key;
    }
    EXPECT_TRUE(first["display_hz"].isNull());
    EXPECT_EQ(rows.last().toObject()["string"].toInt(), 1);
}

TEST_F(AnalyzeCommand, AMissingFileFailsByNameWhileTheOthersAreStillAnalysed) {
    const ProcessResult run = runAnalyze({file("missing.wav"), file("a2.wav")});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains("missing.wav")) << run.err.toStdString();
    EXPECT_EQ(run.err.count('\n'), 1) << "one clear line";
    EXPECT_TRUE(run.out.contains("a2.wav"));
}

TEST_F(AnalyzeCommand, AWavWithACorruptHeaderFailsClearly) {
    std::string bytes;
    {
        std::ifstream in(dir.file("a2.wav"), std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    ASSERT_GT(bytes.size(), 44u);
    bytes.replace(12, 24, std::string(24, '\xff')); // the "fmt " chunk
    std::ofstream(dir.file("corrupt.wav"), std::ios::binary) << bytes;

    const ProcessResult run = runAnalyze({file("corrupt.wav")});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains("corrupt.wav")) << run.err.toStdString();
}

TEST_F(AnalyzeCommand, UnknownOptionsAreNamedAndNothingIsAnalysed) {
    const ProcessResult run = runAnalyze({"--sensitivity", "3", file("a2.wav")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains("--sensitivity")) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
}

TEST_F(AnalyzeCommand, HelpAndVersionPrintAndSucceed) {
    const ProcessResult help = runAnalyze({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains("Usage: ovratuner-analyze"));
    const ProcessResult version = runAnalyze({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(version.out.startsWith("ovratuner-analyze "));
}

} // namespace
} // namespace ovra
