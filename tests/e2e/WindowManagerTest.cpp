// SPDX-License-Identifier: GPL-3.0-or-later
// The program on an X display with a window manager (see with-openbox.sh):
// it keeps listening while another window has the focus, and stops while it
// is minimised.
#include "TunerRun.hpp"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace ovra {
namespace {

TEST(UnderAWindowManager, ListeningFollowsTheWindowNotTheFocus) {
    const auto xdotool = [](const QStringList& arguments) {
        return test::output(QStringLiteral("xdotool"), arguments);
    };
    QTemporaryDir dir;
    ASSERT_TRUE(test::storePreferences(dir.filePath("config"),
                                       "ovratuner.tuningkeyselected=6")); // automatic
    // A2, then G3 once capture has restarted: the note changes only once
    // another window has the focus.
    const QString wav = dir.filePath("a2-g3.wav");
    ASSERT_TRUE(test::writeHeldNotes(wav, {{110.0, 3.0}, {196.0, 10.0}}));
    QProcessEnvironment display;
    display.insert("QT_QPA_PLATFORM", "xcb");
    test::RunningTuner tuner(
        {"--input", wav, "--screenshot", dir.filePath("out.png"), "--after", "11"},
        dir.filePath("config"), display);
    const QString window = xdotool({"search", "--sync", "--onlyvisible", "--name", "^OvraTuner$"});
    ASSERT_FALSE(window.isEmpty()) << tuner.err().toStdString();

    xdotool({"windowminimize", "--sync", window});
    EXPECT_TRUE(tuner.waitForLog("Stopping audio trapper")) << tuner.err().toStdString();
    xdotool({"windowactivate", "--sync", window});
    EXPECT_TRUE(tuner.waitForLog("Starting audio trapper", 2)) << tuner.err().toStdString();

    QProcess other; // a chord chart, say
    other.start("xmessage", {"-geometry", "+700+0", "Am  F  C  G"});
    const QString otherWindow =
        xdotool({"search", "--sync", "--onlyvisible", "--class", "Xmessage"});
    xdotool({"windowactivate", "--sync", otherWindow});
    EXPECT_EQ(xdotool({"getactivewindow"}), otherWindow);

    ASSERT_EQ(tuner.finish(), 0) << tuner.err().toStdString();
    other.kill();
    other.waitForFinished();
    const QJsonObject state = test::readScreenState(dir.filePath("out.json"));
    EXPECT_NEAR(state["display_hz"].toDouble(), 196.0, 1.0) << "the G3 heard without focus";
    EXPECT_EQ(state["active_string"].toInt(-1), 3);
}

} // namespace
} // namespace ovra
