#pragma once

#include "common/Geometry.hpp"

#include <QByteArray>
#include <QString>

#include <optional>

class QGraphicsScene;

namespace ovra {

// What the tuner screen shows, as written beside a screenshot for tests,
// the README and anyone checking a setup.
struct ScreenState {
    int activeString = 0;
    bool automatic = false;
    Point needle; // the needle's top-left, in points
    bool meterBright = false;
    int litLeds = 0;
    // From the last refresh that got as far as the needle; empty before one.
    std::optional<float> displayFrequency;
    std::optional<float> cents;
};

// The state as a JSON object with the keys active_string, automatic,
// needle_x, needle_y, meter_bright, lit_leds, display_hz and cents.
QByteArray screenStateJson(const ScreenState& state);

// Renders the scene's screen area at twice its points to `pngPath` and the
// state to `jsonPath`. Returns an error message, or empty.
QString writeScreenshot(QGraphicsScene& scene, const ScreenState& state, const QString& pngPath,
                        const QString& jsonPath);

} // namespace ovra
