#include "CaptureTestSupport.hpp"

#include <string>

namespace ovra {
namespace {

using namespace std::chrono_literals;
using test::StdoutCapture;

class QueueStatusTest : public test::ScriptedCaptureTest {
protected:
    QueueStatusTest() : ScriptedCaptureTest(110.0) {}

    // Runs one capture thread until it has delivered `buffers` (or for a
    // while if none can come) and has ended.
    void runOnce(int buffers) {
        trapper->startAudioTrapper();
        if (buffers > 0) {
            EXPECT_TRUE(delegate->waitForCount(delegate->count() + buffers, 3s));
        } else {
            std::this_thread::sleep_for(150ms);
        }
        trapper->stopAudioTrapper();
        ASSERT_TRUE(finishCaptureThreads(3s));
    }
};

TEST_F(QueueStatusTest, SuccessfulCaptureAndDestroyingANullQueuePrintNothing) {
    StdoutCapture out;
    runOnce(3);
    trapper->destroyAudioQueue(nullptr);
    EXPECT_EQ(out.text(), "");
}

TEST_F(QueueStatusTest, FailedAllocationIsPrintedAndCaptureGoesOnWithTheOtherBuffers) {
    source->setFailures({.allocate = {0, -7, 0}});
    StdoutCapture out;
    trapper->startAudioTrapper();
    ASSERT_TRUE(delegate->waitForCount(5, 3s));
    trapper->stopAudioTrapper();
    ASSERT_TRUE(finishCaptureThreads(3s));
    EXPECT_EQ(out.text(), "AudioQueueAllocateBuffer [1] err -7\n");
}

TEST_F(QueueStatusTest, FailedStartIsPrintedAndTheThreadStillWindsDown) {
    source->setFailures({.start = -9});
    StdoutCapture out;
    runOnce(0);
    // Attempts to open it again are logged, not printed.
    EXPECT_EQ(out.text(), "AudioQueueStart err -9\n");
    const auto reports = source->reports();
    ASSERT_GE(reports.size(), 1u);
    EXPECT_FALSE(reports[0].started);
    EXPECT_TRUE(reports[0].disposed);
    EXPECT_EQ(delegate->count(), 0);
}

TEST_F(QueueStatusTest, FailedNewInputLeavesNoQueueAndEveryLaterStepReportsIt) {
    source->setFailures({.newInput = -5});
    StdoutCapture out;
    runOnce(0);
    const std::string invalid = " err " + std::to_string(AUDIO_QUEUE_ERR_INVALID_QUEUE) + "\n";
    std::string expected = "AudioQueueNewInput err -5\n";
    for (int i = 0; i < 3; ++i) {
        expected += "AudioQueueAllocateBuffer [" + std::to_string(i) + "]" + invalid;
    }
    EXPECT_EQ(out.text(), expected + "AudioQueueStart" + invalid);
    EXPECT_TRUE(source->reports().at(0).destroyed);
    EXPECT_EQ(delegate->count(), 0);

    // The next start, with a working queue, captures again.
    source->setFailures({});
    runOnce(2);
}

} // namespace
} // namespace ovra
