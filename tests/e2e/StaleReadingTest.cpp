// The ovratuner program when it hears nothing: a note that turns into
// digital silence, and no sound server at all.
#include "TunerRun.hpp"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace ovra {
namespace {

TEST(TunerHearingNothing, ANoteFollowedByDigitalZerosEndsDimWithNoLedLitAndItsWordsDim) {
    QTemporaryDir dir;
    const QString wav = dir.filePath(QStringLiteral("a2-then-zeros.wav"));
    ASSERT_TRUE(test::writeHeldNotes(wav, {{110.0, 2.0}, {0.0, 3.0}}));
    const QString png = dir.filePath(QStringLiteral("out.png"));
    const test::TunerRun run =
        test::runTuner({"--input", wav, "--screenshot", png, "--after", "4"}, dir.path());
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject state = test::readScreenState(dir.filePath(QStringLiteral("out.json")));
    EXPECT_NEAR(state["display_hz"].toDouble(), 110.0, 0.5) << "the note was heard";
    EXPECT_FALSE(state["meter_bright"].toBool(true));
    EXPECT_EQ(state["lit_leds"].toInt(-1), 0);
    EXPECT_EQ(state["status"].toString(QStringLiteral("?")), QString()) << "a file is heard";
    EXPECT_EQ(state["note"].toString(), QStringLiteral("A2")) << "the words stay";
    EXPECT_FALSE(state["readout_bright"].toBool(true));
    EXPECT_LT(test::textInkPixels(png, "readout.note", "bright"), 20) << "no bright ink left";
}

TEST(TunerHearingNothing, WithNoSoundServerTheStatusLineSaysSo) {
    QTemporaryDir dir;
    QProcessEnvironment noServer;
    noServer.insert(QStringLiteral("PULSE_SERVER"), dir.filePath(QStringLiteral("no-server")));
    const QString png = dir.filePath(QStringLiteral("out.png"));
    const test::TunerRun run =
        test::runTuner({"--screenshot", png, "--after", "1.5"}, dir.path(), 60000, noServer);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject state = test::readScreenState(dir.filePath(QStringLiteral("out.json")));
    EXPECT_EQ(state["status"].toString(), QStringLiteral("No microphone"));
    EXPECT_GT(test::textInkPixels(png, "statusline", nullptr), 100)
        << "the words are drawn in the status line's rectangle, in its colour";
}

} // namespace
} // namespace ovra
