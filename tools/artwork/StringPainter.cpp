// SPDX-License-Identifier: GPL-3.0-or-later
#include "ArtworkCanvas.hpp"
#include "ArtworkLayout.hpp"
#include "ArtworkPainters.hpp"
#include "GlowColours.hpp"

#include <algorithm>
#include <cmath>

namespace ovra::artwork {

namespace {

QPainterPath stringPath(int i) {
    QPainterPath path;
    path.moveTo(POSTS[i]);
    path.lineTo(nutX(i), NUT_Y + 1.0);
    path.lineTo(nutX(i), SCREEN_HEIGHT + 4.0);
    return path;
}

void paintPostCap(QPainter& p, const QPointF& c, const QColor& metal, double width) {
    p.setPen(Qt::NoPen);
    QRadialGradient cap(c + QPointF(-1.4, -1.6), 5.5);
    cap.setColorAt(0.0, QColor(255, 255, 255));
    cap.setColorAt(0.5, QColor(184, 186, 194));
    cap.setColorAt(1.0, QColor(84, 86, 94));
    p.setBrush(cap);
    p.drawEllipse(c, 4.2, 4.2);
    // The string wound round the post.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(metal.darker(140), std::max(0.8, width * 0.6)));
    p.drawEllipse(c, 3.0, 3.0);
    p.setPen(QPen(metal.lighter(130), std::max(0.5, width * 0.3)));
    p.drawArc(QRectF(c.x() - 3.0, c.y() - 3.0, 6.0, 6.0), 40 * 16, 120 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 44));
    p.drawEllipse(c, 1.0, 1.0);
}

} // namespace

QRectF stringFrame(int i) {
    const double left = std::min(POSTS[i].x(), nutX(i)) - STRING_MARGIN;
    const double right = std::max(POSTS[i].x(), nutX(i)) + STRING_MARGIN;
    const double top = POSTS[i].y() - STRING_MARGIN;
    // Whole points, so 1x and 2x pictures line up with the layout exactly.
    const double x = std::floor(left);
    const double y = std::floor(top);
    return QRectF(x, y, std::ceil(right) - x, SCREEN_HEIGHT - y);
}

void paintString(QPainter& p, int i, Glow glow) {
    const QRectF frame = stringFrame(i);
    p.translate(-frame.topLeft());
    const QPainterPath path = stringPath(i);
    const double w = STRING_WIDTHS[i];
    const bool wound = isWound(i);
    const bool glowing = glow != Glow::None;
    const QColor colour = glowColour(glow);
    const QColor metal = wound ? QColor(176, 160, 130) : QColor(196, 198, 206);

    // Shadow on the wood.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 0, 90), w + 0.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path.translated(1.4, 2.2));

    if (glowing) {
        strokeGlow(p, path, withAlpha(colour, 0.95), w, 7.0, 10);
    }

    const QColor base = glowing ? mix(metal, colour, 0.45) : metal.darker(150);
    p.setPen(QPen(base, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    if (wound) {
        // The winding: short dashes of a thick pen read as crosswise bands.
        QPen winding(withAlpha(QColor(30, 24, 16), glowing ? 0.25 : 0.55), w);
        winding.setDashPattern({0.32, 0.38});
        winding.setCapStyle(Qt::FlatCap);
        p.setPen(winding);
        p.drawPath(path);
    }
    // The round of the string catching the light.
    const QColor shine = glowing ? mix(colour, Qt::white, 0.75) : metal.lighter(135);
    p.setPen(QPen(shine, std::max(0.45, w * 0.42), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path.translated(-w * 0.16, -w * 0.12));

    if (glowing) {
        fillRadialGlow(p, POSTS[i], 10, withAlpha(colour, 0.6));
    }
    paintPostCap(p, POSTS[i], glowing ? mix(metal, colour, 0.5) : metal, w);
}

} // namespace ovra::artwork
