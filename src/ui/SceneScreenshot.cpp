// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SceneScreenshot.hpp"

#include "common/SystemLog.hpp"

#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QPainter>
#include <QStyleOptionGraphicsItem>

#include <cmath>

namespace ovra {

namespace {

QImage blankImage(const QSizeF& points, double scale) {
    const int w = static_cast<int>(std::ceil(points.width() * scale));
    const int h = static_cast<int>(std::ceil(points.height() * scale));
    if (w <= 0 || h <= 0 || !(scale > 0.0)) {
        return QImage();
    }
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDevicePixelRatio(scale);
    return image;
}

void preparePainter(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::TextAntialiasing);
}

// Paints an item and its children the way the scene stacks them: children
// in stacking order, those flagged to stack behind the parent first.
void paintTree(QPainter& painter, QGraphicsItem& item) {
    if (!item.isVisible() || item.opacity() <= 0.0) {
        return;
    }
    painter.save();
    painter.setOpacity(painter.opacity() * item.opacity());
    if (item.flags() & QGraphicsItem::ItemClipsChildrenToShape) {
        painter.setClipPath(item.shape(), Qt::IntersectClip);
    }
    const QList<QGraphicsItem*> children = item.childItems();
    auto paintChild = [&painter](QGraphicsItem* child) {
        painter.save();
        painter.setTransform(child->itemTransform(child->parentItem()), true);
        paintTree(painter, *child);
        painter.restore();
    };
    for (QGraphicsItem* child : children) {
        if (child->flags() & QGraphicsItem::ItemStacksBehindParent) {
            paintChild(child);
        }
    }
    QStyleOptionGraphicsItem option;
    option.exposedRect = item.boundingRect();
    item.paint(&painter, &option, nullptr);
    for (QGraphicsItem* child : children) {
        if (!(child->flags() & QGraphicsItem::ItemStacksBehindParent)) {
            paintChild(child);
        }
    }
    painter.restore();
}

bool saveImage(const QImage& image, const QString& path) {
    if (image.isNull()) {
        systemLog("Screenshot not written, empty picture: %s", path.toLocal8Bit().constData());
        return false;
    }
    if (!image.save(path, "PNG")) {
        systemLog("Screenshot not written: %s", path.toLocal8Bit().constData());
        return false;
    }
    return true;
}

} // namespace

QImage renderScene(QGraphicsScene& scene, const QRectF& source, double scale) {
    QImage image = blankImage(source.size(), scale);
    if (image.isNull()) {
        return image;
    }
    QPainter painter(&image);
    preparePainter(painter);
    scene.render(&painter, QRectF(QPointF(0, 0), source.size()), source, Qt::IgnoreAspectRatio);
    return image;
}

QImage renderItem(QGraphicsItem& item, double scale) {
    const QRectF area = item.boundingRect();
    QImage image = blankImage(area.size(), scale);
    if (image.isNull()) {
        return image;
    }
    QPainter painter(&image);
    preparePainter(painter);
    painter.translate(-area.topLeft());
    paintTree(painter, item);
    return image;
}

bool saveScenePng(QGraphicsScene& scene, const QRectF& source, double scale, const QString& path) {
    return saveImage(renderScene(scene, source, scale), path);
}

bool saveItemPng(QGraphicsItem& item, double scale, const QString& path) {
    return saveImage(renderItem(item, scale), path);
}

} // namespace ovra
