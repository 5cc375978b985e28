// SPDX-License-Identifier: GPL-3.0-or-later
#include "capture/CorvaneAudioTrapper.hpp"

#include "analysis/AnalysisCallback.hpp"
#include "capture/AudioInputDevices.hpp"
#include "capture/CaptureThread.hpp"
#include "capture/MicrophoneAudioQueue.hpp"
#include "common/SystemLog.hpp"

#include <QCoreApplication>
#include <QEventLoop>
#include <QMediaDevices>
#include <QThread>
#include <QTimer>

#include <cstdio>
#include <utility>

namespace ovra {

namespace {

// Signed integer (4) + packed (8).
constexpr uint32_t CAPTURE_FORMAT_FLAGS =
    kAudioFormatFlagIsSignedInteger | kAudioFormatFlagIsPacked;

std::mutex& sharedTrapperMutex() {
    static std::mutex mutex;
    return mutex;
}

std::weak_ptr<CorvaneAudioTrapper>& mySharedAudioTrapper() {
    static std::weak_ptr<CorvaneAudioTrapper> trapper;
    return trapper;
}

// Queue status lines go to standard output, each flushed at once so that
// they are in order with whatever else the process prints.
template <typename... Args> void printStatus(const char* format, Args... args) {
    std::printf(format, args...);
    std::fflush(stdout);
}

HearingStatus statusOfFailedInput(int32_t status) {
    switch (status) {
    case AUDIO_QUEUE_ERR_NO_DEVICE:
    case AUDIO_QUEUE_ERR_NO_BACKEND:
        return HearingStatus::NoMicrophone;
    case AUDIO_QUEUE_ERR_NAMED_DEVICE:
        return HearingStatus::ChosenMicrophoneMissing;
    default:
        return HearingStatus::InputLost;
    }
}

} // namespace

std::shared_ptr<CorvaneAudioTrapper> CorvaneAudioTrapper::create() {
    return create(microphoneAudioQueueFactory());
}

std::shared_ptr<CorvaneAudioTrapper> CorvaneAudioTrapper::create(AudioQueueFactory factory) {
    auto trapper = std::make_shared<CorvaneAudioTrapper>(ConstructionKey{});
    trapper->setAudioQueueFactory(std::move(factory));
    std::lock_guard lock(sharedTrapperMutex());
    mySharedAudioTrapper() = trapper;
    return trapper;
}

CorvaneAudioTrapper::CorvaneAudioTrapper(ConstructionKey) {
    myCallbackData.myAudioTrapper = this;
    myCallbackData.myQuorl = std::make_unique<Quorl>(static_cast<float>(CAPTURE_SAMPLE_RATE));
}

CorvaneAudioTrapper::~CorvaneAudioTrapper() {
    setDelegate(nullptr);
}

std::shared_ptr<CorvaneAudioTrapper> CorvaneAudioTrapper::sharedAudioTrapper() {
    std::lock_guard lock(sharedTrapperMutex());
    return mySharedAudioTrapper().lock();
}

void CorvaneAudioTrapper::setDelegate(std::shared_ptr<AudioTrapperDelegate> delegate) {
    myAudioTrapperDelegate.store(std::move(delegate));
}

void CorvaneAudioTrapper::setAudioThread(std::shared_ptr<QThread> thread) {
    myAudioThread.store(std::move(thread));
}

void CorvaneAudioTrapper::setAudioQueueFactory(AudioQueueFactory factory) {
    std::lock_guard lock(myFactoryMutex);
    myAudioQueueFactory = std::move(factory);
}

AudioQueueFactory CorvaneAudioTrapper::audioQueueFactory() const {
    std::lock_guard lock(myFactoryMutex);
    return myAudioQueueFactory;
}

void CorvaneAudioTrapper::setFineTuning(bool on) {
    myCallbackData.myFineTuning.store(on);
}

bool CorvaneAudioTrapper::fineTuning() const {
    return myCallbackData.myFineTuning.load();
}

void CorvaneAudioTrapper::setEventLoopSliceForTesting(std::chrono::milliseconds slice) {
    mySliceMilliseconds.store(slice.count());
}

void CorvaneAudioTrapper::startAudioTrapper() {
    systemLog("Starting audio trapper");
    auto thread = std::make_shared<CaptureThread>(shared_from_this());
    {
        std::unique_lock lock(myStatusMutex);
        if (auto current = myAudioThread.exchange(nullptr)) {
            interruptCaptureThread(*current);
        }
        setAudioThread(thread);
        changeHearingStatus(HearingStatus::Opening, lock);
    }
    registerCaptureThread(thread);
    thread->start();
}

void CorvaneAudioTrapper::stopAudioTrapper() {
    systemLog("Stopping audio trapper");
    std::unique_lock lock(myStatusMutex);
    if (auto current = myAudioThread.exchange(nullptr)) {
        interruptCaptureThread(*current);
    }
    changeHearingStatus(HearingStatus::Stopped, lock);
}

HearingStatus CorvaneAudioTrapper::hearingStatus() const {
    std::lock_guard lock(myStatusMutex);
    return myHearingStatus;
}

void CorvaneAudioTrapper::setHearingStatusListener(HearingStatusListener listener) {
    std::lock_guard lock(myStatusMutex);
    myHearingStatusListener = std::move(listener);
}

void CorvaneAudioTrapper::publishHearingStatus(const QThread* thread, HearingStatus status) {
    std::unique_lock lock(myStatusMutex);
    // A thread that has been replaced or stopped no longer speaks for capture.
    if (myAudioThread.load().get() == thread) {
        changeHearingStatus(status, lock);
    }
}

void CorvaneAudioTrapper::changeHearingStatus(HearingStatus status,
                                              std::unique_lock<std::mutex>& lock) {
    if (myHearingStatus == status) {
        return;
    }
    myHearingStatus = status;
    HearingStatusListener listener = myHearingStatusListener;
    lock.unlock();
    if (listener) {
        listener(status);
    }
}

bool CorvaneAudioTrapper::acquireInput(const QThread& thread) {
    using namespace std::chrono_literals;
    std::unique_lock lock(myInputMutex);
    while (myOpenInputs > 0) {
        if (thread.isInterruptionRequested()) {
            return false;
        }
        myInputClosed.wait_for(lock, 10ms);
    }
    ++myOpenInputs;
    return true;
}

void CorvaneAudioTrapper::releaseInput() {
    {
        std::lock_guard lock(myInputMutex);
        --myOpenInputs;
    }
    myInputClosed.notify_all();
}

void CorvaneAudioTrapper::runAudioTrapperThread(void* /*ignored*/) {
    QThread* currentThread = QThread::currentThread();
    // Waiting here, not on the main thread: the predecessor, interrupted by
    // the start that made this thread, closes its input within moments.
    // The queue is made at once (making one opens nothing), so that every
    // start has its queue; one interrupted before its turn is disposed of
    // unopened.
    CaptureInput input;
    std::unique_ptr<AudioInputQueue> made = newAudioQueue();
    input.holdsInput = acquireInput(*currentThread);
    if (input.holdsInput) {
        SetupResult setup = setupAudioQueue(std::move(made), true);
        input.queue = std::move(setup.queue);
        input.status = setup.status;
    } else {
        input.queue = std::move(made);
    }
    publishHearingStatus(currentThread, input.status);

    {
        QEventLoop loop;
        QTimer slice;
        slice.setSingleShot(true);
        slice.setTimerType(Qt::PreciseTimer);
        QObject::connect(&slice, &QTimer::timeout, &loop, &QEventLoop::quit);
        // Interruption ends the running slice, not just the next one.
        QTimer interruptionPoll;
        QObject::connect(&interruptionPoll, &QTimer::timeout, &loop, [&] {
            if (currentThread->isInterruptionRequested()) {
                loop.quit();
            }
        });
        interruptionPoll.start(INTERRUPTION_POLL);
        bool inputsChanged = false;
        if (QMediaDevices* watcher = audioInputsWatcher()) {
            // Queued to this thread: the loop lives here.
            QObject::connect(watcher, &QMediaDevices::audioInputsChanged, &loop, [&] {
                inputsChanged = true;
                loop.quit();
            });
        }
        while (!currentThread->isInterruptionRequested()) {
            slice.start(static_cast<int>(mySliceMilliseconds.load()));
            loop.exec();
            if (currentThread->isInterruptionRequested()) {
                break;
            }
            const bool changed = std::exchange(inputsChanged, false);
            if (input.status == HearingStatus::Hearing &&
                !(input.queue && input.queue->wantsReopening())) {
                continue;
            }
            if (!reopenAudioQueue(*currentThread, input, changed)) {
                break;
            }
        }
    }

    destroyAudioQueue(std::move(input.queue));
    if (input.holdsInput) {
        releaseInput();
    }
    // Objects the queue handed to deleteLater go with the thread.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

bool CorvaneAudioTrapper::reopenAudioQueue(const QThread& thread, CaptureInput& input,
                                           bool inputsChanged) {
    using Clock = std::chrono::steady_clock;
    if (inputsChanged) {
        input.attempts = 0;
    }
    if (input.attempts >= MAX_REOPEN_ATTEMPTS) {
        return true; // until the inputs change
    }
    ++input.attempts;
    if (input.status == HearingStatus::Hearing) {
        input.status = HearingStatus::InputLost;
        publishHearingStatus(&thread, input.status);
    }
    // Without a sound server every attempt fails alike: the first one and
    // then one a minute are enough to say so.
    const Clock::time_point now = Clock::now();
    if (input.attempts == 1 || now - input.lastReopenLog >= REOPEN_LOG_INTERVAL) {
        systemLog("Opening the audio input again (attempt %d of %d)", input.attempts,
                  MAX_REOPEN_ATTEMPTS);
        input.lastReopenLog = now;
    }
    destroyAudioQueue(std::move(input.queue));
    releaseInput();
    std::unique_ptr<AudioInputQueue> made = newAudioQueue();
    input.holdsInput = acquireInput(thread);
    if (!input.holdsInput) {
        input.queue = std::move(made);
        return false;
    }
    // Quietly: the first set-up has printed its failures already.
    SetupResult setup = setupAudioQueue(std::move(made), false);
    input.queue = std::move(setup.queue);
    input.status = setup.status;
    publishHearingStatus(&thread, input.status);
    if (input.status == HearingStatus::Hearing) {
        systemLog("Audio input open again");
        input.attempts = 0;
        input.lastReopenLog = {};
    } else if (input.attempts == MAX_REOPEN_ATTEMPTS) {
        systemLog("Audio input still unavailable after %d attempts; waiting for a "
                  "change of the audio inputs",
                  input.attempts);
    }
    return true;
}

std::unique_ptr<AudioInputQueue> CorvaneAudioTrapper::setupAudioQueue() {
    return setupAudioQueue(newAudioQueue(), true).queue;
}

std::unique_ptr<AudioInputQueue> CorvaneAudioTrapper::newAudioQueue() const {
    AudioQueueFactory factory = audioQueueFactory();
    return factory ? factory() : nullptr;
}

CorvaneAudioTrapper::SetupResult
CorvaneAudioTrapper::setupAudioQueue(std::unique_ptr<AudioInputQueue> queue, bool printFailures) {
    std::lock_guard setupLock(mySetupMutex);
    CorvaneInputCallbackDataStruct& data = myCallbackData;
    auto report = [printFailures](auto... args) {
        if (printFailures) {
            printStatus(args...);
        }
    };

    AudioStreamBasicDescription& format = data.myAudioFormat;
    format.mSampleRate = CAPTURE_SAMPLE_RATE;
    format.mFormatID = kAudioFormatLinearPCM;
    format.mFormatFlags = CAPTURE_FORMAT_FLAGS;
    format.mBytesPerPacket = 2;
    format.mFramesPerPacket = 1;
    format.mBytesPerFrame = 2;
    format.mChannelsPerFrame = 1;
    format.mBitsPerChannel = 16;
    // Fine tuning takes hops and analyses overlapping windows of them; the
    // classic path takes whole buffers. Chosen per queue: a switch applies
    // from the next start.
    const bool hopping = data.myFineTuning.load();
    data.myFramesPerBuffer.store(hopping ? FINE_TUNING_HOP_FRAMES : CAPTURE_FRAMES_PER_BUFFER);
    const AudioQueueInputCallback callback = hopping ? hoppingCallbackForAudio : callbackForAudio;
    if (hopping) {
        std::lock_guard lock(data.myHoppingMutex);
        data.myHoppingWindow.reset();
    }

    HearingStatus hearing = HearingStatus::Hearing;
    int32_t status = queue ? queue->newInput(format, callback, &data) : AUDIO_QUEUE_ERR_NO_BACKEND;
    if (status != AUDIO_QUEUE_NO_ERR) {
        report("AudioQueueNewInput err %d\n", status);
        hearing = statusOfFailedInput(status);
        // A queue that failed to come into being has no handle; the calls
        // below then fail on their own and are reported as such.
        queue.reset();
    }

    const uint32_t bufferByteSize = data.myFramesPerBuffer.load() * format.mBytesPerFrame;
    for (int index = 0; index < static_cast<int>(CAPTURE_BUFFER_COUNT); ++index) {
        AudioQueueBuffer* buffer = nullptr;
        status =
            queue ? queue->allocateBuffer(bufferByteSize, &buffer) : AUDIO_QUEUE_ERR_INVALID_QUEUE;
        if (status != AUDIO_QUEUE_NO_ERR || buffer == nullptr) {
            if (status == AUDIO_QUEUE_NO_ERR) {
                status = AUDIO_QUEUE_ERR_INVALID_BUFFER;
            }
            report("AudioQueueAllocateBuffer [%d] err %d\n", index, status);
            // Absent, not left pointing at a buffer of an earlier queue.
            data.myAudioBuffers[static_cast<size_t>(index)].store(nullptr);
            continue;
        }
        data.myAudioBuffers[static_cast<size_t>(index)].store(buffer);
        buffer->mAudioDataByteSize = bufferByteSize;
        // Priming: a fresh (silent) buffer is only enqueued; one holding
        // sound would be analysed first, like any filled buffer. A hop is
        // not pushed: its silence would open the first window.
        if (hopping) {
            queue->enqueueBuffer(buffer);
        } else {
            callbackForAudio(&data, queue.get(), buffer, nullptr, 0, nullptr);
        }
    }

    status = queue ? queue->start() : AUDIO_QUEUE_ERR_INVALID_QUEUE;
    if (status != AUDIO_QUEUE_NO_ERR) {
        report("AudioQueueStart err %d\n", status);
        if (hearing == HearingStatus::Hearing) {
            hearing = HearingStatus::InputLost;
        }
    }
    return {std::move(queue), hearing};
}

void CorvaneAudioTrapper::destroyAudioQueue(std::unique_ptr<AudioInputQueue> queue) {
    if (!queue) {
        return;
    }
    const int32_t status = queue->dispose(true);
    if (status != AUDIO_QUEUE_NO_ERR) {
        printStatus("AudioQueueDispose err %d\n", status);
    }
}

float CorvaneAudioTrapper::mostRecentModeFrequency() const {
    return myCallbackData.myMostRecentModeFrequency.load();
}

float CorvaneAudioTrapper::mostRecentFundamentalFrequency() const {
    return myCallbackData.myMostRecentFundamentalFrequency.load();
}

float CorvaneAudioTrapper::mostRecentTopAmplitude() const {
    return myCallbackData.myTopAmplitude.load();
}

float CorvaneAudioTrapper::mostRecentRawPeakPower() const {
    return myCallbackData.myRawPeakPower.load();
}

const int16_t* CorvaneAudioTrapper::waveValues() const {
    return myCallbackData.myWaveData.load();
}

} // namespace ovra
