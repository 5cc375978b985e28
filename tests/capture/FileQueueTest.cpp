// A recording as capture's input: played in real time, once, and a file
// that cannot be read.
#include "CaptureTestSupport.hpp"
#include "capture/FileAudioQueue.hpp"
#include "common/LogCapture.hpp"

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

TEST_F(FileQueue, AnUnreadableFileFailsNewInputAndTheLogNamesIt) {
    LogCapture log;
    test::StdoutCapture out;
    useQueues(fileAudioQueueFactory("/nonexistent/missing.flac"));
    trapper->startAudioTrapper();
    trapper->stopAudioTrapper();
    ASSERT_TRUE(finishCaptureThreads(3s));
    EXPECT_EQ(out.text().rfind(
                  "AudioQueueNewInput err " + std::to_string(AUDIO_QUEUE_ERR_FILE) + "\n", 0),
              0u);
    const auto lines = log.lines();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
        return line.find("/nonexistent/missing.flac") != std::string::npos;
    }));
    EXPECT_EQ(delegate->count(), 0);
}

} // namespace
} // namespace ovra
