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

TEST_F(PreferenceStore, LivesInTheUsersConfigFolderUnderTheProductName) {
    EXPECT_EQ(preferences.fileName(), store.filePath());
}

TEST_F(PreferenceStore, EmptyStoreHasNoValues) {
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

TEST_F(PreferenceStore, IntegerTextReadsAsAnInteger) {
    store.writeFile("[General]\n"
                    "a=0\n"
                    "b=-17\n"
                    "c=2147483647\n"
                    "d=-2147483648\n");
    EXPECT_EQ(preferences.integerForKey("a"), 0);
    EXPECT_EQ(preferences.integerForKey("b"), -17);
    EXPECT_EQ(preferences.integerForKey("c"), 2147483647);
    EXPECT_EQ(preferences.integerForKey("d"), std::numeric_limits<int32_t>::min());
}

TEST_F(PreferenceStore, OtherValuesAreNotIntegers) {
    store.writeFile("[General]\n"
                    "letters=abc\n"
                    "trailing=12abc\n"
                    "fraction=1.5\n"
                    "list=1, 2\n"
                    "empty=\n"
                    "toolarge=2147483648\n"
                    "hex=0x10\n"
                    "flag=true\n");
    LogCapture log;
    for (const char* key :
         {"letters", "trailing", "fraction", "list", "empty", "toolarge", "hex", "flag"}) {
        EXPECT_EQ(preferences.integerForKey(key), std::nullopt) << key;
    }
    // Each unusable stored value is reported.
    EXPECT_EQ(log.lines().size(), 8u);
}

TEST_F(PreferenceStore, BooleansReadFromTheirWordsOrNumbers) {
    store.writeFile("[General]\n"
                    "t=true\n"
                    "f=false\n"
                    "upper=TRUE\n"
                    "one=1\n"
                    "zero=0\n"
                    "word=yes please\n"
                    "list=true, false\n");
    EXPECT_EQ(preferences.boolForKey("t"), true);
    EXPECT_EQ(preferences.boolForKey("f"), false);
    EXPECT_EQ(preferences.boolForKey("upper"), true);
    EXPECT_EQ(preferences.boolForKey("one"), true);
    EXPECT_EQ(preferences.boolForKey("zero"), false);
    EXPECT_EQ(preferences.boolForKey("word"), std::nullopt);
    EXPECT_EQ(preferences.boolForKey("list"), std::nullopt);
    EXPECT_EQ(preferences.boolForKey("absent"), std::nullopt);
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
