// SPDX-License-Identifier: GPL-3.0-or-later
// The program on an X display (see with-openbox.sh): Shift+2 plays the A
// string's target into the sound server's output, where the virtual
// microphone hears it as the A; without a sound server it only chooses the A.
#include "TunerRun.hpp"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace ovra {
namespace {

// Low E chosen, in fine tuning; Shift+2 pressed once the window is up.
QJsonObject afterShift2(const QTemporaryDir& dir, QProcessEnvironment environment, QString& err) {
    const auto xdotool = [](const QStringList& arguments) {
        return test::output(QStringLiteral("xdotool"), arguments);
    };
    const QString config = dir.filePath("config");
    EXPECT_TRUE(
        test::storePreferences(config, "ovratuner.tuningkeyselected=0\novratuner.finetuning=true"));
    environment.insert("QT_QPA_PLATFORM", "xcb");
    test::RunningTuner tuner({"--screenshot", dir.filePath("out.png"), "--after", "7"}, config,
                             environment);
    const QString window = xdotool({"search", "--sync", "--onlyvisible", "--name", "^OvraTuner$"});
    xdotool({"windowactivate", "--sync", window});
    EXPECT_TRUE(tuner.waitForLog("Starting audio trapper"));
    xdotool({"key", "shift+2"});
    EXPECT_EQ(tuner.finish(), 0);
    err = tuner.err();
    return test::readScreenState(dir.filePath("out.json"));
}

TEST(PitchPipe, TheTunerHearsThePlayedAStringThroughItsMicrophone) {
    if (test::output(QStringLiteral("pactl"), {QStringLiteral("info")}).isEmpty()) {
        GTEST_SKIP() << "no PulseAudio server (start one with scripts/virtual-mic.sh start)";
    }
    QTemporaryDir dir;
    QString err;
    const QJsonObject state = afterShift2(dir, {}, err);
    EXPECT_EQ(state["active_string"].toInt(-1), 1) << err.toStdString();
    EXPECT_NEAR(state["display_hz"].toDouble(), 110.0, 0.5);
    EXPECT_LT(std::abs(state["cents"].toDouble(99.0)), 1.0) << state["display_hz"].toDouble();
}

TEST(PitchPipe, WithoutASoundServerTheKeyOnlyChoosesAndSaysWhyOnce) {
    QTemporaryDir dir;
    QProcessEnvironment noServer;
    noServer.insert("PULSE_SERVER", dir.filePath("no-server"));
    QString err;
    EXPECT_EQ(afterShift2(dir, noServer, err)["active_string"].toInt(-1), 1);
    EXPECT_EQ(err.count("No audio output: the strings' tones cannot be played"), 1)
        << err.toStdString();
}

} // namespace
} // namespace ovra
