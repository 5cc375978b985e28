#include "capture/CorvaneAudioTrapper.hpp"

#include "analysis/AnalysisCallback.hpp"
#include "capture/CaptureThread.hpp"
#include "capture/MicrophoneAudioQueue.hpp"
#include "common/SystemLog.hpp"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <cstdio>

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

void CorvaneAudioTrapper::setEventLoopSliceForTesting(std::chrono::milliseconds slice) {
    mySliceMilliseconds.store(slice.count());
}

void CorvaneAudioTrapper::startAudioTrapper() {
    systemLog("Starting audio trapper");
    if (auto current = myAudioThread.exchange(nullptr)) {
        current->requestInterruption();
    }
    auto thread = std::make_shared<CaptureThread>(shared_from_this());
    setAudioThread(thread);
    registerCaptureThread(thread);
    thread->start();
}

void CorvaneAudioTrapper::stopAudioTrapper() {
    systemLog("Stopping audio trapper");
    if (auto current = myAudioThread.exchange(nullptr)) {
        current->requestInterruption();
    }
}

void CorvaneAudioTrapper::runAudioTrapperThread(void* /*ignored*/) {
    QThread* currentThread = QThread::currentThread();
    std::unique_ptr<AudioInputQueue> queue = setupAudioQueue();

    {
        QEventLoop loop;
        QTimer slice;
        slice.setSingleShot(true);
        slice.setTimerType(Qt::PreciseTimer);
        QObject::connect(&slice, &QTimer::timeout, &loop, &QEventLoop::quit);
        // Interruption is looked at only between slices, so a stopped thread
        // keeps capturing until its current slice ends.
        do {
            slice.start(static_cast<int>(mySliceMilliseconds.load()));
            loop.exec();
        } while (!currentThread->isInterruptionRequested());
    }

    destroyAudioQueue(std::move(queue));
    // Objects the queue handed to deleteLater go with the thread.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

std::unique_ptr<AudioInputQueue> CorvaneAudioTrapper::setupAudioQueue() {
    std::lock_guard setupLock(mySetupMutex);
    CorvaneInputCallbackDataStruct& data = myCallbackData;

    AudioStreamBasicDescription& format = data.myAudioFormat;
    format.mSampleRate = CAPTURE_SAMPLE_RATE;
    format.mFormatID = kAudioFormatLinearPCM;
    format.mFormatFlags = CAPTURE_FORMAT_FLAGS;
    format.mBytesPerPacket = 2;
    format.mFramesPerPacket = 1;
    format.mBytesPerFrame = 2;
    format.mChannelsPerFrame = 1;
    format.mBitsPerChannel = 16;
    data.myFramesPerBuffer.store(CAPTURE_FRAMES_PER_BUFFER);

    AudioQueueFactory factory = audioQueueFactory();
    std::unique_ptr<AudioInputQueue> queue = factory ? factory() : nullptr;
    int32_t status =
        queue ? queue->newInput(format, callbackForAudio, &data) : AUDIO_QUEUE_ERR_NO_BACKEND;
    if (status != AUDIO_QUEUE_NO_ERR) {
        printStatus("AudioQueueNewInput err %d\n", status);
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
            printStatus("AudioQueueAllocateBuffer [%d] err %d\n", index, status);
            // Absent, not left pointing at a buffer of an earlier queue.
            data.myAudioBuffers[static_cast<size_t>(index)].store(nullptr);
            continue;
        }
        data.myAudioBuffers[static_cast<size_t>(index)].store(buffer);
        buffer->mAudioDataByteSize = bufferByteSize;
        // Priming: a fresh (silent) buffer is only enqueued; one holding
        // sound would be analysed first, like any filled buffer.
        callbackForAudio(&data, queue.get(), buffer, nullptr, 0, nullptr);
    }

    status = queue ? queue->start() : AUDIO_QUEUE_ERR_INVALID_QUEUE;
    if (status != AUDIO_QUEUE_NO_ERR) {
        printStatus("AudioQueueStart err %d\n", status);
    }
    return queue;
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
