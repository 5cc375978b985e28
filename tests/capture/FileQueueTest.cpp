#include "CaptureTestSupport.hpp"
#include "TestTones.hpp"
#include "capture/FileAudioQueue.hpp"
#include "common/LogCapture.hpp"

#include <QTemporaryDir>

namespace ovra {
namespace {

using namespace std::chrono_literals;
using test::eventually;
using test::RecordingDelegate;

class FileQueueTest : public ::testing::Test {
protected:
    void SetUp() override { test::ensureApplication(); }
    void TearDown() override {
        if (trapper) {
            trapper->stopAudioTrapper();
        }
        EXPECT_TRUE(finishCaptureThreads(5s));
    }

    // A steady stereo 22050 Hz file of a 146.8 Hz note, `seconds` long.
    std::string writeNote(const char* name, double seconds) {
        const std::string path = (dir.path() + "/" + name).toStdString();
        EXPECT_TRUE(test::writeWav(path,
                                   test::synthesizeTone({.fundamental = 146.8,
                                                         .seconds = seconds,
                                                         .decayPerSecond = 0.0,
                                                         .sampleRate = 22050}),
                                   22050, 2));
        return path;
    }

    void startWith(AudioQueueFactory factory) {
        trapper = CorvaneAudioTrapper::create(std::move(factory));
        trapper->setEventLoopSliceForTesting(100ms);
        delegate = std::make_shared<RecordingDelegate>();
        trapper->setDelegate(delegate);
        trapper->startAudioTrapper();
    }

    QTemporaryDir dir;
    std::shared_ptr<CorvaneAudioTrapper> trapper;
    std::shared_ptr<RecordingDelegate> delegate;
};

TEST_F(FileQueueTest, PlaysTheFileInRealTimeAndStopsAtItsEnd) {
    std::atomic<int> ends{0};
    FileQueueOptions options;
    options.onEnd = [&] { ends.fetch_add(1); };
    // 1.1 s at 8000 Hz is 8800 samples: four full buffers and a padded fifth.
    startWith(fileAudioQueueFactory(writeNote("note.wav", 1.1), options));

    ASSERT_TRUE(eventually([&] { return ends.load() == 1; }, 4s));
    EXPECT_EQ(delegate->count(), 5);
    EXPECT_NEAR(trapper->mostRecentFundamentalFrequency(), 146.8f, 1.5f);

    std::this_thread::sleep_for(400ms);
    EXPECT_EQ(delegate->count(), 5);
    EXPECT_EQ(ends.load(), 1);
}

TEST_F(FileQueueTest, UnreadableFileFailsNewInputAndSaysWhichFile) {
    LogCapture log;
    test::StdoutCapture out;
    const std::string missing = (dir.path() + "/missing.flac").toStdString();
    startWith(fileAudioQueueFactory(missing));
    trapper->stopAudioTrapper();
    ASSERT_TRUE(finishCaptureThreads(3s));
    const std::string printed = out.text();
    EXPECT_EQ(
        printed.rfind("AudioQueueNewInput err " + std::to_string(AUDIO_QUEUE_ERR_FILE) + "\n", 0),
        0u)
        << printed;
    const auto lines = log.lines();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
        return line.find(missing) != std::string::npos;
    }));
    EXPECT_EQ(delegate->count(), 0);
}

} // namespace
} // namespace ovra
