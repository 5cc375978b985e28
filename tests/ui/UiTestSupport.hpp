#pragma once

#include "layout/ImageCache.hpp"
#include "layout/Resources.hpp"
#include "layout/WEXConfig.hpp"
#include "ui/View.hpp"

#include <QApplication>
#include <QFile>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QImage>
#include <QPixmap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace ovra::test {

// Views and widgets need a QApplication; one serves the whole test program.
inline void ensureApplication() {
    if (QCoreApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "ui_tests";
        static char* argv[] = {name, nullptr};
        // Never destroyed: Qt keeps it reachable as the instance.
        new QApplication(argc, argv);
    }
}

// As a base class, makes the application before any member of the fixture
// (members may be pixmaps).
struct ApplicationFirst {
    ApplicationFirst() { ensureApplication(); }
};

// The base of the fixtures here.
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

// A scene shown in a view of the given size, with the scene's origin at the
// view's top-left corner, for sending real mouse and touch events.
class SceneWindow {
public:
    SceneWindow(int width, int height) : myView(&myScene) {
        myScene.setSceneRect(0, 0, width, height);
        myView.setFrameShape(QFrame::NoFrame);
        myView.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        myView.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        myView.setAlignment(Qt::AlignLeft | Qt::AlignTop);
        myView.resize(width, height);
        myView.show();
    }
    QGraphicsScene& scene() { return myScene; }
    QGraphicsView& view() { return myView; }
    QWidget* viewport() { return myView.viewport(); }
    // The viewport pixel of a scene point.
    QPoint at(double x, double y) { return myView.mapFromScene(QPointF(x, y)); }

private:
    QGraphicsScene myScene;
    QGraphicsView myView;
};

// A temporary folder of layout files and images, set as the resource
// override directory while it lives; the image cache is emptied both ways.
class SkinDirectory {
public:
    SkinDirectory() {
        EXPECT_TRUE(myDir.isValid());
        EXPECT_TRUE(Resources::setOverrideDirectory(myDir.path().toStdString()));
        ImageCache::clear();
    }
    ~SkinDirectory() {
        Resources::setOverrideDirectory("");
        ImageCache::clear();
    }
    SkinDirectory(const SkinDirectory&) = delete;
    SkinDirectory& operator=(const SkinDirectory&) = delete;

    void write(const std::string& name, const std::string& text) const {
        QFile file(myDir.filePath(QString::fromStdString(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.data(), static_cast<qint64>(text.size()));
    }
    void writeImage(const std::string& name, int width, int height, const QColor& colour) const {
        QImage image(width, height, QImage::Format_ARGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(myDir.filePath(QString::fromStdString(name)), "PNG"));
    }

private:
    QTemporaryDir myDir;
};

// A skin folder and the layout reader opened on it by layout(); the reader
// is destroyed before the folder.
struct SkinTest : UiTest {
    void layout(const std::string& file, const std::string& text) {
        skin.write(file, text);
        config = std::make_unique<WEXConfig>("ovra");
    }
    SkinDirectory skin;
    std::unique_ptr<WEXConfig> config;
};

inline ::testing::AssertionResult pointIs(Point actual, float x, float y) {
    if (actual.x == x && actual.y == y) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "point (" << actual.x << ", " << actual.y << "), expected (" << x << ", " << y << ")";
}

inline ::testing::AssertionResult rectIs(const Rect& r, float x, float y, float w, float h) {
    if (r.origin.x == x && r.origin.y == y && r.size.width == w && r.size.height == h) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "rect (" << r.origin.x << ", " << r.origin.y << ", " << r.size.width << ", "
           << r.size.height << "), expected (" << x << ", " << y << ", " << w << ", " << h << ")";
}

} // namespace ovra::test
