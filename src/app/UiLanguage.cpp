// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/UiLanguage.hpp"

#include <QCoreApplication>
#include <QDir>
#include <QTranslator>

namespace ovra {

namespace {

const QString CATALOGUE_FOLDER = QStringLiteral(":/i18n");
const QString CATALOGUE_PREFIX = QStringLiteral("ovratuner_");

// "de_DE.UTF-8@euro" and "de-DE" both name "de_DE".
QString localeName(const QString& value) {
    return value.section(QLatin1Char('.'), 0, 0)
        .section(QLatin1Char('@'), 0, 0)
        .replace(QLatin1Char('-'), QLatin1Char('_'));
}

bool isEnglish(const QString& name) {
    const QString language = name.section(QLatin1Char('_'), 0, 0);
    return language == QLatin1String("en") || name == QLatin1String("C") ||
           name == QLatin1String("POSIX");
}

// The catalogue for a locale name; null when there is none, empty for English.
QString catalogueFor(const QString& name, const QStringList& catalogues) {
    if (isEnglish(name)) {
        return QLatin1String("");
    }
    const QString language = name.section(QLatin1Char('_'), 0, 0);
    for (const QString& wanted : {name, language}) {
        if (!wanted.isEmpty() && catalogues.contains(wanted)) {
            return wanted;
        }
    }
    for (const QString& catalogue : catalogues) {
        if (!language.isEmpty() && catalogue.section(QLatin1Char('_'), 0, 0) == language) {
            return catalogue;
        }
    }
    return QString();
}

} // namespace

QStringList builtInCatalogues() {
    QStringList catalogues;
    const QStringList files =
        QDir(CATALOGUE_FOLDER).entryList({CATALOGUE_PREFIX + QStringLiteral("*.qm")}, QDir::Files);
    for (const QString& file : files) {
        catalogues << file.mid(CATALOGUE_PREFIX.size()).chopped(3);
    }
    return catalogues;
}

UiLanguage chooseUiLanguage(const QString& option, const QStringList& catalogues,
                            const QProcessEnvironment& environment) {
    QStringList candidates;
    if (!option.isEmpty()) {
        candidates << option;
    } else {
        candidates << environment.value(QStringLiteral("LANGUAGE"))
                          .split(QLatin1Char(':'), Qt::SkipEmptyParts);
        for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
            if (const QString value = environment.value(QLatin1String(variable));
                !value.isEmpty()) {
                candidates << value;
                break;
            }
        }
    }
    for (const QString& candidate : candidates) {
        const QString name = localeName(candidate);
        if (const QString catalogue = catalogueFor(name, catalogues); !catalogue.isNull()) {
            return {catalogue, QLocale(name), QString()};
        }
    }
    // Nothing we speak: English, written as English is.
    return {QString(), QLocale(QLocale::English, QLocale::UnitedStates), option};
}

void installUiLanguage(QCoreApplication& application, const UiLanguage& language) {
    QLocale::setDefault(language.locale);
    if (language.catalogue.isEmpty()) {
        return;
    }
    auto* translator = new QTranslator(&application);
    if (translator->load(CATALOGUE_PREFIX + language.catalogue, CATALOGUE_FOLDER)) {
        QCoreApplication::installTranslator(translator);
    }
}

} // namespace ovra
