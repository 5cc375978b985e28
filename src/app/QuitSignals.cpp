// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/QuitSignals.hpp"

#include "common/SystemLog.hpp"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace ovra {

namespace {

constexpr int QUIT_SIGNALS[] = {SIGTERM, SIGINT, SIGHUP};

// Written by the handler, read by the main thread.
int signalPipe[2] = {-1, -1};
volatile sig_atomic_t quitRequested = 0;

// Only async-signal-safe calls here.
void onQuitSignal(int number) {
    const int savedErrno = errno;
    if (quitRequested) {
        std::signal(number, SIG_DFL);
        std::raise(number);
    } else {
        quitRequested = 1;
        const auto byte = static_cast<unsigned char>(number);
        [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
    }
    errno = savedErrno;
}

void closePipe() {
    for (int& end : signalPipe) {
        if (end >= 0) {
            ::close(end);
            end = -1;
        }
    }
}

} // namespace

QuitSignals::QuitSignals(QObject* parent) : QObject(parent) {
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        systemLog("Warning : no quit on signals - %s", std::strerror(errno));
        return;
    }
    quitRequested = 0;
    struct sigaction action {};
    action.sa_handler = onQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : QUIT_SIGNALS) {
        if (::sigaction(number, &action, nullptr) != 0) {
            systemLog("Warning : no quit on signal %d - %s", number, std::strerror(errno));
        }
    }
    myNotifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(myNotifier, &QSocketNotifier::activated, this, &QuitSignals::readSignals);
}

QuitSignals::~QuitSignals() {
    if (myNotifier == nullptr) {
        return;
    }
    for (const int number : QUIT_SIGNALS) {
        std::signal(number, SIG_DFL);
    }
    delete myNotifier;
    closePipe();
}

void QuitSignals::readSignals() {
    unsigned char number = 0;
    while (::read(signalPipe[0], &number, 1) == 1) {
        systemLog("Quitting on signal %d (%s)", number, strsignal(number));
    }
    QCoreApplication::quit();
}

} // namespace ovra
