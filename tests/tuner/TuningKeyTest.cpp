// The tuning key on its own: its three pictures, and a touch-down that
// reports to the tuner screen at once.
#include "MainViewTestSupport.hpp"

#include <QImage>
#include <QTest>

namespace ovra::test {
namespace {

QPixmap solid(QColor colour) {
    QImage image(20, 10, QImage::Format_ARGB32);
    image.fill(colour);
    return QPixmap::fromImage(image);
}

class TuningKeyPictures : public ::testing::Test {
protected:
    void SetUp() override { ensureWidgetApplication(); }
    // A key with the active and inactive pictures, and the magic one if asked.
    std::unique_ptr<OvraTuningKey> pictured(bool withMagic) {
        auto key = std::make_unique<OvraTuningKey>(Rect{{0.0f, 0.0f}, {20.0f, 10.0f}});
        key->setActiveImage(active);
        key->setInactiveImage(inactive);
        if (withMagic) {
            key->setMagicImage(magic);
        }
        return key;
    }
    const QPixmap active = solid(Qt::green);
    const QPixmap inactive = solid(Qt::gray);
    const QPixmap magic = solid(Qt::magenta);
};

TEST_F(TuningKeyPictures, ANewKeyShowsNothingUntilItHasAnInactivePicture) {
    OvraTuningKey key(Rect{{10.0f, 20.0f}, {20.0f, 10.0f}});
    EXPECT_TRUE(key.shownImage().isNull());
    key.setActiveImage(active);
    key.setMagicImage(magic);
    EXPECT_TRUE(key.shownImage().isNull()) << "active and magic pictures are only kept";
    key.setInactiveImage(inactive);
    EXPECT_TRUE(sameImage(key.shownImage(), inactive));

    // The picture view is the key's only subview, covering its bounds, and
    // leaves the touches to the key.
    ASSERT_EQ(key.subviews().size(), 1u);
    EXPECT_EQ(key.subviews().front(), key.imageView());
    EXPECT_EQ(key.imageView()->frame(), (Rect{{0.0f, 0.0f}, {20.0f, 10.0f}}));
    EXPECT_FALSE(key.imageView()->isUserInteractionEnabled());
    EXPECT_TRUE(key.isUserInteractionEnabled());
}

TEST_F(TuningKeyPictures, StatesPickThePictureAndUnknownStatesShowTheInactiveOne) {
    const auto key = pictured(true);
    const struct {
        int32_t state;
        const QPixmap* shown;
    } table[] = {{1, &active},   {2, &magic}, {0, &inactive}, {1, &active},
                 {5, &inactive}, {2, &magic}, {-1, &inactive}};
    for (const auto& row : table) {
        key->setTuningKeyState(row.state);
        EXPECT_TRUE(sameImage(key->shownImage(), *row.shown)) << "state " << row.state;
    }
}

TEST_F(TuningKeyPictures, ANewActivePictureWaitsForTheNextStateChange) {
    const auto key = pictured(false);
    key->setTuningKeyState(1);
    const QPixmap replacement = solid(Qt::yellow);
    key->setActiveImage(replacement);
    EXPECT_TRUE(sameImage(key->shownImage(), active));
    key->setTuningKeyState(1);
    EXPECT_TRUE(sameImage(key->shownImage(), replacement));
    key->setActiveImage(key->activeImage()); // the same picture again is harmless
    key->setTuningKeyState(1);
    EXPECT_TRUE(sameImage(key->shownImage(), replacement));
}

TEST_F(TuningKeyPictures, AKeyWithoutMagicPictureShowsNothingInTheMagicState) {
    const auto key = pictured(false);
    key->setTuningKeyState(2);
    EXPECT_TRUE(key->shownImage().isNull());
}

TEST_F(TuningKeyPictures, AKeyTouchedWithoutAScreenDoesNothing) {
    ASSERT_EQ(OvraMainView::sharedMainView(), nullptr);
    OvraTuningKey key(Rect{{0.0f, 0.0f}, {20.0f, 10.0f}});
    key.setTuningKeyIndex(3);
    int touchDowns = 0;
    key.addTarget(ControlEventTouchDown, [&touchDowns] { ++touchDowns; });
    key.touchesBegan(Touch{{5.0f, 5.0f}, {5.0f, 5.0f}});
    key.touchesEnded(Touch{{5.0f, 5.0f}, {5.0f, 5.0f}});
    EXPECT_EQ(touchDowns, 1) << "the control's own handling still runs";
    EXPECT_EQ(key.tuningKeyIndex(), 3);
}

using TuningKeyTouches = ScreenFixture;

TEST_F(TuningKeyTouches, EachTouchDownDeliveryGivesExactlyOneHit) {
    build(0);
    app().clearStoreHistory();
    OvraTuningKey* magic = screen().tuningKey(6);
    const Touch touch{magic->boundsCenter(), magic->boundsCenter()};
    magic->touchesBegan(touch);
    EXPECT_TRUE(screen().autoSwitchModeEnabled());
    magic->touchesBegan(touch);
    EXPECT_FALSE(screen().autoSwitchModeEnabled()) << "a second delivery is a second hit";
    magic->touchesEnded(touch);
    EXPECT_TRUE((app().storeHistory() == std::vector<int32_t>{6, 6}));
}

TEST_F(TuningKeyTouches, ATwoFingerTouchScreenPressIsOneHit) {
    build(0, true);
    app().clearStoreHistory();
    OvraTuningKey* magic = screen().tuningKey(6);
    const QPoint first = viewportPoint(*magic, Point{8.0f, 8.0f});
    const QPoint second = viewportPoint(*magic, magic->boundsCenter());
    // One touch screen for the whole program: Qt keeps devices registered.
    static QPointingDevice* const device = QTest::createTouchDevice();
    QTest::touchEvent(window().viewport(), device).press(0, first).press(1, second);
    QTest::touchEvent(window().viewport(), device).release(0, first).release(1, second);
    EXPECT_TRUE(screen().autoSwitchModeEnabled()) << "toggled once, not twice";
    EXPECT_TRUE(app().storeHistory() == std::vector<int32_t>{6});
}

} // namespace
} // namespace ovra::test
