// SPDX-License-Identifier: GPL-3.0-or-later
// The tuner on a real display session (the X11 or Wayland one this test is
// started in, see CMakeLists.txt): the program itself takes its screenshot of
// a recording and quits, and touches from a touch screen reach a tuning key
// and the about button through the platform's input path.
#include "TunerRun.hpp"
#include "WidgetTestApplication.hpp"

#include "app/OvraTunerAppDelegate.hpp"
#include "app/TunerWindow.hpp"
#include "capture/FileAudioQueue.hpp"
#include "layout/WEXConfig.hpp"
#include "tuner/OvraMainView.hpp"
#include "tuner/OvraSettings.hpp"
#include "ui/ImageView.hpp"

#include <QGuiApplication>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace ovra {
namespace {

// The desktop entry's StartupWMClass.
std::string startupWindowClass() {
    return QSettings(QStringLiteral(OVRA_SOURCE_DIR "/packaging/org.ovratuner.OvraTuner.desktop"),
                     QSettings::IniFormat)
        .value(QStringLiteral("Desktop Entry/StartupWMClass"))
        .toString()
        .toStdString();
}

// WM_CLASS of the X11 window of process `pid`, as xprop prints it
// ("instance", "class"), once the window is there.
std::string windowClassOf(qint64 pid) {
    const QString window =
        test::output("xdotool", {"search", "--sync", "--pid", QString::number(pid)})
            .section('\n', 0, 0);
    return test::output("xprop", {"-id", window, "WM_CLASS"}).section(" = ", 1).toStdString();
}

TEST(OnThisDisplay, TheProgramShowsARecordingsStringAndQuits) {
    QTemporaryDir dir;
    ASSERT_TRUE(test::storePreferences(dir.filePath("config"),
                                       "ovratuner.tuningkeyselected=6")); // automatic
    const QString wav = dir.filePath("a2.wav");
    ASSERT_TRUE(test::writeHeldNotes(wav, {{110.0, 6.0}}));
    const QString png = dir.filePath("out.png");
    // The display this test was given, not the offscreen one.
    QProcessEnvironment display;
    display.insert("QT_QPA_PLATFORM", qEnvironmentVariable("QT_QPA_PLATFORM"));
    test::RunningTuner run({"--input", wav, "--screenshot", png, "--after", "3"},
                           dir.filePath("config"), display);
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        // Docks match the window to its launcher by this name.
        EXPECT_EQ(windowClassOf(run.pid()), "\"" + startupWindowClass() + "\", \"OvraTuner\"");
    }
    ASSERT_EQ(run.finish(), 0) << run.err().toStdString();
    const QJsonObject state = test::readScreenState(dir.filePath("out.json"));
    EXPECT_EQ(state["active_string"].toInt(-1), 1) << "the A string";
    EXPECT_GT(test::stringPictureMatch(png, 1, "magic"), 0.8);
}

// Where a layout item's picture lies on the screen, in points.
QRectF layoutRect(const char* item, int32_t index, const char* modifier) {
    const Point at = WEXConfig::positionOfItem(item, index, nullptr, MAIN_VIEW_LAYOUT_FILE);
    const Size size =
        ImageView::imageSize(WEXConfig::imageOfItem(item, index, modifier, MAIN_VIEW_LAYOUT_FILE));
    return QRectF(at.x, at.y, size.width, size.height);
}

class TouchOnThisDisplay : public ::testing::Test {
protected:
    void SetUp() override {
        test::ensureWidgetApplication();
        ASSERT_TRUE(preferences.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, preferences.path());
        OvraTunerAppDelegate::Options options;
        // Silence from a "file": no microphone needed.
        options.audioQueueFactory = fileAudioQueueFactory(std::vector<int16_t>(8000 * 60, 0));
        options.followApplicationState = false;
        delegate = std::make_unique<OvraTunerAppDelegate>(std::move(options));
        delegate->applicationDidFinishLaunching();
        window = delegate->window();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    }

    // One finger down in the middle of the area, moved a little, lifted.
    void touch(const QRectF& area) {
        static QPointingDevice* const touchScreen = QTest::createTouchDevice();
        const QPoint at = window->mapFromScene(area.center());
        QTest::touchEvent(window->viewport(), touchScreen).press(0, at);
        QTest::touchEvent(window->viewport(), touchScreen).move(0, at + QPoint(2, 1));
        QTest::touchEvent(window->viewport(), touchScreen).release(0, at + QPoint(2, 1));
    }

    QTemporaryDir preferences;
    std::unique_ptr<OvraTunerAppDelegate> delegate;
    TunerWindow* window = nullptr;
};

TEST_F(TouchOnThisDisplay, AKeyLightsAndTheAboutButtonSlidesTheSettingsIn) {
    ASSERT_EQ(QGuiApplication::platformName(), qEnvironmentVariable("QT_QPA_PLATFORM"));
    touch(layoutRect(CFG_TUNING_KEY, 3, "unpressed"));
    EXPECT_EQ(delegate->lastTuningKeySelected(), 3) << "the choice is stored at once";
    EXPECT_EQ(delegate->mainView()->screenState().litKey, 3) << "the key shows its lit picture";

    OvraSettings* panel = delegate->mainView()->settings();
    const Rect onScreen{{0, 0}, {320, 460}};
    ASSERT_NE(panel->frame(), onScreen);
    QSignalSpy slid(panel, &View::animationFinished);
    touch(layoutRect("aboutbutton", -1, "unpressed"));
    EXPECT_EQ(panel->frame(), onScreen);
    ASSERT_TRUE(slid.count() > 0 || slid.wait(10000));
    EXPECT_EQ(panel->presentationOrigin(), onScreen.origin);
}

} // namespace
} // namespace ovra
