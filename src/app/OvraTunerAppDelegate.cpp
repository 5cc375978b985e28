#include "app/OvraTunerAppDelegate.hpp"

#include "app/TunerWindow.hpp"
#include "capture/CorvaneAudioTrapper.hpp"
#include "common/SystemLog.hpp"
#include "common/Version.hpp"
#include "layout/WEXConfig.hpp"
#include "tuner/OvraMainView.hpp"

#include <QCoreApplication>

#include <cmath>
#include <limits>

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

} // namespace

OvraTunerAppDelegate::OvraTunerAppDelegate() : OvraTunerAppDelegate(Options{}) {}

OvraTunerAppDelegate::OvraTunerAppDelegate(Options options) : myOptions(std::move(options)) {}

OvraTunerAppDelegate::~OvraTunerAppDelegate() {
    if (TunerAppDelegate::sharedAppDelegate() == this) {
        setSharedAppDelegate(nullptr);
    }
    if (myAudioTrapper) {
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
}

void OvraTunerAppDelegate::handleApplicationStateChange(Qt::ApplicationState state) {
    const bool wasActive = myApplicationState == Qt::ApplicationActive;
    const bool isActive = state == Qt::ApplicationActive;
    myApplicationState = state;
    // Inactive, hidden and suspended all mean "not active": only the
    // crossings matter.
    if (isActive && !wasActive) {
        applicationDidBecomeActive();
    } else if (wasActive && !isActive) {
        applicationWillResignActive();
    }
}

void OvraTunerAppDelegate::loadPreferences() {
    if (const std::optional<int32_t> threshold =
            myPreferences.integerForKey(KEY_VOLUME_THRESHOLD)) {
        myVolumeThreshold = *threshold;
    } else {
        setVolumeThresholdToDefault();
    }
    if (const std::optional<int32_t> width =
            myPreferences.integerForKey(KEY_GREEN_ZONE_CENTS_WIDTH)) {
        myGreenZoneCentsWidth = *width;
    } else {
        setGreenZoneCentsWidthToDefault();
    }
    myHyperactivityMode = myPreferences.boolForKey(KEY_HYPERACTIVITY_MODE).value_or(false);
    if (!myPreferences.isReadable()) {
        systemLog(
            "Warning : damaged preferences file - %s; unreadable settings take their defaults",
            myPreferences.fileName().toUtf8().constData());
    }
}

void OvraTunerAppDelegate::storeDefaultValues() {
    myPreferences.setIntegerAndBoolValues({{KEY_VOLUME_THRESHOLD, myVolumeThreshold},
                                           {KEY_GREEN_ZONE_CENTS_WIDTH, myGreenZoneCentsWidth}},
                                          {{KEY_HYPERACTIVITY_MODE, myHyperactivityMode}});
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
}

std::string OvraTunerAppDelegate::versionString() const {
    return OVRA_VERSION;
}

} // namespace ovra
