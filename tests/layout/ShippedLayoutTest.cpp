// The layout file and images the application ships, as an executable that
// links only the layout library sees them.
#include "layout/ImageCache.hpp"
#include "layout/WEXConfig.hpp"

#include "LayoutTestSupport.hpp"
#include "common/LogCapture.hpp"

#include <gtest/gtest.h>

#include <string>

namespace ovra {
namespace {

TEST(ShippedLayout, GeneralLayoutIsEmbeddedAndWellFormed) {
    WEXConfig config("ovra");
    LogCapture log;
    const StringTable* table = config.layoutWithFilename("general.cfg");
    ASSERT_NE(table, nullptr);
    EXPECT_TRUE(log.lines().empty());
    EXPECT_TRUE(WEXConfig::keyExistsForItem("background", -1, nullptr, "filename", "general.cfg"));
    EXPECT_TRUE(WEXConfig::keyExistsForItem("tuningkey", 0, nullptr, "x", "general.cfg"));
}

TEST(ShippedLayout, EveryNamedImageLoadsAtOneLogicalSize) {
    test::ensureGuiApplication();
    ImageCache::clear();
    WEXConfig config("ovra");
    const StringTable* table = config.layoutWithFilename("general.cfg");
    ASSERT_NE(table, nullptr);
    LogCapture log;
    int images = 0;
    const std::string suffix = ".filename";
    for (const auto& [key, value] : *table) {
        if (key.size() < suffix.size() ||
            key.compare(key.size() - suffix.size(), suffix.size(), suffix) != 0) {
            continue;
        }
        const std::optional<std::string> name = WEXConfig::valueOfKey(key, table);
        ASSERT_TRUE(name.has_value());
        EXPECT_NE(name->front(), '$') << key << " refers to a missing entry";
        const QPixmap image = ImageCache::imageNamed(*name);
        EXPECT_FALSE(image.isNull()) << key << " -> " << *name;
        ++images;
    }
    EXPECT_GT(images, 0);
    // No missing image, and every @2x copy matched its image's size.
    EXPECT_TRUE(log.lines().empty()) << log.lines().front();
    ImageCache::clear();
}

} // namespace
} // namespace ovra
