// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Tunings.hpp"

#include <QString>

#include <string_view>

namespace ovra {

// The model's texts as the user's language writes them.

// A number text in the C locale's form ("110.2 Hz", "−3.7 ¢") with the
// digits and decimal sign of the default locale ("110,2 Hz" in German). The
// model keeps one way of rounding; only the characters change.
QString localizedNumbers(std::string_view cText);

// The tuning's name, translated ("Drop D", "Offenes G").
QString tuningDisplayName(const Tuning& tuning);

// What the screen says of a tuning (see tuningCaption), its name translated.
QString tuningCaptionText(const Tuning& tuning, int32_t referencePitch);

} // namespace ovra
