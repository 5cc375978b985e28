// The delegate's settings: defaults, loading, the sensitivity arithmetic and
// what is written when.
#include "AppTestSupport.hpp"

#include "common/LogCapture.hpp"

#include <cmath>
#include <limits>

namespace ovra {
namespace {

using test::TemporaryPreferences;

class DelegateSettings : public ::testing::Test {
protected:
    void SetUp() override {
        test::ensureWidgetApplication();
        ASSERT_TRUE(store.isValid());
    }
    // A delegate that has loaded the store as launch does.
    std::unique_ptr<OvraTunerAppDelegate> loaded() {
        auto delegate =
            std::make_unique<OvraTunerAppDelegate>(OvraTunerAppDelegate::Options{nullptr, false});
        delegate->loadPreferences();
        return delegate;
    }
    TemporaryPreferences store;
};

TEST_F(DelegateSettings, EmptyCorruptOrWrongTypedStoresGiveTheDefaultsAndLoadingWritesNothing) {
    const struct {
        const char* what;
        QByteArray contents; // null: no file at all
        size_t logLines;
        bool damaged;
    } cases[] = {
        {"empty store", QByteArray(), 0, false},
        {"wrong types",
         "[General]\novratuner.volumethreshold=abc\novratuner.greenzonewidth=12abc\n"
         "ovratuner.hyperactivity=maybe\novratuner.tuningkeyselected=1, 2\n",
         4, false},
        {"binary garbage",
         test::bytes("\x00\xff\xfe[General\x01]\novratuner.volumethreshold\x00=7"), 0, false},
        {"unparsable", QByteArray(100000, '['), 1, true},
        {"key 7", "[General]\novratuner.tuningkeyselected=7\n", 0, false},
        {"key -1", "[General]\novratuner.tuningkeyselected=-1\n", 0, false},
        {"key max", "[General]\novratuner.tuningkeyselected=2147483647\n", 0, false},
    };
    for (const auto& c : cases) {
        TemporaryPreferences fresh;
        if (!c.contents.isNull()) {
            fresh.writeFile(c.contents);
        }
        LogCapture log;
        auto delegate = loaded();
        EXPECT_EQ(delegate->volumeThreshold(), 500) << c.what;
        EXPECT_EQ(delegate->greenZoneCentsWidth(), 10) << c.what;
        EXPECT_FALSE(delegate->hyperactivityMode()) << c.what;
        EXPECT_EQ(delegate->lastTuningKeySelected(), 0) << c.what;
        EXPECT_EQ(QFile::exists(fresh.filePath()), !c.contents.isNull()) << c.what;
        EXPECT_EQ(fresh.fileContents(), c.contents) << c.what;
        const std::vector<std::string> lines = log.lines();
        EXPECT_GE(lines.size(), c.logLines) << c.what;
        if (c.damaged) {
            ASSERT_FALSE(lines.empty());
            EXPECT_EQ(lines.back().rfind("Warning : damaged preferences file - ", 0), 0u);
            // The next store replaces it with a readable file.
            delegate->storeDefaultValues();
            EXPECT_EQ(fresh.fileValue(OvraTunerAppDelegate::KEY_VOLUME_THRESHOLD),
                      QStringLiteral("500"));
        }
    }
}

TEST_F(DelegateSettings, StoredValuesAreUsedUnchecked) {
    store.writeFile("[General]\n"
                    "ovratuner.volumethreshold=0\n"
                    "ovratuner.greenzonewidth=-3\n"
                    "ovratuner.hyperactivity=true\n"
                    "ovratuner.tuningkeyselected=6\n");
    auto delegate = loaded();
    EXPECT_EQ(delegate->volumeThreshold(), 0);
    EXPECT_EQ(delegate->greenZoneCentsWidth(), -3);
    EXPECT_TRUE(delegate->hyperactivityMode());
    EXPECT_EQ(delegate->lastTuningKeySelected(), 6);
}

TEST_F(DelegateSettings, SelectedTuningKeyIsStoredAtOnceAndReadFromTheStoreEachTime) {
    auto delegate = loaded();
    delegate->updateSelectedTuningKey(4);
    EXPECT_EQ(delegate->lastTuningKeySelected(), 4);
    EXPECT_EQ(store.fileValue(OvraTunerAppDelegate::KEY_SELECTED_TUNING_KEY_INDEX),
              QStringLiteral("4"));
    // Only the tuning key went to the store.
    EXPECT_TRUE(store.fileValue(OvraTunerAppDelegate::KEY_VOLUME_THRESHOLD).isNull());
    // A second delegate (another run of the application) reads it, and what
    // it stores is what the first one reads next.
    auto other = loaded();
    EXPECT_EQ(other->lastTuningKeySelected(), 4);
    other->updateSelectedTuningKey(5);
    EXPECT_EQ(delegate->lastTuningKeySelected(), 5);
}

TEST_F(DelegateSettings, StoringWritesTheThreeSettings) {
    auto delegate = loaded();
    delegate->setVolumeSensitivity(0.5f);
    delegate->setGreenZoneCentsWidth(25);
    delegate->setHyperactivityMode(true);
    EXPECT_FALSE(QFile::exists(store.filePath()));
    delegate->storeDefaultValues();
    EXPECT_EQ(store.fileValue(OvraTunerAppDelegate::KEY_VOLUME_THRESHOLD), QStringLiteral("525"));
    EXPECT_EQ(store.fileValue(OvraTunerAppDelegate::KEY_GREEN_ZONE_CENTS_WIDTH),
              QStringLiteral("25"));
    EXPECT_EQ(store.fileValue(OvraTunerAppDelegate::KEY_HYPERACTIVITY_MODE),
              QStringLiteral("true"));
    EXPECT_TRUE(store.fileValue(OvraTunerAppDelegate::KEY_SELECTED_TUNING_KEY_INDEX).isNull());

    auto next = loaded();
    EXPECT_EQ(next->volumeThreshold(), 525);
    EXPECT_EQ(next->greenZoneCentsWidth(), 25);
    EXPECT_TRUE(next->hyperactivityMode());
}

TEST_F(DelegateSettings, SensitivityMapsToThresholdTruncatingTowardZeroUnclamped) {
    const struct {
        float sensitivity;
        int threshold;
        bool roundTrips; // volumeSensitivity() gives the sensitivity back
    } cases[] = {
        {0.5f, 525, true},       {0.0f, 1000, true},
        {1.0f, 50, true},        {0.0011f, 999, false}, // 950 * 0.0011 = 1.045 -> 1
        {-0.0011f, 1001, false},                        // -1.045 -> -1
        {2.0f, -900, false},                            // not clamped to the slider's range
    };
    auto delegate = loaded();
    for (const auto& c : cases) {
        LogCapture log;
        delegate->setVolumeSensitivity(c.sensitivity);
        EXPECT_EQ(delegate->volumeThreshold(), c.threshold) << c.sensitivity;
        EXPECT_EQ(log.lines(),
                  std::vector<std::string>{"Volume threshold=" + std::to_string(c.threshold)})
            << c.sensitivity;
        if (c.roundTrips) {
            EXPECT_EQ(delegate->volumeSensitivity(), c.sensitivity);
        }
    }
}

TEST_F(DelegateSettings, DefaultThresholdRoundTripsThroughTheSlidersValue) {
    auto delegate = loaded();
    const float sensitivity = delegate->volumeSensitivity();
    EXPECT_EQ(sensitivity, 1.0f - 450.0f / 950.0f);
    EXPECT_FLOAT_EQ(sensitivity, 0.5263158f);
    delegate->setVolumeSensitivity(sensitivity);
    EXPECT_EQ(delegate->volumeThreshold(), 500);
}

TEST_F(DelegateSettings, ExtremeValuesStayDefined) {
    store.writeFile("[General]\novratuner.volumethreshold=-2147483648\n");
    auto delegate = loaded();
    ASSERT_EQ(delegate->volumeThreshold(), std::numeric_limits<int32_t>::min());
    EXPECT_TRUE(std::isfinite(delegate->volumeSensitivity()));
    EXPECT_GT(delegate->volumeSensitivity(), 1.0f);

    // Far past the slider's range the threshold still moves the right way.
    delegate->setVolumeSensitivity(1e30f);
    EXPECT_LT(delegate->volumeThreshold(), -2000000000);
    delegate->setVolumeSensitivity(-1e30f);
    EXPECT_EQ(delegate->volumeThreshold(), std::numeric_limits<int32_t>::max());
    delegate->setVolumeSensitivity(0.5f);
    LogCapture log;
    delegate->setVolumeSensitivity(std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(delegate->volumeThreshold(), 525);
    EXPECT_EQ(log.count("Volume threshold=525"), 0);
}

TEST_F(DelegateSettings, DefaultsCanBeRestored) {
    auto delegate = loaded();
    delegate->setVolumeSensitivity(0.9f);
    delegate->setGreenZoneCentsWidth(3);
    delegate->setVolumeThresholdToDefault();
    EXPECT_EQ(delegate->volumeThreshold(), 500);
    EXPECT_EQ(delegate->greenZoneCentsWidth(), 3);
    delegate->setGreenZoneCentsWidthToDefault();
    EXPECT_EQ(delegate->greenZoneCentsWidth(), 10);
}

} // namespace
} // namespace ovra
