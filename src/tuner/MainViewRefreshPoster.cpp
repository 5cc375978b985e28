#include "tuner/MainViewRefreshPoster.hpp"

#include "tuner/OvraMainView.hpp"

#include <QCoreApplication>
#include <QMetaObject>

namespace ovra {

MainViewRefreshPoster::MainViewRefreshPoster(OvraMainView* mainView) : myMainView(mainView) {}

void MainViewRefreshPoster::refreshGUIFromAnotherThread() {
    // The application object lives on the main thread and outlives every
    // screen, so it carries the posts; the screen itself might be destroyed
    // while this thread is about to post to it.
    QCoreApplication* application = QCoreApplication::instance();
    if (application == nullptr) {
        return;
    }
    QMetaObject::invokeMethod(
        application,
        [mainView = myMainView] {
            if (mainView) {
                mainView->refreshGUI();
            }
        },
        Qt::QueuedConnection);
}

} // namespace ovra
