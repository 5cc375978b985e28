// SPDX-License-Identifier: GPL-3.0-or-later
// The ovratuner-analyze program as a user runs it: what its command line
// refuses, exit status and the messages for bad input, and --fine on a
// recording of known pitch. Its output on good
// input and the options it accepts are checked byte for byte by the golden
// runs (scripts/golden.sh, examples/expected/runs.txt); --help by the man
// page test.
#include "AnalyzeOptions.hpp"
#include "PluckedString.hpp"
#include "TestTones.hpp"

#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>

namespace ovra {
namespace {

struct Outcome {
    int exitCode = -1;
    QString out, err;
};

Outcome analyze(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(OVRA_ANALYZE_PATH), arguments);
    Outcome run;
    if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit) {
        run.exitCode = process.exitCode();
    }
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

TEST(AnalyzeCommand, BadFilesFailByNameWhileTheOthersAreStillAnalysed) {
    test::TemporaryDirectory dir;
    ASSERT_TRUE(test::writeWav(dir.file("a2.wav"), test::synthesizeTone({}), 8000));
    std::ifstream in(dir.file("a2.wav"), std::ios::binary);
    std::string bytes(std::istreambuf_iterator<char>(in), {});
    ASSERT_GT(bytes.size(), 44u);
    bytes.replace(12, 24, std::string(24, '\xff')); // the "fmt " chunk
    std::ofstream(dir.file("corrupt.wav"), std::ios::binary) << bytes;
    const auto file = [&dir](const char* name) { return QString::fromStdString(dir.file(name)); };

    const Outcome run = analyze({file("missing.wav"), file("corrupt.wav"), file("a2.wav")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("missing.wav")) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("corrupt.wav")) << run.err.toStdString();
    EXPECT_EQ(run.err.count('\n'), 2) << "one clear line each";
    EXPECT_TRUE(run.out.contains("a2.wav,"));

    const Outcome wrong = analyze({"--sensitivity", "3", file("a2.wav")});
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_TRUE(wrong.err.contains("--sensitivity")) << wrong.err.toStdString();
    EXPECT_EQ(wrong.err.count('\n'), 1) << wrong.err.toStdString();
    EXPECT_TRUE(wrong.out.isEmpty()) << "a usage error analyses nothing";
}

TEST(AnalyzeCommand, TheTuningListSucceeds) {
    const Outcome tunings = analyze({"--list-tunings"});
    EXPECT_EQ(tunings.exitCode, 0);
    EXPECT_EQ(tunings.out.count('\n'), 9);
    EXPECT_TRUE(tunings.out.contains(
        QStringLiteral("open-e            Open E            E2 B2 E3 G\u266f3 B3 E4\n")));
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
        const std::string error = parseAnalyzeCommandLine(arguments).error;
        EXPECT_NE(error.find(named), std::string::npos) << error;
    }
    EXPECT_EQ(parseAnalyzeCommandLine({"--", "--odd.wav"}).options.files,
              std::vector<std::string>{"--odd.wav"});
}

// --fine on a recording of known pitch: a row every 64 ms, cents with two
// decimals, and the steady part of the note read to a fraction of a cent,
// smoothed ("Low") or not ("High").
TEST(AnalyzeFine, ReadsAKnownPitchToATenthOfACentEveryHop) {
    test::PluckRecipe recipe;
    recipe.fundamental = 146.8324 * std::exp2(-13.37 / 1200.0);
    recipe.inharmonicity = 1e-4;
    recipe.onsetSeconds = 0.3;
    recipe.seconds = 3.3;
    recipe.snrDb = 40.0;
    test::TemporaryDirectory dir;
    const std::string wav = dir.file("d3-flat.wav");
    ASSERT_TRUE(test::writeWav(wav, test::synthesizePluck(recipe), 8000));

    const QRegularExpression twoDecimals(QStringLiteral("^-?\\d+\\.\\d\\d$"));
    for (const bool hyperactive : {false, true}) {
        QStringList arguments{"--fine", "--string", "2", QString::fromStdString(wav)};
        if (hyperactive) {
            arguments.prepend("--hyperactive");
        }
        const Outcome run = analyze(arguments);
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        QStringList rows = run.out.split('\n', Qt::SkipEmptyParts);
        rows.removeFirst(); // the header
        ASSERT_GT(rows.size(), 40) << hyperactive;
        int steady = 0;
        for (qsizetype i = 0; i < rows.size(); ++i) {
            const QStringList fields = rows[i].split(',');
            ASSERT_EQ(fields.size(), 12) << rows[i].toStdString();
            const double time = fields[1].toDouble();
            const QString cents = fields[9];
            if (i > 0) {
                EXPECT_NEAR(time - rows[i - 1].split(',')[1].toDouble(), 0.064, 1e-9);
            }
            if (cents.isEmpty()) {
                continue;
            }
            EXPECT_TRUE(twoDecimals.match(cents).hasMatch()) << cents.toStdString();
            if (time >= 0.3 + 0.75 && time + 0.256 <= 0.3 + 3.0) {
                EXPECT_NEAR(cents.toDouble(), -13.37, 0.15) << time << " " << hyperactive;
                ++steady;
            }
        }
        EXPECT_GT(steady, 30) << hyperactive;
    }
}

} // namespace
} // namespace ovra
