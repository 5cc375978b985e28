#include "app/ScreenState.hpp"

#include "TestTones.hpp"

#include <QApplication>
#include <QFile>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace ovra {
namespace {

QJsonObject parse(const QByteArray& json) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return document.object();
}

TEST(ScreenStateJson, BeforeAnyRefreshFrequencyAndCentsAreNull) {
    ScreenState state;
    state.needle = {140.5f, 22.0f};
    const QJsonObject object = parse(screenStateJson(state));
    EXPECT_EQ(object["active_string"].toInt(-1), 0);
    EXPECT_FALSE(object["automatic"].toBool(true));
    EXPECT_DOUBLE_EQ(object["needle_x"].toDouble(), 140.5);
    EXPECT_DOUBLE_EQ(object["needle_y"].toDouble(), 22.0);
    EXPECT_FALSE(object["meter_bright"].toBool(true));
    EXPECT_EQ(object["lit_leds"].toInt(-1), 0);
    EXPECT_TRUE(object["display_hz"].isNull());
    EXPECT_TRUE(object["cents"].isNull());
}

TEST(ScreenStateJson, CarriesTheLastRefresh) {
    ScreenState state;
    state.activeString = 3;
    state.automatic = true;
    state.meterBright = true;
    state.litLeds = 4;
    state.displayFrequency = 196.25f;
    state.cents = -2.5f;
    const QJsonObject object = parse(screenStateJson(state));
    EXPECT_EQ(object["active_string"].toInt(), 3);
    EXPECT_TRUE(object["automatic"].toBool());
    EXPECT_TRUE(object["meter_bright"].toBool());
    EXPECT_EQ(object["lit_leds"].toInt(), 4);
    EXPECT_DOUBLE_EQ(object["display_hz"].toDouble(), 196.25);
    EXPECT_DOUBLE_EQ(object["cents"].toDouble(), -2.5);
}

TEST(Screenshot, WritesThePictureAtTwiceThePointsAndTheStateBesideIt) {
    int argc = 1;
    char name[] = "test";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    QGraphicsScene scene(0, 0, 320, 460);
    scene.addRect(10, 10, 100, 50, QPen(Qt::NoPen), QBrush(Qt::red));

    test::TemporaryDirectory dir;
    const QString png = QString::fromStdString(dir.file("shot.png"));
    const QString json = QString::fromStdString(dir.file("shot.json"));
    ASSERT_EQ(writeScreenshot(scene, ScreenState{}, png, json), QString());

    const QImage image(png);
    EXPECT_EQ(image.size(), QSize(640, 920));
    EXPECT_EQ(image.pixelColor(40, 40), QColor(Qt::red));
    EXPECT_TRUE(QFile::exists(json));

    const QString nowhere = QString::fromStdString(dir.file("missing/shot.png"));
    EXPECT_NE(writeScreenshot(scene, ScreenState{}, nowhere, json), QString());
}

} // namespace
} // namespace ovra
