// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRectF>
#include <QString>

class QGraphicsItem;
class QGraphicsScene;

namespace ovra {

// Offscreen pictures of scenes and items, for previews, documentation and
// tests. `scale` is device pixels per point: 2.0 gives a HiDPI picture (and
// uses @2x images pixel for pixel). The image carries that device pixel
// ratio. Transparent where nothing is drawn. Needs a QGuiApplication.

// The part `source` of the scene (scene coordinates).
QImage renderScene(QGraphicsScene& scene, const QRectF& source, double scale = 1.0);
// The item and its visible descendants alone, without anything else of its
// scene, over the item's bounding rectangle (item coordinates).
QImage renderItem(QGraphicsItem& item, double scale = 1.0);

// The same, written as PNG. False (and a system-log line) when the picture
// is empty or the file cannot be written.
bool saveScenePng(QGraphicsScene& scene, const QRectF& source, double scale, const QString& path);
bool saveItemPng(QGraphicsItem& item, double scale, const QString& path);

} // namespace ovra
