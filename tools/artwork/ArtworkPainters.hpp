// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPainter>

namespace ovra::artwork {

// Every picture of the tuner screen. Each draws in its own picture's points,
// origin at the picture's top-left corner.

// The whole screen: a dark stage under a spotlight.
void paintBackground(QPainter& p);
// The glass over the screen: reflections only, mostly transparent.
void paintOverlay(QPainter& p);

// The wooden 3 + 3 headstock with nut and neck (HEAD_FRAME).
void paintHeadstock(QPainter& p);

enum class Glow { None, Lit, Magic };
// A tuning key, drawn for the left side; `mirrored` draws the right one.
void paintTuningKey(QPainter& p, Glow glow, bool mirrored);
// String i from its post over the nut to the bottom edge (stringFrame(i)).
void paintString(QPainter& p, int i, Glow glow);
QRectF stringFrame(int i);

void paintPitchMeter(QPainter& p, bool bright);
void paintPitchNeedle(QPainter& p, bool bright);

// LED of the level meter in its colour, lit or not.
void paintLed(QPainter& p, int colourIndex, bool lit);

// The automatic string selection key, on or off.
void paintMagicKey(QPainter& p, bool on);

// The round button that opens the options, with a gear on it.
void paintOptionsButton(QPainter& p, bool pressed);

// The application icon at this many pixels square (less detail when small),
// drawn on a 128-unit grid.
void paintAppIcon(QPainter& p, int pixels);
// Writes the icon set under dir/hicolor: PNGs of 16 to 512 pixels and a
// scalable SVG, each named id. Returns false when a file cannot be written.
bool writeAppIcons(const QString& dir, const QString& id);

} // namespace ovra::artwork
