// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QSizeF>
#include <QString>

#include <cstdint>
#include <functional>

namespace ovra::artwork {

// Draws one picture in points; called once per output scale.
using PaintFunction = std::function<void(QPainter&)>;

// Renders the picture at 1x (name.png) and 2x (name@2x.png) into dir.
// Returns false when a file cannot be written.
bool renderPicture(const QString& dir, const QString& name, const QSizeF& size,
                   const PaintFunction& paint);
QImage renderImage(const QSizeF& size, double scale, const PaintFunction& paint);

// A soft glow along a path: strokes from wide and faint to narrow and strong.
void strokeGlow(QPainter& painter, const QPainterPath& path, const QColor& colour, double width,
                double spread, int steps = 8);
// A soft round glow (radial fade to transparent).
void fillRadialGlow(QPainter& painter, const QPointF& centre, double radius, const QColor& colour);

// Polished metal: a vertical gradient with a bright band and a dark foot.
QLinearGradient chromeGradient(const QPointF& top, const QPointF& bottom, double tint = 0.0);

// A text outline in DejaVu Sans (bold when asked) with its centre at `centre`.
QPainterPath textPath(const QString& text, double pixelSize, bool bold, const QPointF& centre,
                      bool serifItalic = false);

// The same sequence on every machine (the standard distributions are not).
class Random {
public:
    explicit Random(uint32_t seed) : myState(seed) {}
    double uniform(); // [0, 1)
    double range(double low, double high) { return low + (high - low) * uniform(); }

private:
    uint64_t myState;
};

QColor mix(const QColor& a, const QColor& b, double t);
QColor withAlpha(const QColor& c, double alpha);

} // namespace ovra::artwork
