// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

class QCoreApplication;

namespace ovra {

// The language the screen speaks and the locale its numbers are written in.
struct UiLanguage {
    QString catalogue; // "de", "pt_BR"; empty: English, the language of the sources
    QLocale locale;    // the decimal sign of the readout comes from here
    QString unknown;   // a --lang value with no catalogue (English is shown)
};

// The catalogues built into the program ("de", "fr", "pt_BR", ...).
QStringList builtInCatalogues();

// A --lang value decides alone. Without one, the entries of LANGUAGE are
// tried in turn, then the first of LC_ALL, LC_MESSAGES and LANG that is set,
// as gettext programs do; locales need not be installed for this. A name
// finds its own catalogue, else its language's ("pt_PT" -> "pt_BR").
UiLanguage chooseUiLanguage(const QString& option, const QStringList& catalogues,
                            const QProcessEnvironment& environment);

// Makes the choice the application's: its translator and default locale.
void installUiLanguage(QCoreApplication& application, const UiLanguage& language);

} // namespace ovra
