// The tuner on a real display session (the X11 or Wayland one this test is
// started in, see CMakeLists.txt): the program itself takes its screenshot of
// a recording and quits, and touches from a touch screen reach a tuning key
// and the about button through the platform's input path.
#include "TestTones.hpp"
#include "TunerRun.hpp"
#include "WidgetTestApplication.hpp"

#include "app/OvraTunerAppDelegate.hpp"
#include "app/TunerWindow.hpp"
#include "capture/FileAudioQueue.hpp"
#include "layout/WEXConfig.hpp"
#include "tuner/OvraMainView.hpp"
#include "tuner/OvraSettings.hpp"
#include "ui/ImageView.hpp"
#include "ui/WEXButton.hpp"

#include <QGuiApplication>
#include <QImage>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace ovra {
namespace {

TEST(OnThisDisplay, TheProgramShowsARecordingsStringAndQuits) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(test::storeSelection(dir.filePath("config"), 6)); // automatic
    test::ToneRecipe a2;
    a2.fundamental = 110.0;
    a2.seconds = 6.0;
    a2.decayPerSecond = 0.05;
    const QString wav = dir.filePath("a2.wav");
    ASSERT_TRUE(test::writeWav(wav.toStdString(), test::synthesizeTone(a2), 8000));
    const QString png = dir.filePath("out.png");

    // The display this test was given, not the offscreen one.
    QProcessEnvironment display;
    display.insert("QT_QPA_PLATFORM", qEnvironmentVariable("QT_QPA_PLATFORM"));
    const test::TunerRun run = test::runTuner({"--input", wav, "--screenshot", png, "--after", "3"},
                                              dir.filePath("config"), 60000, display);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject state = test::readScreenState(dir.filePath("out.json"));
    EXPECT_EQ(state["active_string"].toInt(-1), 1) << "the A string";
    EXPECT_NEAR(state["display_hz"].toDouble(), 110.0, 0.5);
    EXPECT_EQ(QImage(png).size(), QSize(640, 920));
    EXPECT_GT(test::stringPictureMatch(png, 1, "magic"), 0.8);
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

    // One finger down on the item, moved a little, lifted; `whileDown` runs
    // between the move and the lift.
    void touch(QGraphicsItem* item, const std::function<void()>& whileDown = {}) {
        static QPointingDevice* const touchScreen = QTest::createTouchDevice();
        const QPoint at = window->mapFromScene(item->sceneBoundingRect().center());
        QWidget* viewport = window->viewport();
        QTest::touchEvent(viewport, touchScreen).press(0, at);
        QTest::touchEvent(viewport, touchScreen).move(0, at + QPoint(2, 1));
        if (whileDown) {
            whileDown();
        }
        QTest::touchEvent(viewport, touchScreen).release(0, at + QPoint(2, 1));
    }

    // The control drawn over the middle of a layout item.
    template <class T> T* controlOfItem(const char* item, int index, const char* sizingModifier) {
        const Point at = WEXConfig::positionOfItem(item, index, nullptr, "general.cfg");
        const Size size = ImageView::imageSize(
            WEXConfig::imageOfItem(item, index, sizingModifier, "general.cfg"));
        for (QGraphicsItem* found :
             window->scene()->items(QPointF(at.x + size.width / 2, at.y + size.height / 2))) {
            if (auto* control = dynamic_cast<T*>(found)) {
                return control;
            }
        }
        return nullptr;
    }

    QTemporaryDir preferences;
    std::unique_ptr<OvraTunerAppDelegate> delegate;
    TunerWindow* window = nullptr;
};

TEST_F(TouchOnThisDisplay, AKeyLightsAndTheAboutButtonSlidesTheSettingsIn) {
    ASSERT_EQ(QGuiApplication::platformName(), qEnvironmentVariable("QT_QPA_PLATFORM"));
    OvraMainView* screen = delegate->mainView();
    Control* key = controlOfItem<Control>("tuningkey", 3, "pressed");
    ASSERT_NE(key, nullptr);
    ASSERT_NE(screen->screenState().litKey, 3);

    touch(key, [&] { EXPECT_TRUE(key->isHighlighted()) << "held down"; });
    EXPECT_FALSE(key->isHighlighted());
    EXPECT_EQ(screen->screenState().activeString, 3);
    EXPECT_EQ(screen->screenState().litKey, 3) << "the key is lit";

    OvraSettings* panel = screen->settings();
    const Rect onScreen{{0, 0}, {320, 460}};
    ASSERT_NE(panel->frame(), onScreen);
    QSignalSpy slid(panel, &View::animationFinished);
    touch(controlOfItem<WEXButton>("aboutbutton", -1, "unpressed"));
    EXPECT_EQ(panel->frame(), onScreen);
    ASSERT_TRUE(slid.count() > 0 || slid.wait(10000));
    EXPECT_EQ(panel->presentationOrigin(), onScreen.origin);
}

} // namespace
} // namespace ovra
