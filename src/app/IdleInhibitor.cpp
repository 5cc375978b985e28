// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/IdleInhibitor.hpp"

#include "common/SystemLog.hpp"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QGuiApplication>
#include <QVariantMap>

namespace ovra {

namespace {

const QString PORTAL_SERVICE = QStringLiteral("org.freedesktop.portal.Desktop");
const QString PORTAL_PATH = QStringLiteral("/org/freedesktop/portal/desktop");
const QString PORTAL_INHIBIT = QStringLiteral("org.freedesktop.portal.Inhibit");
const QString PORTAL_REQUEST = QStringLiteral("org.freedesktop.portal.Request");
const QString SCREENSAVER_SERVICE = QStringLiteral("org.freedesktop.ScreenSaver");
// The standard path, and the one older desktops export instead.
const QString SCREENSAVER_PATH = QStringLiteral("/org/freedesktop/ScreenSaver");
const QString SCREENSAVER_OLD_PATH = QStringLiteral("/ScreenSaver");

constexpr uint PORTAL_INHIBIT_IDLE = 8;
const QString REASON = QStringLiteral("Tuning");
// Long enough for the bus to start a portal on demand; nothing waits for it.
constexpr int CALL_TIMEOUT_MS = 10000;

QString applicationId() {
    const QString desktopId = QGuiApplication::desktopFileName();
    return desktopId.isEmpty() ? QCoreApplication::applicationName() : desktopId;
}

} // namespace

IdleInhibitor::IdleInhibitor(QDBusConnection bus, QObject* parent)
    : QObject(parent), myBus(std::move(bus)) {}

IdleInhibitor::~IdleInhibitor() {
    release();
}

void IdleInhibitor::setInhibited(bool on) {
    myWanted = on;
    if (!on) {
        release();
    } else if (!myPending && myHeldBy == Service::None && myFirstChoice != Service::None) {
        request(myFirstChoice);
    }
}

void IdleInhibitor::request(Service service) {
    if (!myBus.isConnected()) {
        myFirstChoice = Service::None;
        reportUnavailable(QStringLiteral("no session bus"));
        return;
    }
    QDBusMessage call;
    if (service == Service::Portal) {
        call = QDBusMessage::createMethodCall(PORTAL_SERVICE, PORTAL_PATH, PORTAL_INHIBIT,
                                              QStringLiteral("Inhibit"));
        call << QString() << PORTAL_INHIBIT_IDLE << QVariantMap{{QStringLiteral("reason"), REASON}};
    } else {
        call = QDBusMessage::createMethodCall(
            SCREENSAVER_SERVICE,
            service == Service::ScreenSaver ? SCREENSAVER_PATH : SCREENSAVER_OLD_PATH,
            SCREENSAVER_SERVICE, QStringLiteral("Inhibit"));
        call << applicationId() << REASON;
    }
    myPending = true;
    auto* watcher = new QDBusPendingCallWatcher(myBus.asyncCall(call, CALL_TIMEOUT_MS), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, service](QDBusPendingCallWatcher* done) { handleReply(service, done); });
}

void IdleInhibitor::handleReply(Service service, QDBusPendingCallWatcher* watcher) {
    watcher->deleteLater();
    myPending = false;
    // An answer of the wrong type counts as an error too.
    QDBusError error;
    if (service == Service::Portal) {
        const QDBusPendingReply<QDBusObjectPath> reply = *watcher;
        error = reply.error();
        myPortalHandle = reply.value();
    } else {
        const QDBusPendingReply<uint> reply = *watcher;
        error = reply.error();
        myCookie = reply.value();
    }
    if (error.isValid()) {
        const auto next = static_cast<Service>(static_cast<int>(service) + 1);
        if (next == Service::None) {
            myFirstChoice = Service::None;
            reportUnavailable(error.message());
        } else if (myWanted) {
            request(next);
        }
        return;
    }
    myHeldBy = service;
    myFirstChoice = service;
    // Capture stopped while the request was on its way.
    if (!myWanted) {
        release();
    }
}

void IdleInhibitor::release() {
    // Nothing waits for the answer: quitting or hiding the window stays quick.
    switch (myHeldBy) {
    case Service::Portal:
        myBus.send(QDBusMessage::createMethodCall(PORTAL_SERVICE, myPortalHandle.path(),
                                                  PORTAL_REQUEST, QStringLiteral("Close")));
        break;
    case Service::ScreenSaver:
    case Service::ScreenSaverOldPath: {
        QDBusMessage call = QDBusMessage::createMethodCall(
            SCREENSAVER_SERVICE,
            myHeldBy == Service::ScreenSaver ? SCREENSAVER_PATH : SCREENSAVER_OLD_PATH,
            SCREENSAVER_SERVICE, QStringLiteral("UnInhibit"));
        call << myCookie;
        myBus.send(call);
        break;
    }
    case Service::None:
        break;
    }
    myHeldBy = Service::None;
}

void IdleInhibitor::reportUnavailable(const QString& why) {
    if (myUnavailableReported) {
        return;
    }
    myUnavailableReported = true;
    systemLog("The screen may blank while tuning: the desktop cannot be asked to keep it on (%s)",
              why.toUtf8().constData());
}

} // namespace ovra
