// What capture prints when a step of its queue fails, and that it goes on
// where it can.
#include "CaptureTestSupport.hpp"

#include <string>

namespace ovra {
namespace {

using namespace std::chrono_literals;

class QueueStatus : public test::CaptureTest {
protected:
    void SetUp() override {
        CaptureTest::SetUp();
        useScriptedNote(110.0);
    }
};

TEST_F(QueueStatus, EachFailedStepIsPrintedAndCaptureGoesOnWhereItCan) {
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
        test::StdoutCapture out;
        trapper->startAudioTrapper();
        if (c.buffers > 0) {
            EXPECT_TRUE(delegate->waitForCount(before + c.buffers, 3s));
        } else {
            std::this_thread::sleep_for(150ms);
            EXPECT_EQ(delegate->count(), before);
        }
        trapper->stopAudioTrapper();
        ASSERT_TRUE(finishCaptureThreads(3s));
        trapper->destroyAudioQueue(nullptr); // prints nothing
        EXPECT_EQ(out.text(), c.printed);
        const auto report = source->reports().at(queue);
        EXPECT_EQ(report.started, c.buffers > 0);
        EXPECT_TRUE(report.destroyed);
    }
}

} // namespace
} // namespace ovra
