// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TunerWindow.hpp"

#include "ui/View.hpp"

#include <QCoreApplication>
#include <QGraphicsScene>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QResizeEvent>
#include <QScreen>
#include <QSettings>

#include <algorithm>
#include <cmath>

namespace ovra {

namespace {
// Behind the letterbox, matching the dark stage of the artwork.
const QColor STAGE_COLOUR(12, 12, 16);
// A resize or move is written once the window has kept still this long.
constexpr int GEOMETRY_SAVE_DELAY_MS = 500;
const char* const GEOMETRY_KEY = "geometry";

QSettings geometryStore() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope,
                     QString::fromLatin1(TunerWindow::GEOMETRY_ORGANIZATION),
                     QString::fromLatin1(TunerWindow::GEOMETRY_APPLICATION));
}
} // namespace

TunerWindow::TunerWindow() : myScene(new QGraphicsScene(this)) {
    myScene->setSceneRect(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
    // A few dozen items, one of them moving every frame: a search index
    // would cost more to keep up than it saves.
    myScene->setItemIndexMethod(QGraphicsScene::NoIndex);
    setScene(myScene);
    setWindowTitle(QStringLiteral("OvraTuner"));
    setBackgroundBrush(STAGE_COLOUR);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    // A frame redraws one rectangle around what changed (the needle's old
    // and new places, the LEDs that switched): with a single clip rectangle
    // the raster engine copies rows instead of blending spans on pooled threads.
    setViewportUpdateMode(QGraphicsView::BoundingRectViewportUpdate);
    // The view fills what it exposes with the stage colour itself; the
    // viewport's own fill before it would be a second painter per frame.
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    // Touch screens deliver touches to the scene's controls.
    viewport()->setAttribute(Qt::WA_AcceptTouchEvents);
    setMinimumSize(static_cast<int>(SCREEN_WIDTH / 2), static_cast<int>(SCREEN_HEIGHT / 2));

    const QScreen* screen = QGuiApplication::primaryScreen();
    resize(preferredSize(screen != nullptr ? screen->availableSize() : QSize()));
    restoreWindowGeometry();

    myGeometrySaveTimer.setSingleShot(true);
    myGeometrySaveTimer.setInterval(GEOMETRY_SAVE_DELAY_MS);
    connect(&myGeometrySaveTimer, &QTimer::timeout, this, &TunerWindow::saveWindowGeometry);
    if (QCoreApplication* application = QCoreApplication::instance()) {
        connect(application, &QCoreApplication::aboutToQuit, this,
                &TunerWindow::saveWindowGeometry);
    }
}

TunerWindow::~TunerWindow() {
    if (myGeometrySaveTimer.isActive()) {
        saveWindowGeometry();
    }
}

void TunerWindow::setContentView(View* view) {
    if (myContentView == view) {
        return;
    }
    myContentView = view;
    if (view != nullptr) {
        // The screen's parts parked outside it (the hidden settings panel)
        // must not show or take clicks in the letterbox.
        view->setFlag(QGraphicsItem::ItemClipsChildrenToShape);
        myScene->addItem(view);
    }
}

void TunerWindow::setStageImage(const QPixmap& image) {
    myStageImage = image.toImage().convertToFormat(QImage::Format_RGB32);
    // The sides carry the average of both edges' outer band, row by row: the
    // same on the left and the right, and without streaks from a single
    // bright pixel at the edge.
    myStageSides = QImage();
    const int w = myStageImage.width();
    const int h = myStageImage.height();
    const int band = std::min(w / 2, 16);
    if (band > 0) {
        myStageSides = QImage(1, h, QImage::Format_RGB32);
        for (int y = 0; y < h; ++y) {
            int sum[3] = {0, 0, 0};
            for (int i = 0; i < band; ++i) {
                for (const QRgb pixel :
                     {myStageImage.pixel(i, y), myStageImage.pixel(w - 1 - i, y)}) {
                    sum[0] += qRed(pixel);
                    sum[1] += qGreen(pixel);
                    sum[2] += qBlue(pixel);
                }
            }
            myStageSides.setPixel(
                0, y, qRgb(sum[0] / (2 * band), sum[1] / (2 * band), sum[2] / (2 * band)));
        }
    }
    viewport()->update();
}

void TunerWindow::drawBackground(QPainter* painter, const QRectF& rect) {
    painter->fillRect(rect, STAGE_COLOUR);
    if (myStageImage.isNull() || myStageSides.isNull()) {
        return;
    }
    // Each outermost row and column of the picture, stretched outwards:
    // the floor lines run on sideways, the sky and the floor up and down.
    const QRectF screen(0.0, 0.0, SCREEN_WIDTH, SCREEN_HEIGHT);
    const double reach = std::max({rect.width(), rect.height(), 1.0}) +
                         std::max({std::abs(rect.left()), std::abs(rect.top()),
                                   std::abs(rect.right()), std::abs(rect.bottom())});
    const int w = myStageImage.width();
    const int h = myStageImage.height();
    const QImage& sides = myStageSides;
    const struct {
        QRectF target;
        const QImage* image;
        QRect source;
    } strips[] = {
        {QRectF(-reach, 0.0, reach, SCREEN_HEIGHT), &sides, QRect(0, 0, 1, h)},
        {QRectF(SCREEN_WIDTH, 0.0, reach, SCREEN_HEIGHT), &sides, QRect(0, 0, 1, h)},
        {QRectF(0.0, -reach, SCREEN_WIDTH, reach), &myStageImage, QRect(0, 0, w, 1)},
        {QRectF(0.0, SCREEN_HEIGHT, SCREEN_WIDTH, reach), &myStageImage, QRect(0, h - 1, w, 1)},
        {QRectF(-reach, -reach, reach, reach), &sides, QRect(0, 0, 1, 1)},
        {QRectF(SCREEN_WIDTH, -reach, reach, reach), &sides, QRect(0, 0, 1, 1)},
        {QRectF(-reach, SCREEN_HEIGHT, reach, reach), &sides, QRect(0, h - 1, 1, 1)},
        {QRectF(SCREEN_WIDTH, SCREEN_HEIGHT, reach, reach), &sides, QRect(0, h - 1, 1, 1)},
    };
    for (const auto& strip : strips) {
        if (strip.target.intersects(rect) && !screen.contains(strip.target)) {
            painter->drawImage(strip.target, *strip.image, strip.source);
        }
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

double TunerWindow::screenScale(const QSize& viewport) {
    if (viewport.width() <= 0 || viewport.height() <= 0) {
        return 1.0;
    }
    return std::min(viewport.width() / double(SCREEN_WIDTH),
                    viewport.height() / double(SCREEN_HEIGHT));
}

void TunerWindow::saveWindowGeometry() {
    myGeometrySaveTimer.stop();
    if (!isVisible()) {
        return;
    }
    QSettings store = geometryStore();
    store.setValue(QString::fromLatin1(GEOMETRY_KEY), saveGeometry());
}

bool TunerWindow::restoreWindowGeometry() {
    const QSettings store = geometryStore();
    const QVariant stored = store.value(QString::fromLatin1(GEOMETRY_KEY));
    // Anything unreadable leaves the preferred size; Qt keeps a restored
    // window on one of the screens there are now.
    return stored.canConvert<QByteArray>() && restoreGeometry(stored.toByteArray());
}

void TunerWindow::resizeEvent(QResizeEvent* event) {
    QGraphicsView::resizeEvent(event);
    fitScreen();
    if (isVisible()) {
        myGeometrySaveTimer.start();
    }
}

void TunerWindow::moveEvent(QMoveEvent* event) {
    QGraphicsView::moveEvent(event);
    if (isVisible()) {
        myGeometrySaveTimer.start();
    }
}

void TunerWindow::showEvent(QShowEvent* event) {
    QGraphicsView::showEvent(event);
    fitScreen();
}

void TunerWindow::closeEvent(QCloseEvent* event) {
    saveWindowGeometry();
    QGraphicsView::closeEvent(event);
}

void TunerWindow::fitScreen() {
    // The exact fit, without fitInView's margin: at twice the points (and at
    // the points on a double-density display) the @2x pictures then land
    // pixel for pixel and are copied, not resampled, on every frame. The view
    // centres the screen on whole pixels.
    const double scale = screenScale(viewport()->size());
    setTransform(QTransform::fromScale(scale, scale));
}

} // namespace ovra
