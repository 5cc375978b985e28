// The tuner screen as the capture object's delegate: refreshes posted from
// the capture thread, run on the main thread, and what a played note does
// to the screen end to end.
#include "MainViewTestSupport.hpp"

#include "TestTones.hpp"
#include "analysis/AnalysisCallback.hpp"
#include "analysis/CaptureRecord.hpp"
#include "capture/CaptureThread.hpp"

#include <QTest>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <future>
#include <thread>

namespace ovra::test {
namespace {

using namespace std::chrono_literals;

constexpr size_t BUFFER = CAPTURE_FRAMES_PER_BUFFER;

// Consecutive 2048-sample buffers of a plucked string.
std::vector<std::vector<int16_t>> pluck(double fundamental, size_t buffers, double level = 1.0) {
    ToneRecipe tone;
    tone.fundamental = fundamental;
    tone.seconds = static_cast<double>(buffers * BUFFER) / 8000.0 + 0.1;
    for (double& partial : tone.partials) {
        partial *= level;
    }
    const std::vector<int16_t> samples = toPcm16(synthesizeTone(tone));
    std::vector<std::vector<int16_t>> out;
    for (size_t b = 0; b < buffers; ++b) {
        out.emplace_back(samples.begin() + static_cast<ptrdiff_t>(b * BUFFER),
                         samples.begin() + static_cast<ptrdiff_t>((b + 1) * BUFFER));
    }
    return out;
}

// True when p lies on the segment from a to b (within a hair).
bool betweenPoints(Point p, Point a, Point b) {
    const float dx = b.x - a.x;
    const float dy = b.y - a.y;
    const float length2 = dx * dx + dy * dy;
    const float t = ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2;
    const float ox = a.x + dx * t - p.x;
    const float oy = a.y + dy * t - p.y;
    return t >= 0.0f && t <= 1.0f && ox * ox + oy * oy < 1e-4f;
}

class MainViewCapture : public ScreenFixture {
protected:
    void TearDown() override {
        if (myApp) {
            myApp->trapper().stopAudioTrapper();
        }
        EXPECT_TRUE(finishCaptureThreads(10s));
        ScreenFixture::TearDown();
    }

    void startCapture(std::chrono::milliseconds slice) {
        app().trapper().setEventLoopSliceForTesting(slice);
        app().trapper().setDelegate(screen().captureDelegate());
        app().trapper().startAudioTrapper();
    }
    bool waitForRefreshes(int64_t count) {
        return QTest::qWaitFor([&] { return screen().refreshCount() >= count; }, 20000);
    }
};

TEST_F(MainViewCapture, APlayedA2SelectsStringOneAutomaticallyAndAQuietBufferDimsTheMeter) {
    build(6);
    ASSERT_TRUE(screen().autoSwitchModeEnabled());
    const auto note = pluck(110.0, 6);
    for (const auto& buffer : note) {
        app().source().pushBuffer(buffer);
    }
    startCapture(50ms);
    ASSERT_TRUE(waitForRefreshes(static_cast<int64_t>(note.size())));

    expectSelection(1, true);
    EXPECT_TRUE(app().storeHistory() == std::vector<int32_t>{6}) << "the stored selection stays 6";
    EXPECT_EQ(app().lastTuningKeySelected(), 6);
    expectBright(true);
    ASSERT_TRUE(screen().lastDisplayFrequency().has_value());
    EXPECT_NEAR(*screen().lastDisplayFrequency(), 110.0f, 0.15f);
    ASSERT_TRUE(screen().lastCents().has_value());
    EXPECT_LT(std::fabs(*screen().lastCents()), 2.5f);
    EXPECT_GT(screen().litLedCount(), 0);
    const NeedlePoints p = screen().needlePoints();
    const Point placed = settledNeedle();
    EXPECT_TRUE(betweenPoints(placed, p.nearBlue, p.nearRed))
        << "needle at " << placed.x << "," << placed.y;

    // A faint buffer (not silent, under the threshold).
    const int64_t before = screen().refreshCount();
    app().source().pushBuffer(pluck(110.0, 1, 0.0015).front());
    ASSERT_TRUE(waitForRefreshes(before + 1));
    expectBright(false);
    EXPECT_LE(app().trapper().mostRecentRawPeakPower(), 500.0f);
    EXPECT_GT(app().trapper().mostRecentTopAmplitude(), 0.0f);
    EXPECT_EQ(screen().litLedCount(), 0);
    EXPECT_FALSE(screen().pitchNeedle()->isAnimating());
    EXPECT_EQ(screen().pitchNeedle()->frame().origin, placed) << "the needle stays where it was";
    EXPECT_EQ(screen().activeTuningKeyIndex(), 1);
}

TEST_F(MainViewCapture, BuffersFedToTheCallbackRefreshTheScreenOncePerAnalysedBuffer) {
    build(2);
    app().setHyperactivityMode(true);
    app().trapper().setDelegate(screen().captureDelegate());
    CorvaneInputCallbackDataStruct* record = app().trapper().callbackData();
    auto note = pluck(196.0, 3);
    note.emplace_back(BUFFER, int16_t{0}); // silence is not analysed: no refresh
    for (auto& samples : note) {
        AudioQueueBuffer buffer;
        buffer.mAudioData = samples.data();
        buffer.mAudioDataBytesCapacity = static_cast<uint32_t>(samples.size() * 2);
        buffer.mAudioDataByteSize = buffer.mAudioDataBytesCapacity;
        callbackForAudio(record, nullptr, &buffer);
    }
    EXPECT_EQ(screen().refreshCount(), 0) << "posted, not run by the caller";
    QCoreApplication::processEvents();
    EXPECT_EQ(screen().refreshCount(), 3);
    // G3 on the D3 string, by hand: far sharp.
    EXPECT_EQ(screen().activeTuningKeyIndex(), 2);
    ASSERT_TRUE(screen().lastCents().has_value());
    EXPECT_NEAR(*screen().lastCents(), 500.0f, 3.0f);
    EXPECT_EQ(screen().needleOrigin(), screen().needlePoints().farRed);
}

TEST_F(MainViewCapture, EveryPostFromAnyThreadRunsOnceOnTheMainThread) {
    build();
    std::vector<bool> onMainThread;
    QObject::connect(&screen(), &OvraMainView::refreshed, [&onMainThread] {
        onMainThread.push_back(QThread::currentThread() == qApp->thread());
    });
    const std::shared_ptr<AudioTrapperDelegate> delegate = screen().captureDelegate();
    ASSERT_NE(delegate, nullptr);
    constexpr int POSTS = 200;
    // An old capture thread winding down and its successor may notify at the
    // same time, and neither ever waits for the screen: all posts are made
    // while the main thread is not running its event loop.
    const auto poster = [delegate] {
        for (int i = 0; i < POSTS; ++i) {
            delegate->refreshGUIFromAnotherThread();
        }
    };
    auto a = std::async(std::launch::async, poster);
    auto b = std::async(std::launch::async, poster);
    ASSERT_EQ(a.wait_for(30s), std::future_status::ready) << "the poster waited";
    ASSERT_EQ(b.wait_for(30s), std::future_status::ready) << "the poster waited";
    EXPECT_EQ(screen().refreshCount(), 0);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(screen().refreshCount(), 2 * POSTS) << "one refresh per post, none merged";
    EXPECT_EQ(onMainThread.size(), static_cast<size_t>(2 * POSTS));
    EXPECT_TRUE(std::all_of(onMainThread.begin(), onMainThread.end(), [](bool on) { return on; }));

    // The view's own protocol call posts the same way.
    screen().refreshGUIFromAnotherThread();
    EXPECT_EQ(screen().refreshCount(), 2 * POSTS);
    QCoreApplication::processEvents();
    EXPECT_EQ(screen().refreshCount(), 2 * POSTS + 1);
}

TEST_F(MainViewCapture, PostsStillPendingWhenTheScreenGoesAreDropped) {
    build();
    const std::shared_ptr<AudioTrapperDelegate> delegate = screen().captureDelegate();
    int refreshes = 0;
    QObject::connect(&screen(), &OvraMainView::refreshed, [&refreshes] { ++refreshes; });
    std::thread capture([delegate] {
        for (int i = 0; i < 10; ++i) {
            delegate->refreshGUIFromAnotherThread();
        }
    });
    capture.join();
    myScene.reset(); // the screen goes with its scene
    myView = nullptr;
    QCoreApplication::processEvents();
    EXPECT_EQ(refreshes, 0);
    // The capture object may keep notifying after the screen is gone.
    delegate->refreshGUIFromAnotherThread();
    QCoreApplication::processEvents();
    EXPECT_EQ(refreshes, 0);
}

TEST_F(MainViewCapture, ACaptureThreadStillRunningWhenTheScreenGoesHarmsNothing) {
    build(6);
    const auto note = pluck(82.407, 4);
    app().source().setInterval(2ms);
    app().source().setFiller([note](int64_t number, int16_t* samples, uint32_t count) {
        const auto& buffer = note[static_cast<size_t>(number) % note.size()];
        std::copy_n(buffer.begin(), std::min<size_t>(count, buffer.size()), samples);
    });
    startCapture(20ms);
    ASSERT_TRUE(waitForRefreshes(5));
    EXPECT_EQ(screen().activeTuningKeyIndex(), 0);

    const int64_t delivered = app().source().deliveredTotal();
    myScene.reset(); // destroyed while the capture thread keeps posting
    myView = nullptr;
    // Keep the capture running and its posts arriving for a while.
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return app().source().deliveredTotal() >= delivered + 20; }, 20000));
    QCoreApplication::processEvents();
    EXPECT_EQ(OvraMainView::sharedMainView(), nullptr);
}

} // namespace
} // namespace ovra::test
