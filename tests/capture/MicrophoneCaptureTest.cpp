// SPDX-License-Identifier: GPL-3.0-or-later
// Capture through the real audio stack: the capture object on the virtual
// microphone (scripts/virtual-mic.sh) hears a D string played into it, with
// the input opened in formats the microphone queue has to convert itself.
#include "CaptureTestSupport.hpp"
#include "capture/MicrophoneAudioQueue.hpp"
#include "common/LogCapture.hpp"

#include <QDeadlineTimer>
#include <QProcess>

#include <mutex>

namespace ovra {
namespace {

// Keeps the fundamental the capture object holds at each notification.
class Listener : public AudioTrapperDelegate {
public:
    void refreshGUIFromAnotherThread() override {
        std::lock_guard lock(mutex);
        heard.push_back(trapper->mostRecentFundamentalFrequency());
    }
    std::shared_ptr<CorvaneAudioTrapper> trapper;
    std::mutex mutex;
    std::vector<double> heard;
};

TEST(MicrophoneCapture, DeviceFormatOtherThan16BitMono8kHzIsConvertedAndHeardRight) {
    test::ensureApplication();
    QProcess pactl;
    pactl.start("pactl", {"info"});
    if (!pactl.waitForFinished(5000) || pactl.exitCode() != 0) {
        if (qEnvironmentVariableIsSet("CI")) {
            FAIL() << "no PulseAudio server: scripts/test.sh starts the virtual microphone";
        }
        GTEST_SKIP() << "no PulseAudio server (start one with scripts/virtual-mic.sh start)";
    }
    test::TemporaryDirectory dir;
    const std::string tone = dir.file("d3.wav");
    ASSERT_TRUE(test::writeWav(
        tone, test::synthesizeTone({146.8, {0.27, 0.22, 0.14}, 8.0, 0.2, 44100}), 44100));
    for (const auto& [rate, channels, type] :
         {std::tuple{48000, 2, QAudioFormat::Float}, std::tuple{44100, 1, QAudioFormat::Int16}}) {
        SCOPED_TRACE(rate);
        MicrophoneQueueOptions options;
        options.deviceFormat.setSampleRate(rate);
        options.deviceFormat.setChannelCount(channels);
        options.deviceFormat.setSampleFormat(type);
        LogCapture log;
        auto listener = std::make_shared<Listener>();
        listener->trapper = CorvaneAudioTrapper::create(microphoneAudioQueueFactory(options));
        listener->trapper->setDelegate(listener);
        QProcess player;
        player.start("paplay", {QString::fromStdString(tone)});
        listener->trapper->startAudioTrapper();
        for (QDeadlineTimer listening(4000); !listening.hasExpired();) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        }
        listener->trapper->stopAudioTrapper();
        EXPECT_TRUE(finishCaptureThreads(std::chrono::seconds(5)));
        player.kill();
        player.waitForFinished();
        const auto lines = log.lines();
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
            return line.find("does not take 8000 Hz mono 16-bit; capturing") != std::string::npos;
        }));
        std::lock_guard lock(listener->mutex);
        std::vector<double> heard = listener->heard;
        listener->trapper.reset(); // the capture object holds its delegate
        ASSERT_GE(heard.size(), 6u);
        std::sort(heard.begin(), heard.end());
        // The D string's note, within a tenth of a semitone (not 146.8 / 2 or * 2).
        EXPECT_NEAR(heard[heard.size() / 2], 146.8, 0.8);
    }
}

} // namespace
} // namespace ovra
