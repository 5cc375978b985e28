#include "app/TunerWindow.hpp"

#include "ui/View.hpp"

#include <QGraphicsScene>
#include <QGuiApplication>
#include <QResizeEvent>
#include <QScreen>

#include <algorithm>

namespace ovra {

namespace {
// Behind the letterbox, matching the dark stage of the artwork.
const QColor STAGE_COLOUR(12, 12, 16);
} // namespace

TunerWindow::TunerWindow() : myScene(new QGraphicsScene(this)) {
    myScene->setSceneRect(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
    setScene(myScene);
    setWindowTitle(QStringLiteral("OvraTuner"));
    setBackgroundBrush(STAGE_COLOUR);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    // Touch screens deliver touches to the scene's controls.
    viewport()->setAttribute(Qt::WA_AcceptTouchEvents);
    setMinimumSize(static_cast<int>(SCREEN_WIDTH / 2), static_cast<int>(SCREEN_HEIGHT / 2));

    const QScreen* screen = QGuiApplication::primaryScreen();
    resize(preferredSize(screen != nullptr ? screen->availableSize() : QSize()));
}

TunerWindow::~TunerWindow() = default;

void TunerWindow::setContentView(View* view) {
    if (myContentView == view) {
        return;
    }
    myContentView = view;
    if (view != nullptr) {
        myScene->addItem(view);
    }
}

QSize TunerWindow::preferredSize(const QSize& available) {
    // About twice the points, as on a phone held at arm's length; smaller when
    // the screen is short, keeping the aspect ratio.
    double scale = 2.0;
    if (available.isValid() && available.height() > 0) {
        scale = std::min(scale, available.height() * 0.9 / SCREEN_HEIGHT);
        scale = std::min(scale, available.width() * 0.9 / SCREEN_WIDTH);
    }
    scale = std::max(scale, 0.5);
    return QSize(static_cast<int>(SCREEN_WIDTH * scale + 0.5),
                 static_cast<int>(SCREEN_HEIGHT * scale + 0.5));
}

void TunerWindow::resizeEvent(QResizeEvent* event) {
    QGraphicsView::resizeEvent(event);
    fitScreen();
}

void TunerWindow::showEvent(QShowEvent* event) {
    QGraphicsView::showEvent(event);
    fitScreen();
}

void TunerWindow::fitScreen() {
    fitInView(myScene->sceneRect(), Qt::KeepAspectRatio);
}

} // namespace ovra
