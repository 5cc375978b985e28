// SPDX-License-Identifier: GPL-3.0-or-later
#include "ArtworkCanvas.hpp"
#include "ArtworkLayout.hpp"
#include "ArtworkPainters.hpp"

namespace ovra::artwork {

void paintBackground(QPainter& p) {
    const QRectF screen(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
    QLinearGradient base(0, 0, 0, SCREEN_HEIGHT);
    base.setColorAt(0.0, QColor(14, 15, 22));
    base.setColorAt(0.55, QColor(20, 17, 22));
    base.setColorAt(1.0, QColor(9, 8, 11));
    p.fillRect(screen, base);

    // Soft stage lights out of focus, high up.
    Random random(7);
    const QColor lights[] = {QColor(255, 170, 80), QColor(120, 150, 255), QColor(255, 110, 150)};
    for (int i = 0; i < 14; ++i) {
        const QPointF c(random.range(-10, SCREEN_WIDTH + 10), random.range(110, 200));
        const double r = random.range(6, 18);
        fillRadialGlow(p, c, r, withAlpha(lights[i % 3], random.range(0.06, 0.14)));
    }

    // Spotlight cone from above onto the headstock.
    QPainterPath cone;
    cone.moveTo(CENTER_X - 34, -10);
    cone.lineTo(CENTER_X + 34, -10);
    cone.lineTo(CENTER_X + 170, SCREEN_HEIGHT);
    cone.lineTo(CENTER_X - 170, SCREEN_HEIGHT);
    cone.closeSubpath();
    QLinearGradient beam(0, 0, 0, SCREEN_HEIGHT);
    beam.setColorAt(0.0, QColor(255, 236, 200, 34));
    beam.setColorAt(0.6, QColor(255, 226, 180, 14));
    beam.setColorAt(1.0, QColor(255, 220, 170, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(beam);
    p.drawPath(cone);

    // Warm pool of light behind the headstock.
    QRadialGradient pool(QPointF(CENTER_X, 300), 190);
    pool.setColorAt(0.0, QColor(120, 72, 36, 70));
    pool.setColorAt(0.5, QColor(80, 44, 26, 30));
    pool.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.setBrush(pool);
    p.drawRect(screen);

    // Stage floor: a few faint boards receding at the bottom.
    p.setPen(QPen(QColor(255, 210, 160, 10), 1.0));
    for (int i = 0; i < 5; ++i) {
        const double y = 408 + i * i * 2.6;
        p.drawLine(QPointF(0, y), QPointF(SCREEN_WIDTH, y));
    }
}

void paintOverlay(QPainter& p) {
    p.setPen(Qt::NoPen);
    // A sheen across the meter glass, brightest at its upper edge.
    const QRectF glass = METER_FRAME.adjusted(5, 5, -5, -5);
    QPainterPath sheen;
    sheen.moveTo(glass.left(), glass.top());
    sheen.lineTo(glass.right(), glass.top());
    sheen.lineTo(glass.right(), glass.top() + 14);
    sheen.cubicTo(glass.right() - 90, glass.top() + 26, glass.left() + 90, glass.top() + 34,
                  glass.left(), glass.top() + 38);
    sheen.closeSubpath();
    QPainterPath rounded;
    rounded.addRoundedRect(glass, 6, 6);
    QLinearGradient shine(0, glass.top(), 0, glass.top() + 38);
    shine.setColorAt(0.0, QColor(255, 255, 255, 46));
    shine.setColorAt(1.0, QColor(255, 255, 255, 4));
    p.setBrush(shine);
    p.drawPath(sheen.intersected(rounded));

    // A faint diagonal glint across the lower screen.
    QPainterPath glint;
    glint.moveTo(-20, 330);
    glint.lineTo(40, 330);
    glint.lineTo(200, SCREEN_HEIGHT + 20);
    glint.lineTo(140, SCREEN_HEIGHT + 20);
    glint.closeSubpath();
    QLinearGradient g(0, 330, 60, 330);
    g.setColorAt(0.0, QColor(255, 255, 255, 0));
    g.setColorAt(0.5, QColor(255, 255, 255, 9));
    g.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setBrush(g);
    p.drawPath(glint);

    // Vignette: the corners fall off into the dark.
    QRadialGradient vignette(QPointF(CENTER_X, SCREEN_HEIGHT * 0.5), SCREEN_HEIGHT * 0.72);
    vignette.setColorAt(0.0, QColor(0, 0, 0, 0));
    vignette.setColorAt(0.7, QColor(0, 0, 0, 0));
    vignette.setColorAt(1.0, QColor(0, 0, 0, 90));
    p.setBrush(vignette);
    p.drawRect(QRectF(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT));
}

} // namespace ovra::artwork
