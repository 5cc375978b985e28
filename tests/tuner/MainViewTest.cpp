// SPDX-License-Identifier: GPL-3.0-or-later
// The tuner screen built from the application's own layout: what its views
// show after construction, refreshes and touches, read through the screen's
// state; refreshes posted by a real capture object; and the meter's scale. The display model's
// own tables are its test's business; here each field is seen reaching the views.
#include "WidgetTestApplication.hpp"

#include "RecordingTonePlayer.hpp"
#include "ScriptedAudioQueue.hpp"
#include "capture/CaptureThread.hpp"
#include "capture/CorvaneAudioTrapper.hpp"
#include "layout/WEXConfig.hpp"
#include "model/TunerDisplayModel.hpp"
#include "tuner/OvraMainView.hpp"
#include "tuner/OvraSettings.hpp"
#include "tuner/OvraTuningKey.hpp"
#include "tuner/ReferencePitchStepper.hpp"
#include "tuner/TunerAppDelegate.hpp"
#include "ui/ImageView.hpp"

#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <future>
#include <tuple>
#include <vector>

namespace ovra::test {
namespace {

using namespace std::chrono_literals;

constexpr float WIDTH = 320.0f;
constexpr float HEIGHT = 460.0f;

// The application edge of the screen, with a real capture object whose
// queues are scripted.
class ScreenTestApp : public TunerAppDelegate {
public:
    explicit ScreenTestApp(int32_t storedSelection) : myStored(storedSelection) {}
    ~ScreenTestApp() override { myTrapper->stopAudioTrapper(); }

    std::shared_ptr<CorvaneAudioTrapper> audioTrapper() const override { return myTrapper; }
    int32_t volumeThreshold() const override { return 500; }
    void setVolumeThresholdToDefault() override {}
    float volumeSensitivity() const override { return mySensitivity; }
    void setVolumeSensitivity(float sensitivity) override { mySensitivity = sensitivity; }
    bool hyperactivityMode() const override { return myHyperactive; }
    void setHyperactivityMode(bool on) override { myHyperactive = on; }
    int32_t lastTuningKeySelected() const override { return myStored; }
    void updateSelectedTuningKey(int32_t keyIndex) override { myStores.push_back(keyIndex); }
    std::string versionString() const override { return "7.3.1"; }

    std::shared_ptr<ScriptedAudioSource> source = ScriptedAudioSource::create();
    std::vector<int32_t> myStores;
    float mySensitivity = 0.5f;

private:
    std::shared_ptr<CorvaneAudioTrapper> myTrapper = CorvaneAudioTrapper::create(source->factory());
    int32_t myStored;
    bool myHyperactive = true;
};

Point layoutPoint(const char* item, int32_t index = -1) {
    return WEXConfig::positionOfItem(item, index, nullptr, "general.cfg");
}

class Screen : public ::testing::Test {
protected:
    void SetUp() override { ensureWidgetApplication(); }
    void TearDown() override {
        close();
        EXPECT_TRUE(finishCaptureThreads(10s));
    }
    void close() {
        if (myApp) {
            myApp->audioTrapper()->stopAudioTrapper();
        }
        myWindow.reset();
        myScene.reset(); // the screen goes with its scene
        myApp.reset();
    }

    // The screen with a stored selection, shown in a window as the shell
    // shows it, so that mouse presses reach it.
    void build(int32_t storedSelection = 0, bool withApp = true) {
        close();
        myApp = withApp ? std::make_unique<ScreenTestApp>(storedSelection) : nullptr;
        myScene = std::make_unique<QGraphicsScene>(0.0, 0.0, WIDTH, HEIGHT);
        myView = new OvraMainView(Rect{{0.0f, 0.0f}, {WIDTH, HEIGHT}}, myApp.get());
        myScene->addItem(myView);
        myWindow = std::make_unique<QGraphicsView>(myScene.get());
        myWindow->setFrameShape(QFrame::NoFrame);
        myWindow->setFixedSize(static_cast<int>(WIDTH), static_cast<int>(HEIGHT));
        myWindow->setSceneRect(0.0, 0.0, WIDTH, HEIGHT);
        myWindow->show();
    }
    ScreenState state() const { return myView->screenState(); }
    // Results as the capture thread publishes them after one buffer, and the refresh.
    void refreshWith(float topAmplitude, float fundamental, float rawPeakPower) {
        auto* record = myApp->audioTrapper()->callbackData();
        record->myTopAmplitude.store(topAmplitude);
        record->myMostRecentFundamentalFrequency.store(fundamental);
        record->myRawPeakPower.store(rawPeakPower);
        myView->refreshGUI();
    }
    // The middle of a layout item sized by one of its images.
    static QPoint middle(const char* item, int32_t index, const char* sizingModifier) {
        const Size size = ImageView::imageSize(
            WEXConfig::imageOfItem(item, index, sizingModifier, "general.cfg"));
        const Point at = layoutPoint(item, index);
        return QPoint(static_cast<int>(at.x + size.width / 2),
                      static_cast<int>(at.y + size.height / 2));
    }
    void click(const char* item, int32_t index, const char* sizingModifier) {
        QTest::mouseClick(myWindow->viewport(), Qt::LeftButton, {},
                          middle(item, index, sizingModifier));
    }
    // The selection, and the key, string and name lit for it.
    void expectSelectionShown(int32_t string, bool automatic) {
        const ScreenState s = state();
        EXPECT_EQ(std::tuple(s.activeString, s.litKey, s.litString, s.litLabel, s.automatic,
                             s.magicKeyLit),
                  std::tuple(string, string, string, string, automatic, automatic));
    }

    WEXConfig myLayout{"ovra"};
    std::unique_ptr<ScreenTestApp> myApp;
    std::unique_ptr<QGraphicsScene> myScene;
    std::unique_ptr<QGraphicsView> myWindow;
    OvraMainView* myView = nullptr;
};

TEST_F(Screen, StartsDimAndUnlitWithTheNeedleOnNearBlueAndTheStoredSelection) {
    const struct {
        int32_t stored;
        bool withApp;
        int32_t string;
        bool automatic;
    } cases[] = {{3, true, 3, false}, {6, true, 0, true}, {4, false, 0, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        build(c.stored, c.withApp);
        myView->refreshGUI(); // nothing heard yet, or no application to ask
        const ScreenState s = state();
        // No words before a reading.
        EXPECT_EQ(std::tuple(s.meterBright, s.litLeds, s.settingsShown, s.displayFrequency,
                             s.note + s.frequencyText + s.centsText),
                  std::tuple(false, 0, false, std::nullopt, ""));
        EXPECT_EQ(s.needle, layoutPoint("pitchmeter.nearblue"));
        EXPECT_EQ(s.stringLabels, (std::array<std::string, 6>{"E2", "A", "D", "G", "B", "E4"}));
        expectSelectionShown(c.string, c.automatic);
        if (c.withApp) {
            EXPECT_EQ(myApp->myStores, std::vector<int32_t>{c.stored}) << "the replay stores it";
        }
    }
}

TEST_F(Screen, ReadingsLightMeterLedsAndWordsAndPlaceTheNeedleQuietOnesAndSilenceDimThem) {
    build(1);
    refreshWith(0.55f, 110.0f, 501.0f);
    ScreenState s = state();
    EXPECT_EQ(std::tuple(s.meterBright, s.readoutBright, s.litLeds,
                         s.note + " " + s.frequencyText + " " + s.centsText),
              std::tuple(true, true, 5, "A2 110.0 Hz 0 \u00a2"));
    ASSERT_TRUE(s.cents.has_value() && s.displayFrequency.has_value());
    EXPECT_NEAR(*s.cents, 0.0f, 1e-3f);
    const Point nearRed = layoutPoint("pitchmeter.nearred");
    const Point nearBlue = layoutPoint("pitchmeter.nearblue");
    EXPECT_NEAR(s.needle.x, (nearRed.x + nearBlue.x) / 2, 0.01f);
    EXPECT_NEAR(s.needle.y, (nearRed.y + nearBlue.y) / 2, 0.01f);

    refreshWith(0.95f, 150.0f, 500.0f); // equal to the threshold counts as too quiet
    EXPECT_EQ(std::tuple(state().litLeds, state().meterBright, state().readoutBright,
                         state().note + " " + state().frequencyText, state().needle),
              std::tuple(9, false, false, "A2 110.0 Hz", s.needle))
        << "the words kept, dim";

    myView->tuningKeyHit(0);
    refreshWith(0.3f, 330.0f, 1e6f); // two octaves sharp of low E
    EXPECT_EQ(state().needle, layoutPoint("pitchmeter.farred"));
    ASSERT_TRUE(state().meterBright);

    // No refresh follows: dim, no LED lit, the needle where it was.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !state().meterBright; }, 5000));
    EXPECT_EQ(std::tuple(state().readoutBright, state().litLeds, state().needle),
              std::tuple(false, 0, layoutPoint("pitchmeter.farred")));
}

TEST_F(Screen, TheStatusLineSaysWhyCaptureHearsNothingAndIsEmptyWhileItHears) {
    build();
    const auto trapper = myApp->audioTrapper();
    trapper->setEventLoopSliceForTesting(50ms);
    const auto statusBecomes = [&](const std::string& text) {
        return QTest::qWaitFor([&] { return state().status == text; }, 10000);
    };
    EXPECT_TRUE(statusBecomes("Listening paused")) << state().status;
    myApp->source->setFailures({.newInput = AUDIO_QUEUE_ERR_NO_DEVICE});
    trapper->startAudioTrapper();
    EXPECT_TRUE(statusBecomes("No microphone")) << state().status;
    myApp->source->setFailures({.start = -50}); // the input fails to start
    trapper->startAudioTrapper();
    EXPECT_TRUE(statusBecomes("Input lost, retrying")) << state().status;
    myApp->source->setFailures({});
    EXPECT_TRUE(statusBecomes("")) << "reopened at the next slice: " << state().status;
}

TEST_F(Screen, AFingerOnAKeyChoosesItsStringAndOnTheMagicKeyTogglesAutomaticMode) {
    build(6);
    click("tuningkey", 4, "pressed");
    expectSelectionShown(4, false);
    click("autoswitchkey", -1, "pressed");
    expectSelectionShown(4, true);
    refreshWith(0.3f, 196.0f, 1e6f);
    click("autoswitchkey", -1, "pressed"); // the string chosen automatically stays
    expectSelectionShown(3, false);
    EXPECT_EQ(myApp->myStores, (std::vector<int32_t>{6, 4, 6, 6}));
}

TEST_F(Screen, HoldingAStringKeyPlaysItsTargetUntilLetGoAndAQuickTouchOnlyChooses) {
    build(0);
    std::vector<double> calls;
    myView->setTonePlayer(std::make_unique<RecordingTonePlayer>(calls));
    constexpr int LONG = OvraTuningKey::HOLD_MILLISECONDS + 200;
    const auto touch = [&](const char* item, int32_t index, int heldMs) {
        const QPoint at = middle(item, index, "pressed");
        QTest::mousePress(myWindow->viewport(), Qt::LeftButton, {}, at);
        QTest::qWait(heldMs);
        const std::vector<double> whileHeld = calls;
        QTest::mouseRelease(myWindow->viewport(), Qt::LeftButton, {}, at);
        QTest::qWait(LONG); // nothing comes late either
        return whileHeld;
    };
    touch("tuningkey", 2, 0);
    expectSelectionShown(2, false);
    EXPECT_TRUE(calls.empty());
    const double a = targetFrequencies(standardTuning(), DEFAULT_REFERENCE_PITCH)[1];
    EXPECT_EQ(touch("tuningkey", 1, LONG), std::vector{a});
    EXPECT_EQ(calls, (std::vector{a, 0.0})) << "letting go stops it";
    expectSelectionShown(1, false);
    touch("autoswitchkey", -1, LONG);
    EXPECT_EQ(calls.size(), 2u) << "the magic key plays nothing";
}

// The widget of the settings panel that has the keyboard's focus, or null.
QWidget* focusedInPanel(QGraphicsScene& scene) {
    auto* proxy = dynamic_cast<QGraphicsProxyWidget*>(scene.focusItem());
    return proxy != nullptr && proxy->widget() != nullptr ? proxy->widget()->focusWidget()
                                                          : nullptr;
}

TEST_F(Screen, TheAboutButtonBringsInTheSettingsWhichWorkFromTheKeyboardOnlyWhileShown) {
    build();
    myWindow->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(myWindow.get()));
    const auto key = [this](Qt::Key k) { QTest::keyClick(myWindow.get(), k); };
    key(Qt::Key_Tab);
    EXPECT_EQ(focusedInPanel(*myScene), nullptr) << "the parked panel takes no focus";

    click("aboutbutton", -1, "unpressed");
    EXPECT_TRUE(state().settingsShown);
    myView->settings()->finishAnimation();
    ASSERT_NE(qobject_cast<QSlider*>(focusedInPanel(*myScene)), nullptr) << "slider first";
    key(Qt::Key_Right);
    EXPECT_GT(myApp->mySensitivity, 0.5f);

    key(Qt::Key_Tab); // the "Low" segment
    key(Qt::Key_Space);
    EXPECT_FALSE(myApp->hyperactivityMode());
    key(Qt::Key_Right); // moves to "High" and chooses it
    EXPECT_TRUE(myApp->hyperactivityMode());

    // On to the reset row, past whatever rows come before it.
    const auto onReset = [&] {
        QWidget* focused = focusedInPanel(*myScene);
        const auto labels = focused ? focused->findChildren<QLabel*>() : QList<QLabel*>();
        return std::any_of(labels.begin(), labels.end(), [](QLabel* label) {
            return label->text() == QStringLiteral("Reset to default values");
        });
    };
    // The pitch stepper is one stop, ringed, and takes the arrows there.
    int stepperStops = 0;
    for (int tabs = 0; tabs < 10 && !onReset(); ++tabs) {
        key(Qt::Key_Tab);
        QWidget* focused = focusedInPanel(*myScene);
        const bool onStepper = focused && focused->objectName() == "stepperCell";
        const bool rowOfStepper =
            focused && focused->findChild<QWidget*>(QStringLiteral("stepperCell")) != nullptr;
        stepperStops += onStepper || rowOfStepper;
        if (onStepper) {
            auto* stepper = qobject_cast<ReferencePitchStepper*>(focused);
            ASSERT_NE(stepper, nullptr);
            const int before = stepper->value();
            key(Qt::Key_Right);
            EXPECT_EQ(stepper->value(), before + 1);
            key(Qt::Key_Left);
        }
    }
    EXPECT_EQ(stepperStops, 1);
    myWindow->setTransform(QTransform::fromScale(2.0, 2.0)); // a screen shown at 2x
    key(Qt::Key_Return);
    auto* confirmation = myWindow->findChild<QMessageBox*>(QStringLiteral("confirmationDialog"));
    ASSERT_NE(confirmation, nullptr);
    EXPECT_TRUE(confirmation->isVisible());
    confirmation->ensurePolished();
    EXPECT_EQ(confirmation->findChild<QLabel*>()->font().pixelSize(), 2 * 17) << "as the rows";
    confirmation->reject();

    myView->settings()->doneButtonHit();
    EXPECT_EQ(focusedInPanel(*myScene), nullptr);
}

TEST_F(Screen, EveryPostFromAnyThreadRunsOnceOnTheMainThreadAndNoneAfterTheScreenGoes) {
    build();
    QSignalSpy refreshes(myView, &OvraMainView::refreshed);
    const std::shared_ptr<AudioTrapperDelegate> delegate = myView->captureDelegate();
    constexpr int POSTS = 200;
    // An old capture thread and its successor may post at once; neither waits.
    const auto poster = [delegate] {
        for (int i = 0; i < POSTS; ++i) {
            delegate->refreshGUIFromAnotherThread();
        }
    };
    auto a = std::async(std::launch::async, poster);
    auto b = std::async(std::launch::async, poster);
    ASSERT_EQ(a.wait_for(30s), std::future_status::ready);
    ASSERT_EQ(b.wait_for(30s), std::future_status::ready);
    EXPECT_EQ(refreshes.size(), 0) << "posted, not run by the caller";
    QCoreApplication::processEvents();
    EXPECT_EQ(refreshes.size(), 2 * POSTS) << "one refresh per post, none merged";

    delegate->refreshGUIFromAnotherThread();
    close();
    QCoreApplication::processEvents();
    EXPECT_EQ(refreshes.size(), 2 * POSTS) << "a post pending when the screen went is dropped";
    delegate->refreshGUIFromAnotherThread(); // and one after it went
    QCoreApplication::processEvents();
}

// The meter's printed scale is the needle's: every tick of the skin's meter
// picture stands where the needle goes for its cents, within a pixel, and
// there is no tick the needle does not know.
TEST(MeterScale, EveryTickStandsWhereTheNeedleGoesForItsCents) {
    ensureWidgetApplication();
    WEXConfig layout("ovra");
    const QPixmap meter = WEXConfig::imageOfItem("pitchmeter", -1, "bright", "general.cfg");
    ASSERT_FALSE(meter.isNull());
    const QImage image = meter.toImage();
    const double pixelsPerPoint = meter.devicePixelRatio();
    const Point meterAt = layoutPoint("pitchmeter");
    const NeedlePoints points{layoutPoint("pitchmeter.farred"), layoutPoint("pitchmeter.nearred"),
                              layoutPoint("pitchmeter.nearblue"),
                              layoutPoint("pitchmeter.farblue")};
    // The needle is placed by its top-left corner; its line runs down the middle.
    const float half =
        ImageView::imageSize(WEXConfig::imageOfItem("pitchneedle", -1, "bright", "general.cfg"))
            .width /
        2.0f;

    // The ticks' centres along a row through all of them, just above the
    // coloured band (40 points down the picture), in screen points.
    const int row = static_cast<int>(std::lround(40.0 * pixelsPerPoint));
    std::vector<double> ticks;
    for (int x = 0; x < image.width();) {
        const auto lit = [&](int at) { return qGray(image.pixel(at, row)) > 110; };
        if (!lit(x)) {
            ++x;
            continue;
        }
        const int start = x;
        while (x < image.width() && lit(x)) {
            ++x;
        }
        ticks.push_back(meterAt.x + (start + x) / 2.0 / pixelsPerPoint);
    }

    std::vector<float> marks{0.0f};
    for (int cents = 10; cents <= 200; cents += 10) {
        marks.push_back(static_cast<float>(cents));
        marks.push_back(static_cast<float>(-cents));
    }
    ASSERT_EQ(ticks.size(), marks.size()) << "one tick per mark";
    for (const float cents : marks) {
        const double x = TunerDisplayModel::needleTarget(cents, points).point().x + half;
        double nearest = 1e9;
        for (const double tick : ticks) {
            nearest = std::min(nearest, std::abs(tick - x));
        }
        EXPECT_LE(nearest, 1.0) << cents << " cents: the needle is at " << x;
    }
}

} // namespace
} // namespace ovra::test
