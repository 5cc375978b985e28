// Capture through the real audio stack: a virtual microphone (PulseAudio null
// sink + remap source, scripts/virtual-mic.sh) hears what paplay plays.
#include "CaptureTestSupport.hpp"
#include "TestTones.hpp"
#include "capture/AudioInputDevices.hpp"
#include "capture/MicrophoneAudioQueue.hpp"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <cstdlib>

namespace ovra {
namespace {

using namespace std::chrono_literals;
using test::RecordingDelegate;

bool underCi() {
    const char* ci = std::getenv("CI");
    return ci != nullptr && std::string(ci) == "true";
}

// Skips without a sound server, except in CI, where that is a failure.
#define REQUIRE_SOUND_SERVER()                                                                     \
    do {                                                                                           \
        if (audioInputDeviceNames().isEmpty()) {                                                   \
            ASSERT_FALSE(underCi()) << "no audio input: eval \"$(scripts/virtual-mic.sh start)\""; \
            GTEST_SKIP() << "no sound server; eval \"$(scripts/virtual-mic.sh start)\" first";     \
        }                                                                                          \
    } while (false)

// A guitar-like 146.8 Hz note (D3): five slowly decaying partials, 44.1 kHz.
void writeGuitarNote(const std::string& path, double seconds) {
    ASSERT_TRUE(test::writeWav(path,
                               test::synthesizeTone({.fundamental = 146.8,
                                                     .partials = {0.27, 0.22, 0.14, 0.1, 0.05},
                                                     .seconds = seconds,
                                                     .decayPerSecond = 0.15,
                                                     .sampleRate = 44100}),
                               44100));
}

// A process that is killed (by its own PID) when the test ends.
class ChildProcess {
public:
    ~ChildProcess() {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
    }
    QProcess process;
};

class MicrophoneCaptureTest : public ::testing::Test {
protected:
    void SetUp() override { test::ensureApplication(); }
    void TearDown() override { EXPECT_TRUE(finishCaptureThreads(5s)); }
    QTemporaryDir dir;
};

TEST_F(MicrophoneCaptureTest, HearsAPlayedNoteAndStopsNotifyingAfterStop) {
    REQUIRE_SOUND_SERVER();
    const std::string wav = (dir.path() + "/d3.wav").toStdString();
    writeGuitarNote(wav, 8.0);

    auto trapper = CorvaneAudioTrapper::create(microphoneAudioQueueFactory());
    auto delegate = std::make_shared<RecordingDelegate>(trapper.get());
    trapper->setDelegate(delegate);
    trapper->startAudioTrapper();

    ChildProcess player;
    player.process.start("paplay", {QString::fromStdString(wav)});
    ASSERT_TRUE(player.process.waitForStarted(5000)) << "paplay did not start";
    ASSERT_TRUE(delegate->waitForCount(14, 8s)) << "only " << delegate->count() << " buffers";

    const auto fundamentals = delegate->fundamentals();
    // Settled: the last several readings all near the note.
    for (size_t i = fundamentals.size() - 6; i < fundamentals.size(); ++i) {
        EXPECT_NEAR(fundamentals[i], 146.8f, 1.5f) << "reading " << i;
    }

    const auto thread = trapper->audioThread();
    trapper->stopAudioTrapper();
    const auto stoppedAt = RecordingDelegate::Clock::now();
    ASSERT_TRUE(thread->wait(2500)) << "capture thread still running 2.5 s after stop";
    const int atEnd = delegate->count();
    EXPECT_LE(delegate->times().back() - stoppedAt, 2500ms);
    std::this_thread::sleep_for(600ms);
    EXPECT_EQ(delegate->count(), atEnd);
}

TEST_F(MicrophoneCaptureTest, LostSoundServerStopsDeliveryWithoutCrashOrHang) {
    // A private server, so that killing it disturbs no other test.
    const QString vmic = QStringLiteral(OVRA_SOURCE_DIR "/scripts/virtual-mic.sh");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("OVRA_VMIC_DIR", dir.path() + "/pulse");
    env.remove("OVRA_VMIC_PULSE_PID");
    env.remove("OVRA_VMIC_PAREC_PID");
    QProcess script;
    script.setProcessEnvironment(env);
    script.start(vmic, {"start"});
    ASSERT_TRUE(script.waitForFinished(20000));
    if (script.exitCode() != 0) {
        if (underCi()) {
            FAIL() << "private sound server did not start: "
                   << script.readAllStandardError().toStdString();
        }
        GTEST_SKIP() << "no PulseAudio here";
    }
    for (const QByteArray& line : script.readAllStandardOutput().split('\n')) {
        // export NAME='value'
        const int eq = line.indexOf('=');
        if (line.startsWith("export ") && eq > 0) {
            env.insert(QString::fromUtf8(line.mid(7, eq - 7)),
                       QString::fromUtf8(line.mid(eq + 2, line.size() - eq - 3)));
        }
    }
    auto stopServer = [&] {
        QProcess stop;
        stop.setProcessEnvironment(env);
        stop.start(vmic, {"stop"});
        stop.waitForFinished(20000);
    };

    ChildProcess probe;
    probe.process.setProcessEnvironment(env);
    probe.process.start(QStringLiteral(CAPTURE_PROBE_PATH), {"--seconds", "4"});
    ASSERT_TRUE(probe.process.waitForStarted(5000));
    ChildProcess player;
    player.process.setProcessEnvironment(env);
    const std::string wav = (dir.path() + "/d3.wav").toStdString();
    writeGuitarNote(wav, 6.0);
    player.process.start("paplay", {QString::fromStdString(wav)});

    QByteArray errors;
    const bool heard = test::eventually(
        [&] {
            probe.process.waitForReadyRead(50);
            errors += probe.process.readAllStandardError();
            return errors.contains("notification");
        },
        5s);
    stopServer();
    EXPECT_TRUE(heard) << errors.toStdString();
    ASSERT_TRUE(probe.process.waitForFinished(15000)) << "capture hangs without its server";
    errors += probe.process.readAllStandardError();
    EXPECT_EQ(probe.process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(probe.process.exitCode(), 0);
    EXPECT_TRUE(errors.contains("Audio input lost")) << errors.toStdString();
    EXPECT_TRUE(errors.contains("done"));
}

} // namespace
} // namespace ovra
