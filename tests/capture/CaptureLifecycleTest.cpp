// SPDX-License-Identifier: GPL-3.0-or-later
// Capture threads on a scripted source: one thread per start, a second start
// ending the first, a lost input reopened, nothing left behind, and failed
// queue steps; and a recording as the input.
#include "CaptureTestSupport.hpp"
#include "capture/FileAudioQueue.hpp"
#include "common/LogCapture.hpp"

#include <QThread>

namespace ovra {
namespace {

using namespace std::chrono_literals;

using test::eventually;
using Report = ScriptedAudioSource::QueueReport;
using FileQueue = test::CaptureTest;

class CaptureLifecycle : public test::CaptureTest {
protected:
    void SetUp() override {
        CaptureTest::SetUp();
        useScriptedNote(146.8);
    }
};

TEST_F(CaptureLifecycle, SecondStartEndsTheFirstThreadAtOnceAndOpensOnlyAfterItClosed) {
    // Slices far longer than the test: only interruption can end them.
    trapper->setEventLoopSliceForTesting(60s);
    trapper->startAudioTrapper();
    const auto first = trapper->audioThread();
    ASSERT_TRUE(eventually([&] { return source->reached(0, &Report::started); }, 2s));
    trapper->startAudioTrapper();
    EXPECT_TRUE(first->wait(5000)) << "the first thread waits for its slice to end";
    ASSERT_TRUE(eventually([&] { return source->reached(1, &Report::started); }, 2s));
    const auto reports = source->reports();
    EXPECT_EQ(reports[0].disposedOn, reports[0].createdOn);
    EXPECT_NE(reports[1].createdOn, reports[0].createdOn);
    EXPECT_EQ(source->maxOpenAtOnce(), 1) << "a backend with one stream would leave us deaf";

    const int before = delegate->count();
    EXPECT_TRUE(delegate->waitForCount(before + 3, 2s)) << "the new thread keeps capturing";
    EXPECT_EQ(trapper->hearingStatus(), HearingStatus::Hearing);
    trapper->stopAudioTrapper();
    EXPECT_EQ(trapper->hearingStatus(), HearingStatus::Stopped);
}

TEST_F(CaptureLifecycle, LostInputIsReopenedAtASliceBoundaryWithoutARestart) {
    std::vector<HearingStatus> seen;
    std::mutex seenMutex;
    trapper->setHearingStatusListener([&](HearingStatus status) {
        std::lock_guard lock(seenMutex);
        seen.push_back(status);
    });
    trapper->startAudioTrapper();
    ASSERT_TRUE(delegate->waitForCount(3, 3s));
    source->loseInputs();
    ASSERT_TRUE(eventually([&] { return source->reached(1, &Report::started); }, 3s));
    EXPECT_TRUE(delegate->waitForCount(delegate->count() + 3, 3s));
    EXPECT_TRUE(source->reports().at(0).disposed);
    trapper->stopAudioTrapper();
    std::lock_guard lock(seenMutex);
    EXPECT_EQ(seen, (std::vector<HearingStatus>{HearingStatus::Opening, HearingStatus::Hearing,
                                                HearingStatus::InputLost, HearingStatus::Hearing,
                                                HearingStatus::Stopped}));
}

TEST_F(CaptureLifecycle, RapidStartStopLeavesNoThreadQueueOrReferenceBehind) {
    trapper->setEventLoopSliceForTesting(20ms);
    std::weak_ptr<CorvaneAudioTrapper> watch = trapper;
    for (int i = 0; i < 200; ++i) {
        trapper->startAudioTrapper();
        trapper->stopAudioTrapper();
    }
    EXPECT_TRUE(eventually([] { return runningCaptureThreadCount() == 0; }, 20s));
    const auto reports = source->reports();
    EXPECT_EQ(reports.size(), 200u);
    for (const auto& r : reports) {
        EXPECT_TRUE(r.disposed && r.destroyed && r.disposedOn == r.createdOn);
    }
    trapper.reset();
    EXPECT_TRUE(watch.expired());
}

// With no sound server every reopening fails alike: the log says so at the
// first attempt and when it gives up, not at each of the thirty attempts.
TEST_F(CaptureLifecycle, ReopeningWithNoInputIsLoggedOnceAndWhenItGivesUp) {
    trapper->setEventLoopSliceForTesting(5ms);
    source->setFailures({.newInput = AUDIO_QUEUE_ERR_NO_BACKEND});
    LogCapture log;
    ::testing::internal::CaptureStdout();
    trapper->startAudioTrapper();
    const auto reopened = [&] {
        return static_cast<int>(source->reports().size()) >
               CorvaneAudioTrapper::MAX_REOPEN_ATTEMPTS;
    };
    const bool allAttempts = eventually(reopened, 10s);
    trapper->stopAudioTrapper();
    ASSERT_TRUE(finishCaptureThreads(3s));
    ::testing::internal::GetCapturedStdout();
    ASSERT_TRUE(allAttempts);
    EXPECT_EQ(trapper->hearingStatus(), HearingStatus::Stopped);
    int aboutReopening = 0;
    for (const std::string& line : log.lines()) {
        aboutReopening += line.find("again") != std::string::npos ||
                          line.find("still unavailable") != std::string::npos;
    }
    EXPECT_EQ(aboutReopening, 2);
}

// What capture prints when a step of its queue fails, and that it goes on
// where it can.
TEST_F(CaptureLifecycle, EachFailedQueueStepIsPrintedAndCaptureGoesOnWhereItCan) {
    const std::string invalid = " err " + std::to_string(AUDIO_QUEUE_ERR_INVALID_QUEUE) + "\n";
    std::string noQueue = "AudioQueueNewInput err -5\n";
    for (int i = 0; i < 3; ++i) {
        noQueue += "AudioQueueAllocateBuffer [" + std::to_string(i) + "]" + invalid;
    }
    const struct {
        ScriptedAudioSource::Failures failures;
        int buffers; // heard before the stop
        std::string printed;
    } cases[] = {
        // The other buffers carry on.
        {{.allocate = {0, -7, 0}}, 5, "AudioQueueAllocateBuffer [1] err -7\n"},
        // Attempts to open it again are logged, not printed.
        {{.start = -9}, 0, "AudioQueueStart err -9\n"},
        // Every later step says there is no queue.
        {{.newInput = -5}, 0, noQueue + "AudioQueueStart" + invalid},
        // And the next start, with a working queue, captures again.
        {{}, 3, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.printed);
        source->setFailures(c.failures);
        const size_t queue = source->reports().size();
        const int before = delegate->count();
        ::testing::internal::CaptureStdout();
        trapper->startAudioTrapper();
        if (c.buffers > 0) {
            EXPECT_TRUE(delegate->waitForCount(before + c.buffers, 3s));
        } else {
            std::this_thread::sleep_for(150ms);
            EXPECT_EQ(delegate->count(), before);
        }
        trapper->stopAudioTrapper();
        const bool finished = finishCaptureThreads(3s);
        trapper->destroyAudioQueue(nullptr); // prints nothing
        EXPECT_EQ(::testing::internal::GetCapturedStdout(), c.printed);
        ASSERT_TRUE(finished);
        const auto report = source->reports().at(queue);
        EXPECT_EQ(report.started, c.buffers > 0);
        EXPECT_TRUE(report.destroyed);
    }
}

// A recording as capture's input: played in real time, once.
TEST_F(FileQueue, PlaysTheFileInRealTimeAndStopsAtItsEnd) {
    // A steady 146.8 Hz note in stereo at 22050 Hz: 1.1 s is 8800 samples
    // at 8000 Hz, four full buffers and a padded fifth.
    test::TemporaryDirectory dir;
    ASSERT_TRUE(test::writeWav(
        dir.file("note.wav"),
        test::synthesizeTone(
            {.fundamental = 146.8, .seconds = 1.1, .decayPerSecond = 0.0, .sampleRate = 22050}),
        22050, 2));
    std::atomic<int> ends{0};
    FileQueueOptions options;
    options.onEnd = [&] { ends.fetch_add(1); };
    useQueues(fileAudioQueueFactory(dir.file("note.wav"), options));
    trapper->startAudioTrapper();

    ASSERT_TRUE(test::eventually([&] { return ends.load() == 1; }, 4s));
    EXPECT_EQ(delegate->count(), 5);
    EXPECT_NEAR(trapper->mostRecentFundamentalFrequency(), 146.8f, 1.5f);
    std::this_thread::sleep_for(400ms);
    EXPECT_EQ(delegate->count(), 5);
    EXPECT_EQ(ends.load(), 1);
}

TEST(CaptureObject, DelegateReadWhileReplacedStaysWholeAndTheLastIsHeldUntilTheObjectGoes) {
    auto trapper = CorvaneAudioTrapper::create(nullptr);
    std::atomic<bool> done{false};
    std::atomic<int> calls{0};
    std::thread reader([&] {
        while (!done.load()) {
            if (auto d = trapper->delegate()) {
                d->refreshGUIFromAnotherThread();
                calls.fetch_add(1);
            }
        }
    });
    std::vector<std::shared_ptr<test::RecordingDelegate>> all;
    for (int i = 0; i < 2000; ++i) {
        all.push_back(std::make_shared<test::RecordingDelegate>());
        trapper->setDelegate(all.back());
    }
    done.store(true);
    reader.join();
    int received = 0;
    for (const auto& d : all) {
        received += d->count();
    }
    EXPECT_EQ(received, calls.load()) << "every call reached one of the delegates";
    std::weak_ptr<test::RecordingDelegate> last = all.back();
    all.clear();
    EXPECT_FALSE(last.expired());
    trapper.reset();
    EXPECT_TRUE(last.expired());
}

} // namespace
} // namespace ovra
