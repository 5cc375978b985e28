// SPDX-License-Identifier: GPL-3.0-or-later
// The settings panel of the launched application, driven with the mouse
// through its real widgets, changing the real delegate's settings; and its
// style sheet, which a skin may replace.
#include "AppTestSupport.hpp"

#include "TestTones.hpp"
#include "app/TunerWindow.hpp"
#include "common/LogCapture.hpp"
#include "common/Version.hpp"
#include "layout/Resources.hpp"
#include "tuner/OvraMainView.hpp"
#include "tuner/OvraSettings.hpp"
#include "tuner/ReferencePitchStepper.hpp"
#include "tuner/TuningPicker.hpp"
#include "ui/FloatSlider.hpp"
#include "ui/GroupedTableView.hpp"
#include "ui/SegmentedControl.hpp"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QCheckBox>
#include <QDesktopServices>
#include <QGraphicsProxyWidget>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>

#include <fstream>
#include <tuple>

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

class SettingsPanel : public test::LaunchedTuner {
protected:
    void SetUp() override {
        LaunchedTuner::SetUp();
        launch();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(delegate->window()));
        panel = delegate->mainView()->settings();
        panel->showSettings();
        panel->finishAnimation();
    }

    template <class T> T* find(const QString& name = {}) {
        T* widget = shownWidget<T>(delegate->window()->scene(), name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    void click(QWidget* widget, QPoint local) {
        // Scrolled into sight first, as a user would.
        for (QWidget* up = widget; up != nullptr; up = up->parentWidget()) {
            if (auto* table = qobject_cast<QScrollArea*>(up)) {
                table->ensureWidgetVisible(widget);
            }
        }
        QWidget* top = widget->window();
        const QPointF scenePoint =
            top->graphicsProxyWidget()->mapToScene(QPointF(widget->mapTo(top, local)));
        TunerWindow* window = delegate->window();
        QTest::mouseClick(window->viewport(), Qt::LeftButton, Qt::NoModifier,
                          window->mapFromScene(scenePoint));
    }
    void click(QWidget* widget) { click(widget, widget->rect().center()); }
    // The dialog of that name, answered with the button of that title.
    QMessageBox* answer(const char* name, const QString& title) {
        auto* box = delegate->window()->findChild<QMessageBox*>(QString::fromLatin1(name));
        for (QAbstractButton* button :
             box != nullptr ? box->buttons() : QList<QAbstractButton*>()) {
            if (button->text() == title) {
                QTest::mouseClick(button, Qt::LeftButton);
                return box;
            }
        }
        ADD_FAILURE() << name << ": no " << title.toStdString();
        return box;
    }

    OvraSettings* panel = nullptr;
};

// At a phone's size and at the desktop's, every control of every row, once
// scrolled to, lies wholly inside the visible table: nothing is cut off by a
// scroll bar or the panel's edge.
TEST_F(SettingsPanel, EveryRowsControlsFitTheVisiblePanelAtEverySize) {
    GroupedTableView* table = nullptr;
    for (QGraphicsItem* item : delegate->window()->scene()->items()) {
        if (auto* proxy = dynamic_cast<QGraphicsProxyWidget*>(item); proxy && !table) {
            table = qobject_cast<GroupedTableView*>(proxy->widget());
        }
    }
    ASSERT_NE(table, nullptr);
    for (const QSize size : {QSize(320, 460), QSize(360, 640), QSize(640, 920)}) {
        SCOPED_TRACE(size.width());
        delegate->window()->resize(size);
        QCoreApplication::processEvents();
        const QRect visible = table->viewport()->rect();
        int controls = 0;
        for (QWidget* control : table->widget()->findChildren<QWidget*>()) {
            const bool isControl = qobject_cast<QAbstractButton*>(control) != nullptr ||
                                   qobject_cast<QAbstractSlider*>(control) != nullptr;
            if (!isControl || !control->isVisibleTo(table)) {
                continue;
            }
            ++controls;
            table->ensureWidgetVisible(control, 0, 0);
            const QRect at(control->mapTo(table->viewport(), QPoint(0, 0)), control->size());
            EXPECT_TRUE(visible.contains(at))
                << control->metaObject()->className() << " " << control->objectName().toStdString()
                << " at " << at.x() << "," << at.y() << " " << at.width() << "x" << at.height();
        }
        EXPECT_GE(controls, 6) << "slider, segments, switch, stepper buttons";
    }
}

// The slider's ends give the threshold's ends, "High" reactivity turns the
// smoothing off and "Low" on, and Done slides the panel away.
TEST_F(SettingsPanel, TheSliderReactivityAndDoneWork) {
    auto* slider = find<FloatSlider>();
    ASSERT_NE(slider, nullptr);
    // The words at the ends sit at the ends they name.
    QLabel* less = find<QLabel>(QStringLiteral("Less sensitive"));
    QLabel* more = find<QLabel>(QStringLiteral("More sensitive"));
    ASSERT_TRUE(less && more);
    EXPECT_TRUE(less->alignment() & Qt::AlignLeft);
    EXPECT_TRUE(more->alignment() & Qt::AlignRight);
    click(slider, QPoint(3, slider->height() / 2));
    EXPECT_EQ(delegate->volumeThreshold(), 1000);
    click(slider, QPoint(slider->width() - 4, slider->height() / 2));
    EXPECT_EQ(delegate->volumeThreshold(), 50);

    auto* segments = find<SegmentedControl>();
    ASSERT_NE(segments, nullptr);
    EXPECT_EQ(segments->selectedSegmentIndex(), 0);
    click(segments->buttonForSegment(1));
    EXPECT_TRUE(delegate->hyperactivityMode());
    click(segments->buttonForSegment(0));
    EXPECT_FALSE(delegate->hyperactivityMode());

    click(find<QPushButton>(QStringLiteral("doneButton")));
    panel->finishAnimation();
    EXPECT_FALSE(delegate->mainView()->screenState().settingsShown);
    EXPECT_EQ(panel->presentationOrigin(), panel->offscreenFrame().origin);
}

TEST_F(SettingsPanel, TheTuningComesFromTheListAndThePitchFromTheStepper) {
    delegate->window()->resize(640, 920); // the desktop's default size
    QLabel* name = find<QLabel>(QStringLiteral("Standard"));
    ASSERT_NE(name, nullptr);
    click(name);
    TuningPicker* picker = panel->tuningPicker();
    ASSERT_NE(picker, nullptr);
    ASSERT_TRUE(picker->isVisible());
    auto* list = picker->findChild<QListWidget*>();
    QCoreApplication::processEvents();
    EXPECT_EQ(list->verticalScrollBar()->maximum(), 0) << "all nine tunings in sight";
    EXPECT_EQ(list->currentRow(), 0) << "the current tuning is selected";
    EXPECT_EQ(list->item(3)->text(), QStringLiteral("Drop D\nD2 A2 D3 G3 B3 E4"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualItemRect(list->item(3)).center());
    EXPECT_FALSE(picker->isVisible());
    EXPECT_EQ(delegate->tuning().id, "drop-d");
    EXPECT_EQ(name->text(), QStringLiteral("Drop D"));
    EXPECT_EQ(find<QLabel>(QStringLiteral("cellDetail"))->text(),
              QStringLiteral("D2 A2 D3 G3 B3 E4"));

    auto* stepper = find<ReferencePitchStepper>();
    ASSERT_NE(stepper, nullptr);
    click(find<QToolButton>(QStringLiteral("stepUp")));
    click(find<QToolButton>(QStringLiteral("stepUp")));
    QTest::keyClick(stepper, Qt::Key_Left);
    EXPECT_EQ(delegate->referencePitch(), 441);

    // The screen follows at once, and the choices are kept.
    const ScreenState state = delegate->mainView()->screenState();
    EXPECT_EQ(state.stringLabels[0], "D2");
    EXPECT_EQ(state.tuningCaption, "Drop D\nA4 = 441 Hz");
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return store.fileValue(TunerSettings::KEY_TUNING) == "drop-d" &&
               store.fileValue(TunerSettings::KEY_REFERENCE_PITCH) == "441";
    }));
}

// The row is the switch: a tap turns fine tuning on for capture, the
// readout and the store alike.
TEST_F(SettingsPanel, TheFineTuningRowSwitchesCaptureAndIsStored) {
    auto* fine = find<QCheckBox>(QStringLiteral("fineTuningSwitch"));
    ASSERT_NE(fine, nullptr);
    EXPECT_FALSE(fine->isChecked());
    click(find<QLabel>(QStringLiteral("Fine tuning")));
    EXPECT_TRUE(fine->isChecked());
    EXPECT_TRUE(delegate->fineTuning());
    EXPECT_TRUE(delegate->audioTrapper()->fineTuning());
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return store.fileValue(TunerSettings::KEY_FINE_TUNING) == "true"; }));
    click(fine);
    EXPECT_FALSE(delegate->fineTuning() || delegate->audioTrapper()->fineTuning());
}

TEST_F(SettingsPanel, ResetAsksFirstAndOnOkRestoresTheDefaultsAndWritesThemSoon) {
    delegate->setFineTuning(true);
    delegate->setVolumeSensitivity(0.9f);
    delegate->setHyperactivityMode(true);
    delegate->setTuning(*findTuning("open-g"));
    delegate->setReferencePitch(415);
    click(find<QLabel>(QStringLiteral("Reset to default values")));
    ASSERT_NE(answer("confirmationDialog", QStringLiteral("Cancel")), nullptr);
    EXPECT_TRUE(delegate->hyperactivityMode()) << "cancel changes nothing";

    click(find<QLabel>(QStringLiteral("Reset to default values")));
    ASSERT_NE(answer("confirmationDialog", QStringLiteral("OK")), nullptr);
    // The delegate, the panel's controls and the screen all show the defaults.
    EXPECT_EQ(std::tuple(delegate->volumeThreshold(), delegate->hyperactivityMode(),
                         delegate->tuning().id, delegate->referencePitch(), delegate->fineTuning(),
                         find<SegmentedControl>()->selectedSegmentIndex(),
                         find<ReferencePitchStepper>()->value(),
                         delegate->mainView()->screenState().tuningCaption),
              std::tuple(500, false, "standard", 440, false, 0, 440, ""));
    EXPECT_EQ(find<FloatSlider>()->floatValue(), delegate->volumeSensitivity());
    EXPECT_NE(find<QLabel>(QStringLiteral("Standard")), nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return store.fileValue(TunerSettings::KEY_HYPERACTIVITY_MODE) == "false" &&
               store.fileValue(TunerSettings::KEY_TUNING) == "standard" &&
               store.fileValue(TunerSettings::KEY_REFERENCE_PITCH) == "440";
    }));
}

TEST_F(SettingsPanel, AboutShowsTheVersionAndTheLicenceAndCanOpenTheProductPage) {
    UrlRecorder browser;
    delegate->window()->resize(640, 920);
    click(find<QLabel>(QStringLiteral("About")));
    QMessageBox* about = answer("aboutDialog", QStringLiteral("Visit web site"));
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->informativeText().startsWith(
        QStringLiteral("OvraTuner version %1\n").arg(QString::fromLatin1(OVRA_VERSION))));
    EXPECT_TRUE(about->informativeText().contains(
        QStringLiteral("License GPLv3+: GNU GPL version 3 or later")))
        << about->informativeText().toStdString();
    ASSERT_EQ(browser.opened.size(), 1);
    EXPECT_EQ(browser.opened.front().path(), QStringLiteral("/iphone/ovratuner"));
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
    EXPECT_EQ(log.lines().size(), 1u);
}

} // namespace
} // namespace ovra

#include "SettingsPanelTest.moc"
