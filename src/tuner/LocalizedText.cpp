// SPDX-License-Identifier: GPL-3.0-or-later
#include "tuner/LocalizedText.hpp"

#include <QCoreApplication>
#include <QLocale>

namespace ovra {

QString localizedNumbers(std::string_view cText) {
    const QLocale locale;
    const QString zero = locale.zeroDigit();
    const QString decimal = locale.decimalPoint();
    QString text;
    for (const QChar c : QString::fromUtf8(cText.data(), static_cast<qsizetype>(cText.size()))) {
        if (c.isDigit() && c.unicode() < 0x80 && zero.size() == 1) {
            text += QChar(zero.front().unicode() + (c.unicode() - u'0'));
        } else if (c == QLatin1Char('.')) {
            text += decimal;
        } else {
            text += c;
        }
    }
    return text;
}

QString tuningDisplayName(const Tuning& tuning) {
    const std::string name(tuning.name);
    return QCoreApplication::translate("Tunings", name.c_str());
}

QString tuningCaptionText(const Tuning& tuning, int32_t referencePitch) {
    QString caption = QString::fromStdString(tuningCaption(tuning, referencePitch));
    // The model puts the name first when it says it at all.
    const QString name =
        QString::fromUtf8(tuning.name.data(), static_cast<qsizetype>(tuning.name.size()));
    if (!name.isEmpty() && caption.startsWith(name)) {
        caption.replace(0, name.size(), tuningDisplayName(tuning));
    }
    return caption;
}

} // namespace ovra
