// SPDX-License-Identifier: GPL-3.0-or-later
// Preferences on disk: what the store reads as an integer or a boolean,
// damaged files, and what the delegate loads, stores and when.
#include "AppTestSupport.hpp"

#include "app/Preferences.hpp"
#include "common/LogCapture.hpp"

#include <cmath>
#include <limits>

namespace ovra {
namespace {

using test::TemporaryPreferences;

class PreferencesOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        test::ensureWidgetApplication();
        ASSERT_TRUE(store.isValid());
    }
    // A delegate that has loaded the store as launch does.
    static std::unique_ptr<OvraTunerAppDelegate> loaded() {
        auto delegate = std::make_unique<OvraTunerAppDelegate>(test::testOptions(nullptr));
        delegate->loadPreferences();
        return delegate;
    }

    TemporaryPreferences store;
};

TEST_F(PreferencesOnDisk, DamagedWrongTypedOrOutOfRangeValuesGiveTheDefaultsAndLoadWritesNothing) {
    const struct {
        const char* what;
        QByteArray contents; // null: no file at all
        bool damaged;
    } cases[] = {
        {"no file", QByteArray(), false},
        {"wrong types",
         "[General]\novratuner.volumethreshold=2147483648\novratuner.greenzonewidth=12abc\n"
         "ovratuner.hyperactivity=maybe\novratuner.tuningkeyselected=1, 2\n",
         false},
        {"hex and fractions",
         "[General]\novratuner.volumethreshold=0x10\novratuner.greenzonewidth=1.5\n"
         "ovratuner.hyperactivity=yes please\novratuner.tuningkeyselected=\n",
         false},
        {"binary garbage",
         QByteArrayLiteral("\x00\xff\xfe[General\x01]\novratuner.volumethreshold\x00=7"), false},
        {"unparsable", QByteArray(100000, '['), true},
        {"key 7", "[General]\novratuner.tuningkeyselected=7\n", false},
        {"key -1", "[General]\novratuner.tuningkeyselected=-1\n", false},
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
        EXPECT_EQ(fresh.fileContents(), c.contents) << c.what;
        if (c.damaged) {
            EXPECT_FALSE(log.lines().empty()) << "said";
            delegate->storeDefaultValues(); // replaces it with a readable file
            EXPECT_EQ(fresh.fileValue(TunerSettings::KEY_VOLUME_THRESHOLD), QStringLiteral("500"));
        }
    }
}

TEST_F(PreferencesOnDisk, StoredValuesAreLoadedStoringWritesTheThreeSettingsAndMayFail) {
    store.writeFile("[General]\novratuner.volumethreshold=0\novratuner.greenzonewidth=-3\n"
                    "ovratuner.hyperactivity=TRUE\novratuner.tuningkeyselected=6\n");
    auto delegate = loaded();
    EXPECT_EQ(delegate->volumeThreshold(), 0) << "used unchecked";
    EXPECT_EQ(delegate->greenZoneCentsWidth(), -3);
    EXPECT_TRUE(delegate->hyperactivityMode());
    EXPECT_EQ(delegate->lastTuningKeySelected(), 6);

    delegate->setVolumeSensitivity(0.5f);
    delegate->setGreenZoneCentsWidth(25);
    delegate->setHyperactivityMode(false);
    delegate->storeDefaultValues();
    auto next = loaded();
    EXPECT_EQ(next->volumeThreshold(), 525);
    EXPECT_EQ(next->greenZoneCentsWidth(), 25);
    EXPECT_FALSE(next->hyperactivityMode());

    // An unwritable store is reported, not fatal.
    QFile::remove(store.filePath());
    QDir(store.folder()).removeRecursively();
    QFile blocker(store.folder()); // a file where the folder should be
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(Preferences().setIntegerForKey(1, "ovratuner.tuningkeyselected"));
}

TEST_F(PreferencesOnDisk, TuningAndPitchAreKeptOnlyOnceChosenAndOddOnesReadAsStandardAt440) {
    const struct {
        const char* storedTuning;
        const char* storedPitch;
        const char* tuning;
        int32_t pitch;
    } cases[] = {
        {"open-e", "415", "open-e", 415},
        {"true", "442Hz", "standard", 440},
        {"", "414", "standard", 440},
    };
    for (const auto& c : cases) {
        store.writeFile(
            QStringLiteral("[General]\novratuner.tuning=%1\novratuner.referencepitch=%2\n")
                .arg(QLatin1String(c.storedTuning), QLatin1String(c.storedPitch))
                .toUtf8());
        auto delegate = loaded();
        EXPECT_EQ(delegate->tuning().id, c.tuning) << c.storedTuning;
        EXPECT_EQ(delegate->referencePitch(), c.pitch) << c.storedPitch;
        delegate->storeDefaultValues(); // not chosen: left as they were
        EXPECT_EQ(store.fileValue(TunerSettings::KEY_TUNING), QLatin1String(c.storedTuning));
        EXPECT_EQ(store.fileValue(TunerSettings::KEY_REFERENCE_PITCH),
                  QLatin1String(c.storedPitch));
    }

    // After a command-line choice (for one run), what the user picks is kept.
    store.writeFile("[General]\novratuner.tuning=dadgad\n");
    OvraTunerAppDelegate::Options options = test::testOptions(nullptr);
    options.tuningOverride = findTuning("drop-c");
    options.referencePitchOverride = 432;
    OvraTunerAppDelegate overridden(options);
    overridden.loadPreferences();
    overridden.setReferencePitch(1000); // ignored: out of range
    overridden.setReferencePitch(443);
    overridden.storeDefaultValues();
    EXPECT_EQ(store.fileValue(TunerSettings::KEY_TUNING), QStringLiteral("dadgad"));
    EXPECT_EQ(store.fileValue(TunerSettings::KEY_REFERENCE_PITCH), QStringLiteral("443"));
}

TEST_F(PreferencesOnDisk, SensitivityMapsToThresholdTruncatingTowardZeroAndStaysDefined) {
    const struct {
        float sensitivity;
        int32_t threshold;
    } cases[] = {{0.5f, 525},    {0.0f, 1000}, {1.0f, 50},
                 {0.0011f, 999}, {2.0f, -900}, {-1e30f, INT32_MAX}};
    auto delegate = loaded();
    EXPECT_FLOAT_EQ(delegate->volumeSensitivity(), 0.5263158f);
    for (const auto& c : cases) {
        delegate->setVolumeSensitivity(c.sensitivity);
        EXPECT_EQ(delegate->volumeThreshold(), c.threshold) << c.sensitivity;
    }
    delegate->setVolumeSensitivity(0.5f);
    delegate->setVolumeSensitivity(std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(delegate->volumeThreshold(), 525) << "not a number changes nothing";
    store.writeFile("[General]\novratuner.volumethreshold=-2147483648\n");
    EXPECT_TRUE(std::isfinite(loaded()->volumeSensitivity()));
}

} // namespace
} // namespace ovra
