// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "WidgetTestApplication.hpp"
#include "ui/SceneScreenshot.hpp"
#include "ui/View.hpp"

#include <QGraphicsScene>
#include <QGraphicsView>
#include <QImage>
#include <QPixmap>
#include <QTest>

#include <gtest/gtest.h>

namespace ovra::test {

// The application is made before any member of a fixture (members may be pixmaps).
struct ApplicationFirst {
    ApplicationFirst() { ensureWidgetApplication(); }
};
struct UiTest : ApplicationFirst, ::testing::Test {};

// A pixmap of one colour; with ratio 2 it holds twice the pixels for the
// same logical size.
inline QPixmap solidPixmap(int width, int height, const QColor& colour, double ratio = 1.0) {
    QImage image(static_cast<int>(width * ratio), static_cast<int>(height * ratio),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(colour);
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

// A root view in a scene shown one to one from the view's top-left corner,
// for real mouse events and for looking at what is drawn.
class SceneWindow {
public:
    SceneWindow(int width, int height)
        : root(new View(Rect{{0, 0}, {float(width), float(height)}})), myView(&myScene) {
        myScene.setSceneRect(0, 0, width, height);
        myScene.addItem(root);
        myView.setFrameShape(QFrame::NoFrame);
        myView.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        myView.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        myView.setAlignment(Qt::AlignLeft | Qt::AlignTop);
        myView.resize(width, height);
        myView.show();
    }
    void click(double x, double y) {
        QTest::mouseClick(myView.viewport(), Qt::LeftButton, {}, at(x, y));
    }
    void press(double x, double y) {
        QTest::mousePress(myView.viewport(), Qt::LeftButton, {}, at(x, y));
    }
    void move(double x, double y) { QTest::mouseMove(myView.viewport(), at(x, y)); }
    void release(double x, double y) {
        QTest::mouseRelease(myView.viewport(), Qt::LeftButton, {}, at(x, y));
    }
    // The colour drawn at a point of the scene.
    QColor drawnAt(int x, int y) {
        return renderScene(myScene, myScene.sceneRect(), 1.0).pixelColor(x, y);
    }

    View* root; // owned by the scene

private:
    QPoint at(double x, double y) { return myView.mapFromScene(QPointF(x, y)); }

    QGraphicsScene myScene;
    QGraphicsView myView;
};

} // namespace ovra::test
