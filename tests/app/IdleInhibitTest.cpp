// SPDX-License-Identifier: GPL-3.0-or-later
// The launched application keeps the screen on while it listens: the desktop
// (a stand-in on a private session bus) is asked when capture starts and
// released when it stops; without a portal the idle-inhibition service
// serves; without either the tuner runs as before and says so once.
#include "AppTestSupport.hpp"

#include "common/LogCapture.hpp"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QProcess>
#include <QRegularExpression>

namespace ovra {
namespace {

// Started before anything in the process connects to the session bus.
class PrivateSessionBus : public ::testing::Environment {
public:
    void SetUp() override {
        myDaemon.setStandardErrorFile(QProcess::nullDevice());
        myDaemon.start("dbus-daemon",
                       {"--config-file=" OVRA_BUS_CONFIG_PATH, "--print-address", "--nofork"});
        ASSERT_TRUE(myDaemon.waitForReadyRead(20000)) << "dbus-daemon did not start";
        qputenv("DBUS_SESSION_BUS_ADDRESS", myDaemon.readLine().trimmed());
    }
    void TearDown() override {
        myDaemon.kill();
        myDaemon.waitForFinished();
    }

private:
    QProcess myDaemon;
};
[[maybe_unused]] const auto* const privateBus =
    ::testing::AddGlobalTestEnvironment(new PrivateSessionBus);

class KeepingTheScreenOn : public test::LaunchedTuner {
protected:
    void TearDown() override {
        test::LaunchedTuner::TearDown();
        desktop.kill();
        desktop.waitForFinished();
    }
    // Starts the stand-in desktop with these services ("portal", "screensaver").
    void offer(const QStringList& services) {
        desktop.start(OVRA_STAND_IN_PATH, services);
        ASSERT_TRUE(desktop.waitForReadyRead(20000) && desktop.readLine() == "ready\n");
    }
    // Waits for the stand-in's n-th call (from 0) and returns its line.
    QString call(qsizetype n) {
        EXPECT_TRUE(QTest::qWaitFor([&] {
            calls +=
                QString::fromUtf8(desktop.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
            return calls.size() > n;
        })) << "calls so far: "
            << calls.join(" | ").toStdString();
        return calls.value(n);
    }
    void setWindowSeen(bool seen) {
        delegate->handleWindowVisibilityChange(seen ? QWindow::Windowed : QWindow::Minimized);
    }

    QProcess desktop;
    QStringList calls;
};

TEST_F(KeepingTheScreenOn, ThePortalHoldsOneRequestWhileListening) {
    offer({"portal", "screensaver"});
    launch();
    // Hidden and shown again before the desktop has answered: still one request.
    setWindowSeen(false);
    setWindowSeen(true);
    const QRegularExpression inhibit("^Inhibit flags=8 reason=Tuning handle=(\\S+)$");
    const QString first = inhibit.match(call(0)).captured(1);
    ASSERT_FALSE(first.isEmpty()) << calls.join(" | ").toStdString();

    setWindowSeen(false);
    EXPECT_EQ(call(1), "Close " + first);
    setWindowSeen(true);
    const QString second = inhibit.match(call(2)).captured(1);
    EXPECT_NE(second, first);
    delegate->applicationWillTerminate();
    EXPECT_EQ(call(3), "Close " + second);
}

TEST_F(KeepingTheScreenOn, WithoutAPortalTheIdleInhibitionServiceServes) {
    offer({"screensaver"});
    launch();
    const QRegularExpression inhibit("^ScreenSaver.Inhibit app=\\S+ reason=Tuning cookie=(\\d+)$");
    const QString cookie = inhibit.match(call(0)).captured(1);
    ASSERT_FALSE(cookie.isEmpty()) << calls.join(" | ").toStdString();
    setWindowSeen(false);
    EXPECT_EQ(call(1), "ScreenSaver.UnInhibit cookie=" + cookie);
}

TEST_F(KeepingTheScreenOn, WithoutEitherServiceTheTunerListensAndSaysSoOnce) {
    LogCapture log;
    launch();
    const auto said = [&] {
        const std::vector<std::string> lines = log.lines();
        return std::count_if(lines.begin(), lines.end(), [](const std::string& line) {
            return line.starts_with("The screen may blank while tuning");
        });
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return said() > 0; }));
    setWindowSeen(false);
    setWindowSeen(true);
    EXPECT_TRUE(delegate->audioTrapper()->audioThread() != nullptr);
    // Answers come back in the order of the calls: once a ping's has, any
    // request sent before it has had its answer. Once for each service tried.
    for (int service = 0; service < 3; ++service) {
        QDBusPendingCallWatcher ping(
            QDBusConnection::sessionBus().asyncCall(QDBusMessage::createMethodCall(
                "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "GetId")));
        bool answered = false;
        QObject::connect(&ping, &QDBusPendingCallWatcher::finished, [&] { answered = true; });
        ASSERT_TRUE(QTest::qWaitFor([&] { return answered; }));
    }
    delegate->applicationWillTerminate();
    EXPECT_EQ(said(), 1);
}

} // namespace
} // namespace ovra
