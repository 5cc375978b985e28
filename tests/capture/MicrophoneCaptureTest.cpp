// Capture through the real audio stack when the sound server goes away under
// it (a private PulseAudio from scripts/virtual-mic.sh). Hearing a played note
// through the virtual microphone is the end-to-end tests' job.
#include "CaptureTestSupport.hpp"
#include "TestTones.hpp"

#include <QProcess>
#include <QProcessEnvironment>
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

TEST(MicrophoneCapture, LostSoundServerStopsDeliveryWithoutCrashOrHang) {
    test::ensureApplication();
    QTemporaryDir dir;
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
    ASSERT_TRUE(test::writeWav(wav, test::synthesizeTone({146.8, {0.27, 0.22, 0.14}, 6.0}), 8000));
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
