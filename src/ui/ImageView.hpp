// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/View.hpp"

#include <QImage>
#include <QPixmap>
#include <QPointF>

namespace ovra {

// Shows one image unscaled from the top-left corner of its bounds; the image
// is not clipped to the view. Takes no touches, so touches reach whatever lies
// below. A pixmap with a device pixel ratio above 1 (an @2x file) is drawn at
// its logical size.
//
// Where the screen's scale does not match the image's own resolution, the
// image is resampled once for that scale and then copied pixel for pixel on
// every repaint, giving the same pixels as resampling it each time.
class ImageView : public View {
    Q_OBJECT

public:
    ImageView();
    // Frame (0, 0, logical size of the image); zero size for a null image.
    explicit ImageView(const QPixmap& image);
    explicit ImageView(const Rect& frame);

    const QPixmap& image() const { return myImage; }
    // Replaces the image; the frame stays as it is. The same picture again
    // changes nothing and repaints nothing.
    void setImage(const QPixmap& image);

    // The size of an image in points (its pixel size over its device pixel ratio).
    static Size imageSize(const QPixmap& image);

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    // The image resampled for one device transform: its scale and the
    // fraction of a device pixel where the image starts.
    struct DeviceImage {
        QImage pixels;
        QPoint offset; // of pixels' top-left corner from the image's start, in whole pixels
        double scaleX = 0.0;
        double scaleY = 0.0;
        QPointF phase;
    };
    void drawResampled(QPainter* painter, const QTransform& device);

    QPixmap myImage;
    DeviceImage myDeviceImage;
};

} // namespace ovra
