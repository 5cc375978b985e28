// Launch, the life cycle and teardown, with a scripted sound source.
#include "AppTestSupport.hpp"

#include "app/TunerWindow.hpp"
#include "layout/WEXConfig.hpp"
#include "tuner/OvraMainView.hpp"

#include <QTimer>

namespace ovra {
namespace {

using test::eventually;
using test::TemporaryPreferences;

class DelegateLifecycle : public ::testing::Test {
protected:
    void SetUp() override {
        test::ensureWidgetApplication();
        ASSERT_TRUE(store.isValid());
    }
    void TearDown() override {
        delegate.reset();
        test::finishCapture();
    }
    void launch(bool followApplicationState = false) {
        delegate = std::make_unique<OvraTunerAppDelegate>(
            OvraTunerAppDelegate::Options{test::quickFactory(source), followApplicationState});
        delegate->applicationDidFinishLaunching();
    }
    size_t queuesMade() const { return source->reports().size(); }
    bool queueStarted(size_t index) const {
        const auto reports = source->reports();
        return reports.size() > index && reports[index].started;
    }
    bool queueDisposed(size_t index) const {
        const auto reports = source->reports();
        return reports.size() > index && reports[index].disposed;
    }
    QString stored(const char* key) const { return store.fileValue(key); }

    TemporaryPreferences store;
    std::shared_ptr<ScriptedAudioSource> source = ScriptedAudioSource::create();
    std::unique_ptr<OvraTunerAppDelegate> delegate;
};

TEST_F(DelegateLifecycle, LaunchBuildsWindowScreenLayoutAndCapture) {
    launch();
    EXPECT_TRUE(delegate->isLaunched());
    EXPECT_EQ(OvraTunerAppDelegate::sharedAppDelegate(), delegate.get());
    EXPECT_EQ(TunerAppDelegate::sharedAppDelegate(), delegate.get());

    TunerWindow* window = delegate->window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    OvraMainView* screen = delegate->mainView();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(window->contentView(), screen);
    EXPECT_EQ(screen->frame(), window->bounds());

    ASSERT_NE(delegate->layoutConfig(), nullptr);
    EXPECT_EQ(WEXConfig::sharedConfig(), delegate->layoutConfig());
    EXPECT_EQ(delegate->layoutConfig()->configPrefix(), std::optional<std::string>("ovra"));

    auto trapper = delegate->audioTrapper();
    ASSERT_NE(trapper, nullptr);
    EXPECT_EQ(CorvaneAudioTrapper::sharedAudioTrapper(), trapper);
    EXPECT_EQ(trapper->delegate(), screen->captureDelegate());
    EXPECT_NE(trapper->audioThread(), nullptr);
    EXPECT_TRUE(eventually([&] { return queueStarted(0); }));
    EXPECT_EQ(queuesMade(), 1u);
}

TEST_F(DelegateLifecycle, ScreenIsBuiltWithTheStoredSettings) {
    store.writeFile("[General]\n"
                    "ovratuner.volumethreshold=700\n"
                    "ovratuner.hyperactivity=true\n"
                    "ovratuner.tuningkeyselected=3\n");
    launch();
    EXPECT_EQ(delegate->volumeThreshold(), 700);
    EXPECT_TRUE(delegate->hyperactivityMode());
    EXPECT_EQ(delegate->mainView()->activeTuningKeyIndex(), 3);
    EXPECT_FALSE(delegate->mainView()->autoSwitchModeEnabled());
}

TEST_F(DelegateLifecycle, StoredMagicKeyStartsInAutomaticMode) {
    store.writeFile("[General]\novratuner.tuningkeyselected=6\n");
    launch();
    EXPECT_TRUE(delegate->mainView()->autoSwitchModeEnabled());
    EXPECT_EQ(delegate->lastTuningKeySelected(), 6);
}

TEST_F(DelegateLifecycle, ResignStopsCaptureAndWritesTheSettings) {
    launch();
    ASSERT_TRUE(eventually([&] { return queueStarted(0); }));
    delegate->setVolumeSensitivity(0.5f);
    delegate->setGreenZoneCentsWidth(12);
    delegate->setHyperactivityMode(true);
    // Nothing but the tuning key is written before.
    EXPECT_TRUE(stored(OvraTunerAppDelegate::KEY_VOLUME_THRESHOLD).isNull());

    delegate->applicationWillResignActive();
    EXPECT_EQ(delegate->audioTrapper()->audioThread(), nullptr);
    EXPECT_TRUE(eventually([&] { return queueDisposed(0); }));
    EXPECT_EQ(stored(OvraTunerAppDelegate::KEY_VOLUME_THRESHOLD), QStringLiteral("525"));
    EXPECT_EQ(stored(OvraTunerAppDelegate::KEY_GREEN_ZONE_CENTS_WIDTH), QStringLiteral("12"));
    EXPECT_EQ(stored(OvraTunerAppDelegate::KEY_HYPERACTIVITY_MODE), QStringLiteral("true"));
}

TEST_F(DelegateLifecycle, BecomingActiveRestartsCaptureWithoutWriting) {
    launch();
    ASSERT_TRUE(eventually([&] { return queueStarted(0); }));
    delegate->applicationWillResignActive();
    const QByteArray written = store.fileContents();
    ASSERT_FALSE(written.isEmpty());

    delegate->setVolumeSensitivity(0.0f);
    delegate->applicationDidBecomeActive();
    EXPECT_NE(delegate->audioTrapper()->audioThread(), nullptr);
    EXPECT_TRUE(eventually([&] { return queueStarted(1); }));
    EXPECT_EQ(queuesMade(), 2u);
    EXPECT_EQ(store.fileContents(), written);

    // The next resign writes the changed threshold.
    delegate->applicationWillResignActive();
    EXPECT_EQ(stored(OvraTunerAppDelegate::KEY_VOLUME_THRESHOLD), QStringLiteral("1000"));
}

TEST_F(DelegateLifecycle, TerminateStopsCaptureAndWritesTheSettings) {
    launch();
    ASSERT_TRUE(eventually([&] { return queueStarted(0); }));
    delegate->setVolumeSensitivity(1.0f);
    delegate->applicationWillTerminate();
    EXPECT_EQ(delegate->audioTrapper()->audioThread(), nullptr);
    EXPECT_TRUE(eventually([&] { return queueDisposed(0); }));
    EXPECT_EQ(stored(OvraTunerAppDelegate::KEY_VOLUME_THRESHOLD), QStringLiteral("50"));
    EXPECT_EQ(stored(OvraTunerAppDelegate::KEY_HYPERACTIVITY_MODE), QStringLiteral("false"));
}

TEST_F(DelegateLifecycle, OnlyTheFirstLaunchCounts) {
    launch();
    TunerWindow* window = delegate->window();
    OvraMainView* screen = delegate->mainView();
    auto trapper = delegate->audioTrapper();
    delegate->applicationDidFinishLaunching();
    EXPECT_EQ(delegate->window(), window);
    EXPECT_EQ(delegate->mainView(), screen);
    EXPECT_EQ(delegate->audioTrapper(), trapper);
    EXPECT_TRUE(eventually([&] { return queueStarted(0); }));
    EXPECT_EQ(queuesMade(), 1u);
}

TEST_F(DelegateLifecycle, StateChangesMapToResignAndBecomeActive) {
    launch();
    ASSERT_TRUE(eventually([&] { return queueStarted(0); }));
    // Not active yet: inactive again means nothing.
    delegate->handleApplicationStateChange(Qt::ApplicationInactive);
    EXPECT_NE(delegate->audioTrapper()->audioThread(), nullptr);

    delegate->handleApplicationStateChange(Qt::ApplicationActive);
    EXPECT_TRUE(eventually([&] { return queueStarted(1); }));

    delegate->handleApplicationStateChange(Qt::ApplicationHidden);
    EXPECT_EQ(delegate->audioTrapper()->audioThread(), nullptr);
    EXPECT_EQ(stored(OvraTunerAppDelegate::KEY_VOLUME_THRESHOLD), QStringLiteral("500"));
    delegate->setVolumeSensitivity(1.0f);
    delegate->handleApplicationStateChange(Qt::ApplicationSuspended);
    delegate->handleApplicationStateChange(Qt::ApplicationInactive);
    // Written once, when the application left the active state.
    EXPECT_EQ(stored(OvraTunerAppDelegate::KEY_VOLUME_THRESHOLD), QStringLiteral("500"));
    EXPECT_EQ(delegate->audioTrapper()->audioThread(), nullptr);

    delegate->handleApplicationStateChange(Qt::ApplicationActive);
    EXPECT_TRUE(eventually([&] { return queueStarted(2); }));
    EXPECT_EQ(queuesMade(), 3u);
}

TEST_F(DelegateLifecycle, FollowsTheApplicationsStateAndQuit) {
    if (QGuiApplication::applicationState() == Qt::ApplicationActive) {
        GTEST_SKIP() << "the application was already active; run this test on its own";
    }
    launch(true);
    // Becoming active after the window shows starts capture a second time.
    EXPECT_TRUE(eventually([&] { return queueStarted(1); }));
    EXPECT_EQ(QGuiApplication::applicationState(), Qt::ApplicationActive);

    delegate->setVolumeSensitivity(0.0f);
    QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
    QCoreApplication::exec();
    EXPECT_EQ(delegate->audioTrapper()->audioThread(), nullptr);
    EXPECT_EQ(stored(OvraTunerAppDelegate::KEY_VOLUME_THRESHOLD), QStringLiteral("1000"));
}

TEST_F(DelegateLifecycle, TeardownUnregistersStopsCaptureAndClosesTheWindow) {
    launch();
    ASSERT_TRUE(eventually([&] { return queueStarted(0); }));
    std::weak_ptr<CorvaneAudioTrapper> trapper = delegate->audioTrapper();
    QPointer<TunerWindow> window = delegate->window();
    QPointer<OvraMainView> screen = delegate->mainView();

    delegate.reset();
    EXPECT_EQ(TunerAppDelegate::sharedAppDelegate(), nullptr);
    EXPECT_EQ(WEXConfig::sharedConfig(), nullptr);
    EXPECT_TRUE(screen.isNull());
    EXPECT_TRUE(window.isNull());
    // The stopped thread ends and lets go of the capture object.
    EXPECT_TRUE(eventually([&] { return queueDisposed(0); }));
    test::finishCapture();
    EXPECT_TRUE(trapper.expired());
    // Teardown writes nothing.
    EXPECT_TRUE(stored(OvraTunerAppDelegate::KEY_VOLUME_THRESHOLD).isNull());
}

TEST_F(DelegateLifecycle, BeforeLaunchNothingIsSharedAndLifeCycleCallsOnlyStore) {
    delegate = std::make_unique<OvraTunerAppDelegate>(
        OvraTunerAppDelegate::Options{test::quickFactory(source), false});
    EXPECT_EQ(OvraTunerAppDelegate::sharedAppDelegate(), nullptr);
    delegate->setAudioOn(true);
    delegate->applicationDidBecomeActive();
    EXPECT_EQ(delegate->audioTrapper(), nullptr);
    delegate->applicationWillResignActive();
    EXPECT_EQ(queuesMade(), 0u);
    EXPECT_EQ(stored(OvraTunerAppDelegate::KEY_VOLUME_THRESHOLD), QStringLiteral("500"));
}

} // namespace
} // namespace ovra
