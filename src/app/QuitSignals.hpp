// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QSocketNotifier;

namespace ovra {

// Ends the application on SIGTERM, SIGINT and SIGHUP through the same path
// as Ctrl+Q: the signal handler only writes the signal's number to a pipe,
// and the main thread's event loop reads it and calls
// QCoreApplication::quit(), so the settings are written, capture stops and
// the exit status is 0. A second signal while the first is being handled
// ends the process the default way, so a stuck quit can still be broken.
//
// One per process, made on the main thread after the application object;
// destroying it restores the default handlers.
class QuitSignals : public QObject {
    Q_OBJECT

public:
    explicit QuitSignals(QObject* parent = nullptr);
    ~QuitSignals() override;
    QuitSignals(const QuitSignals&) = delete;
    QuitSignals& operator=(const QuitSignals&) = delete;

private:
    void readSignals();

    QSocketNotifier* myNotifier = nullptr;
};

} // namespace ovra
