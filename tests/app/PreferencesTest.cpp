// The preference store: what counts as an integer or a boolean, damaged
// files, and writes that reach the disk at once.
#include "AppTestSupport.hpp"

#include "app/Preferences.hpp"
#include "common/LogCapture.hpp"

#include <QStringList>

namespace ovra {
namespace {

using test::TemporaryPreferences;

class PreferenceStore : public ::testing::Test {
protected:
    void SetUp() override {
        test::ensureWidgetApplication();
        ASSERT_TRUE(store.isValid());
    }
    TemporaryPreferences store;
    Preferences preferences;
};

TEST_F(PreferenceStore, EmptyStoreInTheUsersConfigFolderUnderTheProductNameHasNoValues) {
    EXPECT_EQ(preferences.fileName(), store.filePath());
    EXPECT_EQ(preferences.integerForKey("ovratuner.volumethreshold"), std::nullopt);
    EXPECT_EQ(preferences.boolForKey("ovratuner.hyperactivity"), std::nullopt);
    EXPECT_FALSE(preferences.containsKey("ovratuner.volumethreshold"));
    EXPECT_TRUE(preferences.isReadable());
}

TEST_F(PreferenceStore, IntegersWrittenAreOnDiskAtOnce) {
    ASSERT_TRUE(preferences.setIntegerForKey(-42, "ovratuner.greenzonewidth"));
    EXPECT_EQ(store.fileValue("ovratuner.greenzonewidth"), QStringLiteral("-42"));
    EXPECT_EQ(preferences.integerForKey("ovratuner.greenzonewidth"), -42);
    ASSERT_TRUE(preferences.setBoolForKey(true, "ovratuner.hyperactivity"));
    EXPECT_EQ(store.fileValue("ovratuner.hyperactivity"), QStringLiteral("true"));
    EXPECT_EQ(preferences.boolForKey("ovratuner.hyperactivity"), true);
}

TEST_F(PreferenceStore, OnlyIntegerTextIsAnIntegerAndEveryOtherValueIsReported) {
    store.writeFile("[General]\na=0\nb=-17\nc=2147483647\nd=-2147483648\nletters=abc\n"
                    "trailing=12abc\nfraction=1.5\nlist=1, 2\nempty=\ntoolarge=2147483648\n"
                    "hex=0x10\nflag=true\n");
    const std::pair<const char*, std::optional<int32_t>> cases[] = {
        {"a", 0},        {"b", -17},       {"c", 2147483647}, {"d", INT32_MIN},
        {"letters", {}}, {"trailing", {}}, {"fraction", {}},  {"list", {}},
        {"empty", {}},   {"toolarge", {}}, {"hex", {}},       {"flag", {}}};
    LogCapture log;
    for (const auto& [key, expected] : cases) {
        EXPECT_EQ(preferences.integerForKey(key), expected) << key;
    }
    EXPECT_EQ(log.lines().size(), 8u);
}

TEST_F(PreferenceStore, BooleansReadFromTheirWordsOrNumbers) {
    store.writeFile("[General]\nt=true\nf=false\nupper=TRUE\none=1\nzero=0\nword=yes please\n"
                    "list=true, false\n");
    const std::pair<const char*, std::optional<bool>> cases[] = {
        {"t", true},     {"f", false},           {"upper", true},        {"one", true},
        {"zero", false}, {"word", std::nullopt}, {"list", std::nullopt}, {"absent", std::nullopt},
    };
    for (const auto& [key, expected] : cases) {
        EXPECT_EQ(preferences.boolForKey(key), expected) << key;
    }
}

TEST_F(PreferenceStore, DamagedFilesKeepOnlyWhatStillReads) {
    struct Case {
        QByteArray contents;
        std::optional<int32_t> threshold;
        bool readable;
    };
    const Case cases[] = {
        {test::bytes("\x00\x01\xff\xfe[[[=\n=\x80\x81garbage"), std::nullopt, true},
        // A broken section line: the file is damaged, the line after it still reads.
        {QByteArray("[General\novratuner.volumethreshold=700\n"), 700, false},
        {QByteArray(100000, '['), std::nullopt, false},
        {QByteArray("ovratuner.volumethreshold=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\xff)\n"),
         std::nullopt, true},
        {test::bytes("\x00\xff\xfe[General\x01]\novratuner.volumethreshold\x00=7"), std::nullopt,
         false},
    };
    for (const Case& damaged : cases) {
        TemporaryPreferences fresh;
        fresh.writeFile(damaged.contents);
        Preferences reader;
        const std::string what = damaged.contents.left(24).toHex().toStdString();
        EXPECT_EQ(reader.integerForKey("ovratuner.volumethreshold"), damaged.threshold) << what;
        EXPECT_EQ(reader.boolForKey("ovratuner.hyperactivity"), std::nullopt) << what;
        EXPECT_EQ(reader.isReadable(), damaged.readable) << what;
    }
}

TEST_F(PreferenceStore, ADamagedFileIsReplacedByTheNextWrite) {
    store.writeFile(test::bytes("\x00\x01\xff[[[\n"));
    ASSERT_TRUE(preferences.setIntegerForKey(650, "ovratuner.volumethreshold"));
    EXPECT_EQ(preferences.integerForKey("ovratuner.volumethreshold"), 650);
    EXPECT_EQ(store.fileValue("ovratuner.volumethreshold"), QStringLiteral("650"));
}

TEST_F(PreferenceStore, SeveralValuesAreWrittenTogether) {
    ASSERT_TRUE(preferences.setIntegerAndBoolValues({{"x", 1}, {"y", 2}}, {{"z", false}}));
    EXPECT_EQ(store.fileValue("x"), QStringLiteral("1"));
    EXPECT_EQ(store.fileValue("y"), QStringLiteral("2"));
    EXPECT_EQ(store.fileValue("z"), QStringLiteral("false"));
}

TEST_F(PreferenceStore, UnwritableStoreIsReportedNotFatal) {
    // A file where the folder should be.
    QFile blocker(store.folder());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    LogCapture log;
    EXPECT_FALSE(preferences.setIntegerForKey(1, "ovratuner.tuningkeyselected"));
    ASSERT_FALSE(log.lines().empty());
    EXPECT_NE(log.lines().front().find("couldn't write preferences"), std::string::npos);
}

} // namespace
} // namespace ovra
