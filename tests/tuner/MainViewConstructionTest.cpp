// Building the tuner screen from the application's layout: what is drawn
// where, in which order, and the state it starts in.
#include "MainViewTestSupport.hpp"

#include "common/LogCapture.hpp"
#include "common/Version.hpp"
#include "layout/Resources.hpp"
#include "tuner/OvraSettings.hpp"
#include "ui/WEXButton.hpp"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <set>

namespace ovra::test {
namespace {

constexpr const char* LAYOUT = "general.cfg";

Point layoutPoint(const char* item, int32_t index = -1) {
    return WEXConfig::positionOfItem(item, index, nullptr, LAYOUT);
}

QPixmap layoutImage(const char* item, int32_t index, const char* modifier) {
    return WEXConfig::imageOfItem(item, index, modifier, LAYOUT);
}

using MainViewConstruction = ScreenFixture;

TEST_F(MainViewConstruction, SubviewsAreStackedInTheDrawingOrderOfTheScreen) {
    OvraMainView& view = build();
    std::vector<View*> expected{view.backgroundView()};
    for (int32_t i = 0; i <= 6; ++i) { // the six string keys, then the magic key
        expected.push_back(view.tuningKey(i));
    }
    expected.insert(expected.end(), {view.aboutButton(), view.settingsButton(), view.helpButton(),
                                     view.headView()});
    for (int32_t i = 0; i < 9; ++i) {
        expected.push_back(view.amplitudeMeterLED(i));
    }
    expected.push_back(view.pitchMeterView());
    for (int32_t i : {0, 5, 1, 4, 2, 3}) {
        expected.push_back(view.tuningPeg(i));
    }
    expected.push_back(view.pitchNeedle());
    const std::vector<View*> actual = view.subviews();
    ASSERT_EQ(actual.size(), expected.size() + 2) << "plus the overlay and the settings panel";
    for (size_t i = 0; i < expected.size(); ++i) {
        ASSERT_NE(expected[i], nullptr) << "subview " << i;
        EXPECT_EQ(actual[i], expected[i]) << "subview " << i;
    }
    // The overlay is the application's glass above everything but the panel.
    auto* overlay = dynamic_cast<ImageView*>(actual[actual.size() - 2]);
    ASSERT_NE(overlay, nullptr);
    EXPECT_TRUE(sameImage(overlay->image(), layoutImage("overlay", -1, nullptr)));
    EXPECT_EQ(overlay->frame().origin, layoutPoint("overlay"));
    EXPECT_EQ(actual.back(), view.settings()) << "the settings panel lies above everything";
    std::set<View*> distinct(actual.begin(), actual.end());
    EXPECT_EQ(distinct.size(), actual.size());
}

TEST_F(MainViewConstruction, KeysStandAtTheirLayoutPlacesSizedByTheirPressedImage) {
    OvraMainView& view = build();
    for (int32_t i = 0; i < 6; ++i) {
        OvraTuningKey* key = view.tuningKey(i);
        ASSERT_NE(key, nullptr);
        const QPixmap pressed = layoutImage("tuningkey", i, "pressed");
        ASSERT_FALSE(pressed.isNull()) << "the layout gives key " << i << " a picture";
        EXPECT_EQ(key->tuningKeyIndex(), i);
        EXPECT_EQ(key->frame().origin, layoutPoint("tuningkey", i));
        EXPECT_EQ(key->frame().size, ImageView::imageSize(pressed));
        EXPECT_TRUE(sameImage(key->activeImage(), pressed));
        EXPECT_TRUE(sameImage(key->inactiveImage(), layoutImage("tuningkey", i, "unpressed")));
        EXPECT_TRUE(sameImage(key->magicImage(), layoutImage("tuningkey", i, "magic")));
    }
    OvraTuningKey* magic = view.tuningKey(6);
    ASSERT_NE(magic, nullptr);
    EXPECT_EQ(magic->tuningKeyIndex(), 6);
    EXPECT_EQ(magic->frame().origin, layoutPoint("autoswitchkey"));
    EXPECT_EQ(magic->frame().size,
              ImageView::imageSize(layoutImage("autoswitchkey", -1, "pressed")));
    EXPECT_TRUE(magic->magicImage().isNull()) << "the magic key has no magic picture";
    EXPECT_EQ(view.tuningKey(7), nullptr);
    EXPECT_EQ(view.tuningKey(-1), nullptr);
}

TEST_F(MainViewConstruction, MeterNeedleLedsAndStringsStartFromTheLayout) {
    OvraMainView& view = build();
    // Strings, unlit but for the stored selection (string 0, manual).
    for (int32_t i = 0; i < 6; ++i) {
        ImageView* peg = view.tuningPeg(i);
        ASSERT_NE(peg, nullptr);
        EXPECT_EQ(peg->frame().origin, layoutPoint("string", i));
        EXPECT_EQ(peg->frame().size, ImageView::imageSize(view.tuningPegUnlitImage(i)));
        EXPECT_TRUE(sameImage(view.tuningPegLitImage(i), layoutImage("string", i, "pressed")));
        EXPECT_TRUE(sameImage(view.tuningPegMagicImage(i), layoutImage("string", i, "magic")));
    }
    // LEDs all unlit, each at its place.
    for (int32_t i = 0; i < 9; ++i) {
        ImageView* led = view.amplitudeMeterLED(i);
        ASSERT_NE(led, nullptr);
        const QPixmap unlit = layoutImage("ampmeterled", i, "unpressed");
        ASSERT_FALSE(unlit.isNull());
        EXPECT_TRUE(sameImage(led->image(), unlit)) << "LED " << i;
        EXPECT_EQ(led->frame().origin, layoutPoint("ampmeterled", i));
        EXPECT_EQ(led->frame().size, ImageView::imageSize(unlit));
    }
    EXPECT_EQ(view.amplitudeMeterLED(9), nullptr);
    EXPECT_EQ(view.litLedCount(), 0);

    // Meter and needle dim; the needle rests on the near blue point, not at
    // its own layout position.
    EXPECT_TRUE(sameImage(view.pitchMeterView()->image(), layoutImage("pitchmeter", -1, "dim")));
    EXPECT_EQ(view.pitchMeterView()->frame().origin, layoutPoint("pitchmeter"));
    EXPECT_TRUE(sameImage(view.pitchNeedle()->image(), layoutImage("pitchneedle", -1, "dim")));
    EXPECT_FALSE(view.pitchMeterIsBright());
    const Point nearBlue = layoutPoint("pitchmeter.nearblue");
    EXPECT_EQ(view.pitchNeedle()->frame().origin, nearBlue);
    EXPECT_EQ(view.pitchNeedle()->presentationOrigin(), nearBlue) << "placed, not animated";
    EXPECT_FALSE(view.pitchNeedle()->isAnimating());

    const NeedlePoints points = view.needlePoints();
    EXPECT_EQ(points.farRed, layoutPoint("pitchmeter.farred"));
    EXPECT_EQ(points.nearRed, layoutPoint("pitchmeter.nearred"));
    EXPECT_EQ(points.nearBlue, nearBlue);
    EXPECT_EQ(points.farBlue, layoutPoint("pitchmeter.farblue"));

    EXPECT_EQ(view.headView()->frame().origin, layoutPoint("guitarhead"));
    EXPECT_FALSE(view.headView()->image().isNull());
    EXPECT_EQ(view.backgroundView()->frame().origin, layoutPoint("background"));
    EXPECT_FALSE(view.backgroundView()->image().isNull());
    EXPECT_FALSE(view.lastDisplayFrequency().has_value());
    EXPECT_FALSE(view.lastCents().has_value());
}

TEST_F(MainViewConstruction, TheSettingsPanelWaitsOffScreenAboveTheView) {
    OvraSettings* settings = build().settings();
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(settings->frame(), settings->offscreenFrame());
    EXPECT_LE(settings->frame().origin.y + settings->frame().size.height, 0.0f)
        << "entirely above the visible area";
}

TEST_F(MainViewConstruction, LogsTheApplicationVersionAndBecomesTheSharedScreen) {
    LogCapture log;
    EXPECT_EQ(OvraMainView::sharedMainView(), nullptr);
    OvraMainView& view = build();
    EXPECT_EQ(OvraMainView::sharedMainView(), &view);
    EXPECT_EQ(log.count("Version = 7.3.1-screen"), 1);
    ASSERT_NE(view.frequencySmoother(), nullptr);
    TearDown();
    EXPECT_EQ(OvraMainView::sharedMainView(), nullptr) << "no dangling shared screen";
}

// The stored selection is replayed as a key hit: manual on 0..5, automatic on 6.
struct StartUpCase {
    int32_t stored;
    bool automatic;
    int32_t active;
};

void PrintTo(const StartUpCase& c, std::ostream* os) {
    *os << "stored " << c.stored;
}

class MainViewStartUp : public ScreenFixture, public ::testing::WithParamInterface<StartUpCase> {};

TEST_P(MainViewStartUp, TheStoredSelectionChoosesModeAndPictures) {
    const StartUpCase c = GetParam();
    build(c.stored);
    expectSelection(c.active, c.automatic);
    EXPECT_EQ(app().lastTuningKeySelected(), c.stored) << "the replay stores the same value";
}

INSTANTIATE_TEST_SUITE_P(StoredSelections, MainViewStartUp,
                         ::testing::Values(StartUpCase{6, true, 0}, StartUpCase{3, false, 3},
                                           StartUpCase{0, false, 0}, StartUpCase{5, false, 5}),
                         [](const auto& info) {
                             return "Stored" + std::to_string(info.param.stored);
                         });

TEST_F(MainViewConstruction, ADamagedStoredSelectionStartsManualOnTheLowestStringAndShowsIt) {
    build(9);
    expectSelection(0, false); // the pictures show the string the needle measures against
    EXPECT_TRUE(app().storeHistory().empty()) << "an index that is no key is not stored again";
}

TEST_F(MainViewConstruction, WithoutApplicationDelegateItStartsManualOnStringZero) {
    ensureWidgetApplication();
    WEXConfig layout("ovra");
    ASSERT_EQ(TunerAppDelegate::sharedAppDelegate(), nullptr);
    LogCapture log;
    QGraphicsScene scene;
    auto* view = new OvraMainView(Rect{{0.0f, 0.0f}, {SCREEN_WIDTH, SCREEN_HEIGHT}});
    scene.addItem(view);
    EXPECT_FALSE(view->autoSwitchModeEnabled());
    EXPECT_EQ(view->activeTuningKeyIndex(), 0);
    EXPECT_EQ(log.count(std::string("Version = ") + OVRA_VERSION), 1);
    view->refreshGUI(); // no capture object: nothing to read, nothing breaks
    EXPECT_EQ(view->refreshCount(), 1);
    EXPECT_FALSE(view->pitchMeterIsBright());
}

TEST_F(MainViewConstruction, HelpAndSettingsButtonsOnlyChangeTheirOwnPicture) {
    OvraMainView& view = build(3, true);
    for (WEXButton* button : {view.helpButton(), view.settingsButton()}) {
        ASSERT_FALSE(button->imageForState(ControlStateNormal).isNull());
        const QPixmap before = button->imageView()->image();
        const Rect settingsBefore = view.settings()->frame();
        press(*button, button->boundsCenter());
        EXPECT_TRUE(sameImage(button->imageView()->image(), button->functionalHighlightedImage()))
            << "pressed picture while held";
        release(*button, button->boundsCenter());
        EXPECT_TRUE(sameImage(button->imageView()->image(), before))
            << "a push button looks the same after its release";
        EXPECT_EQ(view.settings()->frame(), settingsBefore);
        expectSelection(3, false);
    }
    EXPECT_TRUE(app().storeHistory() == std::vector<int32_t>{3}) << "only the start-up replay";
}

TEST_F(MainViewConstruction, TheAboutButtonSlidesThePanelInOnlyWhenReleasedInside) {
    OvraMainView& view = build(0, true);
    WEXButton* about = view.aboutButton();
    OvraSettings* settings = view.settings();
    const Rect offscreen = settings->frame();
    const Point outside{about->bounds().size.width + 30.0f, about->boundsCenter().y};
    press(*about, about->boundsCenter());
    QTest::mouseMove(window().viewport(), viewportPoint(*about, outside));
    release(*about, outside);
    EXPECT_EQ(settings->frame(), offscreen) << "released outside";

    press(*about, about->boundsCenter());
    EXPECT_EQ(settings->frame(), offscreen) << "pressing alone brings nothing";
    release(*about, about->boundsCenter());
    const Rect target = settings->frame();
    EXPECT_EQ(target.origin.y, 0.0f) << "on screen, over the tuner";
    EXPECT_EQ(target.origin.x, offscreen.origin.x);
    EXPECT_TRUE(settings->isAnimating()) << "it slides in";
    settings->finishAnimation();
    EXPECT_EQ(settings->presentationOrigin(), target.origin);
}

// A skin whose layout differs from the application's: the needle's own
// position is ignored, and a meter without a dim picture shows its plain one
// until the first refresh.
TEST_F(MainViewConstruction, TheNeedlesOwnPositionAndAMissingDimMeterPicture) {
    ensureWidgetApplication();
    std::string layout = Resources::contentsOfResource(LAYOUT).value_or("");
    ASSERT_FALSE(layout.empty());
    const auto replaceLine = [&layout](const std::string& key, const std::string& line) {
        const size_t at = layout.find("\"" + key + "\"");
        ASSERT_NE(at, std::string::npos) << key;
        const size_t end = layout.find('\n', at);
        layout.replace(at, end - at, line);
    };
    replaceLine("ovra.pitchneedle.x", "\"ovra.pitchneedle.x\" = \"250\";");
    replaceLine("ovra.pitchneedle.y", "\"ovra.pitchneedle.y\" = \"5\";");
    replaceLine("ovra.pitchmeter.dim.filename",
                "\"ovra.pitchmeter.filename\" = \"$ovra.pitchmeter.bright.filename\";");
    QTemporaryDir skin;
    ASSERT_TRUE(skin.isValid());
    {
        QFile file(skin.filePath(QString::fromLatin1(LAYOUT)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(layout.data(), static_cast<qint64>(layout.size()));
    }
    ASSERT_TRUE(Resources::setOverrideDirectory(skin.path().toStdString()));
    OvraMainView& view = build(1);
    Resources::setOverrideDirectory("");

    EXPECT_EQ(layoutPoint("pitchneedle"), (Point{250.0f, 5.0f}));
    EXPECT_EQ(view.pitchNeedle()->frame().origin, layoutPoint("pitchmeter.nearblue"));
    ASSERT_TRUE(view.dimPitchMeterImage().isNull());
    ASSERT_FALSE(view.brightPitchMeterImage().isNull());
    EXPECT_TRUE(sameImage(view.pitchMeterView()->image(), view.brightPitchMeterImage()))
        << "the plain picture stands in for the missing dim one";
    EXPECT_EQ(view.pitchMeterView()->frame().size,
              ImageView::imageSize(view.brightPitchMeterImage()));

    // A quiet refresh then shows the missing dim picture: nothing.
    app().publish(0.2f, 110.0f, 1.0f);
    view.refreshGUI();
    EXPECT_TRUE(view.pitchMeterView()->image().isNull());
    EXPECT_FALSE(view.pitchNeedle()->image().isNull());
}

} // namespace
} // namespace ovra::test
