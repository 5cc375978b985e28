#include "layout/WEXConfig.hpp"

#include <gtest/gtest.h>

#include <memory>

namespace ovra {
namespace {

TEST(LayoutKeyGrammar, ExamplesOfTheTunerScreen) {
    WEXConfig config("ovra");
    EXPECT_EQ(WEXConfig::newKeyStringWithItemID("tuningkey", 0, nullptr, "x"),
              "ovra.tuningkey.0.x");
    EXPECT_EQ(WEXConfig::newKeyStringWithItemID("tuningkey", 5, "pressed", "filename"),
              "ovra.tuningkey.5.pressed.filename");
    EXPECT_EQ(WEXConfig::newKeyStringWithItemID("pitchmeter.farred", -1, nullptr, "y"),
              "ovra.pitchmeter.farred.y");
    EXPECT_EQ(WEXConfig::newKeyStringWithItemID("ampmeterled", 3, "unpressed", "filename"),
              "ovra.ampmeterled.3.unpressed.filename");
    EXPECT_EQ(WEXConfig::newKeyStringWithItemID("pitchneedle", -1, "dim", "filename"),
              "ovra.pitchneedle.dim.filename");
    EXPECT_EQ(WEXConfig::newKeyStringWithItemID("aboutbutton", -1, nullptr, "x"),
              "ovra.aboutbutton.x");
    EXPECT_EQ(WEXConfig::newKeyStringWithPrefix(nullptr, "background", 2, nullptr, "red"),
              "background.2.red");
}

TEST(LayoutKeyGrammar, ItemKeysUseTheSharedPrefix) {
    ASSERT_EQ(WEXConfig::sharedConfig(), nullptr);
    EXPECT_EQ(WEXConfig::newKeyStringWithItemID("item", 0, nullptr, "x"), "item.0.x");
    {
        WEXConfig withoutPrefix;
        EXPECT_FALSE(withoutPrefix.configPrefix().has_value());
        EXPECT_EQ(WEXConfig::newKeyStringWithItemID("item", 0, nullptr, "x"), "item.0.x");
        WEXConfig ovra("ovra");
        EXPECT_EQ(ovra.configPrefix(), std::optional<std::string>("ovra"));
        EXPECT_EQ(WEXConfig::newKeyStringWithItemID("item", 0, nullptr, "x"), "ovra.item.0.x");
        {
            WEXConfig other("other");
            EXPECT_EQ(WEXConfig::sharedConfig(), &other);
            EXPECT_EQ(WEXConfig::newKeyStringWithItemID("item", -1, nullptr, "x"), "other.item.x");
        }
        // Destroying the newest object leaves no shared object at all.
        EXPECT_EQ(WEXConfig::sharedConfig(), nullptr);
        EXPECT_EQ(WEXConfig::newKeyStringWithItemID("item", -1, nullptr, "x"), "item.x");
    }
    EXPECT_EQ(WEXConfig::sharedConfig(), nullptr);
}

} // namespace
} // namespace ovra
