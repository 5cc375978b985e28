// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/WEXConfig.hpp"

#include "LayoutTestSupport.hpp"
#include "common/LogCapture.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace ovra {
namespace {

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
