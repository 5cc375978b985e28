// The ovratuner program end to end: a recording or the virtual microphone
// in, a screenshot and the screen's state out.

#include "TestTones.hpp"
#include "TunerRun.hpp"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <cmath>
#include <csignal>
#include <cstring>
#include <fstream>

#include <gtest/gtest.h>

namespace ovra {
namespace {

using test::runTuner;
using test::stringPictureMatch;
using test::TunerRun;

class TunerProgram : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString path(const QString& name) const { return dir.filePath(name); }
    QString configHome() const { return path(QStringLiteral("config")); }

    QString writeTone(const QString& name, double fundamental, double seconds) const {
        test::ToneRecipe recipe;
        recipe.fundamental = fundamental;
        recipe.seconds = seconds;
        recipe.decayPerSecond = 0.05; // a held note, loud until the screenshot
        const QString file = path(name);
        EXPECT_TRUE(test::writeWav(file.toStdString(), test::synthesizeTone(recipe), 8000));
        return file;
    }

    // Fails (under CI) or skips the test when no PulseAudio server answers.
    void requireVirtualMicrophone() {
        QProcess probe;
        probe.start(QStringLiteral("pactl"), {QStringLiteral("info")});
        if (!probe.waitForFinished(5000) || probe.exitCode() != 0) {
            if (qEnvironmentVariableIsSet("CI")) {
                FAIL() << "no PulseAudio server: scripts/test.sh starts the virtual microphone";
            }
            GTEST_SKIP() << "no PulseAudio server (start one with scripts/virtual-mic.sh start)";
        }
    }

    QTemporaryDir dir;
};

TEST_F(TunerProgram, ARecordingOfAStringIsFoundInAutomaticMode) {
    ASSERT_TRUE(test::storeSelection(configHome(), 6));
    const QString wav = QStringLiteral(OVRA_SOURCE_DIR "/examples/a2-110hz.wav");
    const QString png = path(QStringLiteral("out.png"));

    const TunerRun run =
        runTuner({"--input", wav, "--screenshot", png, "--after", "3"}, configHome());
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();

    const QJsonObject state = test::readScreenState(path(QStringLiteral("out.json")));
    EXPECT_EQ(state["active_string"].toInt(-1), 1);
    EXPECT_TRUE(state["automatic"].toBool());
    EXPECT_TRUE(state["meter_bright"].toBool());
    EXPECT_NEAR(state["display_hz"].toDouble(), 110.0, 0.5);
    EXPECT_LT(std::abs(state["cents"].toDouble()), 5.0);

    EXPECT_EQ(QImage(png).size(), QSize(640, 920));
    EXPECT_GT(stringPictureMatch(png, 1, "magic"), 0.8) << "string 1 glows in the picture";
    EXPECT_LT(stringPictureMatch(png, 0, "magic"), 0.2) << "string 0 does not";

    // The readout says it in words, bright; the keys carry the string names.
    EXPECT_EQ(state["note"].toString(), QStringLiteral("A2"));
    EXPECT_NEAR(state["frequency_text"].toString().chopped(3).toDouble(), 110.0, 1.0);
    const long cents = std::lround(state["cents"].toDouble());
    EXPECT_EQ(state["cents_text"].toString(), (cents > 0   ? "+"
                                               : cents < 0 ? "\u2212"
                                                           : "") +
                                                  QString::number(std::abs(cents)) + " \u00a2");
    EXPECT_TRUE(state["readout_bright"].toBool());
    EXPECT_EQ(state["string_labels"].toVariant().toStringList().join(' '), "E2 A D G B E4");
    EXPECT_EQ(state["lit_label"].toInt(-1), 1);
    EXPECT_GT(test::textInkPixels(png, "readout.note", "bright"), 100)
        << "the note is drawn, bright";

    // Once the fading note is under a raised threshold, the words stay, dim.
    ASSERT_TRUE(test::storePreferences(
        configHome(), "ovratuner.tuningkeyselected=6\novratuner.volumethreshold=2000000"));
    const TunerRun quiet =
        runTuner({"--input", wav, "--screenshot", png, "--after", "6"}, configHome());
    ASSERT_EQ(quiet.exitCode, 0) << quiet.err.toStdString();
    const QJsonObject dim = test::readScreenState(path(QStringLiteral("out.json")));
    EXPECT_EQ(dim["note"].toString(), QStringLiteral("A2"));
    EXPECT_FALSE(dim["readout_bright"].toBool(true));
    EXPECT_LT(test::textInkPixels(png, "readout.note", "bright"), 20) << "no bright ink left";
}

TEST_F(TunerProgram, AFixedStringMeasuresTheNoteAgainstIt) {
    ASSERT_TRUE(test::storeSelection(configHome(), 3));
    const QString wav = writeTone(QStringLiteral("a2.wav"), 110.0, 6.0);
    const QString png = path(QStringLiteral("out.png"));

    const TunerRun run =
        runTuner({"--input", wav, "--screenshot", png, "--after", "2"}, configHome());
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();

    const QJsonObject state = test::readScreenState(path(QStringLiteral("out.json")));
    EXPECT_EQ(state["active_string"].toInt(-1), 3);
    EXPECT_FALSE(state["automatic"].toBool(true));
    EXPECT_LT(state["cents"].toDouble(), -900.0) << "A2 is far flat of G3";
    EXPECT_GT(stringPictureMatch(png, 3, "pressed"), 0.8);
}

TEST_F(TunerProgram, AnotherSkinMovesTheNeedlesRestingPlaces) {
    ASSERT_TRUE(test::storeSelection(configHome(), 3));
    // The shipped layout with the far-blue point moved: far flat notes rest there.
    QFile shipped(QStringLiteral(OVRA_SOURCE_DIR "/resources/general.cfg"));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    const QString skin = path(QStringLiteral("skin"));
    ASSERT_TRUE(QDir().mkpath(skin));
    QFile layout(skin + QStringLiteral("/general.cfg"));
    ASSERT_TRUE(layout.open(QIODevice::WriteOnly));
    // Without the texts, too: an older skin, which shows none of them.
    for (const QByteArray& line : shipped.readAll().split('\n')) {
        if (!line.contains(".readout.") && !line.contains(".stringlabel.")) {
            layout.write(line + "\n");
        }
    }
    layout.write("\"ovra.pitchmeter.farblue.x\" = \"57\";\n");
    layout.close();

    const QString wav = writeTone(QStringLiteral("a2.wav"), 110.0, 6.0);
    const QString png = path(QStringLiteral("out.png"));
    const TunerRun run = runTuner(
        {"--resources", skin, "--input", wav, "--screenshot", png, "--after", "2"}, configHome());
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject state = test::readScreenState(path(QStringLiteral("out.json")));
    EXPECT_DOUBLE_EQ(state["needle_x"].toDouble(), 57.0);
    EXPECT_EQ(state["note"].toString(QStringLiteral("?")) + state["cents_text"].toString(), "");
    EXPECT_EQ(state["string_labels"].toVariant().toStringList().join(""), "");
}

// Other tunings and reference pitches reach the real screen; a choice made on
// the command line is for that run only, and odd stored ones read as standard
// at 440.
TEST_F(TunerProgram, TheScreenFollowsTheTuningAndTheReferencePitch) {
    const QString png = path(QStringLiteral("out.png"));
    const QString json = path(QStringLiteral("out.json"));
    const auto example = [](const char* name) {
        return QStringLiteral(OVRA_SOURCE_DIR "/examples/") + QLatin1String(name);
    };
    const struct {
        QStringList arguments;
        const char* storedTuning;
        int string;
        const char* tuning;
        int pitch;
        const char* caption;
        const char* labels;
    } runs[] = {
        {{"--input", example("d2-73hz.wav"), "--tuning", "drop-d"},
         "open-g",
         0,
         "drop-d",
         440,
         "Drop D",
         "D2 A D3 G B E"},
        {{"--input", example("a2-110.5hz.wav"), "--a4", "442"},
         "standard",
         1,
         "standard",
         442,
         "A4 = 442 Hz",
         "E2 A D G B E4"},
    };
    for (const auto& run : runs) {
        ASSERT_TRUE(test::storePreferences(
            configHome(),
            QStringLiteral("ovratuner.tuningkeyselected=6\novratuner.tuning=") + run.storedTuning));
        const TunerRun tuner = runTuner(
            run.arguments + QStringList{"--screenshot", png, "--after", "2"}, configHome());
        ASSERT_EQ(tuner.exitCode, 0) << tuner.err.toStdString();
        const QJsonObject state = test::readScreenState(json);
        EXPECT_EQ(state["active_string"].toInt(-1), run.string) << run.tuning;
        EXPECT_TRUE(state["meter_bright"].toBool()) << run.tuning;
        EXPECT_LT(std::abs(state["cents"].toDouble(99.0)), 5.0) << run.tuning;
        EXPECT_EQ(state["tuning"].toString(), QLatin1String(run.tuning));
        EXPECT_EQ(state["reference_pitch"].toInt(), run.pitch);
        EXPECT_EQ(state["tuning_caption"].toString(), QLatin1String(run.caption));
        EXPECT_EQ(state["string_labels"].toVariant().toStringList().join(' '),
                  QLatin1String(run.labels));
        EXPECT_EQ(test::storedPreference(configHome(), "ovratuner.tuning"), run.storedTuning)
            << "a choice on the command line is not stored";
        EXPECT_TRUE(test::storedPreference(configHome(), "ovratuner.referencepitch").isNull());
    }

    ASSERT_TRUE(test::storePreferences(configHome(),
                                       "ovratuner.tuning=drop-z\novratuner.referencepitch=1000"));
    const TunerRun odd = runTuner({"--screenshot", png, "--after", "0.5"}, configHome());
    ASSERT_EQ(odd.exitCode, 0) << odd.err.toStdString();
    const QJsonObject state = test::readScreenState(json);
    EXPECT_EQ(state["tuning"].toString(), QStringLiteral("standard"));
    EXPECT_EQ(state["reference_pitch"].toInt(), 440);
    EXPECT_EQ(state["tuning_caption"].toString(QStringLiteral("?")), QString());
    EXPECT_TRUE(odd.err.contains("Warning : preference ovratuner.tuning names no known tuning"))
        << odd.err.toStdString();
    EXPECT_TRUE(odd.err.contains("Warning : preference ovratuner.referencepitch is 1000"));
}

TEST_F(TunerProgram, BadOptionsAndFilesGetOneClearLine) {
    std::ofstream(path(QStringLiteral("noise.wav")).toStdString()) << "not a sound";
    const struct {
        QStringList arguments;
        const char* named;
    } cases[] = {
        {{"--fullscreen"}, "--fullscreen"},
        {{"--input", path(QStringLiteral("missing.wav"))}, "missing.wav"},
        {{"--input", path(QStringLiteral("noise.wav"))}, "noise.wav"},
        {{"--resources", path(QStringLiteral("no-skin"))}, "no-skin"},
        {{"--screenshot", path(QStringLiteral("no/dir.png"))}, "no"},
        {{"--screenshot", "x.png", "--after", "soon"}, "soon"},
        {{"--tuning", "drop-z"}, "drop-z"},
        {{"--a4", "1000"}, "1000"},
    };
    for (const auto& c : cases) {
        const TunerRun run = runTuner(c.arguments, configHome());
        EXPECT_GT(run.exitCode, 0) << c.named;
        EXPECT_TRUE(run.err.startsWith("ovratuner: ")) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(c.named)) << run.err.toStdString();
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
    }
}

TEST_F(TunerProgram, TermIntAndHupQuitLikeCtrlQAndKeepTheSettings) {
    const QString wav = writeTone(QStringLiteral("a2.wav"), 110.0, 2.0);
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        // Unusable, so the tuner runs with the default threshold, which only
        // an orderly quit writes back.
        ASSERT_TRUE(test::storePreferences(configHome(), "ovratuner.volumethreshold=loud"));
        test::RunningTuner tuner({"--input", wav, "--loop"}, configHome());
        ASSERT_TRUE(tuner.waitForLog(QStringLiteral("Starting audio trapper")))
            << tuner.err().toStdString();
        ::kill(static_cast<pid_t>(tuner.pid()), signal);
        EXPECT_EQ(tuner.finish(), 0) << strsignal(signal) << "\n" << tuner.err().toStdString();
        EXPECT_TRUE(tuner.err().contains("Stopping audio trapper")) << strsignal(signal);
        EXPECT_EQ(test::storedPreference(configHome(), "ovratuner.volumethreshold"), "500")
            << strsignal(signal);
    }
}

TEST_F(TunerProgram, WithoutADisplayItSaysSoInsteadOfAborting) {
    QProcessEnvironment noDisplay;
    noDisplay.insert(QStringLiteral("QT_QPA_PLATFORM"), QString());
    noDisplay.insert(QStringLiteral("DISPLAY"), QString());
    noDisplay.insert(QStringLiteral("WAYLAND_DISPLAY"), QString());
    const TunerRun run = runTuner({}, configHome(), 20000, noDisplay);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("no display")) << run.err.toStdString();
}

// Through the real audio stack: PulseAudio's virtual microphone (started by
// scripts/virtual-mic.sh) hears a recording played into its sink.
TEST_F(TunerProgram, TheVirtualMicrophoneHearsAGString) {
    requireVirtualMicrophone();
    if (IsSkipped() || HasFatalFailure()) {
        return;
    }
    ASSERT_TRUE(test::storeSelection(configHome(), 6));
    const QString wav = writeTone(QStringLiteral("g3.wav"), 196.0, 10.0);
    const QString png = path(QStringLiteral("out.png"));

    QProcess player;
    player.start(QStringLiteral("paplay"), {wav});
    ASSERT_TRUE(player.waitForStarted(5000));
    const TunerRun run = runTuner({"--screenshot", png, "--after", "4"}, configHome());
    player.kill();
    player.waitForFinished(5000);

    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject state = test::readScreenState(path(QStringLiteral("out.json")));
    EXPECT_EQ(state["active_string"].toInt(-1), 3) << run.err.toStdString();
    EXPECT_TRUE(state["automatic"].toBool());
    EXPECT_TRUE(state["meter_bright"].toBool());
    EXPECT_GT(stringPictureMatch(png, 3, "magic"), 0.8);
}

// A desktop's sound server restarting under a running tuner: capture comes
// back by itself, without the user touching anything.
TEST_F(TunerProgram, CaptureComesBackAfterTheSoundServerRestarts) {
    requireVirtualMicrophone();
    if (IsSkipped() || HasFatalFailure()) {
        return;
    }
    test::RunningTuner tuner({}, configHome());
    ASSERT_TRUE(tuner.waitForLog(QStringLiteral("Starting audio trapper")))
        << tuner.err().toStdString();
    QProcess script;
    script.start(QStringLiteral(OVRA_SOURCE_DIR "/scripts/virtual-mic.sh"),
                 {QStringLiteral("restart")});
    ASSERT_TRUE(script.waitForFinished(20000) && script.exitCode() == 0)
        << script.readAllStandardError().toStdString();

    EXPECT_TRUE(tuner.waitForLog(QStringLiteral("Audio input open again"), 1, 30000))
        << tuner.err().toStdString();
    ::kill(static_cast<pid_t>(tuner.pid()), SIGTERM);
    EXPECT_EQ(tuner.finish(), 0) << tuner.err().toStdString();
    EXPECT_EQ(tuner.err().count("Starting audio trapper"), 1)
        << "capture was restarted from outside";
}

} // namespace
} // namespace ovra
