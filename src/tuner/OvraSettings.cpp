// SPDX-License-Identifier: GPL-3.0-or-later
#include "tuner/OvraSettings.hpp"

#include "common/SystemLog.hpp"
#include "model/Tunings.hpp"
#include "tuner/LocalizedText.hpp"
#include "tuner/ReferencePitchStepper.hpp"
#include "tuner/SettingsDelegate.hpp"
#include "tuner/SettingsStyle.hpp"
#include "tuner/TunerAppDelegate.hpp"
#include "tuner/TuningPicker.hpp"
#include "ui/FloatSlider.hpp"
#include "ui/NavigationBar.hpp"
#include "ui/SegmentedControl.hpp"
#include "ui/WEXViewCellView.hpp"

#include <QAbstractButton>
#include <QCheckBox>
#include <QEvent>
#include <QGraphicsProxyWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QStringList>
#include <QTimer>

namespace ovra {

namespace {

constexpr QRect VOLUME_SENSITIVITY_CELL_FRAME(0, 0, 320, 61);
constexpr QRect VOLUME_SENSITIVITY_SLIDER_FRAME(46, 12, 221, 23);
constexpr QRect SLIDER_END_LABELS_FRAME(40, 37, 233, 16);
constexpr QRect TEXT_CELL_FRAME(0, 0, 320, 44);
constexpr QRect REACTIVITY_CELL_FRAME(0, 0, 280, 22);
constexpr QRect REACTIVITY_SEGMENTS_FRAME(0, 0, 300, 44);
constexpr float NAVIGATION_BAR_WIDTH = 320.0f;

// A row showing one line of text.
QWidget* newTextCell(const QString& text) {
    auto* cell = new QWidget;
    cell->setObjectName(QStringLiteral("textCell"));
    cell->setGeometry(TEXT_CELL_FRAME);
    auto* label = new QLabel(text, cell);
    label->setObjectName(QStringLiteral("cellText"));
    auto* layout = new QHBoxLayout(cell);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label);
    return cell;
}

// Keeps a hosted control as wide as its row, whatever room the table's
// scroll bar leaves.
class WidthFollower : public QObject {
public:
    WidthFollower(QWidget* row, QWidget* control) : QObject(row), myControl(control) {
        row->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize && myControl) {
            myControl->resize(static_cast<QWidget*>(watched)->width(), myControl->height());
        }
        return false;
    }

private:
    QPointer<QWidget> myControl;
};

void newProxy(View* parent, QWidget* widget, const QRectF& frame) {
    auto* proxy = new QGraphicsProxyWidget(parent);
    proxy->setWidget(widget);
    proxy->setGeometry(frame);
}

} // namespace

OvraSettings::OvraSettings(const Rect& frame, TunerAppDelegate* app) : View(frame), myApp(app) {
    setBackgroundColor(settingsBackgroundColor());
    connect(this, &View::animationFinished, this, &OvraSettings::hideWhileParked);

    // Shown, the panel covers the screen it was made for; hidden, it lies
    // directly above it.
    mySettingsOnscreenFrame = frame;
    mySettingsOffscreenFrame = frame;
    mySettingsOffscreenFrame.origin.y -= frame.size.height;

    const QString styleSheet = settingsStyleSheet();

    myToolbar = new NavigationBar(tr("Options"));
    myToolbar->setStyleSheet(styleSheet);
    connect(myToolbar, &NavigationBar::doneClicked, this, &OvraSettings::doneButtonHit);
    newProxy(this, myToolbar, QRectF(0.0, 0.0, NAVIGATION_BAR_WIDTH, NavigationBar::HEIGHT));

    myTableView = new GroupedTableView;
    myTableView->setStyleSheet(styleSheet);
    myTableView->setDataSource(this);
    myTableView->setDelegate(this);
    const float barHeight = static_cast<float>(NavigationBar::HEIGHT);
    newProxy(this, myTableView,
             QRectF(frame.origin.x, barHeight, frame.size.width, frame.size.height - barHeight));

    auto* sliderCell = new QWidget;
    sliderCell->setObjectName(QStringLiteral("sliderCell"));
    sliderCell->setGeometry(VOLUME_SENSITIVITY_CELL_FRAME);
    auto* slider = new FloatSlider(sliderCell);
    slider->setGeometry(VOLUME_SENSITIVITY_SLIDER_FRAME);
    slider->setMinimumValue(0.0f);
    slider->setMaximumValue(1.0f);
    connect(slider, &FloatSlider::floatValueChanged, this,
            &OvraSettings::volumeSensitivitySliderMoved);
    // What the ends mean: to the right, quieter playing still moves the needle.
    const struct {
        const char* text;
        Qt::Alignment alignment;
    } ends[] = {{QT_TR_NOOP("Less sensitive"), Qt::AlignLeft},
                {QT_TR_NOOP("More sensitive"), Qt::AlignRight}};
    for (const auto& end : ends) {
        auto* label = new QLabel(tr(end.text), sliderCell);
        label->setObjectName(QStringLiteral("sliderEnd"));
        label->setAlignment(end.alignment | Qt::AlignVCenter);
        label->setGeometry(SLIDER_END_LABELS_FRAME);
    }
    myVolumeSensitivityCell = sliderCell;
    myVolumeSensitivitySlider = slider;

    myTuningCell = newTextCell(QString());
    auto* notes = new QLabel(myTuningCell);
    notes->setObjectName(QStringLiteral("cellDetail"));
    // The notes take what room the tuning's name leaves and are cut at the
    // row's end; they never widen the table past a phone's screen.
    notes->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    myTuningCell->layout()->addWidget(notes);
    myReferencePitchStepper = new ReferencePitchStepper;
    myReferencePitchStepper->setGeometry(TEXT_CELL_FRAME);
    connect(myReferencePitchStepper, &ReferencePitchStepper::valueChanged, this,
            &OvraSettings::referencePitchChanged);

    //: Readings in tenths of a cent; the row also shows "0.1 ¢". Keep it short.
    myFineTuningCell = newTextCell(tr("Fine tuning"));
    auto* fineDetail = new QLabel(localizedNumbers("0.1 \u00a2"), myFineTuningCell);
    fineDetail->setObjectName(QStringLiteral("fineTuningDetail"));
    myFineTuningCell->layout()->addWidget(fineDetail);
    myFineTuningSwitch = new QCheckBox(myFineTuningCell);
    myFineTuningSwitch->setObjectName(QStringLiteral("fineTuningSwitch"));
    myFineTuningSwitch->setAccessibleName(tr("Fine tuning"));
    myFineTuningCell->layout()->addWidget(myFineTuningSwitch);
    connect(myFineTuningSwitch, &QCheckBox::toggled, this, &OvraSettings::fineTuningToggled);

    myResetToDefaultCell = newTextCell(tr("Reset to default values"));
    myAboutCell = newTextCell(tr("About"));

    buildAboutDialog();

    myTableView->reloadData();
}

OvraSettings::~OvraSettings() {
    // The dialogs may have been handed to a window; the rows the table never
    // showed have no parent.
    delete myAlertView.data();
    delete myAboutDialog.data();
    delete myTuningPicker.data();
    for (QWidget* cell : {myVolumeSensitivityCell.data(), static_cast<QWidget*>(myReactivityCell),
                          myTuningCell.data(), myFineTuningCell.data(),
                          static_cast<QWidget*>(myReferencePitchStepper),
                          myResetToDefaultCell.data(), myAboutCell.data()}) {
        if (cell != nullptr && cell->parent() == nullptr) {
            delete cell;
        }
    }
}

void OvraSettings::showSettings() {
    View::animateWithDuration(SLIDE_DURATION, [this] { setFrame(mySettingsOnscreenFrame); });
    // Ready for the keyboard: the first control has the focus.
    if (myVolumeSensitivitySlider && myVolumeSensitivitySlider->isVisible()) {
        myVolumeSensitivitySlider->setFocus(Qt::TabFocusReason);
    }
}

void OvraSettings::setFrame(const Rect& frame) {
    View::setFrame(frame);
    // Parked, the panel takes neither clicks nor the keyboard's focus, so
    // nothing of it can be used while it is out of sight.
    setEnabled(frame != mySettingsOffscreenFrame);
    if (frame != mySettingsOffscreenFrame) {
        setVisible(true);
    } else {
        // Once it has slid away (or at once, when it was put there without
        // a slide): a proxied scroll area can paint rows past its viewport's
        // end, which from above the screen would land on the screen.
        QTimer::singleShot(0, this, &OvraSettings::hideWhileParked);
    }
}

void OvraSettings::hideWhileParked() {
    if (frame() == mySettingsOffscreenFrame && !isAnimating()) {
        setVisible(false);
    }
}

void OvraSettings::hideSettings() {
    if (mySettingsDelegate != nullptr) {
        mySettingsDelegate->settingsWillHide(this);
    }
    View::animateWithDuration(SLIDE_DURATION, [this] { setFrame(mySettingsOffscreenFrame); });
}

void OvraSettings::doneButtonHit() {
    hideSettings();
}

QWidget* OvraSettings::volumeSensitivityCell() {
    if (myApp != nullptr) {
        myVolumeSensitivitySlider->setFloatValue(myApp->volumeSensitivity());
    }
    return myVolumeSensitivityCell.data();
}

WEXViewCellView* OvraSettings::reactivityCell() {
    if (!myReactivityCell) {
        auto* cell = new WEXViewCellView(REACTIVITY_CELL_FRAME);
        cell->setObjectName(QStringLiteral("reactivityCell"));
        QStringList items;
        for (const char* item : REACTIVITY_STRING) {
            items << tr(item);
        }
        auto* segments = new SegmentedControl(items);
        segments->setGeometry(REACTIVITY_SEGMENTS_FRAME);
        cell->setView(segments);
        new WidthFollower(cell, segments);
        connect(segments, &SegmentedControl::valueChanged, this, &OvraSettings::reactivityChanged);
        myReactivityCell = cell;
        myReactivitySegmentView = segments;
    }
    const bool hyperactive = myApp != nullptr && myApp->hyperactivityMode();
    myReactivitySegmentView->setSelectedSegmentIndex(hyperactive ? 1 : 0);
    return myReactivityCell.data();
}

QWidget* OvraSettings::tuningCell() {
    const Tuning& tuning = myApp != nullptr ? myApp->tuning() : standardTuning();
    myTuningCell->findChild<QLabel*>(QStringLiteral("cellText"))
        ->setText(tuningDisplayName(tuning));
    myTuningCell->findChild<QLabel*>(QStringLiteral("cellDetail"))
        ->setText(QString::fromStdString(tuningNotesText(tuning)));
    return myTuningCell.data();
}

QWidget* OvraSettings::fineTuningCell() {
    const QSignalBlocker quiet(myFineTuningSwitch.data());
    myFineTuningSwitch->setChecked(myApp != nullptr && myApp->fineTuning());
    return myFineTuningCell.data();
}

void OvraSettings::fineTuningToggled(bool on) {
    if (myApp != nullptr) {
        myApp->setFineTuning(on);
    }
}

ReferencePitchStepper* OvraSettings::referencePitchCell() {
    myReferencePitchStepper->setValue(myApp != nullptr ? myApp->referencePitch()
                                                       : DEFAULT_REFERENCE_PITCH);
    return myReferencePitchStepper.data();
}

void OvraSettings::tuningPicked(const Tuning& tuning) {
    if (myApp != nullptr) {
        myApp->setTuning(tuning);
    }
    tuningCell();
}

void OvraSettings::referencePitchChanged() {
    if (myApp != nullptr) {
        myApp->setReferencePitch(myReferencePitchStepper->value());
    }
}

void OvraSettings::volumeSensitivitySliderMoved() {
    if (myApp != nullptr) {
        myApp->setVolumeSensitivity(myVolumeSensitivitySlider->floatValue());
    }
}

void OvraSettings::reactivityChanged() {
    const int segment =
        myReactivitySegmentView ? myReactivitySegmentView->selectedSegmentIndex() : -1;
    // Past the end would read outside the table of values just as a negative
    // index would.
    if (segment < 0 || segment >= REACTIVITY_COUNT) {
        systemLog("Error upon setting reactivity");
        return;
    }
    if (myApp != nullptr) {
        myApp->setHyperactivityMode(REACTIVITY_VALUES[static_cast<size_t>(segment)]);
    }
}

QStringList OvraSettings::shownTexts() const {
    QStringList texts;
    for (const QWidget* part :
         {static_cast<QWidget*>(myToolbar), static_cast<QWidget*>(myTableView)}) {
        for (const QLabel* label : part->findChildren<QLabel*>()) {
            texts << label->text();
        }
        for (const QAbstractButton* button : part->findChildren<QAbstractButton*>()) {
            texts << button->text();
        }
    }
    texts.removeAll(QString());
    return texts;
}

int OvraSettings::numberOfSectionsInTableView() {
    return NUMBER_OF_SECTIONS;
}

int OvraSettings::numberOfRowsInSection(int section) {
    if (section == SECTION_REACTIVITY) {
        return 2;
    }
    return section >= 0 && section < NUMBER_OF_SECTIONS ? 1 : 0;
}

QString OvraSettings::titleForHeaderInSection(int section) {
    switch (section) {
    case SECTION_VOLUME_SENSITIVITY:
        return tr("Volume sensitivity");
    case SECTION_REACTIVITY:
        return tr("Reactivity");
    case SECTION_TUNING:
        return tr("Tuning");
    case SECTION_REFERENCE_PITCH:
        return tr("Reference pitch");
    default:
        return QString();
    }
}

QWidget* OvraSettings::cellForRowAtIndexPath(const IndexPath& indexPath) {
    switch (indexPath.section) {
    case SECTION_VOLUME_SENSITIVITY:
        return volumeSensitivityCell();
    case SECTION_REACTIVITY:
        return indexPath.row == ROW_FINE_TUNING ? fineTuningCell() : reactivityCell();
    case SECTION_TUNING:
        return tuningCell();
    case SECTION_REFERENCE_PITCH:
        return referencePitchCell();
    case SECTION_RESET:
        return myResetToDefaultCell.data();
    case SECTION_ABOUT:
        return myAboutCell.data();
    default:
        return nullptr;
    }
}

void OvraSettings::didSelectRowAtIndexPath(const IndexPath& indexPath) {
    switch (indexPath.section) {
    case SECTION_REACTIVITY:
        if (indexPath.row == ROW_FINE_TUNING) {
            myFineTuningSwitch->toggle(); // the whole row is the switch
        }
        break;
    case SECTION_TUNING:
        showTuningPicker();
        break;
    case SECTION_RESET:
        resetToDefault();
        break;
    case SECTION_ABOUT:
        showAbout();
        break;
    default:
        break;
    }
}

void OvraSettings::confirmedResetToDefault() {
    if (myApp != nullptr) {
        myApp->setVolumeThresholdToDefault();
        myApp->setHyperactivityMode(false);
        myApp->setTuning(standardTuning());
        myApp->setReferencePitch(DEFAULT_REFERENCE_PITCH);
        myApp->setFineTuning(false);
    }
    myTableView->reloadData();
}

} // namespace ovra
