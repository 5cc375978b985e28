// The ovratuner-analyze program as a user runs it: what its command line
// refuses, exit status and the messages for bad input. Its output on good
// input and the options it accepts are checked byte for byte by the golden
// runs (scripts/golden.sh, examples/expected/runs.txt); --help by the man
// page test.
#include "AnalyzeOptions.hpp"
#include "TestTones.hpp"

#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

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

TEST(AnalyzeCommand, VersionAndTheTuningListSucceed) {
    EXPECT_TRUE(analyze({"--version"}).out.startsWith("ovratuner-analyze "));
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

} // namespace
} // namespace ovra
