// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QObject>
#include <QString>

class QDBusPendingCallWatcher;

namespace ovra {

// Keeps the desktop from blanking or locking the screen for idleness while
// the tuner listens: a player tuning has both hands on the guitar and
// touches neither keyboard nor screen for minutes.
//
// Asks the desktop portal (org.freedesktop.portal.Inhibit, idle flag) and,
// where there is none, the freedesktop idle-inhibition service
// (org.freedesktop.ScreenSaver). Every call is asynchronous, so a slow or
// absent service never holds up the window; at most one request is on its
// way or held at any time. Without a session bus or either service nothing
// happens beyond one log line per inhibitor. The desktop also drops a
// request when the process's bus connection closes, so a crash or a quick
// exit cannot leave the screen kept on.
//
// Main thread only.
class IdleInhibitor : public QObject {
    Q_OBJECT

public:
    explicit IdleInhibitor(QDBusConnection bus = QDBusConnection::sessionBus(),
                           QObject* parent = nullptr);
    // Releases a held request.
    ~IdleInhibitor() override;
    IdleInhibitor(const IdleInhibitor&) = delete;
    IdleInhibitor& operator=(const IdleInhibitor&) = delete;

    // true: hold a request from now on; false: release it now.
    void setInhibited(bool on);

private:
    // Tried in this order; the first that answers serves the rest of the
    // run, and when none answers none is asked again.
    enum class Service { Portal, ScreenSaver, ScreenSaverOldPath, None };

    void request(Service service);
    void handleReply(Service service, QDBusPendingCallWatcher* watcher);
    void release();
    void reportUnavailable(const QString& why);

    QDBusConnection myBus;
    bool myWanted = false;
    bool myPending = false;
    Service myFirstChoice = Service::Portal;
    Service myHeldBy = Service::None;
    QDBusObjectPath myPortalHandle;
    uint myCookie = 0;
    bool myUnavailableReported = false;
};

} // namespace ovra
