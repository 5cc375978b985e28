#include "CaptureTestSupport.hpp"
#include "common/LogCapture.hpp"

#include <QThread>

namespace ovra {
namespace {

using namespace std::chrono_literals;
using test::eventually;
using test::RecordingDelegate;

class CaptureLifecycleTest : public test::ScriptedCaptureTest {
protected:
    CaptureLifecycleTest() : ScriptedCaptureTest(146.8) {}
};

TEST_F(CaptureLifecycleTest, CaptureRunsOnItsOwnThreadAndNotifiesPerBuffer) {
    LogCapture log;
    trapper->startAudioTrapper();
    EXPECT_EQ(log.lines(), std::vector<std::string>{"Starting audio trapper"});
    ASSERT_NE(trapper->audioThread(), nullptr);
    ASSERT_TRUE(delegate->waitForCount(5, 3s));

    EXPECT_NEAR(trapper->mostRecentFundamentalFrequency(), 146.8f, 1.5f);
    EXPECT_GT(trapper->mostRecentTopAmplitude(), 0.1f);

    trapper->stopAudioTrapper();
    EXPECT_EQ(log.count("Stopping audio trapper"), 1);
    EXPECT_EQ(trapper->audioThread(), nullptr);
    ASSERT_TRUE(eventually([&] { return queueDisposed(0); }, 2500ms));
    const auto report = source->reports().at(0);
    EXPECT_NE(report.createdOn, std::this_thread::get_id());
    EXPECT_EQ(report.disposedOn, report.createdOn);
    EXPECT_TRUE(report.started);
    EXPECT_GE(report.delivered, 5);
}

TEST_F(CaptureLifecycleTest, SecondStartCancelsTheFirstThreadWhichDisposesOfItsOwnQueue) {
    trapper->setEventLoopSliceForTesting(300ms);
    trapper->startAudioTrapper();
    const auto first = trapper->audioThread();
    ASSERT_TRUE(eventually([&] { return queueStarted(0); }, 2s));
    trapper->startAudioTrapper();
    const auto second = trapper->audioThread();
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_TRUE(first->isInterruptionRequested());
    EXPECT_FALSE(second->isInterruptionRequested());

    // The first thread ends at the end of its current slice.
    ASSERT_TRUE(eventually([&] { return queueDisposed(0); }, 1s));
    EXPECT_TRUE(first->wait(1000));
    const auto reports = source->reports();
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0].disposedOn, reports[0].createdOn);
    EXPECT_NE(reports[1].createdOn, reports[0].createdOn);
    EXPECT_FALSE(reports[1].disposed);
    EXPECT_FALSE(second->isFinished());

    const int before = delegate->count();
    EXPECT_TRUE(delegate->waitForCount(before + 3, 2s)) << "the new thread keeps capturing";
}

TEST_F(CaptureLifecycleTest, OverlappingThreadsTakeTurnsOnTheDetector) {
    auto checking = std::make_shared<RecordingDelegate>(trapper.get());
    trapper->setDelegate(checking);
    source->setInterval(1ms);
    trapper->setEventLoopSliceForTesting(400ms);

    trapper->startAudioTrapper();
    ASSERT_TRUE(eventually([&] { return queueStarted(0); }, 2s));
    trapper->startAudioTrapper();
    ASSERT_TRUE(eventually([&] { return queueDisposed(0); }, 2s));
    trapper->stopAudioTrapper();
    ASSERT_TRUE(finishCaptureThreads(3s));

    const auto reports = source->reports();
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_GT(reports[0].delivered, 0);
    EXPECT_GT(reports[1].delivered, 0);
    const auto seen = checking->fundamentals();
    ASSERT_FALSE(seen.empty());
    // A detector used by two threads at once would mix their scratch arrays.
    for (float f : seen) {
        EXPECT_NEAR(f, 146.8f, 1.5f);
    }
}

TEST_F(CaptureLifecycleTest, RapidStartStopLeavesNoThreadOrReferenceBehind) {
    LogCapture log;
    trapper->setEventLoopSliceForTesting(20ms);
    std::weak_ptr<CorvaneAudioTrapper> watch = trapper;
    for (int i = 0; i < 200; ++i) {
        trapper->startAudioTrapper();
        trapper->stopAudioTrapper();
    }
    EXPECT_EQ(trapper->audioThread(), nullptr);
    EXPECT_TRUE(eventually([] { return runningCaptureThreadCount() == 0; }, 20s));
    EXPECT_EQ(log.count("Starting audio trapper"), 200);
    EXPECT_EQ(log.count("Stopping audio trapper"), 200);

    const auto reports = source->reports();
    EXPECT_EQ(reports.size(), 200u);
    for (const auto& r : reports) {
        EXPECT_TRUE(r.disposed && r.destroyed);
        EXPECT_EQ(r.disposedOn, r.createdOn);
    }
    trapper.reset();
    EXPECT_TRUE(watch.expired());
}

} // namespace
} // namespace ovra
