// SPDX-License-Identifier: GPL-3.0-or-later
#include "tuner/SettingsStyle.hpp"

#include "common/SystemLog.hpp"
#include "layout/Resources.hpp"

#include <QFile>

#include <string>

namespace ovra {

namespace {
constexpr const char* STYLE_SHEET_NAME = "settings.qss";
// A style sheet is a few kilobytes; anything far larger is not one.
constexpr size_t MAX_STYLE_SHEET_BYTES = 1 << 20;
} // namespace

QString settingsStyleSheet() {
    if (const std::optional<std::string> text =
            Resources::contentsOfResource(STYLE_SHEET_NAME, MAX_STYLE_SHEET_BYTES)) {
        return QString::fromStdString(*text);
    }
    systemLog("Warning : cannot read the settings style sheet %s; using the built-in one",
              STYLE_SHEET_NAME);
    QFile builtIn(QString::fromLatin1(Resources::EMBEDDED_PREFIX) +
                  QString::fromLatin1(STYLE_SHEET_NAME));
    return builtIn.open(QIODevice::ReadOnly) ? QString::fromUtf8(builtIn.readAll()) : QString();
}

QColor settingsBackgroundColor() {
    return QColor(0xc5, 0xcc, 0xd4);
}

} // namespace ovra
