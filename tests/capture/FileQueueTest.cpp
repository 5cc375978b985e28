// A recording as capture's input: played in real time, once.
#include "CaptureTestSupport.hpp"
#include "capture/FileAudioQueue.hpp"

namespace ovra {
namespace {

using namespace std::chrono_literals;

using FileQueue = test::CaptureTest;

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

} // namespace
} // namespace ovra
