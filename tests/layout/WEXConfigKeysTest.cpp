#include "layout/WEXConfig.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <utility>

namespace ovra {
namespace {

TEST(LayoutKeyGrammar, ExamplesOfTheTunerScreen) {
    WEXConfig config("ovra");
    const std::pair<std::string, std::string> cases[] = {
        {WEXConfig::newKeyStringWithItemID("tuningkey", 0, nullptr, "x"), "ovra.tuningkey.0.x"},
        {WEXConfig::newKeyStringWithItemID("tuningkey", 5, "pressed", "filename"),
         "ovra.tuningkey.5.pressed.filename"},
        {WEXConfig::newKeyStringWithItemID("pitchmeter.farred", -1, nullptr, "y"),
         "ovra.pitchmeter.farred.y"},
        {WEXConfig::newKeyStringWithItemID("pitchneedle", -1, "dim", "filename"),
         "ovra.pitchneedle.dim.filename"},
        {WEXConfig::newKeyStringWithPrefix(nullptr, "background", 2, nullptr, "red"),
         "background.2.red"}};
    for (const auto& [key, expected] : cases) {
        EXPECT_EQ(key, expected);
    }
}

TEST(LayoutKeyGrammar, ItemKeysUseTheSharedPrefix) {
    ASSERT_EQ(WEXConfig::sharedConfig(), nullptr);
    EXPECT_EQ(WEXConfig::newKeyStringWithItemID("item", 0, nullptr, "x"), "item.0.x");
    {
        WEXConfig ovra("ovra");
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
