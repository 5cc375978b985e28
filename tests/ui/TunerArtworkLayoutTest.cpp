// The shipped layout file and artwork against everything the tuner screen
// reads when it builds itself: every item, index and modifier, image and
// position, through the real layout reader and the embedded resources.

#include "UiTestSupport.hpp"

#include "layout/StringsFileParser.hpp"
#include "layout/WEXConfig.hpp"

#include <QFile>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace ovra {
namespace {

const std::string CFG = "general.cfg";
constexpr float SCREEN_W = 320.0f;
constexpr float SCREEN_H = 460.0f;

struct Lookup {
    const char* item;
    int index;
    const char* modifier; // nullptr: none
};

std::string describe(const Lookup& l) {
    return std::string(l.item) + (l.index >= 0 ? "." + std::to_string(l.index) : "") +
           (l.modifier != nullptr ? std::string(".") + l.modifier : "");
}

class TunerArtworkLayout : public test::UiTest {
protected:
    void SetUp() override {
        // The embedded copies, as the application finds them.
        Resources::setOverrideDirectory("");
        ImageCache::clear();
        config = std::make_unique<WEXConfig>("ovra");
        table = config->layoutWithFilename(CFG);
        ASSERT_NE(table, nullptr) << "general.cfg missing from the resources";
    }

    QPixmap image(const Lookup& l) {
        return WEXConfig::imageOfItem(l.item, l.index, l.modifier, CFG);
    }

    // A position is two raw numeric entries (positions follow no references).
    ::testing::AssertionResult hasPosition(const Lookup& l) {
        for (const char* axis : {"x", "y"}) {
            const std::string key =
                WEXConfig::newKeyStringWithItemID(l.item, l.index, l.modifier, axis);
            const auto found = table->find(key);
            if (found == table->end()) {
                return ::testing::AssertionFailure() << "no " << key;
            }
            bool numeric = false;
            QString::fromStdString(found->second).toFloat(&numeric);
            if (!numeric) {
                return ::testing::AssertionFailure() << key << " = " << found->second;
            }
        }
        return ::testing::AssertionSuccess();
    }

    // An image that exists, with its @2x twin at the same logical size.
    ::testing::AssertionResult hasImage(const Lookup& l) {
        const QPixmap pixmap = image(l);
        if (pixmap.isNull()) {
            return ::testing::AssertionFailure() << "no image for " << describe(l);
        }
        if (pixmap.devicePixelRatio() != 2.0) {
            return ::testing::AssertionFailure() << "no @2x image for " << describe(l);
        }
        return ::testing::AssertionSuccess();
    }

    // The item's picture placed at the item's position lies on the screen.
    ::testing::AssertionResult onScreen(const Lookup& picture, const Lookup& place) {
        const Point p = WEXConfig::positionOfItem(place.item, place.index, place.modifier, CFG);
        const QSizeF s = image(picture).deviceIndependentSize();
        if (p.x < 0 || p.y < 0 || p.x + s.width() > SCREEN_W || p.y + s.height() > SCREEN_H) {
            return ::testing::AssertionFailure()
                   << describe(picture) << " at (" << p.x << ", " << p.y << ") size " << s.width()
                   << " x " << s.height() << " leaves the screen";
        }
        return ::testing::AssertionSuccess();
    }

    ::testing::AssertionResult sameSize(const std::vector<Lookup>& variants) {
        const QSizeF first = image(variants.front()).deviceIndependentSize();
        for (const Lookup& v : variants) {
            if (image(v).deviceIndependentSize() != first) {
                return ::testing::AssertionFailure()
                       << describe(v) << " differs in size from " << describe(variants.front());
            }
        }
        return ::testing::AssertionSuccess();
    }

    std::unique_ptr<WEXConfig> config;
    const StringTable* table = nullptr;
};

TEST_F(TunerArtworkLayout, ParsesWithTheLayoutReader) {
    QFile file(QString(OVRA_RESOURCES_DIR) + "/general.cfg");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    StringsFileError error;
    const auto parsed = parseStringsFile(std::string_view(text.constData(), text.size()), &error);
    ASSERT_TRUE(parsed.has_value()) << "line " << error.line << ": " << error.reason;
    // The embedded copy is the same file.
    EXPECT_EQ(parsed->size(), table->size());
    for (const auto& [key, value] : *parsed) {
        EXPECT_EQ(key.rfind("ovra.", 0), 0u) << key;
    }
}

TEST_F(TunerArtworkLayout, EverySingleItemOfTheScreen) {
    for (const char* item : {"background", "overlay"}) {
        EXPECT_TRUE(hasImage({item, -1, nullptr}));
        EXPECT_TRUE(hasPosition({item, -1, nullptr}));
    }
    for (const char* modifier : {"pressed", "unpressed"}) {
        EXPECT_TRUE(hasImage({"autoswitchkey", -1, modifier}));
    }
    EXPECT_TRUE(hasPosition({"autoswitchkey", -1, nullptr}));

    // Shown as "dim" when there is such a picture, else plain; placed without modifier.
    for (const char* item : {"guitarhead", "pitchmeter", "pitchneedle"}) {
        const bool dim = !image({item, -1, "dim"}).isNull();
        EXPECT_TRUE(hasImage({item, -1, dim ? "dim" : nullptr})) << item;
        EXPECT_TRUE(hasPosition({item, -1, nullptr})) << item;
    }
    for (const char* item : {"pitchmeter", "pitchneedle"}) {
        EXPECT_TRUE(hasImage({item, -1, "bright"}));
        EXPECT_TRUE(hasImage({item, -1, "dim"}));
    }
    for (const char* point :
         {"pitchmeter.farred", "pitchmeter.nearred", "pitchmeter.nearblue", "pitchmeter.farblue"}) {
        EXPECT_TRUE(hasPosition({point, -1, nullptr}));
    }
}

TEST_F(TunerArtworkLayout, EveryKeyStringAndLed) {
    for (int i = 0; i < 6; ++i) {
        for (const char* item : {"tuningkey", "string"}) {
            for (const char* modifier : {"pressed", "unpressed", "magic"}) {
                EXPECT_TRUE(hasImage({item, i, modifier}));
            }
            EXPECT_TRUE(hasPosition({item, i, nullptr}));
        }
    }
    for (int i = 0; i < 9; ++i) {
        EXPECT_TRUE(hasImage({"ampmeterled", i, "unpressed"}));
        EXPECT_TRUE(hasImage({"ampmeterled", i, "pressed"}));
        EXPECT_TRUE(hasPosition({"ampmeterled", i, nullptr}));
    }
}

TEST_F(TunerArtworkLayout, ButtonsAsTheToggleButtonsReadThem) {
    for (const char* item : {"aboutbutton", "settingsbutton", "helpbutton"}) {
        EXPECT_TRUE(hasImage({item, -1, "unpressed"}));
        EXPECT_TRUE(hasImage({item, -1, "pressed"}));
        // Placed by the plain position when it exists, else by the "unpressed" one.
        const bool plain = WEXConfig::keyExistsForItem(item, -1, nullptr, "x", CFG);
        EXPECT_TRUE(hasPosition({item, -1, plain ? nullptr : "unpressed"})) << item;
        EXPECT_TRUE(sameSize({{item, -1, "unpressed"}, {item, -1, "pressed"}}));
    }
}

TEST_F(TunerArtworkLayout, EverythingLiesOnThe320By460Screen) {
    std::vector<std::pair<Lookup, Lookup>> placed = {
        {{"background", -1, nullptr}, {"background", -1, nullptr}},
        {{"overlay", -1, nullptr}, {"overlay", -1, nullptr}},
        {{"guitarhead", -1, nullptr}, {"guitarhead", -1, nullptr}},
        {{"autoswitchkey", -1, "pressed"}, {"autoswitchkey", -1, nullptr}},
        {{"pitchmeter", -1, "bright"}, {"pitchmeter", -1, nullptr}},
        {{"aboutbutton", -1, "unpressed"}, {"aboutbutton", -1, nullptr}},
        {{"settingsbutton", -1, "unpressed"}, {"settingsbutton", -1, nullptr}},
        {{"helpbutton", -1, "unpressed"}, {"helpbutton", -1, nullptr}},
    };
    for (const char* point :
         {"pitchmeter.farred", "pitchmeter.nearred", "pitchmeter.nearblue", "pitchmeter.farblue"}) {
        placed.push_back({{"pitchneedle", -1, "bright"}, {point, -1, nullptr}});
    }
    for (int i = 0; i < 6; ++i) {
        placed.push_back({{"tuningkey", i, "pressed"}, {"tuningkey", i, nullptr}});
        placed.push_back({{"string", i, "unpressed"}, {"string", i, nullptr}});
    }
    for (int i = 0; i < 9; ++i) {
        placed.push_back({{"ampmeterled", i, "unpressed"}, {"ampmeterled", i, nullptr}});
    }
    for (const auto& [picture, place] : placed) {
        EXPECT_TRUE(onScreen(picture, place));
    }
    const QSizeF background = image({"background", -1, nullptr}).deviceIndependentSize();
    EXPECT_EQ(background, QSizeF(SCREEN_W, SCREEN_H));
}

TEST_F(TunerArtworkLayout, StatePicturesMatchInSize) {
    for (int i = 0; i < 6; ++i) {
        for (const char* item : {"tuningkey", "string"}) {
            EXPECT_TRUE(
                sameSize({{item, i, "pressed"}, {item, i, "unpressed"}, {item, i, "magic"}}));
        }
    }
    for (int i = 0; i < 9; ++i) {
        EXPECT_TRUE(sameSize({{"ampmeterled", i, "pressed"}, {"ampmeterled", i, "unpressed"}}));
    }
    EXPECT_TRUE(sameSize({{"autoswitchkey", -1, "pressed"}, {"autoswitchkey", -1, "unpressed"}}));
    for (const char* item : {"pitchmeter", "pitchneedle"}) {
        EXPECT_TRUE(sameSize({{item, -1, "bright"}, {item, -1, "dim"}}));
    }
}

TEST_F(TunerArtworkLayout, NeedleTravelsAlongTheMeterFromBlueToRed) {
    auto at = [](const char* item) { return WEXConfig::positionOfItem(item, nullptr, CFG); };
    const Point farBlue = at("pitchmeter.farblue");
    const Point nearBlue = at("pitchmeter.nearblue");
    const Point nearRed = at("pitchmeter.nearred");
    const Point farRed = at("pitchmeter.farred");
    // A linear meter: one row, flat on the left, sharp on the right, and the
    // green zone centred between equally long blue and red stretches.
    EXPECT_EQ(farBlue.y, nearBlue.y);
    EXPECT_EQ(nearBlue.y, nearRed.y);
    EXPECT_EQ(nearRed.y, farRed.y);
    EXPECT_LT(farBlue.x, nearBlue.x);
    EXPECT_LT(nearBlue.x, nearRed.x);
    EXPECT_LT(nearRed.x, farRed.x);
    EXPECT_FLOAT_EQ(nearBlue.x - farBlue.x, farRed.x - nearRed.x);

    const QSizeF needle = image({"pitchneedle", -1, "bright"}).deviceIndependentSize();
    EXPECT_GT(needle.height(), 2 * needle.width()) << "the needle is a vertical line";
    const Point meter = at("pitchmeter");
    const QSizeF meterSize = image({"pitchmeter", -1, "bright"}).deviceIndependentSize();
    EXPECT_GE(farBlue.x, meter.x);
    EXPECT_LE(farRed.x + needle.width(), meter.x + meterSize.width());
    EXPECT_GE(farBlue.y, meter.y);
    EXPECT_LE(farBlue.y + needle.height(), meter.y + meterSize.height());
}

TEST_F(TunerArtworkLayout, LowEIsTheLowestKeyOnTheLeft) {
    auto key = [](int i) { return WEXConfig::positionOfItem("tuningkey", i, nullptr, CFG); };
    for (int i = 0; i < 3; ++i) {
        EXPECT_LT(key(i).x, SCREEN_W / 2) << "key " << i << " on the left";
        EXPECT_GT(key(i + 3).x, SCREEN_W / 2) << "key " << i + 3 << " on the right";
    }
    EXPECT_GT(key(0).y, key(1).y);
    EXPECT_GT(key(1).y, key(2).y);
    EXPECT_LT(key(3).y, key(4).y);
    EXPECT_LT(key(4).y, key(5).y);
}

// The mean over all pixels of alpha, or of lightness weighted by alpha.
double mean(const QImage& image, bool lightness) {
    double sum = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            sum += (lightness ? c.lightnessF() : 1.0) * c.alphaF();
        }
    }
    return sum / (image.width() * image.height());
}

double meanLightness(const QPixmap& pixmap) {
    return mean(pixmap.toImage(), true);
}

TEST_F(TunerArtworkLayout, OverlayIsMostlyClearGlass) {
    EXPECT_LT(mean(image({"overlay", -1, nullptr}).toImage(), false), 0.15);
}

TEST_F(TunerArtworkLayout, DimPicturesAreVisiblyDimmer) {
    for (const char* item : {"pitchmeter", "pitchneedle"}) {
        const double bright = meanLightness(image({item, -1, "bright"}));
        const double dim = meanLightness(image({item, -1, "dim"}));
        EXPECT_LT(dim, bright * 0.8) << item;
    }
    for (int i = 0; i < 9; ++i) {
        EXPECT_LT(meanLightness(image({"ampmeterled", i, "unpressed"})),
                  meanLightness(image({"ampmeterled", i, "pressed"})) * 0.8);
    }
}

TEST_F(TunerArtworkLayout, SharedPicturesAreReferencesNotCopies) {
    const auto raw = table->find("ovra.tuningkey.1.pressed.filename");
    ASSERT_NE(raw, table->end());
    EXPECT_EQ(raw->second.front(), '$');
    EXPECT_EQ(WEXConfig::filenameOfItem("tuningkey", 1, "pressed", CFG),
              WEXConfig::filenameOfItem("tuningkey", 0, "pressed", CFG));
}

} // namespace
} // namespace ovra
