#pragma once

#include "common/Geometry.hpp"

#include <QGraphicsView>

class QGraphicsScene;

namespace ovra {

class View;

// The application window: shows the tuner's 320 x 460-point screen scaled to
// the window with its aspect ratio kept (letterboxed on the stage colour).
// Opens at about twice the points on a desktop, never taller than the
// available screen.
class TunerWindow : public QGraphicsView {
    Q_OBJECT

public:
    static constexpr float SCREEN_WIDTH = 320.0f;
    static constexpr float SCREEN_HEIGHT = 460.0f;

    TunerWindow();
    ~TunerWindow() override;

    QGraphicsScene* scene() const { return myScene; }
    // The screen's area in points: (0, 0, 320, 460).
    Rect bounds() const { return Rect{{0.0f, 0.0f}, {SCREEN_WIDTH, SCREEN_HEIGHT}}; }
    // Puts the screen's root view in the scene; the scene owns it from then on.
    void setContentView(View* view);
    View* contentView() const { return myContentView; }

    // The size the window opens at on a screen with this available area.
    static QSize preferredSize(const QSize& available);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void fitScreen();

    QGraphicsScene* myScene;
    View* myContentView = nullptr;
};

} // namespace ovra
