// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/OvraTunerAppDelegate.hpp"

#include "app/IdleInhibitor.hpp"
#include "app/TunerWindow.hpp"
#include "capture/AudioBackendExit.hpp"
#include "capture/CorvaneAudioTrapper.hpp"
#include "common/SystemLog.hpp"
#include "common/Version.hpp"
#include "layout/WEXConfig.hpp"
#include "tuner/OvraMainView.hpp"

#include <QCoreApplication>
#include <QThread>

#include <cstdlib>
#include <mutex>

namespace ovra {

namespace {

constexpr const char* LAYOUT_PREFIX = "ovra";

// Qt's X11 platform calls exit() when the display connection is lost, from
// the main thread's event processing: the delegate is still alive then, and
// its settings are written as on an orderly quit.
void storeSettingsAtExit() {
    OvraTunerAppDelegate* delegate = OvraTunerAppDelegate::sharedAppDelegate();
    const QCoreApplication* application = QCoreApplication::instance();
    if (delegate != nullptr && application != nullptr &&
        QThread::currentThread() == application->thread()) {
        delegate->storeDefaultValues();
    }
}

} // namespace

OvraTunerAppDelegate::OvraTunerAppDelegate() : OvraTunerAppDelegate(Options{}) {}

OvraTunerAppDelegate::OvraTunerAppDelegate(Options options) : myOptions(std::move(options)) {}

OvraTunerAppDelegate::~OvraTunerAppDelegate() {
    if (TunerAppDelegate::sharedAppDelegate() == this) {
        setSharedAppDelegate(nullptr);
    }
    if (myAudioTrapper && !myTerminated) {
        myAudioTrapper->stopAudioTrapper();
    }
    myIdleInhibitor.reset();
    myAudioTrapper.reset();
    myOvraLayout.reset();
    delete myMainView.data();
    myWindow.reset();
}

OvraTunerAppDelegate* OvraTunerAppDelegate::sharedAppDelegate() {
    return dynamic_cast<OvraTunerAppDelegate*>(TunerAppDelegate::sharedAppDelegate());
}

void OvraTunerAppDelegate::applicationDidFinishLaunching() {
    if (myLaunched) {
        return;
    }
    myLaunched = true;

    // The screen reaches the delegate and the layout reader while it is
    // being built, so these come first.
    setSharedAppDelegate(this);
    myWindow = std::make_unique<TunerWindow>();
    loadPreferences();
    // Registered after the preference store's first use, so that it runs
    // before the store's own globals are torn down.
    static std::once_flag exitHook;
    std::call_once(exitHook, [] {
        std::atexit(storeSettingsAtExit);
        // Also when the process ends before the exit handlers.
        runBeforeProcessEnd(storeSettingsAtExit);
    });
    myOvraLayout = std::make_unique<WEXConfig>(LAYOUT_PREFIX);

    auto mainView = std::make_unique<OvraMainView>(myWindow->bounds(), this);
    myMainView = mainView.get();

    myAudioTrapper = myOptions.audioQueueFactory
                         ? CorvaneAudioTrapper::create(myOptions.audioQueueFactory)
                         : CorvaneAudioTrapper::create();
    myAudioTrapper->setDelegate(myMainView->captureDelegate());
    myAudioTrapper->setFineTuning(mySettings.fineTuning());
    myIdleInhibitor = std::make_unique<IdleInhibitor>();
    setAudioOn(true);

    myWindow->setStageImage(
        WEXConfig::imageOfItem("background", -1, nullptr, MAIN_VIEW_LAYOUT_FILE));
    myWindow->setContentView(mainView.release());
    myWindow->show();
    myWindow->activateWindow();

    if (myOptions.followApplicationState) {
        followApplicationState();
    }
}

void OvraTunerAppDelegate::applicationWillResignActive() {
    setAudioOn(false);
    storeDefaultValues();
}

void OvraTunerAppDelegate::applicationDidBecomeActive() {
    setAudioOn(true);
}

void OvraTunerAppDelegate::applicationWillTerminate() {
    if (myTerminated) {
        return;
    }
    myTerminated = true;
    setAudioOn(false);
    storeDefaultValues();
}

void OvraTunerAppDelegate::followApplicationState() {
    if (auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        myApplicationState = QGuiApplication::applicationState();
        connect(application, &QGuiApplication::applicationStateChanged, this,
                &OvraTunerAppDelegate::handleApplicationStateChange);
    }
    if (QCoreApplication* application = QCoreApplication::instance()) {
        connect(application, &QCoreApplication::aboutToQuit, this,
                &OvraTunerAppDelegate::applicationWillTerminate);
    }
    if (QWindow* handle = myWindow->windowHandle()) {
        handleWindowVisibilityChange(handle->visibility());
        connect(handle, &QWindow::visibilityChanged, this,
                &OvraTunerAppDelegate::handleWindowVisibilityChange);
    }
}

void OvraTunerAppDelegate::handleApplicationStateChange(Qt::ApplicationState state) {
    const bool lostFocus =
        myApplicationState == Qt::ApplicationActive && state != Qt::ApplicationActive;
    myApplicationState = state;
    // On a desktop, focus moves to a chord chart or a recorder while the
    // tuner stays in sight and keeps listening; its settings are saved all
    // the same.
    if (lostFocus) {
        storeDefaultValues();
    }
    followForeground();
}

void OvraTunerAppDelegate::handleWindowVisibilityChange(QWindow::Visibility visibility) {
    myWindowSeen = visibility != QWindow::Hidden && visibility != QWindow::Minimized;
    followForeground();
}

void OvraTunerAppDelegate::followForeground() {
    const bool foreground = myWindowSeen && myApplicationState != Qt::ApplicationHidden &&
                            myApplicationState != Qt::ApplicationSuspended;
    if (foreground == myForeground || myTerminated) {
        return;
    }
    myForeground = foreground;
    if (foreground) {
        applicationDidBecomeActive();
    } else {
        applicationWillResignActive();
    }
}

void OvraTunerAppDelegate::loadPreferences() {
    mySettings.load(myOptions.tuningOverride, myOptions.referencePitchOverride);
}

void OvraTunerAppDelegate::setTuning(const Tuning& tuning) {
    if (mySettings.setTuning(tuning) && myMainView) {
        myMainView->applyTuning();
    }
}

void OvraTunerAppDelegate::setReferencePitch(int32_t hertz) {
    if (mySettings.setReferencePitch(hertz) && myMainView) {
        myMainView->applyTuning();
    }
}

void OvraTunerAppDelegate::setFineTuning(bool on) {
    if (!mySettings.setFineTuning(on) || !myAudioTrapper) {
        return;
    }
    myAudioTrapper->setFineTuning(on);
    // Hops or whole buffers are chosen when a queue opens.
    if (myAudioTrapper->audioThread()) {
        myAudioTrapper->startAudioTrapper();
    }
}

void OvraTunerAppDelegate::setAudioOn(bool on) {
    if (!myAudioTrapper) {
        return;
    }
    if (on) {
        myAudioTrapper->startAudioTrapper();
    } else {
        myAudioTrapper->stopAudioTrapper();
    }
    myIdleInhibitor->setInhibited(on);
}

std::string OvraTunerAppDelegate::versionString() const {
    return OVRA_VERSION;
}

} // namespace ovra
