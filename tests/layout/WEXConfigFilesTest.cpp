#include "layout/WEXConfig.hpp"

#include "LayoutTestSupport.hpp"
#include "common/LogCapture.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>

namespace ovra {
namespace {

using Value = std::optional<std::string>;

std::string missingLine(const std::string& file) {
    return "Error : couldn't find configuration file - " + file;
}

TEST(LayoutFiles, MissingFileIsReportedAtEveryQueryAndRetried) {
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
}

TEST(LayoutFiles, PresentFileIsReadOnceAndKept) {
    test::OverrideDirectory skin;
    skin.write("once.cfg", "ovra.item.x = 1;");
    WEXConfig config("ovra");
    LogCapture log;

    const StringTable* table = config.layoutWithFilename("once.cfg");
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->at("ovra.item.x"), "1");

    // Changed and then removed on disk: the table read first stays.
    skin.write("once.cfg", "ovra.item.x = 2;");
    EXPECT_EQ(WEXConfig::positionOfItem("item", nullptr, "once.cfg").x, 1.0f);
    skin.remove("once.cfg");
    EXPECT_EQ(WEXConfig::positionOfItem("item", nullptr, "once.cfg").x, 1.0f);
    EXPECT_EQ(config.layoutWithFilename("once.cfg"), table);
    EXPECT_TRUE(log.lines().empty());
}

struct MalformedCase {
    const char* name;
    std::string content;
};

void PrintTo(const MalformedCase& malformed, std::ostream* out) {
    *out << malformed.name;
}

class MalformedLayoutFile : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedLayoutFile, IsReportedAndTreatedAsMissing) {
    const MalformedCase& malformed = GetParam();
    const std::string file = std::string(malformed.name) + ".cfg";
    test::OverrideDirectory skin;
    skin.write(file, malformed.content);
    WEXConfig config("ovra");
    LogCapture log;

    EXPECT_EQ(config.layoutWithFilename(file), nullptr);
    EXPECT_EQ(WEXConfig::positionOfItem("item", nullptr, file), (Point{}));
    EXPECT_EQ(WEXConfig::valueOfItem("item", nullptr, "x", file), std::nullopt);
    EXPECT_EQ(log.count(missingLine(file)), 3);
    // Each failed read also says what is wrong, naming the file.
    int detailLines = 0;
    for (const std::string& line : log.lines()) {
        if (line.rfind("Error : malformed configuration file - " + file + " (line ", 0) == 0) {
            ++detailLines;
        }
    }
    EXPECT_EQ(detailLines, 3);

    // Mended on disk, the file is read at the next query.
    skin.write(file, "ovra.item.x = 9;");
    EXPECT_EQ(WEXConfig::positionOfItem("item", nullptr, file).x, 9.0f);
}

INSTANTIATE_TEST_SUITE_P(
    LayoutFiles, MalformedLayoutFile,
    ::testing::Values(MalformedCase{"unterminated_string", "ovra.item.x = \"12;\n"},
                      MalformedCase{"unterminated_comment", "ovra.item.x = 1; /* open\n"},
                      MalformedCase{"binary", std::string("ovra.item.x = 1;\0\1\2", 19)},
                      MalformedCase{"missing_equals", "ovra.item.x 1;"},
                      MalformedCase{"missing_semicolon", "ovra.item.x = 1\novra.item.y = 2;"},
                      MalformedCase{"non_ascii", "ovra.item.x = \"1\xC2\xB2\";"},
                      MalformedCase{"empty", ""}),
    [](const ::testing::TestParamInfo<MalformedCase>& info) { return info.param.name; });

} // namespace
} // namespace ovra
