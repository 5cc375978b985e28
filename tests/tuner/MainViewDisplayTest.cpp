// What the tuner screen shows after refreshes and key hits: LEDs, meter,
// needle, keys and strings, checked on the views themselves.
#include "MainViewTestSupport.hpp"

#include "music/WEXMusicUtil.hpp"

#include <QTest>

#include <cmath>

namespace ovra::test {
namespace {

// Loud enough for any threshold used here.
constexpr float LOUD = 1.0e6f;

void expectNear(Point actual, Point expected, const char* what) {
    EXPECT_NEAR(actual.x, expected.x, 0.01f) << what;
    EXPECT_NEAR(actual.y, expected.y, 0.01f) << what;
}

Point along(Point a, Point b, float t) {
    return Point{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

// A frequency whose single-precision cents from the target lie on the wanted
// side of `cents` (at most `cents` when `notAbove`), as close as floats allow.
float frequencyForCents(float target, double cents, bool notAbove) {
    float f = static_cast<float>(static_cast<double>(target) * std::exp2(cents / 1200.0));
    const auto centsOf = [target](float frequency) {
        return static_cast<float>(WEXMusicUtil::getCentsDifference(static_cast<double>(frequency),
                                                                   static_cast<double>(target)));
    };
    while (notAbove ? centsOf(f) > static_cast<float>(cents)
                    : centsOf(f) < static_cast<float>(cents)) {
        f = std::nextafter(f, notAbove ? 0.0f : 1.0e9f);
    }
    return f;
}

class MainViewDisplay : public ScreenFixture {
protected:
    void expectLitLeds(int32_t count) {
        for (int32_t i = 0; i < 9; ++i) {
            const QPixmap expected = i < count ? screen().amplitudeMeterLEDLitImage(i)
                                               : screen().amplitudeMeterLEDUnlitImage(i);
            EXPECT_TRUE(sameImage(screen().amplitudeMeterLED(i)->image(), expected))
                << "LED " << i << " with " << count << " lit";
        }
        EXPECT_EQ(screen().litLedCount(), count);
    }
};

TEST_F(MainViewDisplay, LedViewsShowTheLevelInTenths) {
    build();
    for (int32_t i = 0; i < 9; ++i) {
        ASSERT_FALSE(sameImage(screen().amplitudeMeterLEDLitImage(i),
                               screen().amplitudeMeterLEDUnlitImage(i)))
            << "LED " << i << " must look different lit";
    }
    const struct {
        float amplitude;
        int32_t lit;
    } table[] = {{0.0999f, 0}, {0.1f, 1}, {0.55f, 5}, {0.95f, 9}, {0.0f, 0}, {0.3f, 3}};
    for (const auto& row : table) {
        screen().updateTopAmp(row.amplitude);
        expectLitLeds(row.lit);
    }
    // A refresh sets them too, whatever else it does.
    refreshWith(0.55f, 0.0f, 0.0f);
    expectLitLeds(5);
    refreshWith(0.95f, 110.0f, LOUD);
    expectLitLeds(9);
}

TEST_F(MainViewDisplay, TheNeedleFollowsTheCentsOffsetBetweenTheLayoutPoints) {
    build(1);                         // manual on A2
    app().setHyperactivityMode(true); // each reading shown as it comes
    const NeedlePoints p = screen().needlePoints();
    ASSERT_NE(p.nearRed, p.nearBlue);
    ASSERT_NE(p.farRed, p.nearRed);
    ASSERT_NE(p.farBlue, p.nearBlue);
    const float a2 = OVRA_TARGET_FREQUENCIES[1];
    const struct {
        double cents;
        bool notAbove;
        Point expected;
        const char* what;
    } table[] = {
        {0.0, true, along(p.nearRed, p.nearBlue, 0.5f), "in tune: halfway between the near points"},
        {2.5, true, p.nearRed, "+2.5: near red"},
        {-2.5, false, p.nearBlue, "-2.5: near blue"},
        {4.0, true, along(p.nearRed, p.nearBlue, 0.5f - 4.0f / 5.0f),
         "+4: beyond near red by 0.3 of the near distance"},
        {5.0, false, along(p.nearRed, p.farRed, 5.0f / 195.0f), "+5: red side"},
        {-5.0, true, along(p.nearBlue, p.farBlue, 5.0f / 195.0f), "-5: blue side"},
        {200.0, true, along(p.nearRed, p.farRed, 200.0f / 195.0f), "+200: just past far red"},
        {200.5, false, p.farRed, "+200.5: exactly far red"},
        {-250.0, true, p.farBlue, "-250: exactly far blue"},
    };
    for (const auto& row : table) {
        refreshWith(0.5f, frequencyForCents(a2, row.cents, row.notAbove), LOUD);
        ASSERT_TRUE(screen().lastCents().has_value()) << row.what;
        EXPECT_NEAR(*screen().lastCents(), row.cents, 1e-3) << row.what;
        expectNear(settledNeedle(), row.expected, row.what);
        expectBright(true);
    }
}

TEST_F(MainViewDisplay, TheNeedleGlidesForATenthOfASecondAndOnlyTranslates) {
    build(1);
    app().setHyperactivityMode(true);
    ImageView* needle = screen().pitchNeedle();
    const Size size = needle->frame().size;
    const Point start = needle->presentationOrigin();
    refreshWith(0.5f, 130.0f, LOUD); // far sharp of A2
    const NeedlePoints p = screen().needlePoints();
    EXPECT_EQ(needle->frame().origin, p.farRed) << "the model is there at once";
    ASSERT_TRUE(needle->isAnimating());
    ASSERT_NE(needle->currentAnimation(), nullptr);
    EXPECT_EQ(needle->currentAnimation()->duration(), 100);
    EXPECT_EQ(needle->presentationOrigin(), start) << "drawn from where it was";
    EXPECT_TRUE(sameImage(needle->image(), screen().brightNeedleImage()))
        << "the bright picture is not animated";
    EXPECT_EQ(settledNeedle(), p.farRed);
    EXPECT_EQ(needle->frame().size, size);
    EXPECT_EQ(needle->rotation(), 0.0);

    // The operation itself, between two points.
    screen().pointPitchNeedleBetweenPointA(p.farBlue, p.farRed, 0.25f);
    expectNear(settledNeedle(), along(p.farBlue, p.farRed, 0.25f), "a quarter of the way");
}

TEST_F(MainViewDisplay, AQuietRefreshDimsAndLeavesNeedleAndSelectionAlone) {
    build(6); // automatic
    app().setHyperactivityMode(true);
    refreshWith(0.4f, 196.0f, LOUD);
    EXPECT_EQ(screen().activeTuningKeyIndex(), 3);
    expectBright(true);
    const Point placed = settledNeedle();

    // Raw peak power equal to the threshold is too quiet.
    app().setThreshold(800);
    refreshWith(0.2f, 329.63f, 800.0f);
    expectBright(false);
    expectLitLeds(2);
    EXPECT_EQ(screen().activeTuningKeyIndex(), 3) << "no new selection while quiet";
    EXPECT_FALSE(screen().pitchNeedle()->isAnimating());
    EXPECT_EQ(settledNeedle(), placed);
    ASSERT_TRUE(screen().lastDisplayFrequency().has_value());
    EXPECT_EQ(*screen().lastDisplayFrequency(), 196.0f) << "still the note last shown";

    refreshWith(0.2f, 329.63f, 800.5f);
    expectBright(true);
    EXPECT_EQ(screen().activeTuningKeyIndex(), 5);
}

TEST_F(MainViewDisplay, NoFrequencyLeavesMeterNeedleAndSelectionAsTheyWere) {
    build(6);
    app().setHyperactivityMode(true);
    refreshWith(0.4f, 110.0f, LOUD);
    const Point placed = settledNeedle();
    refreshWith(0.7f, 0.0f, LOUD);
    expectBright(true);
    expectLitLeds(7);
    EXPECT_EQ(settledNeedle(), placed);
    EXPECT_EQ(screen().activeTuningKeyIndex(), 1);

    // Dim stays dim too.
    refreshWith(0.1f, 110.0f, 1.0f);
    expectBright(false);
    refreshWith(0.1f, -3.0f, LOUD);
    expectBright(false);
}

TEST_F(MainViewDisplay, SmoothingUnlessHyperactiveAndRawWithoutSmoother) {
    build(1);
    // Smoothed: a single reading far from anything before is not shown yet.
    refreshWith(0.4f, 110.0f, LOUD);
    EXPECT_FALSE(screen().lastDisplayFrequency().has_value());
    expectBright(false);

    app().setHyperactivityMode(true);
    refreshWith(0.4f, 112.0f, LOUD);
    ASSERT_TRUE(screen().lastDisplayFrequency().has_value());
    EXPECT_EQ(*screen().lastDisplayFrequency(), 112.0f) << "shown as read";

    app().setHyperactivityMode(false);
    screen().setFrequencySmoother(nullptr);
    EXPECT_EQ(screen().frequencySmoother(), nullptr);
    refreshWith(0.4f, 113.0f, LOUD);
    ASSERT_TRUE(screen().lastDisplayFrequency().has_value());
    EXPECT_EQ(*screen().lastDisplayFrequency(), 113.0f) << "no smoother: the raw frequency";
}

TEST_F(MainViewDisplay, AutomaticModeRedrawsKeysAndStringsForTheStringItHears) {
    build(6);
    app().setHyperactivityMode(true);
    refreshWith(0.4f, 246.94f, LOUD);
    expectSelection(4, true);
    EXPECT_TRUE(app().storeHistory() == std::vector<int32_t>{6})
        << "automatic choices are not stored";
}

TEST_F(MainViewDisplay, KeyHitsSwitchModeAndStringOnTheViews) {
    build(0);
    app().setHyperactivityMode(true);
    app().clearStoreHistory();
    const auto snapshot = [this] {
        std::vector<qint64> keys;
        for (int32_t i = 0; i <= 6; ++i) {
            keys.push_back(screen().tuningKey(i)->shownImage().cacheKey());
        }
        for (int32_t i = 0; i < 6; ++i) {
            keys.push_back(screen().tuningPeg(i)->image().cacheKey());
        }
        return keys;
    };

    // 7 is no key: nothing changes, nothing is stored.
    const auto before = snapshot();
    screen().tuningKeyHit(7);
    screen().tuningKeyHit(-2);
    EXPECT_EQ(snapshot(), before);
    EXPECT_TRUE(app().storeHistory().empty());
    EXPECT_EQ(screen().activeTuningKeyIndex(), 0);

    // The magic key twice: automatic on, a string chosen by ear, then off
    // with that string kept in manual mode; 6 stored both times.
    screen().tuningKeyHit(6);
    expectSelection(0, true);
    refreshWith(0.4f, 146.83f, LOUD);
    EXPECT_EQ(screen().activeTuningKeyIndex(), 2);
    screen().tuningKeyHit(6);
    expectSelection(2, false);
    EXPECT_TRUE((app().storeHistory() == std::vector<int32_t>{6, 6}));

    // Manual mode never reselects, whatever it hears.
    refreshWith(0.4f, 329.63f, LOUD);
    EXPECT_EQ(screen().activeTuningKeyIndex(), 2);
}

TEST_F(MainViewDisplay, AFingerOnKeyTwoInAutomaticModeSelectsStringTwoByHand) {
    build(6, true);
    app().clearStoreHistory();
    OvraTuningKey* key2 = screen().tuningKey(2);
    // Where a finger would land on the key: a point of it that no other
    // touchable view covers.
    const Point at{6.0f, key2->bounds().size.height / 2.0f};
    press(*key2, at);
    // Decided at touch-down, before the finger is lifted; the key holds the touch.
    expectSelection(2, false);
    EXPECT_TRUE(app().storeHistory() == std::vector<int32_t>{2});
    EXPECT_TRUE(key2->isTracking());
    QTest::mouseMove(window().viewport(), viewportPoint(*key2, Point{at.x, at.y + 3.0f}));
    release(*key2, Point{at.x, at.y + 3.0f});
    EXPECT_TRUE(app().storeHistory() == std::vector<int32_t>{2}) << "lifting does nothing more";
    EXPECT_FALSE(key2->isTracking());
    EXPECT_EQ(app().lastTuningKeySelected(), 2);
    expectSelection(2, false);
}

TEST_F(MainViewDisplay, AFingerOnTheMagicKeyTogglesAutomaticMode) {
    build(4, true);
    app().clearStoreHistory();
    OvraTuningKey* magic = screen().tuningKey(6);
    const QPoint at = viewportPoint(*magic, magic->boundsCenter());
    QTest::mouseClick(window().viewport(), Qt::LeftButton, {}, at);
    expectSelection(4, true);
    QTest::mouseClick(window().viewport(), Qt::LeftButton, {}, at);
    expectSelection(4, false);
    EXPECT_TRUE((app().storeHistory() == std::vector<int32_t>{6, 6}));
}

TEST_F(MainViewDisplay, KeyboardTouchesReachEveryKeyLikeAFinger) {
    build(0);
    app().clearStoreHistory();
    EXPECT_TRUE(screen().touchTuningKey(5));
    EXPECT_EQ(screen().activeTuningKeyIndex(), 5);
    EXPECT_TRUE(screen().touchTuningKey(6));
    EXPECT_TRUE(screen().autoSwitchModeEnabled());
    EXPECT_FALSE(screen().touchTuningKey(7));
    EXPECT_FALSE(screen().touchTuningKey(-1));
    EXPECT_TRUE((app().storeHistory() == std::vector<int32_t>{5, 6}));
    EXPECT_FALSE(screen().tuningKey(5)->isTracking()) << "the touch was lifted again";
}

} // namespace
} // namespace ovra::test
