// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QString>

namespace ovra {

// The look of the settings panel: the style sheet "settings.qss" from the
// resources (a skin may restyle it); when that cannot be read, one warning
// line and the one built into the program.
QString settingsStyleSheet();
QColor settingsBackgroundColor();

} // namespace ovra
