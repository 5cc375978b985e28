// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/Geometry.hpp"
#include "common/Version.hpp"
#include "tuner/ReferencePitchStepper.hpp"
#include "tuner/TuningPicker.hpp"
#include "ui/FloatSlider.hpp"
#include "ui/GroupedTableView.hpp"
#include "ui/NavigationBar.hpp"
#include "ui/SegmentedControl.hpp"
#include "ui/View.hpp"
#include "ui/WEXViewCellView.hpp"

#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <array>

class QAbstractButton;

class QCheckBox;

namespace ovra {

class SettingsDelegate;
class TunerAppDelegate;

// The options screen: a view the size of the tuner screen that rests just
// above it and slides down over it on showSettings(), with a navigation bar
// ("Options", Done) and a grouped table of six one-row sections: volume
// sensitivity (a slider), reactivity (Low / High, and fine tuning on or off),
// tuning (a row that opens
// the list of tunings), reference pitch (a stepper), reset to default values
// (after a confirmation dialog) and About (a dialog with the version, the
// credits and a link to the product's web page). Every change goes straight
// to the application delegate it was built with; without one the controls
// change nothing.
//
// The bar and the table are Qt widgets shown in the scene through proxies;
// the dialogs are message boxes opened without blocking (open()), answered
// through alertViewClickedButtonAtIndex(). Main thread only.
class OvraSettings : public View, public TableViewDataSource, public TableViewDelegate {
    Q_OBJECT

public:
    static constexpr int REACTIVITY_COUNT = 2;
    static constexpr std::array<const char*, REACTIVITY_COUNT> REACTIVITY_STRING{
        //: Reactivity of the needle: calm, follows slowly.
        QT_TR_NOOP("Low"),
        //: Reactivity of the needle: lively, follows fast.
        QT_TR_NOOP("High")};
    static constexpr std::array<bool, REACTIVITY_COUNT> REACTIVITY_VALUES{false, true};
    static constexpr double SLIDE_DURATION = 0.5;
    static constexpr int NUMBER_OF_SECTIONS = 6;
    static constexpr int SECTION_VOLUME_SENSITIVITY = 0;
    static constexpr int SECTION_REACTIVITY = 1;
    static constexpr int SECTION_TUNING = 2;
    static constexpr int SECTION_REFERENCE_PITCH = 3;
    static constexpr int SECTION_RESET = 4;
    static constexpr int SECTION_ABOUT = 5;
    // Rows of the reactivity section.
    static constexpr int ROW_REACTIVITY = 0;
    static constexpr int ROW_FINE_TUNING = 1;
    // The rows' text size when the style sheet gives none.
    static constexpr int DEFAULT_ROW_FONT_PIXELS = 17;
    static constexpr const char* PRODUCT_WEB_PAGE = OVRA_WEB_PAGE;

    // A dialog's buttons by index: the cancel button is 0, the others follow.
    static constexpr int CANCEL_BUTTON_INDEX = 0;

    // What a confirmation dialog runs on OK.
    using ConfirmationAction = void (OvraSettings::*)();

    // `frame` is the tuner screen's bounds: it is also where the panel rests
    // when shown; hidden, it sits directly above (y less its height).
    // `app` is not owned and outlives the panel; null for none.
    OvraSettings(const Rect& frame, TunerAppDelegate* app);
    ~OvraSettings() override;

    // --- showing and hiding (0.5 s slides)
    void showSettings();
    // Tells the listener first.
    void hideSettings();
    void doneButtonHit();
    // Off screen the panel is disabled (no clicks, no keyboard focus).
    void setFrame(const Rect& frame) override;
    Rect offscreenFrame() const { return mySettingsOffscreenFrame; }
    void setOffscreenFrame(const Rect& frame) { mySettingsOffscreenFrame = frame; }
    void setOnscreenFrame(const Rect& frame) { mySettingsOnscreenFrame = frame; }
    // Not owned; null for none. Part of the panel's interface: the tuner
    // screen sets no listener.
    void setDelegate(SettingsDelegate* delegate) { mySettingsDelegate = delegate; }

    // --- dialogs
    // Asks "Reset settings?" and resets on OK.
    void resetToDefault();
    // Threshold, reactivity, tuning and reference pitch to their defaults;
    // the table follows.
    void confirmedResetToDefault();
    void showAbout();
    // Opens the list of tunings; a pick goes to the application and the
    // tuning row follows.
    void showTuningPicker();
    TuningPicker* tuningPicker() const { return myTuningPicker.data(); }
    // Replaces any open confirmation dialog by a new one (Cancel / OK) and
    // opens it; OK runs `action`.
    void showConfirmationDialogWithTitle(const QString& title, const QString& text,
                                         ConfirmationAction action);
    // A dialog's answer, by button index (CANCEL_BUTTON_INDEX for cancel).
    void alertViewClickedButtonAtIndex(QMessageBox* alertView, int buttonIndex);

    // --- the two control rows, synchronised to the current settings
    QWidget* volumeSensitivityCell();
    WEXViewCellView* reactivityCell();
    QWidget* tuningCell();
    ReferencePitchStepper* referencePitchCell();
    // The reactivity section's second row: fine tuning, on or off.
    QWidget* fineTuningCell();
    void fineTuningToggled(bool on);
    void volumeSensitivitySliderMoved();
    void reactivityChanged();
    void tuningPicked(const Tuning& tuning);
    void referencePitchChanged();

    // The words on the panel (bar, headers, rows, controls), as shown.
    QStringList shownTexts() const;

    // --- table data source and delegate
    int numberOfSectionsInTableView() override;
    int numberOfRowsInSection(int section) override;
    QString titleForHeaderInSection(int section) override;
    QWidget* cellForRowAtIndexPath(const IndexPath& indexPath) override;
    void didSelectRowAtIndexPath(const IndexPath& indexPath) override;

private:
    void hideWhileParked();
    void buildAboutDialog();
    void openDialog(QDialog* dialog);
    // The pixel size of the rows' text as shown at this scale of the screen.
    int dialogFontPixels(double screenScale) const;
    void onDialogButtonClicked(QMessageBox* dialog, QAbstractButton* button);

    TunerAppDelegate* const myApp;
    GroupedTableView* myTableView = nullptr;
    QPointer<QWidget> myVolumeSensitivityCell;
    QPointer<WEXViewCellView> myReactivityCell;
    QPointer<QWidget> myResetToDefaultCell;
    QPointer<QWidget> myAboutCell;
    QPointer<QWidget> myTuningCell;
    QPointer<QWidget> myFineTuningCell;
    QPointer<QCheckBox> myFineTuningSwitch;
    QPointer<ReferencePitchStepper> myReferencePitchStepper;
    QPointer<TuningPicker> myTuningPicker;
    QPointer<FloatSlider> myVolumeSensitivitySlider;
    NavigationBar* myToolbar = nullptr;
    QPointer<QMessageBox> myAlertView;
    ConfirmationAction myAlertViewConfirmationAction = nullptr;
    QPointer<QMessageBox> myAboutDialog;
    QPointer<SegmentedControl> myReactivitySegmentView;
    SettingsDelegate* mySettingsDelegate = nullptr;
    Rect mySettingsOffscreenFrame;
    Rect mySettingsOnscreenFrame;

    // The dialog whose answer is being handled, which must not be deleted
    // under its own signal.
    QMessageBox* myAnsweringDialog = nullptr;
};

} // namespace ovra
