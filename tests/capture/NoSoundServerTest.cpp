#include "analysis/AudioQueue.hpp"

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

namespace ovra {
namespace {

// Without any sound server, starting capture prints the queue's failure and
// returns; the program runs on and exits normally, stopped or not.
TEST(NoSoundServer, StartPrintsTheNewInputFailureAndTheProcessExitsCleanly) {
    for (const QStringList& stopping : {QStringList{}, QStringList{"--no-stop"}}) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PULSE_SERVER", "unix:/nonexistent/ovra-no-server");
        env.insert("PULSE_RUNTIME_PATH", "/nonexistent/ovra-no-server");
        QProcess probe;
        probe.setProcessEnvironment(env);
        probe.start(QStringLiteral(CAPTURE_PROBE_PATH), QStringList{"--seconds", "0.5"} + stopping);
        ASSERT_TRUE(probe.waitForFinished(15000));
        const QString out = QString::fromUtf8(probe.readAllStandardOutput());
        const QString err = QString::fromUtf8(probe.readAllStandardError());
        EXPECT_EQ(probe.exitStatus(), QProcess::NormalExit) << err.toStdString();
        EXPECT_EQ(probe.exitCode(), 0) << err.toStdString();
        EXPECT_TRUE(out.startsWith(
            QStringLiteral("AudioQueueNewInput err %1\n").arg(AUDIO_QUEUE_ERR_NO_DEVICE)))
            << out.toStdString();
        EXPECT_FALSE(err.contains("notification"));
        EXPECT_TRUE(err.contains("Starting audio trapper") && err.contains("done"))
            << err.toStdString();
    }
}

} // namespace
} // namespace ovra
