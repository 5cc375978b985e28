// SPDX-License-Identifier: GPL-3.0-or-later
// The layout object: the grammar of its keys, references between values,
// the queries on a skin's layout file, and missing or malformed files.
#include "layout/WEXConfig.hpp"

#include "LayoutTestSupport.hpp"
#include "common/LogCapture.hpp"

#include <QColor>
#include <QPixmap>

#include <gtest/gtest.h>

#include <algorithm>
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

const char* const FILE_NAME = "general.cfg";
// QColor keeps 16 bits per channel.
constexpr float CHANNEL_STEP = 1.0f / 65535.0f;

class LayoutQueries : public test::SkinTest {
protected:
    void SetUp() override {
        SkinTest::SetUp();
        mySkin.write(FILE_NAME, R"(
            ovra.background.filename = background.png; ovra.background.x = 0; ovra.background.y = 0;
            ovra.tuningkey.0.x = 12; ovra.tuningkey.0.y = 310.5;
            ovra.tuningkey.0.width = "44.25"; ovra.tuningkey.0.height = 60;
            ovra.tuningkey.0.pressed.filename = key_on.png; ovra.tuningkey.0.unpressed.x = -3.5;
            ovra.pitchmeter.farred.x = 40; ovra.pitchmeter.farred.y = 96; ovra.aboutbutton.x = 280;
            ovra.number.letters = abc;
            ovra.tint.red = 1; ovra.tint.green = 0.5; ovra.tint.blue = 0.2;
            ovra.missingimage.filename = nothing.png; ovra.pitchneedle.dim.filename = dim.png;
        )");
        mySkin.writePng("key_on.png", 30, 40, Qt::red);
    }

    WEXConfig myConfig{"ovra"};
};

TEST_F(LayoutQueries, PositionsSizesStringValuesAndExistence) {
    EXPECT_EQ(WEXConfig::positionOfItem("tuningkey", 0, nullptr, FILE_NAME),
              (Point{12.0f, 310.5f}));
    EXPECT_EQ(WEXConfig::positionOfItem("tuningkey", 0, "unpressed", FILE_NAME),
              (Point{-3.5f, 0.0f}));
    EXPECT_EQ(WEXConfig::positionOfItem("pitchmeter.farred", nullptr, FILE_NAME),
              (Point{40.0f, 96.0f}));
    EXPECT_EQ(WEXConfig::positionOfItem("pitchmeter.farred", -1, nullptr, FILE_NAME),
              (Point{40.0f, 96.0f}));
    EXPECT_EQ(WEXConfig::sizeOfItem("tuningkey", 0, nullptr, FILE_NAME), (Size{44.25f, 60.0f}));
    EXPECT_EQ(WEXConfig::rectOfItem("tuningkey", 0, nullptr, FILE_NAME),
              (Rect{{12.0f, 310.5f}, {44.25f, 60.0f}}));

    EXPECT_EQ(WEXConfig::valueOfItem("number", -1, nullptr, "letters", FILE_NAME), Value("abc"));
    EXPECT_EQ(WEXConfig::valueOfItem("number", nullptr, "letters", FILE_NAME), Value("abc"));
    EXPECT_EQ(WEXConfig::valueOfItem("number", nullptr, "absent", FILE_NAME), std::nullopt);
    EXPECT_EQ(WEXConfig::filenameOfItem("tuningkey", 0, "pressed", FILE_NAME), Value("key_on.png"));
    EXPECT_EQ(WEXConfig::filenameOfItem("background", nullptr, FILE_NAME), Value("background.png"));
    EXPECT_EQ(WEXConfig::filenameOfItem("pitchneedle", "dim", FILE_NAME), Value("dim.png"));
    EXPECT_EQ(WEXConfig::filenameOfItem("tuningkey", 1, "pressed", FILE_NAME), std::nullopt);
    EXPECT_TRUE(WEXConfig::keyExistsForItem("aboutbutton", -1, nullptr, "x", FILE_NAME));
    EXPECT_FALSE(WEXConfig::keyExistsForItem("aboutbutton", -1, nullptr, "y", FILE_NAME));
    EXPECT_FALSE(WEXConfig::keyExistsForItem("aboutbutton", -1, "unpressed", "x", FILE_NAME));
}

// A colour without alpha is fully transparent; images are named by the layout.
TEST_F(LayoutQueries, ColoursAndImages) {
    const QColor colour = WEXConfig::newColorOfItem("tint", -1, nullptr, FILE_NAME);
    ASSERT_TRUE(colour.isValid());
    EXPECT_EQ(colour.redF(), 1.0f);
    EXPECT_NEAR(colour.greenF(), 0.5f, CHANNEL_STEP);
    EXPECT_NEAR(colour.blueF(), 0.2f, CHANNEL_STEP);
    EXPECT_EQ(colour.alphaF(), 0.0f);
    const QColor missing = WEXConfig::newColorOfItem("nothing", -1, nullptr, FILE_NAME);
    EXPECT_TRUE(missing.isValid());
    EXPECT_EQ(missing.rgba(), qRgba(0, 0, 0, 0));

    const QPixmap image = WEXConfig::imageOfItem("tuningkey", 0, "pressed", FILE_NAME);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(30, 40));
    EXPECT_EQ(image.toImage().pixelColor(0, 0), QColor(Qt::red));
    EXPECT_TRUE(WEXConfig::imageOfItem("tuningkey", 1, "pressed", FILE_NAME).isNull());
    EXPECT_TRUE(WEXConfig::imageOfItem("tuningkey", "pressed", FILE_NAME).isNull());

    LogCapture log;
    EXPECT_TRUE(WEXConfig::imageOfItem("missingimage", nullptr, FILE_NAME).isNull());
    EXPECT_EQ(log.count("Error : couldn't find image - nothing.png"), 1);
}

std::string missingLine(const std::string& file) {
    return "Error : couldn't find configuration file - " + file;
}

TEST(LayoutFiles, MissingFileIsReportedAtEveryQueryAndRetriedAPresentOneReadOnce) {
    test::OverrideDirectory skin;
    WEXConfig config("ovra");
    LogCapture log;

    EXPECT_EQ(WEXConfig::positionOfItem("item", nullptr, "later.cfg"), (Point{}));
    EXPECT_EQ(log.count(missingLine("later.cfg")), 1);
    EXPECT_EQ(WEXConfig::valueOfItem("item", nullptr, "x", "later.cfg"), std::nullopt);
    EXPECT_FALSE(WEXConfig::keyExistsForItem("item", -1, nullptr, "x", "later.cfg"));
    EXPECT_EQ(config.layoutWithFilename("later.cfg"), nullptr);
    EXPECT_EQ(log.count(missingLine("later.cfg")), 4);
    EXPECT_EQ(log.lines().size(), 4u);

    // Nothing was stored: once the file appears, the next query reads it.
    skin.write("later.cfg", "ovra.item.x = 5;");
    EXPECT_EQ(WEXConfig::positionOfItem("item", nullptr, "later.cfg"), (Point{5.0f, 0.0f}));
    EXPECT_EQ(log.lines().size(), 4u);

    // A present file is read once and kept.
    skin.write("once.cfg", "ovra.item.x = 1;");
    const StringTable* table = config.layoutWithFilename("once.cfg");
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->at("ovra.item.x"), "1");

    // Changed and then removed on disk: the table read first stays.
    skin.write("once.cfg", "ovra.item.x = 2;");
    EXPECT_EQ(WEXConfig::positionOfItem("item", nullptr, "once.cfg").x, 1.0f);
    ASSERT_TRUE(QFile::remove(skin.filePath("once.cfg")));
    EXPECT_EQ(WEXConfig::positionOfItem("item", nullptr, "once.cfg").x, 1.0f);
    EXPECT_EQ(config.layoutWithFilename("once.cfg"), table);
    EXPECT_EQ(log.lines().size(), 4u) << "nothing more is said";
}

TEST(LayoutFiles, AMalformedFileIsReportedTreatedAsMissingAndReadOnceMended) {
    const std::pair<const char*, std::string> files[] = {
        {"unterminated_comment", "ovra.item.x = 1; /* open\n"},
        {"binary", std::string("ovra.item.x = 1;\0\1\2", 19)},
        {"empty", ""}};
    for (const auto& [name, content] : files) {
        SCOPED_TRACE(name);
        const std::string file = std::string(name) + ".cfg";
        test::OverrideDirectory skin;
        skin.write(file, content);
        WEXConfig config("ovra");
        LogCapture log;
        EXPECT_EQ(config.layoutWithFilename(file), nullptr);
        EXPECT_EQ(WEXConfig::positionOfItem("item", nullptr, file), (Point{}));
        EXPECT_EQ(WEXConfig::valueOfItem("item", nullptr, "x", file), std::nullopt);
        EXPECT_EQ(log.count(missingLine(file)), 3);
        // Each failed read also says what is wrong, naming the file.
        const auto lines = log.lines();
        EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                                [&](const std::string& line) {
                                    return line.rfind("Error : malformed configuration file - " +
                                                          file + " (line ",
                                                      0) == 0;
                                }),
                  3);
        skin.write(file, "ovra.item.x = 9;");
        EXPECT_EQ(WEXConfig::positionOfItem("item", nullptr, file).x, 9.0f);
    }
}

} // namespace
} // namespace ovra
