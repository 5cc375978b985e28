#pragma once

#include "WidgetTestApplication.hpp"

#include "tuner/OvraSettings.hpp"
#include "tuner/TunerAppDelegate.hpp"

#include <QApplication>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace ovra::test {

// Settings kept in plain fields, with every call the panel makes recorded.
// Registers itself as the shared delegate while it lives.
class RecordingAppDelegate : public TunerAppDelegate {
public:
    RecordingAppDelegate() { setSharedAppDelegate(this); }
    ~RecordingAppDelegate() override = default;

    std::shared_ptr<CorvaneAudioTrapper> audioTrapper() const override { return nullptr; }
    int32_t volumeThreshold() const override { return threshold; }
    void setVolumeThresholdToDefault() override {
        ++defaultThresholdCalls;
        threshold = 500;
        sensitivity = DEFAULT_SENSITIVITY;
    }
    float volumeSensitivity() const override { return sensitivity; }
    void setVolumeSensitivity(float value) override {
        sensitivityCalls.push_back(value);
        sensitivity = value;
    }
    bool hyperactivityMode() const override { return hyperactive; }
    void setHyperactivityMode(bool on) override {
        hyperactivityCalls.push_back(on);
        hyperactive = on;
    }
    int32_t lastTuningKeySelected() const override { return tuningKey; }
    void updateSelectedTuningKey(int32_t keyIndex) override { tuningKey = keyIndex; }
    std::string versionString() const override { return version; }

    // What the shell's arithmetic gives for the default threshold.
    static constexpr float DEFAULT_SENSITIVITY = 0.5263158f;

    int32_t threshold = 800;
    float sensitivity = 0.25f;
    bool hyperactive = true;
    int32_t tuningKey = 0;
    std::string version = "7.3.1-test";
    int defaultThresholdCalls = 0;
    std::vector<float> sensitivityCalls;
    std::vector<bool> hyperactivityCalls;
};

// A 320 x 460 scene shown one to one in an exposed view, with the panel in
// it, for clicks that travel the way a user's do.
class SettingsStage {
public:
    explicit SettingsStage(Rect frame = Rect{{0.0f, 0.0f}, {320.0f, 460.0f}}) {
        ensureWidgetApplication();
        scene = std::make_unique<QGraphicsScene>(0.0, 0.0, 320.0, 460.0);
        view = std::make_unique<QGraphicsView>(scene.get());
        view->setFrameShape(QFrame::NoFrame);
        view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->setFixedSize(320, 460);
        panel = new OvraSettings(frame);
        panel->setFrame(panel->offscreenFrame());
        scene->addItem(panel);
        view->show();
        exposed = QTest::qWaitForWindowExposed(view.get());
    }
    ~SettingsStage() {
        // Dialogs parented to the view go with it; the panel first.
        delete panel;
        view.reset();
        scene.reset();
    }
    SettingsStage(const SettingsStage&) = delete;
    SettingsStage& operator=(const SettingsStage&) = delete;

    // Slides the panel in and lets the slide end.
    void showPanel() {
        panel->showSettings();
        panel->finishAnimation();
    }

    // Where a point of a widget inside the panel appears in the viewport.
    QPoint viewportPoint(QWidget* widget, QPoint local) const {
        QWidget* top = widget->window();
        QGraphicsProxyWidget* proxy = top->graphicsProxyWidget();
        const QPoint inTop = widget->mapTo(top, local);
        return view->mapFromScene(proxy->mapToScene(QPointF(inTop)));
    }
    QPoint viewportPoint(QWidget* widget) const {
        return viewportPoint(widget, widget->rect().center());
    }
    void click(QWidget* widget, QPoint local) {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                          viewportPoint(widget, local));
    }
    void click(QWidget* widget) { click(widget, widget->rect().center()); }

    std::unique_ptr<QGraphicsScene> scene;
    std::unique_ptr<QGraphicsView> view;
    OvraSettings* panel = nullptr;
    bool exposed = false;
};

// The panel on its stage with a recording delegate that outlives it.
class SettingsFixture : public ::testing::Test {
protected:
    void SetUp() override {
        stage = std::make_unique<SettingsStage>();
        ASSERT_TRUE(stage->exposed);
        panel = stage->panel;
    }
    void TearDown() override { stage.reset(); }

    RecordingAppDelegate app;
    std::unique_ptr<SettingsStage> stage;
    OvraSettings* panel = nullptr;
};

} // namespace ovra::test
