// SPDX-License-Identifier: GPL-3.0-or-later
// The application's icon: the tuner's guitar head on its dark stage, one
// string and its key lit. Drawn on a 128-unit grid; below 48 pixels the wood
// grain, logo and unlit strings go and the lines thicken, so that the head,
// its six keys and the lit string still read at 16 pixels.

#include "ArtworkCanvas.hpp"
#include "ArtworkPainters.hpp"
#include "GlowColours.hpp"

#include <QDir>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>

namespace ovra::artwork {

namespace {

constexpr double GRID = 128.0;
constexpr double MID = GRID / 2.0;
constexpr double NUT_Y = 100.0;
constexpr double KEY_ROWS[3] = {36.0, 57.0, 78.0};
constexpr double POST_INSET = 20.0; // from the middle to a row of posts
constexpr int LIT_STRING = 1;       // the A string: left side, middle key

QPointF mirrored(const QPointF& point) {
    return {GRID - point.x(), point.y()};
}

// The 3 + 3 "open book" head, as on the tuner screen: a dip at the top,
// slightly swelling sides and shoulders sweeping into the nut.
QPainterPath headOutline() {
    QPainterPath path;
    path.moveTo(MID, 19);
    path.cubicTo(59, 12, 48, 11, 40, 13);
    path.cubicTo(34, 15, 31, 20, 31, 29);
    path.cubicTo(30, 50, 31, 72, 34, 84);
    path.cubicTo(37, 94, 47, 98, 54, NUT_Y);
    path.lineTo(mirrored({54, NUT_Y}));
    path.cubicTo(mirrored({47, 98}), mirrored({37, 94}), mirrored({34, 84}));
    path.cubicTo(mirrored({31, 72}), mirrored({30, 50}), mirrored({31, 29}));
    path.cubicTo(mirrored({31, 20}), mirrored({34, 15}), mirrored({40, 13}));
    path.cubicTo(mirrored({48, 11}), mirrored({59, 12}), {MID, 19});
    path.closeSubpath();
    return path;
}

// String i's post: 0..2 up the left side from the bottom, 3..5 down the right.
QPointF post(int i) {
    return i < 3 ? QPointF(MID - POST_INSET, KEY_ROWS[2 - i])
                 : QPointF(MID + POST_INSET, KEY_ROWS[i - 3]);
}

double nutSlot(int i) {
    return MID - 7.5 + i * 3.0;
}

void paintStage(QPainter& p) {
    const QRectF stage(4, 4, GRID - 8, GRID - 8);
    QRadialGradient spot(QPointF(MID, 18), 112);
    spot.setColorAt(0.0, QColor(92, 78, 66));
    spot.setColorAt(0.45, QColor(34, 30, 34));
    spot.setColorAt(1.0, QColor(10, 10, 14));
    p.setPen(QPen(QColor(0, 0, 0, 160), 1.5));
    p.setBrush(spot);
    p.drawRoundedRect(stage, 24, 24);
}

void paintKey(QPainter& p, int i, bool lit, double line) {
    const QPointF at = post(i);
    const bool left = i < 3;
    const double outer = left ? 8.0 : GRID - 8.0; // the button's outer end
    const double inner = left ? 28.0 : GRID - 28.0;
    const QRectF button(std::min(outer, inner), at.y() - 6.5, 20, 13);
    const QColor gold = glowColour(Glow::Lit);
    p.setPen(Qt::NoPen);
    if (lit) {
        fillRadialGlow(p, button.center(), 15, withAlpha(gold, 0.8));
    }
    p.setBrush(chromeGradient(QPointF(0, at.y() - 3), QPointF(0, at.y() + 3)));
    p.drawRect(QRectF(std::min(inner, at.x()), at.y() - 2.5, std::abs(at.x() - inner), 5));
    p.setBrush(chromeGradient(button.topLeft(), button.bottomLeft(), lit ? 0.35 : 0.0));
    p.setPen(QPen(lit ? mix(gold, Qt::white, 0.4) : QColor(30, 30, 36), line));
    p.drawRoundedRect(button, 6.5, 6.5);
}

void paintString(QPainter& p, int i, bool lit, double line) {
    QPainterPath path;
    path.moveTo(post(i));
    path.lineTo(nutSlot(i), NUT_Y);
    path.lineTo(nutSlot(i) + (i - 2.5) * 0.4, GRID - 4);
    if (lit) {
        const QColor gold = glowColour(Glow::Lit);
        strokeGlow(p, path, gold, std::max(1.4, line), 5.0);
        p.setPen(QPen(mix(gold, Qt::white, 0.5), std::max(1.4, line), Qt::SolidLine, Qt::RoundCap));
    } else {
        p.setPen(QPen(QColor(214, 206, 190), 0.9, Qt::SolidLine, Qt::RoundCap));
    }
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void paintGrain(QPainter& p, const QRectF& area) {
    Random random(7);
    for (int i = 0; i < 28; ++i) {
        const double x0 = random.range(area.left(), area.right());
        const double amplitude = random.range(0.3, 1.4);
        const double phase = random.range(0, 6.28);
        QPainterPath grain;
        grain.moveTo(x0, area.top());
        for (double y = area.top() + 2; y <= area.bottom(); y += 2) {
            grain.lineTo(x0 + amplitude * std::sin(phase + y / 18.0), y);
        }
        p.setPen(QPen(withAlpha(QColor(60, 20, 6), random.range(0.15, 0.35)), 0.5));
        p.drawPath(grain);
    }
}

} // namespace

void paintAppIcon(QPainter& p, int pixels) {
    const bool detailed = pixels >= 48;
    // Lines at least about a pixel wide, whatever the size.
    const double pixel = GRID / pixels;
    const double line = std::max(1.0, detailed ? 1.0 : 0.9 * pixel);

    paintStage(p);

    // The neck, then the head over it.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(44, 26, 18));
    p.drawRect(QRectF(53, NUT_Y - 2, 22, GRID - 4 - NUT_Y + 2));

    const QPainterPath head = headOutline();
    QRadialGradient burst(QPointF(MID, 58), 52);
    burst.setColorAt(0.0, QColor(190, 102, 46));
    burst.setColorAt(0.6, QColor(140, 64, 28));
    burst.setColorAt(1.0, QColor(66, 26, 12));
    p.setBrush(burst);
    p.drawPath(head);
    if (detailed) {
        p.save();
        p.setClipPath(head);
        paintGrain(p, head.boundingRect());
        p.restore();
        const QPainterPath logo = textPath("Ovra", 11, true, QPointF(MID, 25), true);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(236, 190, 96));
        p.drawPath(logo);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(238, 226, 196), std::max(1.6, line), Qt::SolidLine, Qt::RoundCap,
                  Qt::RoundJoin));
    p.drawPath(head);

    // The nut in bone.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 230, 206));
    p.drawRect(QRectF(53, NUT_Y - 1.5, 22, std::max(3.0, line)));

    for (int i = 0; i < 6; ++i) {
        paintKey(p, i, i == LIT_STRING, detailed ? 0.8 : line * 0.6);
    }
    for (int i = 0; i < 6; ++i) {
        if (detailed && i != LIT_STRING) {
            paintString(p, i, false, line);
        }
    }
    paintString(p, LIT_STRING, true, detailed ? 1.6 : 1.2 * pixel);
    for (int i = 0; i < 6; ++i) {
        // Bushings: a chrome ring round a dark hole.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(206, 208, 214));
        p.drawEllipse(post(i), 3.8, 3.8);
        p.setBrush(QColor(30, 28, 28));
        p.drawEllipse(post(i), detailed ? 1.8 : 1.4, detailed ? 1.8 : 1.4);
    }
}

bool writeAppIcons(const QString& dir, const QString& id) {
    bool ok = true;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256, 512}) {
        const QString folder = QString("%1/hicolor/%2x%2/apps").arg(dir).arg(size);
        const double scale = size / GRID;
        const QImage image =
            renderImage(QSizeF(GRID, GRID), scale, [size](QPainter& p) { paintAppIcon(p, size); });
        ok = QDir().mkpath(folder) && image.save(folder + "/" + id + ".png", "PNG") && ok;
    }
    const QString scalable = dir + "/hicolor/scalable/apps";
    if (!QDir().mkpath(scalable)) {
        return false;
    }
    QSvgGenerator svg;
    svg.setFileName(scalable + "/" + id + ".svg");
    svg.setSize(QSize(128, 128));
    svg.setViewBox(QRectF(0, 0, GRID, GRID));
    svg.setTitle("OvraTuner");
    svg.setDescription("The OvraTuner application icon, written by ovratuner-artwork");
    QPainter painter;
    if (!painter.begin(&svg)) {
        return false;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    paintAppIcon(painter, 128);
    return painter.end() && ok;
}

} // namespace ovra::artwork
