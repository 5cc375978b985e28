// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ImageView.hpp"

#include <QPaintDevice>
#include <QPainter>

#include <cmath>

namespace ovra {

ImageView::ImageView() {
    setUserInteractionEnabled(false);
}

ImageView::ImageView(const QPixmap& image)
    : View(Rect{{0.0f, 0.0f}, imageSize(image)}), myImage(image) {
    setUserInteractionEnabled(false);
}

ImageView::ImageView(const Rect& frame) : View(frame) {
    setUserInteractionEnabled(false);
}

void ImageView::setImage(const QPixmap& image) {
    // The LED bar sets every LED on every refresh; most do not change.
    if (image.cacheKey() == myImage.cacheKey()) {
        return;
    }
    const bool sameSize = imageSize(image) == imageSize(myImage);
    if (!sameSize) {
        prepareGeometryChange();
    }
    myImage = image;
    myDeviceImage = DeviceImage{};
    update();
}

Size ImageView::imageSize(const QPixmap& image) {
    if (image.isNull()) {
        return Size{};
    }
    const QSizeF logical = image.deviceIndependentSize();
    return Size{static_cast<float>(logical.width()), static_cast<float>(logical.height())};
}

QRectF ImageView::boundingRect() const {
    const QRectF bounds = boundsRect();
    if (myImage.isNull()) {
        return bounds;
    }
    const Size s = imageSize(myImage);
    return bounds.united(QRectF(bounds.topLeft(), QSizeF(s.width, s.height)));
}

void ImageView::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) {
    View::paint(painter, option, widget);
    if (myImage.isNull()) {
        return;
    }
    const QTransform device = painter->deviceTransform();
    const double ratio = myImage.devicePixelRatio();
    const bool oneToOne = device.m11() == ratio && device.m22() == ratio;
    if (device.type() > QTransform::TxScale || device.m11() <= 0.0 || device.m22() <= 0.0) {
        // Turned or mirrored pictures are rare enough to draw as they are.
        painter->drawPixmap(boundsRect().topLeft(), myImage);
        return;
    }
    // Pixel for pixel, the raster engine copies rows, but only without the
    // smoothing hint (which would resample every pixel on pooled threads).
    const bool smooth = painter->testRenderHint(QPainter::SmoothPixmapTransform);
    if (oneToOne) {
        painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter->drawPixmap(boundsRect().topLeft(), myImage);
    } else {
        drawResampled(painter, device);
    }
    painter->setRenderHint(QPainter::SmoothPixmapTransform, smooth);
}

void ImageView::drawResampled(QPainter* painter, const QTransform& device) {
    const QPointF topLeft = boundsRect().topLeft();
    const QPointF start = device.map(topLeft);
    const QPoint whole(static_cast<int>(std::floor(start.x())),
                       static_cast<int>(std::floor(start.y())));
    const QPointF phase = start - QPointF(whole);
    DeviceImage& cached = myDeviceImage;
    if (cached.pixels.isNull() || cached.scaleX != device.m11() || cached.scaleY != device.m22() ||
        cached.phase != phase) {
        // Drawn exactly as the painter would draw it, so the copies below
        // give the same pixels: same transform up to whole pixels, same hints.
        const QSizeF logical = myImage.deviceIndependentSize();
        const QRect area = device.mapRect(QRectF(topLeft, logical)).toAlignedRect();
        cached.pixels = QImage(area.size(), QImage::Format_ARGB32_Premultiplied);
        cached.pixels.fill(Qt::transparent);
        QPainter resample(&cached.pixels);
        resample.setRenderHints(painter->renderHints());
        resample.setTransform(device * QTransform::fromTranslate(-area.left(), -area.top()));
        resample.drawPixmap(topLeft, myImage);
        resample.end();
        cached.offset = area.topLeft() - whole;
        cached.scaleX = device.m11();
        cached.scaleY = device.m22();
        cached.phase = phase;
    }
    // Back to device pixels: the world transform that undoes the rest of
    // the painter's chain (the widget's offset, the display's pixel ratio).
    const QTransform world = painter->worldTransform();
    painter->setWorldTransform(device.inverted() * world);
    painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter->drawImage(QPointF(whole + cached.offset), cached.pixels);
    painter->setWorldTransform(world);
}

} // namespace ovra
