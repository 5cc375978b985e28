#pragma once

#include <QColor>
#include <QString>

namespace ovra {

// The look of the settings panel: a blue-grey navigation bar and a grouped
// table of white rounded rows on a light slate background, in the manner of
// handheld settings screens.
QString settingsStyleSheet();
QColor settingsBackgroundColor();

} // namespace ovra
