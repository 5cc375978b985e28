// SPDX-License-Identifier: GPL-3.0-or-later
#include "ArtworkCanvas.hpp"
#include "ArtworkLayout.hpp"
#include "ArtworkPainters.hpp"
#include "GlowColours.hpp"

namespace ovra::artwork {

void paintTuningKey(QPainter& p, Glow glow, bool mirrored) {
    if (mirrored) {
        p.translate(KEY_WIDTH, 0);
        p.scale(-1, 1);
    }
    const QPointF centre(KEY_BUTTON_CENTRE_X, KEY_HEIGHT / 2.0);
    const QRectF button(centre.x() - 17, centre.y() - 12, 34, 24);
    const bool glowing = glow != Glow::None;
    const QColor colour = glowColour(glow);

    if (glowing) {
        fillRadialGlow(p, centre, 22, withAlpha(colour, 0.55));
    }

    // Shaft and collar running in under the headstock.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 100));
    p.drawRoundedRect(QRectF(40, centre.y() - 3, 32, 8).translated(0.5, 1.5), 2, 2);
    p.setBrush(chromeGradient(QPointF(0, centre.y() - 4), QPointF(0, centre.y() + 4)));
    p.drawRoundedRect(QRectF(40, centre.y() - 4, 32, 8), 2, 2);
    p.setBrush(chromeGradient(QPointF(0, centre.y() - 6.5), QPointF(0, centre.y() + 6.5)));
    p.drawRoundedRect(QRectF(40, centre.y() - 6.5, 7, 13), 2, 2);

    // The button: a tulip with a slight waist, a polished rim and a face.
    auto tulip = [&centre](double rx, double ry, double waist) {
        const double cx = centre.x();
        const double cy = centre.y();
        QPainterPath path;
        path.moveTo(cx - rx, cy);
        path.cubicTo(cx - rx, cy - ry * 1.15, cx - rx * 0.25, cy - ry * 1.08, cx, cy - ry * waist);
        path.cubicTo(cx + rx * 0.25, cy - ry * 1.08, cx + rx, cy - ry * 1.15, cx + rx, cy);
        path.cubicTo(cx + rx, cy + ry * 1.15, cx + rx * 0.25, cy + ry * 1.08, cx, cy + ry * waist);
        path.cubicTo(cx - rx * 0.25, cy + ry * 1.08, cx - rx, cy + ry * 1.15, cx - rx, cy);
        path.closeSubpath();
        return path;
    };
    const QPainterPath shape = tulip(17.0, 12.0, 0.97);
    const QPainterPath face = tulip(13.6, 9.2, 0.96);
    p.setBrush(QColor(0, 0, 0, 110));
    p.drawPath(shape.translated(0.6, 1.8));
    p.setBrush(chromeGradient(button.topLeft(), button.bottomLeft(), glowing ? 0.25 : 0.0));
    p.drawPath(shape);
    const QRectF faceBox = face.boundingRect();
    QLinearGradient faceShade(faceBox.topLeft(), faceBox.bottomLeft());
    faceShade.setColorAt(0.0, QColor(150, 152, 160));
    faceShade.setColorAt(0.5, QColor(236, 238, 244));
    faceShade.setColorAt(1.0, QColor(120, 122, 130));
    p.setBrush(faceShade);
    p.drawPath(face);
    // Specular highlight, top left.
    QRadialGradient specular(QPointF(faceBox.left() + 7, faceBox.top() + 3), 9);
    specular.setColorAt(0.0, QColor(255, 255, 255, 230));
    specular.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setBrush(specular);
    p.drawPath(face);

    if (glowing) {
        // A coloured light in the rim and a tint over the face.
        strokeGlow(p, shape, colour, 1.2, 4.5);
        p.setBrush(withAlpha(colour, 0.28));
        p.drawPath(face);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(mix(colour, Qt::white, 0.55), 1.3));
        p.drawPath(shape);
    } else {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(40, 40, 46, 200), 0.8));
        p.drawPath(shape);
    }
}

} // namespace ovra::artwork
