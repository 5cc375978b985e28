#include "layout/WEXConfig.hpp"

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
