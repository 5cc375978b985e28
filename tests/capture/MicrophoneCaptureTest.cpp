// Capture through the real audio stack, in a probe process of its own on a
// private PulseAudio from scripts/virtual-mic.sh: the server restarting under
// it, and a device format the microphone queue has to convert itself.
#include "CaptureTestSupport.hpp"
#include "TestTones.hpp"

#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cstdlib>

namespace ovra {
namespace {

using namespace std::chrono_literals;

bool underCi() {
    const char* ci = std::getenv("CI");
    return ci != nullptr && std::string(ci) == "true";
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

// A private server (so that killing it disturbs no other test), a capture
// probe on it, and a tone to play into its microphone.
class MicrophoneCaptureTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::ensureApplication();
        env = QProcessEnvironment::systemEnvironment();
        env.insert("OVRA_VMIC_DIR", dir.path() + "/pulse");
        if (!virtualMic("start")) {
            if (underCi()) {
                FAIL() << "private sound server did not start";
            }
            GTEST_SKIP() << "no PulseAudio here";
        }
        tone = (dir.path() + "/d3.wav").toStdString();
        ASSERT_TRUE(test::writeWav(
            tone, test::synthesizeTone({146.8, {0.27, 0.22, 0.14}, 6.0, 0.4, 44100}), 44100));
    }

    void TearDown() override {
        if (probe.process.state() != QProcess::NotRunning) {
            probe.process.closeWriteChannel();
            EXPECT_TRUE(probe.process.waitForFinished(15000)) << "capture does not end";
            errors += probe.process.readAllStandardError();
        }
        virtualMic("stop");
    }

    // Runs the script and takes the environment it exports.
    bool virtualMic(const QString& command) {
        QProcess script;
        script.setProcessEnvironment(env);
        script.start(QStringLiteral(OVRA_SOURCE_DIR "/scripts/virtual-mic.sh"), {command});
        if (!script.waitForFinished(20000) || script.exitCode() != 0) {
            return false;
        }
        for (const QByteArray& line : script.readAllStandardOutput().split('\n')) {
            // export NAME='value'
            const int eq = line.indexOf('=');
            if (line.startsWith("export ") && eq > 0) {
                env.insert(QString::fromUtf8(line.mid(7, eq - 7)),
                           QString::fromUtf8(line.mid(eq + 2, line.size() - eq - 3)));
            }
        }
        return true;
    }

    void startProbe(QStringList arguments) {
        probe.process.setProcessEnvironment(env);
        probe.process.start(QStringLiteral(CAPTURE_PROBE_PATH), arguments << "--seconds"
                                                                          << "0");
        ASSERT_TRUE(probe.process.waitForStarted(5000));
    }

    void play() {
        player.process.kill();
        player.process.waitForFinished(2000);
        player.process.setProcessEnvironment(env);
        player.process.start("paplay", {QString::fromStdString(tone)});
    }

    // Waits until the probe's standard error (from `from` on) holds `text`,
    // replaying the tone whenever it has ended.
    bool waitFor(const QByteArray& text, qsizetype from, std::chrono::milliseconds timeout) {
        return test::eventually(
            [&] {
                probe.process.waitForReadyRead(50);
                errors += probe.process.readAllStandardError();
                QCoreApplication::processEvents(); // learns that the player ended
                if (player.process.state() == QProcess::NotRunning) {
                    play();
                }
                return errors.indexOf(text, from) >= 0;
            },
            timeout);
    }

    // Fundamentals announced by notifications after `from`.
    std::vector<double> fundamentalsFrom(qsizetype from) const {
        std::vector<double> found;
        static const QRegularExpression notification("notification ([0-9.]+) at");
        auto it = notification.globalMatch(QString::fromUtf8(errors.mid(from)));
        while (it.hasNext()) {
            found.push_back(it.next().captured(1).toDouble());
        }
        return found;
    }

    QTemporaryDir dir;
    QProcessEnvironment env;
    std::string tone;
    ChildProcess probe;
    ChildProcess player;
    QByteArray errors;
};

TEST_F(MicrophoneCaptureTest, CaptureResumesByItselfAfterTheSoundServerRestarts) {
    startProbe({});
    ASSERT_TRUE(waitFor("notification", 0, 5s)) << errors.toStdString();

    const qsizetype restart = errors.size();
    ASSERT_TRUE(virtualMic("restart"));
    play();
    EXPECT_TRUE(waitFor("Audio input lost", restart, 5s)) << errors.toStdString();
    EXPECT_TRUE(waitFor("status InputLost", restart, 5s)) << errors.toStdString();
    // Qt takes a few seconds to reach the new server; the thread keeps trying.
    ASSERT_TRUE(waitFor("Audio input open again", restart, 20s)) << errors.toStdString();
    const qsizetype reopened = errors.size();
    ASSERT_TRUE(waitFor("notification", reopened, 5s)) << errors.toStdString();
    EXPECT_EQ(errors.count("Starting audio trapper"), 1) << "capture was restarted from outside";
    EXPECT_TRUE(errors.indexOf("status Hearing", restart) > 0);
}

TEST_F(MicrophoneCaptureTest, DeviceFormatOtherThan16BitMono8kHzIsConvertedAndHeardRight) {
    for (const char* format : {"48000:2:float", "44100:1:int16"}) {
        SCOPED_TRACE(format);
        const qsizetype from = errors.size();
        startProbe({"--device-format", format});
        ASSERT_TRUE(waitFor("notification", from, 5s)) << errors.toStdString();
        // Enough buffers for the note to settle.
        ASSERT_TRUE(test::eventually(
            [&] {
                waitFor("notification", from, 0ms);
                return fundamentalsFrom(from).size() >= 6;
            },
            10s))
            << errors.toStdString();
        probe.process.closeWriteChannel();
        ASSERT_TRUE(probe.process.waitForFinished(10000));
        errors += probe.process.readAllStandardError();
        EXPECT_TRUE(errors.indexOf("does not take 8000 Hz mono 16-bit; capturing", from) >= 0)
            << errors.toStdString();

        std::vector<double> found = fundamentalsFrom(from);
        std::sort(found.begin(), found.end());
        // The D string's note, within a tenth of a semitone (not 146.8 / 2 or * 2).
        EXPECT_NEAR(found[found.size() / 2], 146.8, 0.8) << errors.toStdString();
    }
}

} // namespace
} // namespace ovra
