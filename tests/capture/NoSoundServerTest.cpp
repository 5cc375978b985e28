#include "analysis/AudioQueue.hpp"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>

#include <string>

namespace ovra {
namespace {

// Without any sound server, starting capture prints the queue's failure and
// returns; the program runs on and exits normally.
TEST(NoSoundServer, StartPrintsTheNewInputFailureAndTheProcessExitsCleanly) {
    for (const char* stopping : {"stop", "no-stop"}) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PULSE_SERVER", "unix:/nonexistent/ovra-no-server");
        env.insert("PULSE_RUNTIME_PATH", "/nonexistent/ovra-no-server");
        QProcess probe;
        probe.setProcessEnvironment(env);
        QStringList args{"--seconds", "0.5"};
        if (std::string(stopping) == "no-stop") {
            args << "--no-stop";
        }
        probe.start(QStringLiteral(CAPTURE_PROBE_PATH), args);
        ASSERT_TRUE(probe.waitForFinished(15000)) << stopping;
        const std::string out = probe.readAllStandardOutput().toStdString();
        const std::string err = probe.readAllStandardError().toStdString();
        EXPECT_EQ(probe.exitStatus(), QProcess::NormalExit) << err;
        EXPECT_EQ(probe.exitCode(), 0) << err;
        EXPECT_EQ(
            out.rfind("AudioQueueNewInput err " + std::to_string(AUDIO_QUEUE_ERR_NO_DEVICE) + "\n",
                      0),
            0u)
            << out;
        EXPECT_EQ(err.find("notification"), std::string::npos);
        EXPECT_NE(err.find("Starting audio trapper"), std::string::npos) << err;
        EXPECT_NE(err.find("done"), std::string::npos) << err;
    }
}

} // namespace
} // namespace ovra
