// SPDX-License-Identifier: GPL-3.0-or-later
// The launched application with a scripted sound source: capture follows the
// window's visibility, settings are written when they change and when the
// application loses focus or leaves, and the keyboard reaches the screen.
#include "AppTestSupport.hpp"
#include "RecordingTonePlayer.hpp"

#include "app/KeyboardShortcuts.hpp"
#include "app/TunerWindow.hpp"
#include "tuner/OvraMainView.hpp"

#include <QTimer>

namespace ovra {
namespace {

using Report = ScriptedAudioSource::QueueReport;

class Delegate : public test::LaunchedTuner {
protected:
    bool capturing() const { return delegate->audioTrapper()->audioThread() != nullptr; }
    QString stored(const char* key) const { return store.fileValue(key); }
    ScreenState screen() const { return delegate->mainView()->screenState(); }
};

// Launch shows the stored selection and starts capture; capture then
// follows the window's visibility, and settings are written on the way.
TEST_F(Delegate, CaptureFollowsVisibilityNotFocusAndSettingsAreWrittenOnTheWay) {
    store.writeFile("[General]\novratuner.volumethreshold=700\novratuner.tuningkeyselected=6\n");
    launch();
    ASSERT_TRUE(delegate->window()->isVisible());
    EXPECT_EQ(delegate->volumeThreshold(), 700);
    EXPECT_TRUE(screen().automatic && screen().magicKeyLit);
    ASSERT_TRUE(QTest::qWaitFor([&] { return source->reached(0, &Report::started); }));
    const auto threshold = [&] { return stored(TunerSettings::KEY_VOLUME_THRESHOLD); };
    delegate->handleApplicationStateChange(Qt::ApplicationActive);
    delegate->setVolumeSensitivity(0.5f);
    delegate->setHyperactivityMode(true);
    EXPECT_EQ(threshold(), QStringLiteral("700")) << "a slider drag is not a write per step";
    delegate->handleApplicationStateChange(Qt::ApplicationInactive); // focus elsewhere
    EXPECT_TRUE(capturing());
    EXPECT_EQ(threshold(), QStringLiteral("525"));
    EXPECT_EQ(stored(TunerSettings::KEY_HYPERACTIVITY_MODE), QStringLiteral("true"));
    delegate->setVolumeSensitivity(0.0f);
    EXPECT_TRUE(QTest::qWaitFor([&] { return threshold() == QStringLiteral("1000"); }))
        << "a change is written soon by itself";

    delegate->handleWindowVisibilityChange(QWindow::Minimized);
    EXPECT_FALSE(capturing());
    EXPECT_TRUE(QTest::qWaitFor([&] { return source->reached(0, &Report::disposed); }));
    delegate->handleWindowVisibilityChange(QWindow::Windowed);
    EXPECT_TRUE(capturing());
    delegate->setVolumeSensitivity(1.0f);
    delegate->handleApplicationStateChange(Qt::ApplicationSuspended);
    EXPECT_FALSE(capturing());
    EXPECT_EQ(threshold(), QStringLiteral("50"));
    delegate->handleApplicationStateChange(Qt::ApplicationActive);
    EXPECT_TRUE(capturing());
    EXPECT_TRUE(QTest::qWaitFor([&] { return source->reports().size() == 3; }));

    delegate->setHyperactivityMode(false);
    delegate->applicationWillTerminate();
    EXPECT_FALSE(capturing());
    EXPECT_EQ(stored(TunerSettings::KEY_HYPERACTIVITY_MODE), QStringLiteral("false"));
}

TEST_F(Delegate, KeysPickStringsAndOpenOrCloseTheSettingsButNotUnderThePanel) {
    store.writeFile("[General]\novratuner.referencepitch=432\n");
    launch();
    std::vector<double> played;
    delegate->mainView()->setTonePlayer(std::make_unique<test::RecordingTonePlayer>(played));
    TunerWindow* window = delegate->window();
    new KeyboardShortcuts(window, delegate->mainView());
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    const auto press = [window](Qt::Key key) { QTest::keyClick(window, key); };

    press(Qt::Key_5);
    press(Qt::Key_A); // a string's name, not the magic key
    EXPECT_EQ(screen().litKey, 4);
    EXPECT_EQ(stored(TunerSettings::KEY_SELECTED_TUNING_KEY_INDEX), "4") << "at once";
    press(Qt::Key_M);
    EXPECT_TRUE(screen().magicKeyLit);
    QTest::keyClick(window, Qt::Key_2, Qt::ShiftModifier); // chooses A and plucks it
    EXPECT_EQ(std::tuple(screen().litKey, screen().automatic), std::tuple(1, false));
    EXPECT_EQ(played, std::vector<double>{targetFrequencies(standardTuning(), 432)[1]});
    press(Qt::Key_5);
    press(Qt::Key_M);
    press(Qt::Key_S);
    EXPECT_TRUE(screen().settingsShown);
    press(Qt::Key_1);
    press(Qt::Key_M);
    QTest::keyClick(window, Qt::Key_3, Qt::ShiftModifier);
    EXPECT_EQ(screen().litKey, 4) << "the panel covers the keys";
    EXPECT_EQ(played.size(), 1u);
    EXPECT_TRUE(screen().magicKeyLit);
    press(Qt::Key_Escape);
    EXPECT_FALSE(screen().settingsShown);

    bool quitSeen = false;
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, window,
                     [&] { quitSeen = true; });
    QTimer::singleShot(0, window, [&] { QTest::keyClick(window, Qt::Key_Q, Qt::ControlModifier); });
    QTimer::singleShot(10000, window, [] { QCoreApplication::exit(1); }); // no hang if it fails
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_TRUE(quitSeen);
}

} // namespace
} // namespace ovra
