// SPDX-License-Identifier: GPL-3.0-or-later
#include "ArtworkCanvas.hpp"
#include "ArtworkLayout.hpp"
#include "ArtworkPainters.hpp"
#include "model/TunerDisplayModel.hpp"

#include <cmath>

namespace ovra::artwork {

namespace {

// Meter-local x of a screen x.
double localX(double screenX) {
    return screenX - METER_FRAME.left();
}

// A lit colour as it looks with the backlight off.
QColor unlit(const QColor& c) {
    return mix(c, QColor(26, 28, 34), 0.78);
}

void paintBezel(QPainter& p, const QRectF& outer) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 120));
    p.drawRoundedRect(outer.translated(0, 2), 10, 10);
    QLinearGradient metal(outer.topLeft(), outer.bottomLeft());
    metal.setColorAt(0.0, QColor(150, 154, 164));
    metal.setColorAt(0.12, QColor(82, 86, 96));
    metal.setColorAt(0.85, QColor(36, 38, 44));
    metal.setColorAt(1.0, QColor(96, 100, 110));
    p.setBrush(metal);
    p.drawRoundedRect(outer, 10, 10);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 40), 1.0));
    p.drawRoundedRect(outer.adjusted(0.5, 0.5, -0.5, -0.5), 9.5, 9.5);
}

void paintBand(QPainter& p, bool bright) {
    const double top = METER_BAND_TOP;
    const double h = METER_BAND_HEIGHT;
    const double farBlue = localX(FAR_BLUE_X);
    const double nearBlue = localX(NEAR_BLUE_X);
    const double nearRed = localX(NEAR_RED_X);
    const double farRed = localX(FAR_RED_X);
    const QColor deepBlue(30, 80, 255), lightBlue(70, 190, 255);
    const QColor green(60, 255, 110);
    const QColor orange(255, 150, 40), deepRed(255, 30, 40);

    auto zone = [&](double left, double right, const QColor& from, const QColor& to) {
        QLinearGradient g(left, 0, right, 0);
        g.setColorAt(0.0, bright ? from : unlit(from));
        g.setColorAt(1.0, bright ? to : unlit(to));
        QPainterPath path;
        path.addRect(QRectF(left, top, right - left, h));
        if (bright) {
            // Light bleeding from the band into the glass around it.
            QLinearGradient halo(left, 0, right, 0);
            halo.setColorAt(0.0, withAlpha(from, 0.9));
            halo.setColorAt(1.0, withAlpha(to, 0.9));
            p.save();
            for (int i = 5; i >= 1; --i) {
                QPen pen(QBrush(halo), h + i * 3.2, Qt::SolidLine, Qt::RoundCap);
                p.setOpacity(0.07);
                p.setPen(pen);
                p.drawLine(QPointF(left + 2, top + h / 2), QPointF(right - 2, top + h / 2));
            }
            p.restore();
        }
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawPath(path);
    };
    zone(farBlue, nearBlue, deepBlue, lightBlue);
    zone(nearBlue, nearRed, green, green);
    zone(nearRed, farRed, orange, deepRed);

    // Glassy top half of the band, thin dark borders between the zones.
    QLinearGradient gloss(0, top, 0, top + h);
    gloss.setColorAt(0.0, QColor(255, 255, 255, bright ? 120 : 24));
    gloss.setColorAt(0.5, QColor(255, 255, 255, 0));
    gloss.setColorAt(1.0, QColor(0, 0, 0, 60));
    p.setBrush(gloss);
    p.drawRect(QRectF(farBlue, top, farRed - farBlue, h));
    p.setPen(QPen(QColor(0, 0, 0, 160), 1.0));
    p.drawLine(QPointF(nearBlue, top), QPointF(nearBlue, top + h));
    p.drawLine(QPointF(nearRed, top), QPointF(nearRed, top + h));
}

// The scale's labelled marks; minor ticks every 10 cents between them.
constexpr int LABELLED_CENTS[] = {50, 100, 200};

void paintTicks(QPainter& p, bool bright) {
    const QColor major = bright ? QColor(236, 240, 248) : QColor(84, 88, 98);
    const QColor minor = bright ? QColor(170, 178, 196) : QColor(60, 64, 72);
    for (int cents = 10; cents < 200; cents += 10) {
        for (int side : {-1, 1}) {
            const double x = localX(meterXForCents(side * cents));
            const bool isMajor = cents % 50 == 0;
            const double top = isMajor ? METER_TICK_TOP : METER_TICK_TOP + 8;
            p.setPen(
                QPen(isMajor ? major : minor, isMajor ? 1.5 : 1.0, Qt::SolidLine, Qt::FlatCap));
            p.drawLine(QPointF(x, top), QPointF(x, METER_TICK_BOTTOM));
        }
    }
    // End marks and the centre mark.
    p.setPen(QPen(major, 2.0, Qt::SolidLine, Qt::FlatCap));
    for (double x : {localX(FAR_BLUE_X), localX(FAR_RED_X)}) {
        p.drawLine(QPointF(x, METER_TICK_TOP - 2), QPointF(x, METER_TICK_BOTTOM));
    }
    const QColor centre = bright ? QColor(120, 255, 150) : QColor(50, 80, 60);
    p.setPen(QPen(centre, 2.0, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(localX(CENTER_X), METER_TICK_TOP - 2),
               QPointF(localX(CENTER_X), METER_TICK_BOTTOM));

    const QColor label = bright ? QColor(214, 220, 232) : QColor(78, 82, 92);
    p.setPen(Qt::NoPen);
    p.setBrush(label);
    for (int cents : LABELLED_CENTS) {
        for (int side : {-1, 1}) {
            const double x = localX(meterXForCents(side * cents));
            const QString text = QString(side < 0 ? "\u2212%1" : "+%1").arg(cents);
            p.drawPath(textPath(text, 9.5, false, QPointF(x, METER_LABEL_BASELINE - 5)));
        }
    }
    p.setBrush(centre);
    p.drawPath(textPath("0", 10, true, QPointF(localX(CENTER_X), METER_LABEL_BASELINE - 5)));
}

void paintLegend(QPainter& p, bool bright) {
    const double y = 68;
    const QColor blue = bright ? QColor(90, 170, 255) : QColor(50, 62, 84);
    const QColor red = bright ? QColor(255, 96, 80) : QColor(84, 54, 54);
    const QColor grey = bright ? QColor(150, 156, 170) : QColor(64, 68, 76);
    p.setPen(Qt::NoPen);
    p.setBrush(blue);
    p.drawPath(
        textPath(QString::fromUtf8("\u266D"), 17, false, QPointF(localX(FAR_BLUE_X) + 4, y)));
    p.drawPath(textPath("FLAT", 9, true, QPointF(localX(FAR_BLUE_X) + 30, y)));
    p.setBrush(red);
    p.drawPath(textPath(QString::fromUtf8("\u266F"), 16, false, QPointF(localX(FAR_RED_X) - 4, y)));
    p.drawPath(textPath("SHARP", 9, true, QPointF(localX(FAR_RED_X) - 33, y)));
    p.setBrush(grey);
    p.drawPath(textPath("CENTS", 7.5, true, QPointF(localX(CENTER_X), y + 1)));
}

} // namespace

double meterXForCents(double cents) {
    const auto at = [](double x) { return Point{static_cast<float>(x), 0.0f}; };
    const NeedlePoints points{at(FAR_RED_X), at(NEAR_RED_X), at(NEAR_BLUE_X), at(FAR_BLUE_X)};
    return TunerDisplayModel::needleTarget(static_cast<float>(cents), points).point().x;
}

void paintPitchMeter(QPainter& p, bool bright) {
    const QRectF outer(0.5, 0.5, METER_FRAME.width() - 1, METER_FRAME.height() - 3);
    paintBezel(p, outer);

    const QRectF face = outer.adjusted(5, 5, -5, -5);
    QLinearGradient glass(face.topLeft(), face.bottomLeft());
    if (bright) {
        glass.setColorAt(0.0, QColor(22, 28, 44));
        glass.setColorAt(1.0, QColor(8, 10, 18));
    } else {
        glass.setColorAt(0.0, QColor(14, 15, 20));
        glass.setColorAt(1.0, QColor(6, 6, 9));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(glass);
    p.drawRoundedRect(face, 6, 6);
    if (bright) {
        // The backlight: a soft bloom in the middle of the face.
        QRadialGradient bloom(face.center(), face.width() * 0.55);
        bloom.setColorAt(0.0, QColor(60, 90, 140, 60));
        bloom.setColorAt(1.0, QColor(0, 0, 0, 0));
        p.setBrush(bloom);
        p.drawRoundedRect(face, 6, 6);
    }
    // Inner shadow under the bezel lip.
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i <= 3; ++i) {
        p.setPen(QPen(QColor(0, 0, 0, 50), i * 2.0));
        p.drawRoundedRect(face, 6, 6);
    }

    p.save();
    QPainterPath clip;
    clip.addRoundedRect(face, 6, 6);
    p.setClipPath(clip);
    paintBand(p, bright);
    paintTicks(p, bright);
    paintLegend(p, bright);
    p.restore();
}

void paintPitchNeedle(QPainter& p, bool bright) {
    const double cx = NEEDLE_WIDTH / 2.0;
    QPainterPath line;
    line.moveTo(cx, 5);
    line.lineTo(cx, NEEDLE_HEIGHT - 5);
    QPainterPath tips;
    tips.moveTo(cx - 4.5, 0.5);
    tips.lineTo(cx + 4.5, 0.5);
    tips.lineTo(cx, 6.5);
    tips.closeSubpath();
    tips.moveTo(cx - 4.5, NEEDLE_HEIGHT - 0.5);
    tips.lineTo(cx + 4.5, NEEDLE_HEIGHT - 0.5);
    tips.lineTo(cx, NEEDLE_HEIGHT - 6.5);
    tips.closeSubpath();

    if (bright) {
        const QColor glow(255, 170, 60);
        strokeGlow(p, line, glow, 2.0, 5.0, 8);
        p.setPen(QPen(QColor(255, 246, 228), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(line);
        p.setPen(QPen(QColor(255, 255, 255), 0.9, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(line);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 226, 170));
        p.drawPath(tips);
    } else {
        p.setPen(QPen(QColor(0, 0, 0, 120), 3.0, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(line);
        p.setPen(QPen(QColor(112, 112, 118), 1.8, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(line);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(104, 104, 110));
        p.drawPath(tips);
    }
}

} // namespace ovra::artwork
