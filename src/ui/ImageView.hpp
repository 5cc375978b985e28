#pragma once

#include "ui/View.hpp"

#include <QPixmap>

namespace ovra {

// Shows one image unscaled from the top-left corner of its bounds; the image
// is not clipped to the view. Takes no touches, so touches reach whatever lies
// below. A pixmap with a device pixel ratio above 1 (an @2x file) is drawn at
// its logical size.
class ImageView : public View {
    Q_OBJECT

public:
    ImageView();
    // Frame (0, 0, logical size of the image); zero size for a null image.
    explicit ImageView(const QPixmap& image);
    explicit ImageView(const Rect& frame);

    const QPixmap& image() const { return myImage; }
    // Replaces the image; the frame stays as it is.
    void setImage(const QPixmap& image);

    // The size of an image in points (its pixel size over its device pixel ratio).
    static Size imageSize(const QPixmap& image);

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    QPixmap myImage;
};

} // namespace ovra
