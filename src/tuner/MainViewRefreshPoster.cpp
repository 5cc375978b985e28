// SPDX-License-Identifier: GPL-3.0-or-later
#include "tuner/MainViewRefreshPoster.hpp"

#include "tuner/OvraMainView.hpp"

#include <QCoreApplication>
#include <QMetaObject>

namespace ovra {

MainViewRefreshForwarder::MainViewRefreshForwarder(OvraMainView* mainView) : myMainView(mainView) {}

void MainViewRefreshForwarder::forwardRefresh() {
    if (myMainView) {
        myMainView->refreshGUI();
    }
}

void MainViewRefreshForwarder::forwardHearingStatusChange() {
    if (myMainView) {
        myMainView->updateStatusLine();
    }
}

MainViewRefreshPoster::MainViewRefreshPoster(OvraMainView* mainView)
    : myForwarder(new MainViewRefreshForwarder(mainView)) {}

MainViewRefreshPoster::~MainViewRefreshPoster() {
    if (QCoreApplication::instance() != nullptr) {
        myForwarder->deleteLater();
    } else {
        // No event loop is left to run posts, and none can be made any more.
        delete myForwarder;
    }
}

void MainViewRefreshPoster::refreshGUIFromAnotherThread() {
    if (QCoreApplication::instance() == nullptr) {
        return;
    }
    QMetaObject::invokeMethod(myForwarder, "forwardRefresh", Qt::QueuedConnection);
}

void MainViewRefreshPoster::postHearingStatusChange() {
    if (QCoreApplication::instance() == nullptr) {
        return;
    }
    QMetaObject::invokeMethod(myForwarder, "forwardHearingStatusChange", Qt::QueuedConnection);
}

} // namespace ovra
