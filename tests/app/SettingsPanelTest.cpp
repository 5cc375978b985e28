// The settings panel of the launched application, driven with the mouse
// through its real widgets, changing the real delegate's settings; and its
// style sheet, which a skin may replace.
#include "AppTestSupport.hpp"

#include "TestTones.hpp"
#include "app/TunerWindow.hpp"
#include "common/LogCapture.hpp"
#include "common/Version.hpp"
#include "layout/Resources.hpp"
#include "tuner/FloatSlider.hpp"
#include "tuner/OvraMainView.hpp"
#include "tuner/OvraSettings.hpp"
#include "tuner/SegmentedControl.hpp"

#include <QAbstractButton>
#include <QDesktopServices>
#include <QGraphicsProxyWidget>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include <fstream>

namespace ovra {
namespace {

// Takes the place of the desktop's browser for https while it lives.
class UrlRecorder : public QObject {
    Q_OBJECT

public:
    UrlRecorder() { QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "openUrl"); }
    ~UrlRecorder() override { QDesktopServices::unsetUrlHandler(QStringLiteral("https")); }
    QVector<QUrl> opened;

public slots:
    void openUrl(const QUrl& url) { opened.push_back(url); }
};

// The first widget of that type (and name) shown in the scene.
template <class T> T* shownWidget(QGraphicsScene* scene, const QString& name = {}) {
    for (QGraphicsItem* item : scene->items()) {
        if (auto* proxy = dynamic_cast<QGraphicsProxyWidget*>(item); proxy && proxy->widget()) {
            for (T* widget : proxy->widget()->findChildren<T*>()) {
                if (name.isEmpty() || widget->objectName() == name ||
                    widget->property("text") == name) {
                    return widget;
                }
            }
        }
    }
    return nullptr;
}

QAbstractButton* buttonTitled(QMessageBox* box, const QString& title) {
    for (QAbstractButton* button : box->buttons()) {
        if (button->text() == title) {
            return button;
        }
    }
    return nullptr;
}

class SettingsPanel : public ::testing::Test {
protected:
    void SetUp() override {
        test::ensureWidgetApplication();
        ASSERT_TRUE(store.isValid());
        delegate =
            std::make_unique<OvraTunerAppDelegate>(test::testOptions(test::quickFactory(source)));
        delegate->applicationDidFinishLaunching();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(delegate->window()));
        panel = delegate->mainView()->settings();
        panel->showSettings();
        panel->finishAnimation();
    }
    void TearDown() override {
        delegate.reset();
        test::finishCapture();
    }

    template <class T> T* find(const QString& name = {}) {
        T* widget = shownWidget<T>(delegate->window()->scene(), name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
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
    QMessageBox* dialog(const char* name) {
        return delegate->window()->findChild<QMessageBox*>(QString::fromLatin1(name));
    }

    test::TemporaryPreferences store;
    std::shared_ptr<ScriptedAudioSource> source = ScriptedAudioSource::create();
    std::unique_ptr<OvraTunerAppDelegate> delegate;
    OvraSettings* panel = nullptr;
};

TEST_F(SettingsPanel, TheSliderEndsGiveTheThresholdEnds) {
    auto* slider = find<FloatSlider>();
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->floatValue(), delegate->volumeSensitivity());
    click(slider, QPoint(3, slider->height() / 2));
    EXPECT_EQ(delegate->volumeThreshold(), 1000);
    click(slider, QPoint(slider->width() - 4, slider->height() / 2));
    EXPECT_EQ(delegate->volumeThreshold(), 50);
}

TEST_F(SettingsPanel, HighReactivityTurnsSmoothingOffAndLowOn) {
    auto* segments = find<SegmentedControl>();
    ASSERT_NE(segments, nullptr);
    EXPECT_EQ(segments->selectedSegmentIndex(), 0);
    click(segments->buttonForSegment(1));
    EXPECT_TRUE(delegate->hyperactivityMode());
    click(segments->buttonForSegment(0));
    EXPECT_FALSE(delegate->hyperactivityMode());
}

TEST_F(SettingsPanel, ResetAsksFirstAndOnOkRestoresTheDefaultsAndWritesThemSoon) {
    delegate->setVolumeSensitivity(0.9f);
    delegate->setHyperactivityMode(true);
    click(find<QLabel>(QStringLiteral("Reset to default values")));
    QMessageBox* confirmation = dialog("confirmationDialog");
    ASSERT_NE(confirmation, nullptr);
    QTest::mouseClick(buttonTitled(confirmation, QStringLiteral("Cancel")), Qt::LeftButton);
    EXPECT_TRUE(delegate->hyperactivityMode()) << "cancel changes nothing";

    click(find<QLabel>(QStringLiteral("Reset to default values")));
    confirmation = dialog("confirmationDialog");
    ASSERT_NE(confirmation, nullptr);
    QTest::mouseClick(buttonTitled(confirmation, QStringLiteral("OK")), Qt::LeftButton);
    EXPECT_EQ(delegate->volumeThreshold(), 500);
    EXPECT_FALSE(delegate->hyperactivityMode());
    EXPECT_EQ(find<FloatSlider>()->floatValue(), delegate->volumeSensitivity());
    EXPECT_EQ(find<SegmentedControl>()->selectedSegmentIndex(), 0);
    EXPECT_TRUE(test::eventually(
        [&] { return store.fileValue(OvraTunerAppDelegate::KEY_HYPERACTIVITY_MODE) == "false"; }));
}

TEST_F(SettingsPanel, AboutShowsTheVersionAndCanOpenTheProductPage) {
    UrlRecorder browser;
    click(find<QLabel>(QStringLiteral("About")));
    QMessageBox* about = dialog("aboutDialog");
    ASSERT_NE(about, nullptr);
    ASSERT_TRUE(about->isVisible());
    EXPECT_TRUE(about->informativeText().startsWith(
        QStringLiteral("OvraTuner version %1\n").arg(QString::fromLatin1(OVRA_VERSION))));
    QTest::mouseClick(buttonTitled(about, QStringLiteral("Visit web site")), Qt::LeftButton);
    ASSERT_EQ(browser.opened.size(), 1);
    EXPECT_EQ(browser.opened.front().path(), QStringLiteral("/iphone/ovratuner"));
}

TEST_F(SettingsPanel, DoneSlidesThePanelAway) {
    EXPECT_TRUE(delegate->mainView()->screenState().settingsShown);
    click(find<QPushButton>(QStringLiteral("doneButton")));
    panel->finishAnimation();
    EXPECT_FALSE(delegate->mainView()->screenState().settingsShown);
    EXPECT_EQ(panel->presentationOrigin(), panel->offscreenFrame().origin);
}

// The style sheet of a panel built with a skin folder in place.
QString styleSheetWithSkin(const std::string& folder) {
    EXPECT_TRUE(Resources::setOverrideDirectory(folder));
    QGraphicsScene scene;
    auto* panel = new OvraSettings(Rect{{0.0f, 0.0f}, {320.0f, 460.0f}}, nullptr);
    scene.addItem(panel);
    Resources::setOverrideDirectory("");
    auto* done = shownWidget<QPushButton>(&scene, QStringLiteral("doneButton"));
    return done != nullptr ? done->parentWidget()->styleSheet() : QString();
}

TEST(SettingsStyle, ASkinMayRestyleThePanelAndAnUnusableSheetFallsBackWithOneWarning) {
    test::ensureWidgetApplication();
    const QString builtIn = styleSheetWithSkin("");
    EXPECT_TRUE(builtIn.contains(QStringLiteral("#navigationBar")));

    test::TemporaryDirectory skin;
    std::ofstream(skin.file("settings.qss")) << "#navigationBar { background: red; }\n";
    EXPECT_EQ(styleSheetWithSkin(skin.path()),
              QStringLiteral("#navigationBar { background: red; }\n"));

    test::TemporaryDirectory broken; // far too large to be a style sheet
    std::ofstream(broken.file("settings.qss")) << std::string(2 << 20, '#');
    LogCapture log;
    EXPECT_EQ(styleSheetWithSkin(broken.path()), builtIn);
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_EQ(log.lines().front().rfind("Warning : cannot read the settings style sheet", 0), 0u);
}

} // namespace
} // namespace ovra

#include "SettingsPanelTest.moc"
