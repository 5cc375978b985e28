#include "UiTestSupport.hpp"

#include "common/LogCapture.hpp"
#include "ui/ImageView.hpp"
#include "ui/SceneScreenshot.hpp"

#include <QTemporaryDir>

namespace ovra {
namespace {

class SceneScreenshot : public test::UiTest {
protected:
    void SetUp() override {
        root = new View(Rect{{0, 0}, {20, 10}});
        root->setBackgroundColor(Qt::blue);
        scene.addItem(root);
        auto* red = new ImageView(test::solidPixmap(5, 5, Qt::red));
        red->setOrigin(Point{10, 0});
        root->addSubview(red);
        stranger = new View(Rect{{0, 0}, {4, 4}});
        stranger->setBackgroundColor(Qt::green);
        scene.addItem(stranger);
    }
    QGraphicsScene scene;
    View* root = nullptr;
    View* stranger = nullptr;
};

TEST_F(SceneScreenshot, SceneAtTwiceTheScale) {
    const QImage shot = renderScene(scene, QRectF(0, 0, 20, 10), 2.0);
    EXPECT_EQ(shot.size(), QSize(40, 20));
    EXPECT_EQ(shot.devicePixelRatio(), 2.0);
    EXPECT_EQ(shot.pixelColor(1, 1), QColor(Qt::green)); // the stranger lies on top
    EXPECT_EQ(shot.pixelColor(10, 10), QColor(Qt::blue));
    EXPECT_EQ(shot.pixelColor(25, 5), QColor(Qt::red));
    EXPECT_EQ(shot.pixelColor(25, 15), QColor(Qt::blue));
}

TEST_F(SceneScreenshot, PartOfTheSceneIsTranslatedToTheCorner) {
    const QImage shot = renderScene(scene, QRectF(10, 0, 10, 10), 1.0);
    EXPECT_EQ(shot.size(), QSize(10, 10));
    EXPECT_EQ(shot.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(shot.pixelColor(9, 9), QColor(Qt::blue));
}

TEST_F(SceneScreenshot, ItemAloneWithoutTheRestOfItsScene) {
    const QImage shot = renderItem(*root, 1.0);
    EXPECT_EQ(shot.size(), QSize(20, 10));
    EXPECT_EQ(shot.pixelColor(1, 1), QColor(Qt::blue));
    EXPECT_EQ(shot.pixelColor(12, 2), QColor(Qt::red));
}

TEST_F(SceneScreenshot, HiddenChildrenAreLeftOut) {
    root->subviews().front()->setHidden(true);
    const QImage shot = renderItem(*root, 1.0);
    EXPECT_EQ(shot.pixelColor(12, 2), QColor(Qt::blue));
}

TEST_F(SceneScreenshot, WritesAPngThatReadsBack) {
    QTemporaryDir dir;
    const QString path = dir.filePath("shot.png");
    ASSERT_TRUE(saveItemPng(*root, 2.0, path));
    QImage back(path);
    EXPECT_EQ(back.size(), QSize(40, 20));
    EXPECT_EQ(back.pixelColor(25, 5), QColor(Qt::red));
    ASSERT_TRUE(saveScenePng(scene, QRectF(0, 0, 20, 10), 1.0, dir.filePath("scene.png")));
    EXPECT_EQ(QImage(dir.filePath("scene.png")).pixelColor(0, 0), QColor(Qt::green));
}

TEST_F(SceneScreenshot, FailuresAreReportedNotHidden) {
    LogCapture log;
    EXPECT_FALSE(saveScenePng(scene, QRectF(0, 0, 20, 10), 1.0, "/nonexistent-dir/x.png"));
    EXPECT_FALSE(saveScenePng(scene, QRectF(0, 0, 0, 10), 1.0, "/tmp/never-written.png"));
    EXPECT_FALSE(saveScenePng(scene, QRectF(0, 0, 10, 10), 0.0, "/tmp/never-written.png"));
    EXPECT_EQ(log.lines().size(), 3u);
    EXPECT_TRUE(renderScene(scene, QRectF(0, 0, 10, 10), -1.0).isNull());
}

} // namespace
} // namespace ovra
