// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tuner/ScreenState.hpp"

#include <QByteArray>
#include <QString>

class QGraphicsScene;

namespace ovra {

// The screen's state as a JSON object with the keys active_string, automatic,
// needle_x, needle_y, meter_bright, lit_leds, display_hz, cents, status, the
// readout's note, frequency_text, cents_text and readout_bright, and the
// string_labels (string 0 first) with lit_label.
QByteArray screenStateJson(const ScreenState& state);

// Renders the scene's screen area at twice its points to `pngPath` and the
// state to `jsonPath`. Returns an error message, or empty.
QString writeScreenshot(QGraphicsScene& scene, const ScreenState& state, const QString& pngPath,
                        const QString& jsonPath);

} // namespace ovra
