#pragma once

#include "WidgetTestApplication.hpp"

#include "capture/CorvaneAudioTrapper.hpp"
#include "capture/ScriptedAudioQueue.hpp"
#include "layout/WEXConfig.hpp"
#include "tuner/OvraMainView.hpp"
#include "tuner/OvraTuningKey.hpp"
#include "tuner/TunerAppDelegate.hpp"

#include <QApplication>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QPixmap>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace ovra::test {

// Two pictures are the same image (the layout's images are shared pixmaps).
inline bool sameImage(const QPixmap& a, const QPixmap& b) {
    return a.cacheKey() == b.cacheKey();
}

// The application edge of the screen: what the shell would answer, with a
// real capture object whose queues are scripted.
class ScreenTestApp : public TunerAppDelegate {
public:
    explicit ScreenTestApp(int32_t storedSelection = 0)
        : mySource(ScriptedAudioSource::create()),
          myTrapper(CorvaneAudioTrapper::create(mySource->factory())),
          myStoredSelection(storedSelection) {
        setSharedAppDelegate(this);
    }
    ~ScreenTestApp() override { myTrapper->stopAudioTrapper(); }

    std::shared_ptr<CorvaneAudioTrapper> audioTrapper() const override { return myTrapper; }
    int32_t volumeThreshold() const override { return myThreshold; }
    void setVolumeThresholdToDefault() override { myThreshold = 500; }
    float volumeSensitivity() const override { return 0.5f; }
    void setVolumeSensitivity(float) override {}
    bool hyperactivityMode() const override { return myHyperactivity; }
    void setHyperactivityMode(bool on) override { myHyperactivity = on; }
    int32_t lastTuningKeySelected() const override { return myStoredSelection; }
    void updateSelectedTuningKey(int32_t keyIndex) override {
        myStoredSelection = keyIndex;
        myStoreHistory.push_back(keyIndex);
    }
    std::string versionString() const override { return "7.3.1-screen"; }

    ScriptedAudioSource& source() { return *mySource; }
    CorvaneAudioTrapper& trapper() { return *myTrapper; }
    void setThreshold(int32_t threshold) { myThreshold = threshold; }
    const std::vector<int32_t>& storeHistory() const { return myStoreHistory; }
    void clearStoreHistory() { myStoreHistory.clear(); }

    // Publishes results as the capture thread would after one buffer.
    void publish(float topAmplitude, float fundamental, float rawPeakPower) {
        auto* record = myTrapper->callbackData();
        record->myTopAmplitude.store(topAmplitude);
        record->myMostRecentFundamentalFrequency.store(fundamental);
        record->myRawPeakPower.store(rawPeakPower);
    }

private:
    std::shared_ptr<ScriptedAudioSource> mySource;
    std::shared_ptr<CorvaneAudioTrapper> myTrapper;
    int32_t myStoredSelection;
    int32_t myThreshold = 500;
    bool myHyperactivity = false;
    std::vector<int32_t> myStoreHistory;
};

// A screen built from the application's own layout, shown in a graphics view
// as the shell shows it (offscreen).
class ScreenFixture : public ::testing::Test {
protected:
    static constexpr float SCREEN_WIDTH = 320.0f;
    static constexpr float SCREEN_HEIGHT = 460.0f;

    void SetUp() override { ensureWidgetApplication(); }

    void TearDown() override {
        if (myWindow) {
            myWindow->hide();
        }
        myWindow.reset();
        myScene.reset(); // deletes the screen with its views
        myApp.reset();
        myLayout.reset();
    }

    // Builds the screen with the given stored selection; 'show' puts it in a
    // window so that mouse presses reach it.
    OvraMainView& build(int32_t storedSelection = 0, bool show = false) {
        myLayout = std::make_unique<WEXConfig>("ovra");
        myApp = std::make_unique<ScreenTestApp>(storedSelection);
        myScene = std::make_unique<QGraphicsScene>(0.0, 0.0, SCREEN_WIDTH, SCREEN_HEIGHT);
        myView = new OvraMainView(Rect{{0.0f, 0.0f}, {SCREEN_WIDTH, SCREEN_HEIGHT}});
        myScene->addItem(myView);
        if (show) {
            myWindow = std::make_unique<QGraphicsView>(myScene.get());
            myWindow->setFrameShape(QFrame::NoFrame);
            myWindow->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            myWindow->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            myWindow->setFixedSize(static_cast<int>(SCREEN_WIDTH), static_cast<int>(SCREEN_HEIGHT));
            myWindow->setSceneRect(0.0, 0.0, SCREEN_WIDTH, SCREEN_HEIGHT);
            myWindow->show();
        }
        return *myView;
    }

    ScreenTestApp& app() { return *myApp; }
    OvraMainView& screen() { return *myView; }
    QGraphicsView& window() { return *myWindow; }

    // Where a point of the screen is in the window's viewport.
    QPoint viewportPoint(const View& view, Point local) const {
        return myWindow->mapFromScene(view.mapToScene(QPointF(local.x, local.y)));
    }
    void press(const View& view, Point local) {
        QTest::mousePress(myWindow->viewport(), Qt::LeftButton, {}, viewportPoint(view, local));
    }
    void release(const View& view, Point local) {
        QTest::mouseRelease(myWindow->viewport(), Qt::LeftButton, {}, viewportPoint(view, local));
    }

    // One refresh from published results, as the posted call would run it.
    void refreshWith(float topAmplitude, float fundamental, float rawPeakPower) {
        app().publish(topAmplitude, fundamental, rawPeakPower);
        screen().refreshGUI();
    }
    void expectBright(bool bright) {
        OvraMainView& v = screen();
        EXPECT_TRUE(sameImage(v.pitchMeterView()->image(),
                              bright ? v.brightPitchMeterImage() : v.dimPitchMeterImage()));
        EXPECT_TRUE(sameImage(v.pitchNeedle()->image(),
                              bright ? v.brightNeedleImage() : v.dimNeedleImage()));
        EXPECT_EQ(v.pitchMeterIsBright(), bright);
    }
    // Where the needle is drawn once its glide has ended.
    Point settledNeedle() {
        ImageView* needle = screen().pitchNeedle();
        needle->finishAnimation();
        EXPECT_FALSE(needle->isAnimating());
        EXPECT_EQ(needle->presentationOrigin(), needle->frame().origin);
        return needle->frame().origin;
    }
    // The mode and string, and the pictures that show them: the active
    // string's key and peg lit (magic pictures in automatic mode), the others
    // unlit, and the magic key lit only in automatic mode.
    void expectSelection(int32_t active, bool automatic) {
        OvraMainView& v = screen();
        EXPECT_EQ(v.autoSwitchModeEnabled(), automatic);
        EXPECT_EQ(v.activeTuningKeyIndex(), active);
        OvraTuningKey* magic = v.tuningKey(6);
        EXPECT_TRUE(sameImage(magic->shownImage(),
                              automatic ? magic->activeImage() : magic->inactiveImage()));
        for (int32_t i = 0; i < 6; ++i) {
            OvraTuningKey* key = v.tuningKey(i);
            ASSERT_FALSE(sameImage(key->activeImage(), key->inactiveImage()));
            ASSERT_FALSE(sameImage(key->magicImage(), key->activeImage()));
            QPixmap expectedKey = key->inactiveImage();
            QPixmap expectedPeg = v.tuningPegUnlitImage(i);
            if (i == active) {
                expectedKey = automatic ? key->magicImage() : key->activeImage();
                expectedPeg = automatic ? v.tuningPegMagicImage(i) : v.tuningPegLitImage(i);
            }
            EXPECT_TRUE(sameImage(key->shownImage(), expectedKey)) << "key " << i;
            EXPECT_TRUE(sameImage(v.tuningPeg(i)->image(), expectedPeg)) << "string " << i;
        }
    }

    std::unique_ptr<WEXConfig> myLayout;
    std::unique_ptr<ScreenTestApp> myApp;
    std::unique_ptr<QGraphicsScene> myScene;
    std::unique_ptr<QGraphicsView> myWindow;
    OvraMainView* myView = nullptr;
};

} // namespace ovra::test
