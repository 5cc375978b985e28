// SPDX-License-Identifier: GPL-3.0-or-later
#include "ArtworkCanvas.hpp"
#include "ArtworkLayout.hpp"
#include "ArtworkPainters.hpp"

#include <cmath>

namespace ovra::artwork {

namespace {

// The headstock outline in screen points: a 3 + 3 "open book" top, sides that
// swell slightly, and shoulders that sweep into the nut.
QPainterPath headOutline() {
    QPainterPath path;
    path.moveTo(NUT_LEFT, NUT_Y);
    path.cubicTo(122, 376, 92, 372, 84, 350);
    path.cubicTo(77, 330, 74, 262, 76, 212);
    path.cubicTo(77, 192, 80, 180, 94, 176);
    path.cubicTo(112, 172, 128, 164, 140, 166);
    path.cubicTo(150, 168, 156, 175, 160, 178);
    path.cubicTo(164, 175, 170, 168, 180, 166);
    path.cubicTo(192, 164, 208, 172, 226, 176);
    path.cubicTo(240, 180, 243, 192, 244, 212);
    path.cubicTo(246, 262, 243, 330, 236, 350);
    path.cubicTo(228, 372, 198, 376, NUT_RIGHT, NUT_Y);
    path.closeSubpath();
    return path;
}

QPainterPath neckOutline() {
    QPainterPath path;
    path.moveTo(NUT_LEFT, NUT_Y);
    path.lineTo(NUT_RIGHT, NUT_Y);
    path.lineTo(NUT_RIGHT + 2.5, SCREEN_HEIGHT + 2);
    path.lineTo(NUT_LEFT - 2.5, SCREEN_HEIGHT + 2);
    path.closeSubpath();
    return path;
}

// Long, gently wandering grain lines along the headstock.
void paintGrain(QPainter& p, const QRectF& area, uint32_t seed, const QColor& dark,
                const QColor& light, int lines) {
    Random random(seed);
    for (int i = 0; i < lines; ++i) {
        const double x0 = random.range(area.left() - 10, area.right() + 10);
        const double amplitude = random.range(0.6, 3.2);
        const double wavelength = random.range(50, 140);
        const double phase = random.range(0, 6.28);
        const double drift = random.range(-0.05, 0.05);
        QPainterPath grain;
        for (double y = area.top(); y <= area.bottom(); y += 3.0) {
            const double x =
                x0 + amplitude * std::sin(phase + y / wavelength * 6.28) + drift * (y - area.top());
            if (y == area.top()) {
                grain.moveTo(x, y);
            } else {
                grain.lineTo(x, y);
            }
        }
        const bool isDark = random.uniform() < 0.62;
        const QColor c = withAlpha(isDark ? dark : light, random.range(0.10, 0.34));
        p.setPen(QPen(c, random.range(0.35, 1.3), Qt::SolidLine, Qt::RoundCap));
        p.drawPath(grain);
    }
}

void paintBushing(QPainter& p, const QPointF& c) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawEllipse(c + QPointF(0.8, 1.4), 8.0, 8.0);
    QRadialGradient ring(c + QPointF(-2.5, -3.0), 10.0);
    ring.setColorAt(0.0, QColor(255, 255, 255));
    ring.setColorAt(0.45, QColor(190, 192, 198));
    ring.setColorAt(1.0, QColor(70, 72, 80));
    p.setBrush(ring);
    p.drawEllipse(c, 7.2, 7.2);
    p.setBrush(QColor(28, 26, 26));
    p.drawEllipse(c, 4.0, 4.0);
    p.setPen(QPen(QColor(255, 255, 255, 70), 0.6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 5.6, 5.6);
}

void paintTrussRodCover(QPainter& p) {
    QPainterPath bell;
    const double top = 350;
    const double bottom = 388;
    bell.moveTo(CENTER_X - 9, top);
    bell.cubicTo(CENTER_X - 4, top - 3, CENTER_X + 4, top - 3, CENTER_X + 9, top);
    bell.cubicTo(CENTER_X + 12, top + 14, CENTER_X + 22, bottom - 10, CENTER_X + 21, bottom);
    bell.cubicTo(CENTER_X + 10, bottom + 3, CENTER_X - 10, bottom + 3, CENTER_X - 21, bottom);
    bell.cubicTo(CENTER_X - 22, bottom - 10, CENTER_X - 12, top + 14, CENTER_X - 9, top);
    bell.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 80));
    p.drawPath(bell.translated(0.8, 1.5));
    QLinearGradient black(0, top, 0, bottom);
    black.setColorAt(0.0, QColor(46, 44, 46));
    black.setColorAt(0.4, QColor(14, 13, 14));
    black.setColorAt(1.0, QColor(24, 22, 24));
    p.setBrush(black);
    p.setPen(QPen(QColor(236, 228, 210), 1.3));
    p.drawPath(bell);
    for (const QPointF& s : {QPointF(CENTER_X, top + 3.5), QPointF(CENTER_X - 14, bottom - 3.5),
                             QPointF(CENTER_X + 14, bottom - 3.5)}) {
        p.setPen(Qt::NoPen);
        QRadialGradient screw(s - QPointF(0.6, 0.6), 2.2);
        screw.setColorAt(0.0, QColor(250, 250, 250));
        screw.setColorAt(1.0, QColor(110, 110, 116));
        p.setBrush(screw);
        p.drawEllipse(s, 1.6, 1.6);
    }
}

void paintLogo(QPainter& p) {
    const QPainterPath logo = textPath("Ovra", 25, true, QPointF(CENTER_X, 198), true);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 120));
    p.drawPath(logo.translated(0.8, 1.2));
    QLinearGradient gold(0, 186, 0, 210);
    gold.setColorAt(0.0, QColor(255, 244, 196));
    gold.setColorAt(0.45, QColor(226, 178, 84));
    gold.setColorAt(0.55, QColor(168, 118, 40));
    gold.setColorAt(1.0, QColor(240, 204, 120));
    p.setBrush(gold);
    p.drawPath(logo);
}

void paintNutAndNeck(QPainter& p) {
    const QPainterPath neck = neckOutline();
    QLinearGradient rosewood(NUT_LEFT, 0, NUT_RIGHT, 0);
    rosewood.setColorAt(0.0, QColor(36, 20, 14));
    rosewood.setColorAt(0.5, QColor(58, 34, 22));
    rosewood.setColorAt(1.0, QColor(34, 19, 13));
    p.setPen(Qt::NoPen);
    p.setBrush(rosewood);
    p.drawPath(neck);
    p.save();
    p.setClipPath(neck);
    paintGrain(p, neck.boundingRect(), 31, QColor(10, 5, 3), QColor(110, 70, 44), 40);
    // The first fret.
    const double fretY = 446;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawRect(QRectF(NUT_LEFT - 4, fretY + 1.2, NUT_RIGHT - NUT_LEFT + 8, 2.2));
    p.setBrush(chromeGradient(QPointF(0, fretY - 1.3), QPointF(0, fretY + 1.3)));
    p.drawRect(QRectF(NUT_LEFT - 4, fretY - 1.3, NUT_RIGHT - NUT_LEFT + 8, 2.6));
    p.restore();

    // The nut in bone, with a slot for each string.
    const QRectF nut(NUT_LEFT - 1, NUT_Y - 1, NUT_RIGHT - NUT_LEFT + 2, NUT_HEIGHT + 1);
    p.setBrush(QColor(0, 0, 0, 110));
    p.drawRoundedRect(nut.translated(0, 1.5), 1.2, 1.2);
    QLinearGradient bone(0, nut.top(), 0, nut.bottom());
    bone.setColorAt(0.0, QColor(255, 250, 236));
    bone.setColorAt(0.6, QColor(226, 214, 186));
    bone.setColorAt(1.0, QColor(178, 164, 134));
    p.setBrush(bone);
    p.drawRoundedRect(nut, 1.2, 1.2);
    p.setBrush(QColor(120, 104, 80));
    for (int i = 0; i < 6; ++i) {
        p.drawRoundedRect(QRectF(nutX(i) - 1.3, nut.top(), 2.6, 2.2), 0.8, 0.8);
    }
}

} // namespace

void paintHeadstock(QPainter& p) {
    p.translate(-HEAD_FRAME.topLeft());
    const QPainterPath head = headOutline();

    // Shadow on the stage.
    p.setPen(Qt::NoPen);
    for (int i = 6; i >= 1; --i) {
        p.setBrush(QColor(0, 0, 0, 22));
        QPainterPathStroker stroker;
        stroker.setWidth(i * 2.0);
        p.drawPath(stroker.createStroke(head.translated(4, 7)).united(head.translated(4, 7)));
    }

    // Mahogany with a darker burst towards the edges.
    QRadialGradient burst(QPointF(CENTER_X, 270), 120);
    burst.setColorAt(0.0, QColor(184, 98, 44));
    burst.setColorAt(0.55, QColor(140, 64, 28));
    burst.setColorAt(0.85, QColor(84, 34, 16));
    burst.setColorAt(1.0, QColor(46, 18, 10));
    p.setBrush(burst);
    p.drawPath(head);

    p.save();
    p.setClipPath(head);
    paintGrain(p, head.boundingRect(), 11, QColor(60, 20, 6), QColor(236, 150, 80), 150);
    // Spotlight from above: a warm sheen on the upper face.
    QLinearGradient sheen(0, 166, 0, 396);
    sheen.setColorAt(0.0, QColor(255, 220, 170, 60));
    sheen.setColorAt(0.5, QColor(255, 200, 150, 10));
    sheen.setColorAt(1.0, QColor(0, 0, 0, 40));
    p.setPen(Qt::NoPen);
    p.setBrush(sheen);
    p.drawRect(head.boundingRect());
    // Lacquer: a soft reflection along the left side.
    QLinearGradient gloss(84, 0, 124, 0);
    gloss.setColorAt(0.0, QColor(255, 255, 255, 0));
    gloss.setColorAt(0.5, QColor(255, 240, 220, 26));
    gloss.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setBrush(gloss);
    p.drawRect(QRectF(84, 180, 40, 170));
    // Inner shade along the edge, so the face reads as a surface.
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i <= 4; ++i) {
        p.setPen(QPen(QColor(20, 6, 2, 30), i * 3.0));
        p.drawPath(head);
    }
    p.restore();

    // Cream binding along the outline.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(20, 8, 4, 200), 3.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(head);
    p.setPen(QPen(QColor(238, 226, 196), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(head);

    paintLogo(p);
    paintTrussRodCover(p);
    for (const QPointF& post : POSTS) {
        paintBushing(p, post);
    }
    paintNutAndNeck(p);
}

} // namespace ovra::artwork
