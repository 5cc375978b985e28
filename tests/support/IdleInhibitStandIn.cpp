// SPDX-License-Identifier: GPL-3.0-or-later
// Stands in for the desktop on the session bus named by
// DBUS_SESSION_BUS_ADDRESS: the portal's Inhibit and Request.Close (argument
// "portal") and the idle-inhibition service (argument "screensaver"). Prints
// each call it answers as one line, and "ready" once its names are taken.
//   idle-inhibit-stand-in [portal] [screensaver]
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVirtualObject>

#include <cstdio>

namespace {

class StandIn : public QDBusVirtualObject {
public:
    QString introspect(const QString&) const override { return {}; }

    bool handleMessage(const QDBusMessage& call, const QDBusConnection& bus) override {
        const QList<QVariant> args = call.arguments();
        QString line = call.member();
        QVariant result;
        if (call.member() == "Inhibit" && call.path() == "/org/freedesktop/portal/desktop") {
            const QString handle =
                QString("/org/freedesktop/portal/desktop/request/standin/t%1").arg(++myCount);
            line +=
                QString(" flags=%1 reason=%2 handle=%3")
                    .arg(args.value(1).toUInt())
                    .arg(qdbus_cast<QVariantMap>(args.value(2)).value("reason").toString(), handle);
            result = QVariant::fromValue(QDBusObjectPath(handle));
        } else if (call.member() == "Inhibit" && call.path() == "/org/freedesktop/ScreenSaver") {
            result = ++myCount;
            line = QString("ScreenSaver.Inhibit app=%1 reason=%2 cookie=%3")
                       .arg(args.value(0).toString(), args.value(1).toString())
                       .arg(myCount);
        } else if (call.member() == "Close" || call.member() == "UnInhibit") {
            line += ' ' + (args.isEmpty() ? call.path() : args[0].toString());
        } else {
            return false;
        }
        std::printf("%s\n", qPrintable(line));
        std::fflush(stdout);
        bus.send(result.isValid() ? call.createReply(result) : call.createReply());
        return true;
    }

private:
    uint myCount = 0;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QDBusConnection bus = QDBusConnection::sessionBus();
    StandIn standIn;
    bus.registerVirtualObject("/", &standIn, QDBusConnection::SubPath);
    for (const QString& which : app.arguments().mid(1)) {
        const QString name =
            which == "portal" ? "org.freedesktop.portal.Desktop" : "org.freedesktop.ScreenSaver";
        if (!bus.registerService(name)) {
            std::fprintf(stderr, "cannot take %s\n", qPrintable(name));
            return 1;
        }
    }
    std::printf("ready\n");
    std::fflush(stdout);
    return app.exec();
}
