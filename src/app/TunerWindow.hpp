// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/Geometry.hpp"

#include <QGraphicsView>
#include <QImage>
#include <QTimer>

class QGraphicsScene;

namespace ovra {

class View;

// The application window: shows the tuner's 320 x 460-point screen scaled to
// the window with its aspect ratio kept. Around it the stage goes on: the
// edges of the screen's background picture drawn out to the window's edges,
// so a wide or tall window shows the same colours and light instead of bars
// (they show and take nothing of the scene). Opens at about twice the points on
// a desktop, never taller than the available screen, or at the size and place
// it had when last closed.
class TunerWindow : public QGraphicsView {
    Q_OBJECT

public:
    static constexpr float SCREEN_WIDTH = 320.0f;
    static constexpr float SCREEN_HEIGHT = 460.0f;
    // Where the window's size and place are kept, apart from the preferences:
    // QSettings (native format) of this organisation and application.
    static constexpr const char* GEOMETRY_ORGANIZATION = "OvraTuner";
    static constexpr const char* GEOMETRY_APPLICATION = "Window";

    TunerWindow();
    ~TunerWindow() override;

    QGraphicsScene* scene() const { return myScene; }
    // The screen's area in points: (0, 0, 320, 460).
    Rect bounds() const { return Rect{{0.0f, 0.0f}, {SCREEN_WIDTH, SCREEN_HEIGHT}}; }
    // Puts the screen's root view in the scene; the scene owns it from then on.
    // Nothing of it outside the screen's area is drawn or touched.
    void setContentView(View* view);
    View* contentView() const { return myContentView; }
    // The screen's background picture, whose edges the stage continues; a
    // null picture leaves the plain stage colour.
    void setStageImage(const QPixmap& image);

    // The size the window opens at on a screen with this available area.
    static QSize preferredSize(const QSize& available);
    // Device pixels per point for a viewport of this size: the largest that
    // fits the whole screen.
    static double screenScale(const QSize& viewport);

    // Writes the window's size and place now (also done on close, at quit and
    // shortly after each resize or move).
    void saveWindowGeometry();

protected:
    void drawBackground(QPainter* painter, const QRectF& rect) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void fitScreen();
    bool restoreWindowGeometry();

    QGraphicsScene* myScene;
    View* myContentView = nullptr;
    QImage myStageImage;
    QImage myStageSides; // one column: the edges' average, row by row
    QTimer myGeometrySaveTimer;
};

} // namespace ovra
