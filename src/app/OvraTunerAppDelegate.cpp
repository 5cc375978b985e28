#include "app/OvraTunerAppDelegate.hpp"

#include "app/TunerWindow.hpp"
#include "capture/AudioBackendExit.hpp"
#include "capture/CorvaneAudioTrapper.hpp"
#include "common/SystemLog.hpp"
#include "common/Version.hpp"
#include "layout/WEXConfig.hpp"
#include "tuner/OvraMainView.hpp"

#include <QCoreApplication>
#include <QThread>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <mutex>

namespace ovra {

namespace {

constexpr const char* LAYOUT_PREFIX = "ovra";

int32_t clampToInt32(int64_t value) {
    if (value < std::numeric_limits<int32_t>::min()) {
        return std::numeric_limits<int32_t>::min();
    }
    if (value > std::numeric_limits<int32_t>::max()) {
        return std::numeric_limits<int32_t>::max();
    }
    return static_cast<int32_t>(value);
}

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

OvraTunerAppDelegate::OvraTunerAppDelegate(Options options) : myOptions(std::move(options)) {
    myWriteTimer.setSingleShot(true);
    myWriteTimer.setInterval(SETTINGS_WRITE_DELAY_MS);
    connect(&myWriteTimer, &QTimer::timeout, this, &OvraTunerAppDelegate::storeDefaultValues);
}

OvraTunerAppDelegate::~OvraTunerAppDelegate() {
    if (TunerAppDelegate::sharedAppDelegate() == this) {
        setSharedAppDelegate(nullptr);
    }
    if (myAudioTrapper && !myTerminated) {
        myAudioTrapper->stopAudioTrapper();
    }
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
        // Also when the process ends before the exit handlers (issue 22).
        runBeforeProcessEnd(storeSettingsAtExit);
    });
    myOvraLayout = std::make_unique<WEXConfig>(LAYOUT_PREFIX);

    auto mainView = std::make_unique<OvraMainView>(myWindow->bounds(), this);
    myMainView = mainView.get();

    myAudioTrapper = myOptions.audioQueueFactory
                         ? CorvaneAudioTrapper::create(myOptions.audioQueueFactory)
                         : CorvaneAudioTrapper::create();
    myAudioTrapper->setDelegate(myMainView->captureDelegate());
    setAudioOn(true);

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
    // Set directly: loading is no change to write back.
    if (const std::optional<int32_t> threshold =
            myPreferences.integerForKey(KEY_VOLUME_THRESHOLD)) {
        myVolumeThreshold = *threshold;
    } else {
        myVolumeThreshold = DEFAULT_VOLUME_THRESHOLD;
    }
    if (const std::optional<int32_t> width =
            myPreferences.integerForKey(KEY_GREEN_ZONE_CENTS_WIDTH)) {
        myGreenZoneCentsWidth = *width;
    } else {
        myGreenZoneCentsWidth = DEFAULT_GREEN_ZONE_WIDTH;
    }
    myHyperactivityMode = myPreferences.boolForKey(KEY_HYPERACTIVITY_MODE).value_or(false);
    loadTuningPreferences();
    if (!myPreferences.isReadable()) {
        systemLog(
            "Warning : damaged preferences file - %s; unreadable settings take their defaults",
            myPreferences.fileName().toUtf8().constData());
    }
    applyTuningOverrides();
}

void OvraTunerAppDelegate::loadTuningPreferences() {
    myTuning = &standardTuning();
    if (const std::optional<QString> id = myPreferences.textForKey(KEY_TUNING)) {
        if (const Tuning* stored = findTuning(id->toStdString())) {
            myTuning = stored;
        } else {
            systemLog("Warning : preference %s names no known tuning ('%s'); using standard",
                      KEY_TUNING, id->toUtf8().constData());
        }
    }
    myReferencePitch = DEFAULT_REFERENCE_PITCH;
    if (const std::optional<int32_t> pitch = myPreferences.integerForKey(KEY_REFERENCE_PITCH)) {
        if (isValidReferencePitch(*pitch)) {
            myReferencePitch = *pitch;
        } else {
            systemLog("Warning : preference %s is %d, outside %d..%d; using %d",
                      KEY_REFERENCE_PITCH, *pitch, MIN_REFERENCE_PITCH, MAX_REFERENCE_PITCH,
                      DEFAULT_REFERENCE_PITCH);
        }
    }
    myTuningChosen = false;
    myReferencePitchChosen = false;
}

void OvraTunerAppDelegate::applyTuningOverrides() {
    if (myOptions.tuningOverride != nullptr) {
        myTuning = myOptions.tuningOverride;
    }
    if (isValidReferencePitch(myOptions.referencePitchOverride)) {
        myReferencePitch = myOptions.referencePitchOverride;
    }
}

void OvraTunerAppDelegate::storeDefaultValues() {
    myWriteTimer.stop();
    std::vector<std::pair<const char*, QVariant>> values{
        {KEY_VOLUME_THRESHOLD, myVolumeThreshold},
        {KEY_GREEN_ZONE_CENTS_WIDTH, myGreenZoneCentsWidth},
        {KEY_HYPERACTIVITY_MODE, myHyperactivityMode}};
    if (myTuningChosen) {
        values.emplace_back(
            KEY_TUNING,
            QString::fromUtf8(myTuning->id.data(), static_cast<qsizetype>(myTuning->id.size())));
    }
    if (myReferencePitchChosen) {
        values.emplace_back(KEY_REFERENCE_PITCH, myReferencePitch);
    }
    myPreferences.setValues(values);
}

void OvraTunerAppDelegate::setTuning(const Tuning& tuning) {
    // Kept by reference: only the built-in tunings live long enough.
    const Tuning* builtIn = findTuning(tuning.id);
    if (builtIn == nullptr) {
        systemLog("Warning : ignoring tuning '%s', which is not built in",
                  std::string(tuning.id).c_str());
        return;
    }
    myTuningChosen = true;
    if (builtIn != myTuning) {
        myTuning = builtIn;
        systemLog("Tuning=%s", std::string(tuning.id).c_str());
        if (myMainView) {
            myMainView->applyTuning();
        }
    }
    settingsChanged();
}

void OvraTunerAppDelegate::setReferencePitch(int32_t hertz) {
    if (!isValidReferencePitch(hertz)) {
        systemLog("Warning : ignoring reference pitch %d, outside %d..%d", hertz,
                  MIN_REFERENCE_PITCH, MAX_REFERENCE_PITCH);
        return;
    }
    myReferencePitchChosen = true;
    if (hertz != myReferencePitch) {
        myReferencePitch = hertz;
        systemLog("Reference pitch=%d", hertz);
        if (myMainView) {
            myMainView->applyTuning();
        }
    }
    settingsChanged();
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
}

int32_t OvraTunerAppDelegate::lastTuningKeySelected() const {
    const std::optional<int32_t> key = myPreferences.integerForKey(KEY_SELECTED_TUNING_KEY_INDEX);
    // The screen indexes its keys with it: anything else is not a selection.
    if (!key || *key < 0 || *key >= TUNING_KEY_COUNT) {
        return 0;
    }
    return *key;
}

void OvraTunerAppDelegate::updateSelectedTuningKey(int32_t keyIndex) {
    myPreferences.setIntegerForKey(keyIndex, KEY_SELECTED_TUNING_KEY_INDEX);
}

float OvraTunerAppDelegate::volumeSensitivity() const {
    // The differences are taken in 64 bits so that no stored threshold can
    // overflow; each is then a float, as the slider's arithmetic wants.
    const float aboveMinimum =
        static_cast<float>(static_cast<int64_t>(myVolumeThreshold) - MIN_VOLUME_THRESHOLD);
    const float span = static_cast<float>(MAX_VOLUME_THRESHOLD - MIN_VOLUME_THRESHOLD);
    return 1.0f - aboveMinimum / span;
}

void OvraTunerAppDelegate::setVolumeSensitivity(float sensitivity) {
    const float product =
        static_cast<float>(MAX_VOLUME_THRESHOLD - MIN_VOLUME_THRESHOLD) * sensitivity;
    if (std::isnan(product)) {
        systemLog("Warning : ignoring volume sensitivity that is not a number");
        return;
    }
    // Truncated toward zero; a product beyond any integer is held at the
    // integer limits instead of being undefined.
    constexpr float LIMIT = 2147483648.0f; // 2^31
    const int64_t truncated = product >= LIMIT    ? std::numeric_limits<int32_t>::max()
                              : product <= -LIMIT ? std::numeric_limits<int32_t>::min()
                                                  : static_cast<int64_t>(product);
    myVolumeThreshold = clampToInt32(static_cast<int64_t>(MAX_VOLUME_THRESHOLD) - truncated);
    systemLog("Volume threshold=%d", myVolumeThreshold);
    settingsChanged();
}

void OvraTunerAppDelegate::setVolumeThresholdToDefault() {
    myVolumeThreshold = DEFAULT_VOLUME_THRESHOLD;
    settingsChanged();
}

void OvraTunerAppDelegate::setGreenZoneCentsWidth(int32_t width) {
    myGreenZoneCentsWidth = width;
    settingsChanged();
}

void OvraTunerAppDelegate::setHyperactivityMode(bool on) {
    myHyperactivityMode = on;
    settingsChanged();
}

std::string OvraTunerAppDelegate::versionString() const {
    return OVRA_VERSION;
}

} // namespace ovra
