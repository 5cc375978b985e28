#include "ui/ImageView.hpp"

#include <QPainter>

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
    prepareGeometryChange();
    myImage = image;
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
    if (!myImage.isNull()) {
        painter->drawPixmap(boundsRect().topLeft(), myImage);
    }
}

} // namespace ovra
