// SPDX-License-Identifier: GPL-3.0-or-later
#include "tuner/OvraMainView.hpp"

#include "capture/AudioTonePlayer.hpp"
#include "common/SystemLog.hpp"
#include "common/Version.hpp"
#include "engine/FrequencySmoother.hpp"
#include "layout/WEXConfig.hpp"
#include "tuner/LocalizedText.hpp"
#include "tuner/MainViewRefreshPoster.hpp"
#include "tuner/OvraSettings.hpp"
#include "tuner/OvraTuningKey.hpp"
#include "tuner/TunerAppDelegate.hpp"
#include "ui/LabelView.hpp"
#include "ui/LayoutImageView.hpp"
#include "ui/WEXButton.hpp"

#include <string>
#include <string_view>
#include <utility>

namespace ovra {

namespace {

constexpr const char* MODIFIER_PRESSED = "pressed";
constexpr const char* MODIFIER_UNPRESSED = "unpressed";
constexpr const char* MODIFIER_MAGIC = "magic";
constexpr const char* MODIFIER_BRIGHT = "bright";
constexpr const char* MODIFIER_DIM = "dim";
constexpr int32_t NO_INDEX = -1;

QPixmap layoutImage(const char* itemID, int32_t index, const char* modifier) {
    return WEXConfig::imageOfItem(itemID, index, modifier, MAIN_VIEW_LAYOUT_FILE);
}

Point layoutPosition(const char* itemID, int32_t index) {
    return WEXConfig::positionOfItem(itemID, index, nullptr, MAIN_VIEW_LAYOUT_FILE);
}

std::string applicationVersion(const TunerAppDelegate* app) {
    return app != nullptr ? app->versionString() : std::string(OVRA_VERSION);
}

// Two pictures are the same image: the layout's images are shared pixmaps.
bool sameImage(const QPixmap& a, const QPixmap& b) {
    return a.cacheKey() == b.cacheKey();
}

} // namespace

OvraMainView* OvraMainView::mySharedMainView = nullptr;

OvraMainView::OvraMainView(const Rect& frame, TunerAppDelegate* app)
    : View(frame), myApp(app), myTonePlayer(std::make_unique<AudioTonePlayer>()) {
    // Set before any key exists, so that a touched key always finds the screen.
    mySharedMainView = this;
    myCaptureDelegate = std::make_shared<MainViewRefreshPoster>(this);

    setupBorderFrequencies();
    systemLog("Version = %s", applicationVersion(myApp).c_str());
    setFrequencySmoother(std::make_shared<FrequencySmoother>());

    for (const ScreenLayer layer : SCREEN_LAYERS) {
        buildLayer(layer);
    }
    applyTuning();
    myStaleReadingTimer = new QTimer(this);
    myStaleReadingTimer->setSingleShot(true);
    myStaleReadingTimer->setInterval(STALE_READING_MILLISECONDS);
    connect(myStaleReadingTimer, &QTimer::timeout, this, &OvraMainView::showStaleReading);

    auto settingsPanel = std::make_unique<OvraSettings>(bounds(), myApp);
    settingsPanel->setFrame(settingsPanel->offscreenFrame());
    mySettings = settingsPanel.get();
    addSubview(std::move(settingsPanel));

    // The pictures follow the state even when the stored selection names no
    // key (a damaged preference): the replay below then changes nothing.
    updateActivatedImages();
    tuningKeyHit(myApp != nullptr ? myApp->lastTuningKeySelected() : 0);

    // The application makes its capture object after the screen.
    QTimer::singleShot(0, this, &OvraMainView::followHearingStatus);
}

OvraMainView::~OvraMainView() {
    if (mySharedMainView == this) {
        mySharedMainView = nullptr;
    }
    setFrequencySmoother(nullptr);
}

OvraMainView* OvraMainView::sharedMainView() {
    return mySharedMainView;
}

TuningKeyReceiver* TuningKeyReceiver::sharedMainView() {
    return OvraMainView::sharedMainView();
}

void OvraMainView::applyTuning() {
    const Tuning& tuning = myApp != nullptr ? myApp->tuning() : standardTuning();
    const int32_t referencePitch =
        myApp != nullptr ? myApp->referencePitch() : DEFAULT_REFERENCE_PITCH;
    myModel.setTuning(tuning, referencePitch);
    for (int32_t i = 0; i < STRING_COUNT; ++i) {
        if (LabelView* label = myStringLabels[static_cast<size_t>(i)]) {
            label->setText(QString::fromStdString(myModel.stringName(i)));
        }
    }
    if (myTuningCaption != nullptr) {
        myTuningCaption->setText(tuningCaptionText(tuning, referencePitch));
    }
}

void OvraMainView::buildLayer(ScreenLayer layer) {
    switch (layer) {
    case ScreenLayer::Background:
        myBackgroundView = static_cast<ImageView*>(
            addSubview(newImageViewOfItem("background", NO_INDEX, MAIN_VIEW_LAYOUT_FILE)));
        break;
    case ScreenLayer::TuningKeys:
        buildTuningKeys();
        break;
    case ScreenLayer::MagicKey:
        setupMagicTuningKey();
        break;
    case ScreenLayer::Buttons:
        buildButtons();
        break;
    case ScreenLayer::GuitarHead:
        myHeadView = static_cast<ImageView*>(addSubview(newImageViewForComponent(CFG_GUITAR_HEAD)));
        break;
    case ScreenLayer::LevelMeter:
        buildLevelMeter();
        break;
    case ScreenLayer::PitchMeter:
        buildPitchMeter();
        break;
    case ScreenLayer::Strings:
        buildStrings();
        break;
    case ScreenLayer::Needle:
        buildNeedle();
        break;
    case ScreenLayer::Overlay:
        addSubview(newImageViewOfItem("overlay", NO_INDEX, MAIN_VIEW_LAYOUT_FILE));
        break;
    case ScreenLayer::Labels:
        buildLabels();
        break;
    }
}

void OvraMainView::buildTuningKeys() {
    for (int32_t i = 0; i < STRING_COUNT; ++i) {
        const QPixmap pressed = layoutImage(CFG_TUNING_KEY, i, MODIFIER_PRESSED);
        const QPixmap unpressed = layoutImage(CFG_TUNING_KEY, i, MODIFIER_UNPRESSED);
        const QPixmap magic = layoutImage(CFG_TUNING_KEY, i, MODIFIER_MAGIC);
        const Point position = layoutPosition(CFG_TUNING_KEY, i);
        auto* key = new OvraTuningKey(Rect{position, ImageView::imageSize(pressed)});
        key->setActiveImage(pressed);
        key->setInactiveImage(unpressed);
        key->setMagicImage(magic);
        myTuningKey[static_cast<size_t>(i)] = key;
        key->setTuningKeyIndex(i);
        addSubview(key);
    }
}

void OvraMainView::setupMagicTuningKey() {
    const QPixmap pressed = layoutImage(CFG_MAGIC_KEY, NO_INDEX, MODIFIER_PRESSED);
    const QPixmap unpressed = layoutImage(CFG_MAGIC_KEY, NO_INDEX, MODIFIER_UNPRESSED);
    const Point position = layoutPosition(CFG_MAGIC_KEY, NO_INDEX);
    auto* key = new OvraTuningKey(Rect{position, ImageView::imageSize(pressed)});
    key->setActiveImage(pressed);
    key->setInactiveImage(unpressed);
    myMagicTuningKey = key;
    key->setTuningKeyIndex(MAGIC_KEY_INDEX);
    addSubview(key);
}

void OvraMainView::buildButtons() {
    const auto makeButton = [this](const char* itemID) {
        auto* button = new WEXButton(Rect{});
        button->configureToggleButtonWithItemID(itemID, NO_INDEX, MAIN_VIEW_LAYOUT_FILE);
        addSubview(button);
        return button;
    };
    myAboutButton = makeButton(SCREEN_BUTTONS[0]);
    myAboutButton->addTarget(ControlEventTouchUpInside, [this] { aboutButtonPressed(); });
    // The settings and help buttons only show their own pictures.
    mySettingsButton = makeButton(SCREEN_BUTTONS[1]);
    myHelpButton = makeButton(SCREEN_BUTTONS[2]);
}

void OvraMainView::loadAmpMeterLED(int32_t ledIndex) {
    if (ledIndex < 0 || ledIndex >= LED_COUNT) {
        return;
    }
    const auto i = static_cast<size_t>(ledIndex);
    myAmplitudeMeterLEDUnlitImage[i] = layoutImage("ampmeterled", ledIndex, MODIFIER_UNPRESSED);
    myAmplitudeMeterLEDLitImage[i] = layoutImage("ampmeterled", ledIndex, MODIFIER_PRESSED);
    const QPixmap& unlit = myAmplitudeMeterLEDUnlitImage[i];
    auto* led =
        new ImageView(Rect{layoutPosition("ampmeterled", ledIndex), ImageView::imageSize(unlit)});
    led->setImage(unlit);
    addSubview(led);
    myAmplitudeMeterLEDs.push_back(led);
}

void OvraMainView::buildLevelMeter() {
    myAmplitudeMeterLEDs.clear();
    myAmplitudeMeterLEDs.reserve(LED_COUNT + 1);
    for (int32_t i = 0; i < LED_COUNT; ++i) {
        loadAmpMeterLED(i);
    }
}

void OvraMainView::buildPitchMeter() {
    auto meter = newImageViewForComponent("pitchmeter");
    myBrightPitchMeterImage = layoutImage("pitchmeter", NO_INDEX, MODIFIER_BRIGHT);
    myDimPitchMeterImage = layoutImage("pitchmeter", NO_INDEX, MODIFIER_DIM);
    myPitchMeterView = meter.get();
    addSubview(std::move(meter));

    myFarRedPoint = layoutPosition("pitchmeter.farred", NO_INDEX);
    myNearRedPoint = layoutPosition("pitchmeter.nearred", NO_INDEX);
    myNearBluePoint = layoutPosition("pitchmeter.nearblue", NO_INDEX);
    myFarBluePoint = layoutPosition("pitchmeter.farblue", NO_INDEX);
}

void OvraMainView::buildStrings() {
    for (int32_t i = 0; i < STRING_COUNT; ++i) {
        const auto s = static_cast<size_t>(i);
        myTuningPegLitImage[s] = layoutImage("string", i, MODIFIER_PRESSED);
        myTuningPegUnlitImage[s] = layoutImage("string", i, MODIFIER_UNPRESSED);
        myTuningPegMagicImage[s] = layoutImage("string", i, MODIFIER_MAGIC);
        auto* peg = new ImageView(
            Rect{layoutPosition("string", i), ImageView::imageSize(myTuningPegUnlitImage[s])});
        peg->setImage(myTuningPegUnlitImage[s]);
        myTuningPeg[s] = peg;
    }
    for (int32_t i : STRING_DRAWING_ORDER) {
        addSubview(myTuningPeg[static_cast<size_t>(i)]);
    }
}

void OvraMainView::buildNeedle() {
    auto needle = newImageViewForComponent("pitchneedle");
    myBrightNeedleImage = layoutImage("pitchneedle", NO_INDEX, MODIFIER_BRIGHT);
    myDimNeedleImage = layoutImage("pitchneedle", NO_INDEX, MODIFIER_DIM);
    // The needle's own position is only a default: it starts at near blue.
    needle->setOrigin(myNearBluePoint);
    myPitchNeedle = needle.get();
    addSubview(std::move(needle));
}

void OvraMainView::buildLabels() {
    // Above the overlay's glass, so the words stay crisp.
    const auto addLabel = [this](const char* itemID, int32_t index) -> LabelView* {
        auto label = LabelView::newLabelOfItem(itemID, index, MAIN_VIEW_LAYOUT_FILE);
        return label != nullptr ? static_cast<LabelView*>(addSubview(std::move(label))) : nullptr;
    };
    const std::pair<const char*, LabelView**> namedLabels[] = {
        {CFG_STATUS_LINE, &myStatusLine},   {CFG_TUNING_CAPTION, &myTuningCaption},
        {CFG_READOUT_NOTE, &myNoteLabel},   {CFG_READOUT_FREQUENCY, &myFrequencyLabel},
        {CFG_READOUT_CENTS, &myCentsLabel},
    };
    for (const LabelItem& item : screenLabelItems()) {
        LabelView* label = addLabel(item.itemID, item.index);
        if (std::string_view(item.itemID) == CFG_STRING_LABEL) {
            myStringLabels.at(static_cast<size_t>(item.index)) = label;
        }
        for (const auto& [itemID, slot] : namedLabels) {
            if (std::string_view(item.itemID) == itemID) {
                *slot = label;
            }
        }
    }
    // Dim like the meter until the first note is heard.
    for (LabelView* label : {myNoteLabel, myFrequencyLabel, myCentsLabel}) {
        if (label != nullptr) {
            label->setDimmed(true);
        }
    }
}

std::unique_ptr<ImageView> OvraMainView::newImageViewForComponent(const char* itemID) const {
    QPixmap image = layoutImage(itemID, NO_INDEX, MODIFIER_DIM);
    if (image.isNull()) {
        image = layoutImage(itemID, NO_INDEX, nullptr);
    }
    auto view = std::make_unique<ImageView>(image);
    view->setOrigin(layoutPosition(itemID, NO_INDEX));
    return view;
}

void OvraMainView::aboutButtonPressed() {
    if (mySettings != nullptr) {
        mySettings->showSettings();
    }
}

std::shared_ptr<AudioTrapperDelegate> OvraMainView::captureDelegate() const {
    return myCaptureDelegate;
}

std::shared_ptr<FrequencySmoother> OvraMainView::frequencySmoother() const {
    return myFrequencySmoother.load();
}

void OvraMainView::setFrequencySmoother(std::shared_ptr<FrequencySmoother> smoother) {
    myFrequencySmoother.store(std::move(smoother));
}

ScreenState OvraMainView::screenState() const {
    ScreenState state;
    state.activeString = myModel.activeTuningKeyIndex();
    state.automatic = myModel.autoSwitchModeEnabled();
    for (int32_t i = STRING_COUNT - 1; i >= 0; --i) {
        const auto s = static_cast<size_t>(i);
        if (myTuningKey[s]->shownTuningKeyState() != TUNING_KEY_STATE_INACTIVE) {
            state.litKey = i;
        }
        if (!sameImage(myTuningPeg[s]->image(), myTuningPegUnlitImage[s])) {
            state.litString = i;
        }
    }
    state.magicKeyLit = myMagicTuningKey->shownTuningKeyState() == TUNING_KEY_STATE_ACTIVE;
    state.needle = myPitchNeedle->frame().origin;
    state.meterBright = sameImage(myPitchMeterView->image(), myBrightPitchMeterImage) &&
                        sameImage(myPitchNeedle->image(), myBrightNeedleImage);
    for (size_t i = 0; i < myAmplitudeMeterLEDs.size(); ++i) {
        if (sameImage(myAmplitudeMeterLEDs[i]->image(), myAmplitudeMeterLEDLitImage[i])) {
            ++state.litLeds;
        }
    }
    state.settingsShown = mySettings->frame() != mySettings->offscreenFrame();
    state.displayFrequency = myLastDisplayFrequency;
    state.cents = myLastCents;
    const auto textOf = [](const LabelView* label) {
        return label != nullptr ? label->text().toStdString() : std::string();
    };
    state.status = textOf(myStatusLine);
    state.tuningCaption = textOf(myTuningCaption);
    state.tuning = std::string(myModel.tuning().id);
    state.referencePitch = myModel.referencePitch();
    state.note = textOf(myNoteLabel);
    state.frequencyText = textOf(myFrequencyLabel);
    state.centsText = textOf(myCentsLabel);
    for (const LabelView* label : {myNoteLabel, myFrequencyLabel, myCentsLabel}) {
        state.readoutBright = state.readoutBright || (label != nullptr && !label->isDimmed());
    }
    for (int32_t i = STRING_COUNT - 1; i >= 0; --i) {
        const LabelView* label = myStringLabels[static_cast<size_t>(i)];
        state.stringLabels[static_cast<size_t>(i)] = textOf(label);
        if (label != nullptr && !label->isDimmed()) {
            state.litLabel = i;
        }
    }
    for (const QString& text : mySettings->shownTexts()) {
        state.settingsTexts.push_back(text.toStdString());
    }
    return state;
}

} // namespace ovra
