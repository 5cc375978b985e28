// SPDX-License-Identifier: GPL-3.0-or-later
// The window around the screen: the stage around it shows and takes nothing
// of the scene, and it comes back at the size it was left at.
#include "AppTestSupport.hpp"

#include "app/TunerWindow.hpp"
#include "tuner/OvraMainView.hpp"
#include "tuner/OvraSettings.hpp"

#include <QSet>

namespace ovra {
namespace {

class TunerWindowLetterbox : public test::LaunchedTuner {};

// Outside the screen the stage goes on: the picture's edges drawn outwards,
// with its colours and light, never a flat bar, and nothing of the scene.
TEST_F(TunerWindowLetterbox,
       TheStageGoesOnAroundTheScreenShowingNothingOfTheSceneAndTakingNoClicks) {
    launch();
    TunerWindow* window = delegate->window();
    for (const QSize size : {QSize(400, 980), QSize(1920, 1080), QSize(360, 640)}) {
        SCOPED_TRACE(size.width());
        window->resize(size);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        QCoreApplication::processEvents();
        const QRect screen = window->mapFromScene(QRectF(0, 0, 320, 460)).boundingRect();
        // The settings panel is parked just above the screen, in the top bar:
        // the bars look the same with the screen's views hidden.
        const QImage shot = window->viewport()->grab().toImage();
        window->contentView()->setVisible(false);
        const QImage stage = window->viewport()->grab().toImage();
        window->contentView()->setVisible(true);
        int foreign = 0;
        QSet<QRgb> colours;
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x) {
                if (!screen.adjusted(-1, -1, 1, 1).contains(x, y)) {
                    foreign += shot.pixel(x, y) != stage.pixel(x, y);
                    colours.insert(shot.pixel(x, y));
                }
            }
        }
        EXPECT_EQ(foreign, 0) << "pixels of the scene in the bars";
        // Nor does the parked panel show on the screen itself.
        OvraSettings* panel = delegate->mainView()->settings();
        const bool shown = panel->isVisible();
        panel->setVisible(false);
        const QImage withoutPanel = window->viewport()->grab().toImage();
        panel->setVisible(shown);
        EXPECT_EQ(shot, withoutPanel) << "the parked panel shows";
        EXPECT_GT(colours.size(), 5) << "the bars carry the stage's light, not one colour";
    }

    const Rect parked = delegate->mainView()->settings()->frame();
    const QRect screen = window->mapFromScene(QRectF(0, 0, 320, 460)).boundingRect();
    for (int y = 4; y < window->height(); y += 12) {
        for (int x = 4; x < window->width() && !screen.contains(x, y); x += 24) {
            QTest::mouseClick(window->viewport(), Qt::LeftButton, {}, QPoint(x, y));
        }
    }
    EXPECT_EQ(delegate->mainView()->settings()->frame(), parked) << "no click reaches the panel";
}

TEST(TunerWindowGeometry, ComesBackAtTheSizeItWasLeftAtAndIgnoresAnUnreadableRecord) {
    test::ensureWidgetApplication();
    test::TemporaryPreferences store;
    const auto reopenedSize = [] { return TunerWindow().size(); };
    const QSize preferred = reopenedSize();
    {
        TunerWindow window;
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        window.resize(300, 450);
        EXPECT_TRUE(QTest::qWaitFor([&] { return reopenedSize() == QSize(300, 450); }))
            << "written soon after a resize, before any close";
        window.resize(340, 520);
        window.close();
    }
    EXPECT_EQ(reopenedSize(), QSize(340, 520));

    QSettings(QSettings::NativeFormat, QSettings::UserScope, TunerWindow::GEOMETRY_ORGANIZATION,
              TunerWindow::GEOMETRY_APPLICATION)
        .setValue(QStringLiteral("geometry"), QByteArray("not a geometry"));
    EXPECT_EQ(reopenedSize(), preferred);
}

} // namespace
} // namespace ovra
