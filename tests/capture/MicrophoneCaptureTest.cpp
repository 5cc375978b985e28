// Capture through the real audio stack: a probe process on the virtual
// microphone (scripts/virtual-mic.sh) hears a D string played into it, with
// the input opened in formats the microphone queue has to convert itself.
#include "CaptureTestSupport.hpp"

#include <QProcess>
#include <QRegularExpression>

namespace ovra {
namespace {

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
    for (const char* format : {"48000:2:float", "44100:1:int16"}) {
        SCOPED_TRACE(format);
        QProcess player;
        player.start("paplay", {QString::fromStdString(tone)});
        QProcess probe;
        probe.start(CAPTURE_PROBE_PATH, {"--seconds", "4", "--device-format", format});
        ASSERT_TRUE(probe.waitForFinished(20000));
        player.kill();
        player.waitForFinished();
        const QString err = QString::fromUtf8(probe.readAllStandardError());
        EXPECT_TRUE(err.contains("does not take 8000 Hz mono 16-bit; capturing"))
            << err.toStdString();
        std::vector<double> heard;
        static const QRegularExpression notification("notification ([0-9.]+)");
        for (auto it = notification.globalMatch(err); it.hasNext();) {
            heard.push_back(it.next().captured(1).toDouble());
        }
        ASSERT_GE(heard.size(), 6u) << err.toStdString();
        std::sort(heard.begin(), heard.end());
        // The D string's note, within a tenth of a semitone (not 146.8 / 2 or * 2).
        EXPECT_NEAR(heard[heard.size() / 2], 146.8, 0.8) << err.toStdString();
    }
}

} // namespace
} // namespace ovra
