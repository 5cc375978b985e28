// The meter's printed scale is the needle's: every tick of the skin's meter
// picture stands where the needle goes for its cents, within a pixel, and
// there is no tick the needle does not know.
#include "WidgetTestApplication.hpp"

#include "layout/WEXConfig.hpp"
#include "model/TunerDisplayModel.hpp"
#include "tuner/OvraMainView.hpp"
#include "ui/ImageView.hpp"

#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace ovra {
namespace {

Point layoutPoint(const char* item) {
    return WEXConfig::positionOfItem(item, -1, nullptr, MAIN_VIEW_LAYOUT_FILE);
}

TEST(MeterScale, EveryTickStandsWhereTheNeedleGoesForItsCents) {
    test::ensureWidgetApplication();
    WEXConfig layout("ovra");
    const QPixmap meter = WEXConfig::imageOfItem("pitchmeter", -1, "bright", MAIN_VIEW_LAYOUT_FILE);
    ASSERT_FALSE(meter.isNull());
    const QImage image = meter.toImage();
    const double pixelsPerPoint = meter.devicePixelRatio();
    const Point meterAt = layoutPoint("pitchmeter");
    const NeedlePoints points{layoutPoint("pitchmeter.farred"), layoutPoint("pitchmeter.nearred"),
                              layoutPoint("pitchmeter.nearblue"),
                              layoutPoint("pitchmeter.farblue")};
    // The needle is placed by its top-left corner; its line runs down the middle.
    const float half = ImageView::imageSize(WEXConfig::imageOfItem("pitchneedle", -1, "bright",
                                                                   MAIN_VIEW_LAYOUT_FILE))
                           .width /
                       2.0f;

    // The ticks' centres along a row through all of them, just above the
    // coloured band (40 points down the picture), in screen points.
    const int row = static_cast<int>(std::lround(40.0 * pixelsPerPoint));
    std::vector<double> ticks;
    for (int x = 0; x < image.width();) {
        const auto lit = [&](int at) { return qGray(image.pixel(at, row)) > 110; };
        if (!lit(x)) {
            ++x;
            continue;
        }
        const int start = x;
        while (x < image.width() && lit(x)) {
            ++x;
        }
        ticks.push_back(meterAt.x + (start + x) / 2.0 / pixelsPerPoint);
    }

    std::vector<float> marks{0.0f};
    for (int cents = 10; cents <= 200; cents += 10) {
        marks.push_back(static_cast<float>(cents));
        marks.push_back(static_cast<float>(-cents));
    }
    ASSERT_EQ(ticks.size(), marks.size()) << "one tick per mark";
    for (const float cents : marks) {
        const double x = TunerDisplayModel::needleTarget(cents, points).point().x + half;
        double nearest = 1e9;
        for (const double tick : ticks) {
            nearest = std::min(nearest, std::abs(tick - x));
        }
        EXPECT_LE(nearest, 1.0) << cents << " cents: the needle is at " << x;
    }
}

} // namespace
} // namespace ovra
