// The window around the screen: its letterbox shows and takes nothing of the
// scene, and it comes back at the size it was left at.
#include "AppTestSupport.hpp"

#include "app/TunerWindow.hpp"
#include "tuner/OvraMainView.hpp"
#include "tuner/OvraSettings.hpp"

namespace ovra {
namespace {

class TunerWindowLetterbox : public test::LaunchedTuner {};

TEST_F(TunerWindowLetterbox,
       ATallWindowShowsOnlyStageColourOutsideTheScreenAndClicksThereDoNothing) {
    launch();
    TunerWindow* window = delegate->window();
    window->resize(400, 980);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    const QRect screen = window->mapFromScene(QRectF(0, 0, 320, 460)).boundingRect();
    ASSERT_GT(screen.top(), 150) << "letterboxed above and below";

    // The settings panel is parked just above the screen, in the top bar.
    const QImage shot = window->viewport()->grab().toImage();
    const QRgb stage = window->backgroundBrush().color().rgb();
    int foreign = 0;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            foreign += !screen.contains(x, y) && shot.pixel(x, y) != stage;
        }
    }
    EXPECT_EQ(foreign, 0) << "pixels of the scene in the bars";

    const Rect parked = delegate->mainView()->settings()->frame();
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
