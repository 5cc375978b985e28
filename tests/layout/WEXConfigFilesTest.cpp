#include "layout/WEXConfig.hpp"

#include "LayoutTestSupport.hpp"
#include "common/LogCapture.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <random>
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

TEST(LayoutFiles, EachFileHasItsOwnTable) {
    test::OverrideDirectory skin;
    skin.write("a.cfg", "ovra.item.x = 1;");
    skin.write("b.cfg", "ovra.item.x = 2;");
    WEXConfig config("ovra");
    const StringTable* a = config.layoutWithFilename("a.cfg");
    EXPECT_EQ(WEXConfig::positionOfItem("item", nullptr, "b.cfg").x, 2.0f);
    EXPECT_EQ(WEXConfig::positionOfItem("item", nullptr, "a.cfg").x, 1.0f);
    // Reading more files leaves earlier tables where they were.
    for (int i = 0; i < 20; ++i) {
        const std::string name = "extra" + std::to_string(i) + ".cfg";
        skin.write(name, "k = v;");
        ASSERT_NE(config.layoutWithFilename(name), nullptr);
    }
    EXPECT_EQ(config.layoutWithFilename("a.cfg"), a);
    EXPECT_EQ(a->at("ovra.item.x"), "1");
}

TEST(LayoutFiles, FileNamesAreTakenExactly) {
    test::OverrideDirectory skin;
    skin.write("general.cfg", "ovra.item.x = 1;");
    WEXConfig config("ovra");
    LogCapture log;
    EXPECT_EQ(config.layoutWithFilename("general"), nullptr);
    EXPECT_EQ(config.layoutWithFilename("GENERAL.CFG"), nullptr);
    EXPECT_EQ(config.layoutWithFilename("./general.cfg"), nullptr);
    EXPECT_EQ(log.count(missingLine("./general.cfg")), 1);
    EXPECT_NE(config.layoutWithFilename("general.cfg"), nullptr);
}

TEST(LayoutFiles, EmbeddedFileIsFoundAndAnOverrideWins) {
    WEXConfig config("ovra");
    EXPECT_EQ(WEXConfig::valueOfItem("origin", nullptr, "text", "layout-test-shadowed.cfg"),
              Value("embedded"));
    test::OverrideDirectory skin;
    skin.write("layout-test-shadowed.cfg", "ovra.origin.text = skin;");
    WEXConfig fresh("ovra"); // the first object keeps what it read
    EXPECT_EQ(WEXConfig::valueOfItem("origin", nullptr, "text", "layout-test-shadowed.cfg"),
              Value("skin"));
}

TEST(LayoutFiles, QueriesWithoutAReaderAreEmptyAndSilent) {
    test::OverrideDirectory skin;
    skin.write("general.cfg", "ovra.item.x = 3; ovra.item.filename = a.png; ovra.item.red = 1;");
    LogCapture log;
    ASSERT_EQ(WEXConfig::sharedConfig(), nullptr);
    auto check = [] {
        EXPECT_EQ(WEXConfig::positionOfItem("item", nullptr, "general.cfg"), (Point{}));
        EXPECT_EQ(WEXConfig::sizeOfItem("item", -1, nullptr, "general.cfg"), (Size{}));
        EXPECT_EQ(WEXConfig::rectOfItem("item", -1, nullptr, "general.cfg"), (Rect{}));
        EXPECT_EQ(WEXConfig::valueOfItem("item", nullptr, "x", "general.cfg"), std::nullopt);
        EXPECT_EQ(WEXConfig::floatValueOfItem("item", nullptr, "x", "general.cfg"), 0.0f);
        EXPECT_EQ(WEXConfig::intValueOfItem("item", -1, nullptr, "x", "general.cfg"), 0.0f);
        EXPECT_FALSE(WEXConfig::keyExistsForItem("item", -1, nullptr, "x", "general.cfg"));
        EXPECT_EQ(WEXConfig::filenameOfItem("item", nullptr, "general.cfg"), std::nullopt);
        // Also for a file that does not exist: no reader, no message.
        EXPECT_EQ(WEXConfig::positionOfItem("item", nullptr, "absent.cfg"), (Point{}));
    };
    check();
    {
        auto config = std::make_unique<WEXConfig>("ovra");
        EXPECT_EQ(WEXConfig::positionOfItem("item", nullptr, "general.cfg").x, 3.0f);
        EXPECT_EQ(WEXConfig::filenameOfItem("item", nullptr, "general.cfg"), Value("a.png"));
    }
    check(); // after the reader is destroyed
    EXPECT_TRUE(log.lines().empty());
}

struct MalformedCase {
    const char* name;
    std::string content;
};

void PrintTo(const MalformedCase& malformed, std::ostream* out) {
    *out << malformed.name;
}

std::string randomBytes() {
    std::mt19937 random(99);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string bytes(10 * 1024 * 1024, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(byte(random));
    }
    return bytes;
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
                      MalformedCase{"empty", ""}, MalformedCase{"random_10mb", randomBytes()}),
    [](const ::testing::TestParamInfo<MalformedCase>& info) { return info.param.name; });

} // namespace
} // namespace ovra
