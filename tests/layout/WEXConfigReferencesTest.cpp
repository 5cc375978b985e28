#include "layout/WEXConfig.hpp"

#include "LayoutTestSupport.hpp"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace ovra {
namespace {

using Value = std::optional<std::string>;

const StringTable TABLE = {
    {"ovra.tuningkey.0.unpressed.filename", "key_off.png"},
    {"ovra.tuningkey.1.unpressed.filename", "$ovra.tuningkey.0.unpressed.filename"},
    {"ovra.tuningkey.2.unpressed.filename", "$ovra.tuningkey.1.unpressed.filename"},
    {"ovra.tuningkey.3.unpressed.filename", "$ovra.tuningkey.2.unpressed.filename"},
    {"dangling", "$ovra.nothing.here"},
    {"to.dangling", "$dangling"},
    {"self", "$self"},
    {"ping", "$pong"},
    {"pong", "$ping"},
    {"into.cycle", "$ping"},
    {"dollar.only", "$"},
    {"", "value of the empty key"},
    {"mid.dollar", "a$b"},
    {"empty", ""},
};

TEST(LayoutReferences, ValuesFollowReferencesToTheFinalValue) {
    const std::pair<const char*, Value> cases[] = {
        // plain values are themselves
        {"ovra.tuningkey.0.unpressed.filename", "key_off.png"},
        {"mid.dollar", "a$b"},
        {"empty", ""},
        // a reference and chains of them
        {"ovra.tuningkey.1.unpressed.filename", "key_off.png"},
        {"ovra.tuningkey.2.unpressed.filename", "key_off.png"},
        {"ovra.tuningkey.3.unpressed.filename", "key_off.png"},
        // a missing target gives the reference text, also at the end of a chain
        {"dangling", "$ovra.nothing.here"},
        {"to.dangling", "$ovra.nothing.here"},
        // a lone dollar names the empty key
        {"dollar.only", "value of the empty key"},
        // cycles end with the value as written
        {"self", "$self"},
        {"ping", "$pong"},
        {"pong", "$ping"},
        {"into.cycle", "$ping"},
        {"not.there", std::nullopt}};
    for (const auto& [key, value] : cases) {
        EXPECT_EQ(WEXConfig::valueOfKey(key, &TABLE), value) << key;
    }
    const StringTable withoutEmptyKey = {{"dollar.only", "$"}};
    EXPECT_EQ(WEXConfig::valueOfKey("dollar.only", &withoutEmptyKey), Value("$"));
    EXPECT_EQ(WEXConfig::valueOfKey("self", nullptr), std::nullopt);
}

TEST(LayoutReferences, LongChainsNeedNoRecursion) {
    StringTable table;
    const int length = 200000;
    for (int i = 0; i < length; ++i) {
        table["k" + std::to_string(i)] = "$k" + std::to_string(i + 1);
    }
    table["k" + std::to_string(length)] = "end";
    EXPECT_EQ(WEXConfig::valueOfKey("k0", &table), Value("end"));
    table["k" + std::to_string(length)] = "$k0"; // now one long cycle
    EXPECT_EQ(WEXConfig::valueOfKey("k0", &table), Value("$k1"));
}

TEST(LayoutReferences, ItemQueriesFollowReferencesButPositionsDoNot) {
    test::OverrideDirectory skin;
    skin.write("refs.cfg", "ovra.base.x = 12.5;\n"
                           "ovra.base.y = 7;\n"
                           "ovra.item.x = $ovra.base.x;\n"
                           "ovra.item.y = \"$ovra.base.y\";\n"
                           "ovra.item.width = $ovra.base.x;\n"
                           "ovra.item.filename = $ovra.base.filename;\n"
                           "ovra.base.filename = key.png;\n"
                           "ovra.item.broken = $ovra.nowhere;\n");
    WEXConfig config("ovra");

    EXPECT_EQ(WEXConfig::positionOfItem("item", nullptr, "refs.cfg"), (Point{0.0f, 0.0f}));
    EXPECT_EQ(WEXConfig::sizeOfItem("item", -1, nullptr, "refs.cfg").width, 0.0f);
    EXPECT_EQ(WEXConfig::floatValueOfItem("item", nullptr, "x", "refs.cfg"), 12.5f);
    EXPECT_EQ(WEXConfig::intValueOfItem("item", -1, nullptr, "y", "refs.cfg"), 7.0f);
    EXPECT_EQ(WEXConfig::filenameOfItem("item", nullptr, "refs.cfg"), Value("key.png"));
    EXPECT_EQ(WEXConfig::valueOfItem("item", nullptr, "broken", "refs.cfg"),
              Value("$ovra.nowhere"));
    EXPECT_TRUE(WEXConfig::keyExistsForItem("item", -1, nullptr, "broken", "refs.cfg"));
    EXPECT_FALSE(WEXConfig::keyExistsForItem("item", -1, nullptr, "height", "refs.cfg"));
}

} // namespace
} // namespace ovra
