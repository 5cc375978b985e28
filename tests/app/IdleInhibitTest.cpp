// SPDX-License-Identifier: GPL-3.0-or-later
// The launched application keeps the screen on while it listens: the desktop
// (a stand-in on the test's own session bus, see CMakeLists.txt) is asked
// when capture starts and released when it stops; without a portal the
// idle-inhibition service serves; without either the tuner runs as before
// and says so once.
#include "AppTestSupport.hpp"

#include "common/LogCapture.hpp"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QProcess>

#include <regex>
#include <string>

namespace ovra {
namespace {

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
    std::string call(qsizetype n) {
        EXPECT_TRUE(QTest::qWaitFor([&] {
            calls +=
                QString::fromUtf8(desktop.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
            return calls.size() > n;
        })) << "calls so far: "
            << calls.join(" | ").toStdString();
        return calls.value(n).toStdString();
    }
    // What the first group of `pattern` matches in the n-th call, or "".
    std::string fromCall(qsizetype n, const char* pattern) {
        std::smatch match;
        const std::string line = call(n);
        return std::regex_match(line, match, std::regex(pattern)) ? match[1].str() : "";
    }
    void setWindowSeen(bool seen) {
        delegate->handleWindowVisibilityChange(seen ? QWindow::Windowed : QWindow::Minimized);
    }

    QProcess desktop;
    QStringList calls;
};

TEST_F(KeepingTheScreenOn, ThePortalHoldsOneRequestWhileListening) {
    const char* inhibit = "Inhibit flags=8 reason=Tuning handle=(\\S+)";
    offer({"portal", "screensaver"});
    launch();
    // Hidden and shown again before the desktop has answered: still one request.
    setWindowSeen(false);
    setWindowSeen(true);
    const std::string first = fromCall(0, inhibit);
    ASSERT_NE(first, "") << call(0);
    setWindowSeen(false);
    EXPECT_EQ(call(1), "Close " + first);
    // Shown and hidden again before the desktop has answered: released on the answer.
    setWindowSeen(true);
    setWindowSeen(false);
    const std::string second = fromCall(2, inhibit);
    EXPECT_NE(second, first);
    EXPECT_EQ(call(3), "Close " + second);
    setWindowSeen(true);
    const std::string third = fromCall(4, inhibit);
    delegate->applicationWillTerminate();
    EXPECT_EQ(call(5), "Close " + third);
}

TEST_F(KeepingTheScreenOn, WithoutAPortalTheIdleInhibitionServiceServes) {
    offer({"screensaver"});
    launch();
    const std::string cookie =
        fromCall(0, "ScreenSaver.Inhibit app=\\S+ reason=Tuning cookie=(\\d+)");
    ASSERT_NE(cookie, "") << call(0);
    setWindowSeen(false);
    EXPECT_EQ(call(1), "UnInhibit " + cookie);
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
