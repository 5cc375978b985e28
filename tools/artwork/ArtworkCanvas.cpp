// SPDX-License-Identifier: GPL-3.0-or-later
#include "ArtworkCanvas.hpp"

#include <QFont>
#include <QImage>

#include <algorithm>
#include <cmath>

namespace ovra::artwork {

QImage renderImage(const QSizeF& size, double scale, const PaintFunction& paint) {
    const QSize pixels(static_cast<int>(std::lround(size.width() * scale)),
                       static_cast<int>(std::lround(size.height() * scale)));
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.scale(scale, scale);
    paint(painter);
    painter.end();
    return image;
}

bool renderPicture(const QString& dir, const QString& name, const QSizeF& size,
                   const PaintFunction& paint) {
    const QString base = dir + "/" + name;
    const bool one = renderImage(size, 1.0, paint).save(base + ".png", "PNG");
    const bool two = renderImage(size, 2.0, paint).save(base + "@2x.png", "PNG");
    return one && two;
}

void strokeGlow(QPainter& painter, const QPainterPath& path, const QColor& colour, double width,
                double spread, int steps) {
    painter.save();
    painter.setBrush(Qt::NoBrush);
    for (int i = steps; i >= 1; --i) {
        const double t = static_cast<double>(i) / steps; // 1 = outermost
        QColor c = colour;
        c.setAlphaF(static_cast<float>(colour.alphaF() * (1.0 - t) * (1.0 - t) * 0.55 + 0.02));
        QPen pen(c, width + spread * 2.0 * t, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        painter.setPen(pen);
        painter.drawPath(path);
    }
    painter.restore();
}

void fillRadialGlow(QPainter& painter, const QPointF& centre, double radius, const QColor& colour) {
    QRadialGradient g(centre, radius);
    g.setColorAt(0.0, colour);
    g.setColorAt(0.35, withAlpha(colour, colour.alphaF() * 0.45));
    g.setColorAt(1.0, withAlpha(colour, 0.0));
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(g);
    painter.drawEllipse(centre, radius, radius);
    painter.restore();
}

QLinearGradient chromeGradient(const QPointF& top, const QPointF& bottom, double tint) {
    QLinearGradient g(top, bottom);
    const QColor warm(255, 244, 226);
    auto c = [&](int v) { return mix(QColor(v, v, v + 6), warm, tint); };
    g.setColorAt(0.00, c(250));
    g.setColorAt(0.18, c(214));
    g.setColorAt(0.45, c(128));
    g.setColorAt(0.55, c(92));
    g.setColorAt(0.72, c(170));
    g.setColorAt(0.90, c(226));
    g.setColorAt(1.00, c(120));
    return g;
}

QPainterPath textPath(const QString& text, double pixelSize, bool bold, const QPointF& centre,
                      bool serifItalic) {
    QFont font(serifItalic ? "DejaVu Serif" : "DejaVu Sans");
    font.setPixelSize(static_cast<int>(std::lround(pixelSize)));
    font.setBold(bold);
    font.setItalic(serifItalic);
    font.setHintingPreference(QFont::PreferNoHinting);
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF box = path.boundingRect();
    path.translate(centre - box.center());
    return path;
}

double Random::uniform() {
    // 64-bit LCG (Knuth's MMIX constants), top 53 bits.
    myState = myState * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<double>(myState >> 11) / 9007199254740992.0;
}

QColor mix(const QColor& a, const QColor& b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    auto lerp = [t](double x, double y) { return x + (y - x) * t; };
    QColor c;
    c.setRgbF(static_cast<float>(lerp(a.redF(), b.redF())),
              static_cast<float>(lerp(a.greenF(), b.greenF())),
              static_cast<float>(lerp(a.blueF(), b.blueF())),
              static_cast<float>(lerp(a.alphaF(), b.alphaF())));
    return c;
}

QColor withAlpha(const QColor& c, double alpha) {
    QColor r = c;
    r.setAlphaF(static_cast<float>(std::clamp(alpha, 0.0, 1.0)));
    return r;
}

} // namespace ovra::artwork
