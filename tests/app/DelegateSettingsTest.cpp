// The delegate's settings: defaults, loading, the sensitivity arithmetic and
// what is written when.
#include "AppTestSupport.hpp"

#include "common/LogCapture.hpp"
#include "common/Version.hpp"

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

TEST_F(DelegateSettings, EmptyStoreGivesTheDefaults) {
    auto delegate = loaded();
    EXPECT_EQ(delegate->volumeThreshold(), 500);
    EXPECT_EQ(delegate->greenZoneCentsWidth(), 10);
    EXPECT_FALSE(delegate->hyperactivityMode());
    EXPECT_EQ(delegate->lastTuningKeySelected(), 0);
    // Loading writes nothing.
    EXPECT_FALSE(QFile::exists(store.filePath()));
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

TEST_F(DelegateSettings, WrongTypedValuesCountAsAbsent) {
    store.writeFile("[General]\n"
                    "ovratuner.volumethreshold=abc\n"
                    "ovratuner.greenzonewidth=12abc\n"
                    "ovratuner.hyperactivity=maybe\n"
                    "ovratuner.tuningkeyselected=1, 2\n");
    LogCapture log;
    auto delegate = loaded();
    EXPECT_EQ(delegate->volumeThreshold(), 500);
    EXPECT_EQ(delegate->greenZoneCentsWidth(), 10);
    EXPECT_FALSE(delegate->hyperactivityMode());
    EXPECT_EQ(delegate->lastTuningKeySelected(), 0);
    EXPECT_GE(log.lines().size(), 4u);
}

TEST_F(DelegateSettings, TuningKeyOutsideTheKeysIsNoSelection) {
    for (const char* stored : {"7", "-1", "2147483647"}) {
        TemporaryPreferences fresh;
        fresh.writeFile(QByteArray("[General]\novratuner.tuningkeyselected=") + stored + "\n");
        auto delegate = loaded();
        EXPECT_EQ(delegate->lastTuningKeySelected(), 0) << stored;
    }
}

TEST_F(DelegateSettings, BinaryGarbageYieldsDefaults) {
    store.writeFile(test::bytes("\x00\xff\xfe[General\x01]\novratuner.volumethreshold\x00=7"));
    auto delegate = loaded();
    EXPECT_EQ(delegate->volumeThreshold(), 500);
    EXPECT_EQ(delegate->greenZoneCentsWidth(), 10);
    EXPECT_FALSE(delegate->hyperactivityMode());
    EXPECT_EQ(delegate->lastTuningKeySelected(), 0);
}

TEST_F(DelegateSettings, UnparsableFileYieldsDefaultsAndIsReported) {
    store.writeFile(QByteArray(100000, '['));
    LogCapture log;
    auto delegate = loaded();
    EXPECT_EQ(delegate->volumeThreshold(), 500);
    EXPECT_EQ(delegate->greenZoneCentsWidth(), 10);
    EXPECT_FALSE(delegate->hyperactivityMode());
    EXPECT_EQ(delegate->lastTuningKeySelected(), 0);
    const std::vector<std::string> lines = log.lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back().rfind("Warning : damaged preferences file - ", 0), 0u);
    // The next store replaces it with a readable file.
    delegate->storeDefaultValues();
    EXPECT_EQ(store.fileValue(OvraTunerAppDelegate::KEY_VOLUME_THRESHOLD), QStringLiteral("500"));
}

TEST_F(DelegateSettings, SelectedTuningKeyIsStoredAtOnce) {
    auto delegate = loaded();
    delegate->updateSelectedTuningKey(4);
    EXPECT_EQ(delegate->lastTuningKeySelected(), 4);
    EXPECT_EQ(store.fileValue(OvraTunerAppDelegate::KEY_SELECTED_TUNING_KEY_INDEX),
              QStringLiteral("4"));
    // A second delegate (another run of the application) reads it too.
    auto other = loaded();
    EXPECT_EQ(other->lastTuningKeySelected(), 4);
    // Only the tuning key went to the store.
    EXPECT_TRUE(store.fileValue(OvraTunerAppDelegate::KEY_VOLUME_THRESHOLD).isNull());
}

TEST_F(DelegateSettings, SelectedTuningKeyIsReadFromTheStoreEachTime) {
    auto delegate = loaded();
    delegate->updateSelectedTuningKey(2);
    auto other = loaded();
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

TEST_F(DelegateSettings, HalfSensitivityGivesThreshold525AndBack) {
    auto delegate = loaded();
    LogCapture log;
    delegate->setVolumeSensitivity(0.5f);
    EXPECT_EQ(delegate->volumeThreshold(), 525);
    EXPECT_EQ(log.lines(), std::vector<std::string>{"Volume threshold=525"});
    EXPECT_EQ(delegate->volumeSensitivity(), 0.5f);
}

TEST_F(DelegateSettings, DefaultThresholdRoundTripsThroughTheSlidersValue) {
    auto delegate = loaded();
    const float sensitivity = delegate->volumeSensitivity();
    EXPECT_EQ(sensitivity, 1.0f - 450.0f / 950.0f);
    EXPECT_FLOAT_EQ(sensitivity, 0.5263158f);
    delegate->setVolumeSensitivity(sensitivity);
    EXPECT_EQ(delegate->volumeThreshold(), 500);
}

TEST_F(DelegateSettings, SensitivityEndsGiveTheThresholdEnds) {
    auto delegate = loaded();
    delegate->setVolumeSensitivity(0.0f);
    EXPECT_EQ(delegate->volumeThreshold(), 1000);
    EXPECT_EQ(delegate->volumeSensitivity(), 0.0f);
    delegate->setVolumeSensitivity(1.0f);
    EXPECT_EQ(delegate->volumeThreshold(), 50);
    EXPECT_EQ(delegate->volumeSensitivity(), 1.0f);
}

TEST_F(DelegateSettings, SensitivityTruncatesTowardZero) {
    auto delegate = loaded();
    // 950 * 0.0011 = 1.045 -> 1; 950 * -0.0011 = -1.045 -> -1.
    delegate->setVolumeSensitivity(0.0011f);
    EXPECT_EQ(delegate->volumeThreshold(), 999);
    delegate->setVolumeSensitivity(-0.0011f);
    EXPECT_EQ(delegate->volumeThreshold(), 1001);
    // Not clamped to the slider's range.
    delegate->setVolumeSensitivity(2.0f);
    EXPECT_EQ(delegate->volumeThreshold(), -900);
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

TEST_F(DelegateSettings, VersionIsTheApplicationsVersion) {
    auto delegate = loaded();
    EXPECT_EQ(delegate->versionString(), std::string(OVRA_VERSION));
    EXPECT_FALSE(delegate->versionString().empty());
}

TEST_F(DelegateSettings, NotSharedBeforeLaunch) {
    auto delegate = loaded();
    EXPECT_EQ(OvraTunerAppDelegate::sharedAppDelegate(), nullptr);
    EXPECT_EQ(delegate->audioTrapper(), nullptr);
    // Capture switches do nothing without a capture object.
    delegate->setAudioOn(true);
    delegate->applicationDidBecomeActive();
    EXPECT_EQ(delegate->audioTrapper(), nullptr);
}

} // namespace
} // namespace ovra
