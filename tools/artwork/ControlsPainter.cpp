// SPDX-License-Identifier: GPL-3.0-or-later
#include "ArtworkCanvas.hpp"
#include "ArtworkLayout.hpp"
#include "ArtworkPainters.hpp"
#include "GlowColours.hpp"

#include <cmath>

namespace ovra::artwork {

void paintLed(QPainter& p, int colourIndex, bool lit) {
    static const QColor colours[] = {QColor(70, 255, 100), QColor(255, 190, 40),
                                     QColor(255, 50, 44)};
    const QColor c = colours[colourIndex];
    const QRectF body(3, 4, LED_IMAGE_WIDTH - 6, LED_IMAGE_HEIGHT - 8);
    const QPointF centre = body.center();
    if (lit) {
        QPainterPath glow;
        glow.moveTo(body.left() + 2, centre.y());
        glow.lineTo(body.right() - 2, centre.y());
        strokeGlow(p, glow, withAlpha(c, 0.8), body.height(), 3.0, 6);
    }
    // Black socket.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(4, 4, 6, 220));
    p.drawRoundedRect(body.adjusted(-1.2, -1.2, 1.2, 1.2), 3.5, 3.5);
    // The lens.
    QLinearGradient lens(body.topLeft(), body.bottomLeft());
    if (lit) {
        lens.setColorAt(0.0, mix(c, Qt::white, 0.55));
        lens.setColorAt(0.5, c);
        lens.setColorAt(1.0, c.darker(130));
    } else {
        const QColor off = mix(c, QColor(18, 18, 20), 0.8);
        lens.setColorAt(0.0, off.lighter(150));
        lens.setColorAt(0.5, off);
        lens.setColorAt(1.0, off.darker(140));
    }
    p.setBrush(lens);
    p.drawRoundedRect(body, 2.5, 2.5);
    // Reflection on the lens.
    p.setBrush(QColor(255, 255, 255, lit ? 120 : 40));
    p.drawRoundedRect(QRectF(body.left() + 2, body.top() + 1, body.width() - 4, 2.6), 1.3, 1.3);
}

void paintMagicKey(QPainter& p, bool on) {
    const QRectF pill(5, 5, MAGIC_KEY_FRAME.width() - 10, MAGIC_KEY_FRAME.height() - 10);
    const double r = pill.height() / 2.0;
    QPainterPath shape;
    shape.addRoundedRect(pill, r, r);
    const QColor violet = glowColour(Glow::Magic);

    if (on) {
        strokeGlow(p, shape, withAlpha(violet, 0.9), 1.0, 5.0, 8);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 120));
    p.drawPath(shape.translated(0, 1.8));
    // Chrome rim and a dark glass face.
    p.setBrush(chromeGradient(pill.topLeft(), pill.bottomLeft()));
    p.drawPath(shape);
    const QRectF face = pill.adjusted(2.2, 2.2, -2.2, -2.2);
    QLinearGradient glass(face.topLeft(), face.bottomLeft());
    if (on) {
        glass.setColorAt(0.0, QColor(96, 40, 150));
        glass.setColorAt(1.0, QColor(44, 14, 76));
    } else {
        glass.setColorAt(0.0, QColor(40, 40, 48));
        glass.setColorAt(1.0, QColor(14, 14, 18));
    }
    p.setBrush(glass);
    const double fr = face.height() / 2.0;
    p.drawRoundedRect(face, fr, fr);
    if (on) {
        QRadialGradient bloom(face.center(), face.width() * 0.5);
        bloom.setColorAt(0.0, withAlpha(violet, 0.55));
        bloom.setColorAt(1.0, withAlpha(violet, 0.0));
        p.setBrush(bloom);
        p.drawRoundedRect(face, fr, fr);
    }

    // A wand with a sparkle, then the word.
    const QColor ink = on ? QColor(250, 236, 255) : QColor(128, 128, 138);
    const QPointF star(face.left() + 20, face.center().y() - 2);
    p.setPen(QPen(ink, 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(star + QPointF(-8, 9), star + QPointF(-1.5, 2.5));
    QPainterPath sparkle;
    for (int k = 0; k < 8; ++k) {
        const double angle = k * M_PI / 4.0 - M_PI / 2.0;
        const double radius = (k % 2 == 0) ? 6.0 : 2.2;
        const QPointF pt = star + QPointF(std::cos(angle) * radius, std::sin(angle) * radius);
        if (k == 0) {
            sparkle.moveTo(pt);
        } else {
            sparkle.lineTo(pt);
        }
    }
    sparkle.closeSubpath();
    if (on) {
        fillRadialGlow(p, star, 9, withAlpha(QColor(255, 255, 255), 0.6));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPath(sparkle);
    p.drawPath(textPath("AUTO", 13, true, QPointF(face.center().x() + 11, face.center().y())));
    // Glass reflection.
    QLinearGradient gloss(face.topLeft(), QPointF(face.left(), face.center().y()));
    gloss.setColorAt(0.0, QColor(255, 255, 255, on ? 70 : 40));
    gloss.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setBrush(gloss);
    p.drawRoundedRect(QRectF(face.left() + 4, face.top() + 1, face.width() - 8, face.height() / 2),
                      fr / 2, fr / 2);
}

namespace {

QPainterPath gearPath(const QPointF& c, double outer, double inner, int teeth) {
    QPainterPath gear;
    const double step = 2.0 * M_PI / teeth;
    for (int k = 0; k < teeth; ++k) {
        const double a = k * step;
        const double points[4][2] = {{a - step * 0.30, inner},
                                     {a - step * 0.17, outer},
                                     {a + step * 0.17, outer},
                                     {a + step * 0.30, inner}};
        for (int j = 0; j < 4; ++j) {
            const QPointF pt = c + QPointF(std::cos(points[j][0]) * points[j][1],
                                           std::sin(points[j][0]) * points[j][1]);
            if (k == 0 && j == 0) {
                gear.moveTo(pt);
            } else {
                gear.lineTo(pt);
            }
        }
    }
    gear.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(c, inner * 0.42, inner * 0.42);
    return gear.subtracted(hole);
}

} // namespace

void paintOptionsButton(QPainter& p, bool pressed) {
    const QPointF c(BUTTON_SIZE / 2.0, BUTTON_SIZE / 2.0);
    const double r = BUTTON_SIZE / 2.0 - 3.0;
    const QColor light(255, 196, 64);
    p.setPen(Qt::NoPen);
    if (pressed) {
        fillRadialGlow(p, c, r + 3.0, withAlpha(light, 0.55));
    }
    p.setBrush(QColor(0, 0, 0, 120));
    p.drawEllipse(c + QPointF(0, 1.6), r, r);
    QConicalGradient rim(c, 120);
    rim.setColorAt(0.0, QColor(230, 232, 238));
    rim.setColorAt(0.25, QColor(90, 92, 100));
    rim.setColorAt(0.5, QColor(200, 202, 210));
    rim.setColorAt(0.75, QColor(70, 72, 80));
    rim.setColorAt(1.0, QColor(230, 232, 238));
    p.setBrush(rim);
    p.drawEllipse(c, r, r);
    QLinearGradient face(0, c.y() - r, 0, c.y() + r);
    if (pressed) {
        face.setColorAt(0.0, QColor(30, 26, 20));
        face.setColorAt(1.0, QColor(70, 52, 26));
    } else {
        face.setColorAt(0.0, QColor(58, 60, 68));
        face.setColorAt(1.0, QColor(18, 18, 22));
    }
    p.setBrush(face);
    p.drawEllipse(c, r - 2.2, r - 2.2);

    const QPainterPath glyph = gearPath(c, 10.5, 7.8, 8);
    if (pressed) {
        strokeGlow(p, glyph, withAlpha(light, 0.9), 0.5, 3.0, 5);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(pressed ? QColor(255, 236, 190) : QColor(200, 204, 214));
    p.drawPath(glyph);
    if (!pressed) {
        QLinearGradient gloss(0, c.y() - r, 0, c.y());
        gloss.setColorAt(0.0, QColor(255, 255, 255, 60));
        gloss.setColorAt(1.0, QColor(255, 255, 255, 0));
        p.setBrush(gloss);
        p.drawEllipse(QRectF(c.x() - r + 5, c.y() - r + 3, 2 * r - 10, r - 2));
    }
}

} // namespace ovra::artwork
