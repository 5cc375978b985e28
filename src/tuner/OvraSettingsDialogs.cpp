// SPDX-License-Identifier: GPL-3.0-or-later
// The settings panel's dialogs: the reset confirmation and About.
#include "tuner/OvraSettings.hpp"

#include "common/SystemLog.hpp"
#include "common/Version.hpp"
#include "tuner/SettingsStyle.hpp"
#include "tuner/TunerAppDelegate.hpp"
#include "tuner/TuningPicker.hpp"

#include <QAbstractButton>
#include <QDesktopServices>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace ovra {

namespace {

const char* const BUTTON_INDEX_PROPERTY = "alertButtonIndex";
const char* const VISIT_WEB_SITE = QT_TRANSLATE_NOOP("ovra::OvraSettings", "Visit web site");

// Cancel button first (index 0), then the others in order.
QMessageBox* newAlertView(const QString& title, const QString& text, const QString& cancelTitle,
                          const QStringList& otherTitles) {
    // The title above the message, as a handheld's alert shows it.
    auto* box = new QMessageBox;
    box->setWindowTitle(title);
    box->setText(title);
    box->setInformativeText(text);
    box->setTextFormat(Qt::PlainText);
    box->setIcon(QMessageBox::NoIcon);
    QPushButton* cancel = box->addButton(cancelTitle, QMessageBox::RejectRole);
    cancel->setProperty(BUTTON_INDEX_PROPERTY, OvraSettings::CANCEL_BUTTON_INDEX);
    box->setEscapeButton(cancel);
    int index = OvraSettings::CANCEL_BUTTON_INDEX;
    for (const QString& other : otherTitles) {
        QPushButton* button = box->addButton(other, QMessageBox::AcceptRole);
        button->setProperty(BUTTON_INDEX_PROPERTY, ++index);
    }
    return box;
}

QString buttonTitleAtIndex(const QMessageBox* box, int index) {
    for (const QAbstractButton* button : box->buttons()) {
        if (button->property(BUTTON_INDEX_PROPERTY).toInt() == index) {
            return button->text();
        }
    }
    return QString();
}

} // namespace

void OvraSettings::buildAboutDialog() {
    const QString version =
        myApp != nullptr ? QString::fromStdString(myApp->versionString()) : QString();
    // Built once: the version is the one known when the panel was made.
    // The copyright and licence notice stay as they are written.
    //: %1 is the version; %2 and %3, the copyright and licence notice.
    const QString message = tr("OvraTuner version %1\n"
                               "\n"
                               "Programming:\n"
                               "The OvraTuner developers\n"
                               "\n"
                               "Graphics:\n"
                               "The OvraTuner developers\n"
                               "\n"
                               "%2\n"
                               "%3")
                                .arg(version, QString::fromLatin1(OVRA_COPYRIGHT),
                                     QString::fromLatin1(OVRA_LICENSE_NOTICE));
    QMessageBox* about =
        newAlertView(tr("About OvraTuner"), message, tr("OK"), {tr(VISIT_WEB_SITE)});
    about->setObjectName(QStringLiteral("aboutDialog"));
    // The application's own icon beside the words, where it has one.
    if (const QIcon icon = QGuiApplication::windowIcon(); !icon.isNull()) {
        about->setIconPixmap(icon.pixmap(72, 72));
    }
    connect(about, &QMessageBox::buttonClicked, this,
            [this, about](QAbstractButton* button) { onDialogButtonClicked(about, button); });
    myAboutDialog = about;
}

void OvraSettings::resetToDefault() {
    showConfirmationDialogWithTitle(
        tr("Reset settings?"),
        tr("This will reset the settings to their default values.  Proceed?"),
        &OvraSettings::confirmedResetToDefault);
}

void OvraSettings::showConfirmationDialogWithTitle(const QString& title, const QString& text,
                                                   ConfirmationAction action) {
    myAlertViewConfirmationAction = action;
    if (QMessageBox* previous = myAlertView.data()) {
        // Not under its own button's signal: a confirmation action may open
        // the next dialog.
        if (previous == myAnsweringDialog) {
            previous->deleteLater();
        } else {
            delete previous;
        }
    }
    QMessageBox* box = newAlertView(title, text, tr("Cancel"), {tr("OK")});
    box->setObjectName(QStringLiteral("confirmationDialog"));
    connect(box, &QMessageBox::buttonClicked, this,
            [this, box](QAbstractButton* button) { onDialogButtonClicked(box, button); });
    myAlertView = box;
    openDialog(box);
}

void OvraSettings::showAbout() {
    if (myAboutDialog) {
        openDialog(myAboutDialog.data());
    }
}

void OvraSettings::showTuningPicker() {
    if (!myTuningPicker) {
        auto* picker = new TuningPicker;
        connect(picker, &TuningPicker::tuningPicked, this, &OvraSettings::tuningPicked);
        myTuningPicker = picker;
    }
    myTuningPicker->setCurrentTuning(myApp != nullptr ? myApp->tuning() : standardTuning());
    openDialog(myTuningPicker.data());
}

void OvraSettings::openDialog(QDialog* dialog) {
    // Centred over the window that shows the panel, when there is one.
    QWidget* window = nullptr;
    double screenScale = 1.0;
    if (QGraphicsScene* itemScene = scene();
        itemScene != nullptr && !itemScene->views().isEmpty()) {
        const QGraphicsView* view = itemScene->views().constFirst();
        window = view->window();
        screenScale = view->transform().m11();
    }
    if (window != nullptr && dialog->parentWidget() != window) {
        dialog->setParent(window, dialog->windowFlags() | Qt::Dialog);
    }
    // The dialog is a window of its own, outside the scaled scene: it wears
    // the panel's style sheet, its text as large as the panel's rows appear
    // on screen now, the small print a little smaller.
    const int pixels = dialogFontPixels(screenScale);
    dialog->setStyleSheet(
        settingsStyleSheet() +
        QStringLiteral("\nQLabel, QPushButton { font-size: %1px; }"
                       "\nQLabel#qt_msgbox_informativelabel, QListWidget { font-size: %2px; }")
            .arg(pixels)
            .arg(std::max(1, pixels * 3 / 4)));
    // Without blocking: the answer arrives through buttonClicked.
    dialog->open();
}

int OvraSettings::dialogFontPixels(double screenScale) const {
    int rowPixels = DEFAULT_ROW_FONT_PIXELS;
    if (const auto* rowText =
            myAboutCell ? myAboutCell->findChild<QLabel*>(QStringLiteral("cellText")) : nullptr) {
        rowText->ensurePolished();
        if (rowText->font().pixelSize() > 0) {
            rowPixels = rowText->font().pixelSize();
        }
    }
    const double scale = screenScale > 0.0 && std::isfinite(screenScale) ? screenScale : 1.0;
    return std::max(1, static_cast<int>(std::lround(rowPixels * scale)));
}

void OvraSettings::onDialogButtonClicked(QMessageBox* dialog, QAbstractButton* button) {
    const QVariant index = button->property(BUTTON_INDEX_PROPERTY);
    if (!index.isValid()) {
        return;
    }
    QMessageBox* outer = myAnsweringDialog;
    myAnsweringDialog = dialog;
    alertViewClickedButtonAtIndex(dialog, index.toInt());
    myAnsweringDialog = outer;
}

void OvraSettings::alertViewClickedButtonAtIndex(QMessageBox* alertView, int buttonIndex) {
    if (alertView == nullptr || buttonIndex == CANCEL_BUTTON_INDEX) {
        return;
    }
    if (alertView == myAboutDialog.data()) {
        if (buttonTitleAtIndex(alertView, buttonIndex) == tr(VISIT_WEB_SITE)) {
            const QUrl page(QString::fromLatin1(PRODUCT_WEB_PAGE));
            if (!QDesktopServices::openUrl(page)) {
                systemLog("Error : couldn't open web page - %s",
                          page.toString().toUtf8().constData());
            }
        }
        return;
    }
    if (myAlertViewConfirmationAction != nullptr) {
        (this->*myAlertViewConfirmationAction)();
    }
}

} // namespace ovra
