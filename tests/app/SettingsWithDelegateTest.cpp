// The settings panel of the launched application, driven with the mouse,
// changing the real delegate's settings.
#include "AppTestSupport.hpp"

#include "app/TunerWindow.hpp"
#include "common/LogCapture.hpp"
#include "common/Version.hpp"
#include "tuner/OvraMainView.hpp"
#include "tuner/OvraSettings.hpp"

#include <QAbstractButton>
#include <QGraphicsProxyWidget>
#include <QMessageBox>

namespace ovra {
namespace {

using test::TemporaryPreferences;

class SettingsWithDelegate : public ::testing::Test {
protected:
    void SetUp() override {
        test::ensureWidgetApplication();
        ASSERT_TRUE(store.isValid());
        delegate = std::make_unique<OvraTunerAppDelegate>(
            OvraTunerAppDelegate::Options{test::quickFactory(source), false});
        delegate->applicationDidFinishLaunching();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(delegate->window()));
        panel = delegate->mainView()->settings();
        ASSERT_NE(panel, nullptr);
        panel->showSettings();
        panel->finishAnimation();
    }
    void TearDown() override {
        delegate.reset();
        test::finishCapture();
    }

    void click(QWidget* widget, QPoint local) {
        QWidget* top = widget->window();
        const QPointF scenePoint =
            top->graphicsProxyWidget()->mapToScene(QPointF(widget->mapTo(top, local)));
        TunerWindow* window = delegate->window();
        QTest::mouseClick(window->viewport(), Qt::LeftButton, Qt::NoModifier,
                          window->mapFromScene(scenePoint));
    }
    void click(QWidget* widget) { click(widget, widget->rect().center()); }

    TemporaryPreferences store;
    std::shared_ptr<ScriptedAudioSource> source = ScriptedAudioSource::create();
    std::unique_ptr<OvraTunerAppDelegate> delegate;
    OvraSettings* panel = nullptr;
};

TEST_F(SettingsWithDelegate, SliderEndsGiveTheThresholdEnds) {
    FloatSlider* slider = panel->volumeSensitivitySlider();
    EXPECT_EQ(slider->floatValue(), delegate->volumeSensitivity());
    LogCapture log;
    click(slider, QPoint(3, slider->height() / 2));
    EXPECT_EQ(delegate->volumeThreshold(), 1000);
    EXPECT_EQ(log.lines().back(), "Volume threshold=1000");
    click(slider, QPoint(slider->width() - 4, slider->height() / 2));
    EXPECT_EQ(delegate->volumeThreshold(), 50);
    EXPECT_EQ(log.lines().back(), "Volume threshold=50");
}

TEST_F(SettingsWithDelegate, ReactivitySwitchSetsHyperactivity) {
    SegmentedControl* segments = panel->reactivitySegmentView();
    ASSERT_EQ(segments->selectedSegmentIndex(), 0);
    click(segments->buttonForSegment(1));
    EXPECT_TRUE(delegate->hyperactivityMode());
    click(segments->buttonForSegment(0));
    EXPECT_FALSE(delegate->hyperactivityMode());
}

TEST_F(SettingsWithDelegate, ResetRestoresDefaultsWithoutWritingThem) {
    delegate->setVolumeSensitivity(0.9f);
    delegate->setHyperactivityMode(true);
    delegate->setGreenZoneCentsWidth(20);
    click(panel->resetToDefaultCell());
    QMessageBox* box = panel->alertView();
    ASSERT_NE(box, nullptr);
    for (QAbstractButton* button : box->buttons()) {
        if (button->text() == QStringLiteral("OK")) {
            QTest::mouseClick(button, Qt::LeftButton);
        }
    }
    EXPECT_EQ(delegate->volumeThreshold(), 500);
    EXPECT_FALSE(delegate->hyperactivityMode());
    EXPECT_EQ(delegate->greenZoneCentsWidth(), 20);
    EXPECT_EQ(panel->volumeSensitivitySlider()->floatValue(), 0.5263158f);
    EXPECT_EQ(panel->reactivitySegmentView()->selectedSegmentIndex(), 0);
    EXPECT_TRUE(store.fileValue(OvraTunerAppDelegate::KEY_VOLUME_THRESHOLD).isNull());
}

TEST_F(SettingsWithDelegate, AboutShowsTheApplicationsVersion) {
    click(panel->aboutCell());
    ASSERT_TRUE(panel->aboutDialog()->isVisible());
    EXPECT_TRUE(panel->aboutDialog()->informativeText().startsWith(
        QStringLiteral("OvraTuner version %1\n").arg(QString::fromLatin1(OVRA_VERSION))));
    EXPECT_EQ(delegate->versionString(), std::string(OVRA_VERSION));
}

TEST_F(SettingsWithDelegate, DoneSlidesThePanelAway) {
    click(panel->toolbar()->doneButton());
    panel->finishAnimation();
    EXPECT_EQ(panel->frame(), panel->offscreenFrame());
    EXPECT_EQ(panel->presentationOrigin(), panel->offscreenFrame().origin);
}

} // namespace
} // namespace ovra
