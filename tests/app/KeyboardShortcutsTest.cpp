// Keys for desktop users, pressed on the real window of a launched tuner.
#include "AppTestSupport.hpp"

#include "app/KeyboardShortcuts.hpp"
#include "app/TunerWindow.hpp"
#include "tuner/OvraMainView.hpp"
#include "tuner/OvraSettings.hpp"

#include <QTimer>

namespace ovra {
namespace {

using test::eventually;

class Keyboard : public ::testing::Test {
protected:
    void SetUp() override {
        test::ensureWidgetApplication();
        ASSERT_TRUE(store.isValid());
        delegate = std::make_unique<OvraTunerAppDelegate>(
            OvraTunerAppDelegate::Options{test::quickFactory(source), false});
        delegate->applicationDidFinishLaunching();
        window = delegate->window();
        view = delegate->mainView();
        ASSERT_NE(window, nullptr);
        ASSERT_NE(view, nullptr);
        new KeyboardShortcuts(window, view);
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }
    void TearDown() override {
        delegate.reset();
        test::finishCapture();
    }
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(window, static_cast<Qt::Key>(key), modifiers);
    }
    bool settingsShown() const {
        OvraSettings* settings = view->settings();
        settings->finishAnimation();
        return settings->frame() == settings->onscreenFrame();
    }

    test::TemporaryPreferences store;
    std::shared_ptr<ScriptedAudioSource> source = ScriptedAudioSource::create();
    std::unique_ptr<OvraTunerAppDelegate> delegate;
    TunerWindow* window = nullptr;
    OvraMainView* view = nullptr;
};

TEST_F(Keyboard, DigitsTouchTheStringsFromLowToHighE) {
    for (int string = 0; string < 6; ++string) {
        press(Qt::Key_1 + string);
        EXPECT_EQ(view->activeTuningKeyIndex(), string);
        EXPECT_FALSE(view->autoSwitchModeEnabled());
        EXPECT_EQ(delegate->lastTuningKeySelected(), string) << "stored like a touch";
    }
}

TEST_F(Keyboard, MAndAToggleTheMagicKey) {
    press(Qt::Key_M);
    EXPECT_TRUE(view->autoSwitchModeEnabled());
    press(Qt::Key_A);
    EXPECT_FALSE(view->autoSwitchModeEnabled());
    EXPECT_EQ(delegate->lastTuningKeySelected(), 6);
}

TEST_F(Keyboard, SettingsOpenWithSOrCommaAndCloseWithEscapeOrReturn) {
    press(Qt::Key_S);
    EXPECT_TRUE(settingsShown());
    press(Qt::Key_Escape);
    EXPECT_FALSE(settingsShown());
    press(Qt::Key_Comma);
    EXPECT_TRUE(settingsShown());
    press(Qt::Key_Return);
    EXPECT_FALSE(settingsShown());
}

TEST_F(Keyboard, TuningKeysCannotBeReachedUnderTheSettingsPanel) {
    press(Qt::Key_2);
    press(Qt::Key_S);
    ASSERT_TRUE(settingsShown());
    press(Qt::Key_5);
    press(Qt::Key_M);
    EXPECT_EQ(view->activeTuningKeyIndex(), 1);
    EXPECT_FALSE(view->autoSwitchModeEnabled());
}

TEST_F(Keyboard, CtrlQQuitsTheApplication) {
    bool quitSeen = false;
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit,
                     [&] { quitSeen = true; });
    QTimer::singleShot(0, window, [&] { press(Qt::Key_Q, Qt::ControlModifier); });
    // Guards the test from hanging if the key did nothing.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    guard.start(10000);
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_TRUE(quitSeen);
}

} // namespace
} // namespace ovra
