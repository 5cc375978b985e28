// Layout keys are "<prefix>.<item>[.<index>][.<modifier>].<attribute>", the
// prefix being that of the newest layout object (queries check the full shape).
#include "layout/WEXConfig.hpp"

#include <gtest/gtest.h>

namespace ovra {
namespace {

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
