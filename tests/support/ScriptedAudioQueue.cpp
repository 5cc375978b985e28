#include "ScriptedAudioQueue.hpp"

#include "capture/BufferRotationQueue.hpp"

#include <QTimer>

#include <algorithm>
#include <utility>

namespace ovra {

class ScriptedAudioQueue final : public BufferRotationQueue {
public:
    explicit ScriptedAudioQueue(std::shared_ptr<ScriptedAudioSource> source)
        : mySource(std::move(source)) {
        myNumber = mySource->newQueue(myFailures, myInterval);
        myLossesAtStart = mySource->losses();
    }

    bool wantsReopening() const override { return mySource->losses() != myLossesAtStart; }

    ~ScriptedAudioQueue() override {
        stopInput();
        mySource->update(myNumber, [](auto& r) { r.destroyed = true; });
    }

protected:
    int32_t openInput(const AudioStreamBasicDescription& /*format*/) override {
        if (myFailures.newInput != AUDIO_QUEUE_NO_ERR) {
            return myFailures.newInput;
        }
        mySource->update(myNumber, [](auto& r) { r.created = true; });
        mySource->opened(true);
        myOpen = true;
        return AUDIO_QUEUE_NO_ERR;
    }

    int32_t allocationStatus(int bufferIndex) override {
        return bufferIndex < static_cast<int>(myFailures.allocate.size())
                   ? myFailures.allocate[static_cast<size_t>(bufferIndex)]
                   : AUDIO_QUEUE_NO_ERR;
    }

    int32_t startInput() override {
        if (myFailures.start != AUDIO_QUEUE_NO_ERR) {
            return myFailures.start;
        }
        myTimer = std::make_unique<QTimer>();
        myTimer->setTimerType(Qt::PreciseTimer);
        QObject::connect(myTimer.get(), &QTimer::timeout, [this] { tick(); });
        myTimer->start(static_cast<int>(myInterval.count()));
        mySource->update(myNumber, [](auto& r) { r.started = true; });
        return AUDIO_QUEUE_NO_ERR;
    }

    void stopInput() override {
        myTimer.reset();
        if (std::exchange(myOpen, false)) {
            mySource->opened(false);
        }
    }

    int32_t disposalStatus() override {
        const auto thread = std::this_thread::get_id();
        mySource->update(myNumber, [thread](auto& r) {
            r.disposed = true;
            r.disposedOn = thread;
        });
        return myFailures.dispose;
    }

private:
    void tick() {
        if (!hasFreeBuffer() || wantsReopening()) {
            return;
        }
        if (!mySource->nextBuffer(mySamples, nextBufferSampleCount())) {
            return;
        }
        if (deliver(mySamples.data(), static_cast<uint32_t>(mySamples.size()))) {
            mySource->update(myNumber, [](auto& r) { ++r.delivered; });
        }
    }

    std::shared_ptr<ScriptedAudioSource> mySource;
    int myNumber = 0;
    ScriptedAudioSource::Failures myFailures;
    std::chrono::milliseconds myInterval{10};
    std::unique_ptr<QTimer> myTimer;
    std::vector<int16_t> mySamples;
    int myLossesAtStart = 0;
    bool myOpen = false;
};

std::shared_ptr<ScriptedAudioSource> ScriptedAudioSource::create() {
    return std::shared_ptr<ScriptedAudioSource>(new ScriptedAudioSource());
}

AudioQueueFactory ScriptedAudioSource::factory() {
    std::shared_ptr<ScriptedAudioSource> self = shared_from_this();
    return [self]() -> std::unique_ptr<AudioInputQueue> {
        return std::make_unique<ScriptedAudioQueue>(self);
    };
}

void ScriptedAudioSource::setFailures(const Failures& failures) {
    std::lock_guard lock(myMutex);
    myFailures = failures;
}

void ScriptedAudioSource::setInterval(std::chrono::milliseconds interval) {
    std::lock_guard lock(myMutex);
    myInterval = std::max(interval, std::chrono::milliseconds(1));
}

void ScriptedAudioSource::setFiller(Filler filler) {
    std::lock_guard lock(myMutex);
    myFiller = std::move(filler);
}

void ScriptedAudioSource::pushBuffer(std::vector<int16_t> samples) {
    std::lock_guard lock(myMutex);
    myPushed.push_back(std::move(samples));
}

std::vector<ScriptedAudioSource::QueueReport> ScriptedAudioSource::reports() const {
    std::lock_guard lock(myMutex);
    return myReports;
}

void ScriptedAudioSource::loseInputs() {
    std::lock_guard lock(myMutex);
    ++myLosses;
}

int ScriptedAudioSource::losses() const {
    std::lock_guard lock(myMutex);
    return myLosses;
}

void ScriptedAudioSource::opened(bool open) {
    std::lock_guard lock(myMutex);
    myOpen += open ? 1 : -1;
    myMaxOpen = std::max(myMaxOpen, myOpen);
}

int ScriptedAudioSource::maxOpenAtOnce() const {
    std::lock_guard lock(myMutex);
    return myMaxOpen;
}

int64_t ScriptedAudioSource::deliveredTotal() const {
    std::lock_guard lock(myMutex);
    return myDelivered;
}

int ScriptedAudioSource::newQueue(Failures& failures, std::chrono::milliseconds& interval) {
    std::lock_guard lock(myMutex);
    failures = myFailures;
    interval = myInterval;
    QueueReport report;
    report.createdOn = std::this_thread::get_id();
    myReports.push_back(report);
    return static_cast<int>(myReports.size()) - 1;
}

bool ScriptedAudioSource::nextBuffer(std::vector<int16_t>& samples, uint32_t count) {
    std::lock_guard lock(myMutex);
    if (!myPushed.empty()) {
        samples = std::move(myPushed.front());
        myPushed.pop_front();
    } else if (myFiller) {
        samples.assign(count, 0);
        myFiller(myDelivered, samples.data(), count);
    } else {
        return false;
    }
    ++myDelivered;
    return true;
}

void ScriptedAudioSource::update(int queue, const std::function<void(QueueReport&)>& change) {
    std::lock_guard lock(myMutex);
    change(myReports[static_cast<size_t>(queue)]);
}

} // namespace ovra
