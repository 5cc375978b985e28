// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/WEXConfig.hpp"

#include <gtest/gtest.h>

#include <string>

namespace ovra {
namespace {

using Value = std::optional<std::string>;

// Layout keys are "<prefix>.<item>[.<index>][.<modifier>].<attribute>", the
// prefix being that of the newest layout object (queries check the full shape).
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

TEST(LayoutReferences, ValuesFollowReferencesToTheFinalValue) {
    const struct {
        const char* key;
        const char* written;
        Value value;
    } cases[] = {// plain values are themselves
                 {"ovra.tuningkey.0.unpressed.filename", "key_off.png", "key_off.png"},
                 {"mid.dollar", "a$b", "a$b"},
                 {"empty", "", ""},
                 // a reference and chains of them
                 {"ovra.tuningkey.1.unpressed.filename", "$ovra.tuningkey.0.unpressed.filename",
                  "key_off.png"},
                 {"ovra.tuningkey.2.unpressed.filename", "$ovra.tuningkey.1.unpressed.filename",
                  "key_off.png"},
                 // a missing target gives the reference text, also at the end of a chain
                 {"dangling", "$ovra.nothing.here", "$ovra.nothing.here"},
                 {"to.dangling", "$dangling", "$ovra.nothing.here"},
                 // a lone dollar names the empty key
                 {"dollar.only", "$", "value of the empty key"},
                 {"", "value of the empty key", "value of the empty key"},
                 // cycles end with the value as written
                 {"self", "$self", "$self"},
                 {"ping", "$pong", "$pong"},
                 {"pong", "$ping", "$ping"},
                 {"into.cycle", "$ping", "$ping"}};
    StringTable table;
    for (const auto& c : cases) {
        table[c.key] = c.written;
    }
    for (const auto& c : cases) {
        EXPECT_EQ(WEXConfig::valueOfKey(c.key, &table), c.value) << c.key;
    }
    EXPECT_EQ(WEXConfig::valueOfKey("not.there", &table), std::nullopt);
    const StringTable withoutEmptyKey = {{"dollar.only", "$"}};
    EXPECT_EQ(WEXConfig::valueOfKey("dollar.only", &withoutEmptyKey), Value("$"));
    EXPECT_EQ(WEXConfig::valueOfKey("self", nullptr), std::nullopt);
}

// Key i of a chain. Appended, not "k" + std::to_string(i): GCC 12 at -O3
// reports that form as an overlapping copy (a false -Wrestrict).
std::string chainKey(int i) {
    return std::string("k").append(std::to_string(i));
}

TEST(LayoutReferences, LongChainsNeedNoRecursion) {
    StringTable table;
    const int length = 200000;
    for (int i = 0; i < length; ++i) {
        table[chainKey(i)] = std::string("$").append(chainKey(i + 1));
    }
    table[chainKey(length)] = "end";
    EXPECT_EQ(WEXConfig::valueOfKey("k0", &table), Value("end"));
    table[chainKey(length)] = "$k0"; // now one long cycle
    EXPECT_EQ(WEXConfig::valueOfKey("k0", &table), Value("$k1"));
}

} // namespace
} // namespace ovra
