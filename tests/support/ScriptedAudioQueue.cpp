// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptedAudioQueue.hpp"

#include "capture/BufferRotationQueue.hpp"

#include <QTimer>

#include <utility>

namespace ovra {

class ScriptedAudioQueue final : public BufferRotationQueue {
public:
    explicit ScriptedAudioQueue(std::shared_ptr<ScriptedAudioSource> source)
        : mySource(std::move(source)) {
        mySource->locked([this] {
            myFailures = mySource->myFailures;
            myInterval = mySource->myInterval;
            myLossesAtStart = mySource->myLosses;
            myNumber = mySource->myReports.size();
            mySource->myReports.push_back({});
            mySource->myReports.back().createdOn = std::this_thread::get_id();
        });
    }
    ~ScriptedAudioQueue() override {
        stopInput();
        report([](auto& r) { r.destroyed = true; });
    }

    bool wantsReopening() const override {
        return mySource->locked([this] { return mySource->myLosses != myLossesAtStart; });
    }

protected:
    int32_t openInput(const AudioStreamBasicDescription& /*format*/) override {
        if (myFailures.newInput == AUDIO_QUEUE_NO_ERR) {
            opened(true);
        }
        return myFailures.newInput;
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
        report([](auto& r) { r.started = true; });
        return AUDIO_QUEUE_NO_ERR;
    }

    void stopInput() override {
        myTimer.reset();
        if (myOpen) {
            opened(false);
        }
    }

    int32_t disposalStatus() override {
        report([thread = std::this_thread::get_id()](auto& r) {
            r.disposed = true;
            r.disposedOn = thread;
        });
        return AUDIO_QUEUE_NO_ERR;
    }

private:
    template <class F> void report(F change) {
        mySource->locked([&] { change(mySource->myReports[myNumber]); });
    }
    void opened(bool open) {
        myOpen = open;
        mySource->locked([&] {
            mySource->myOpen += open ? 1 : -1;
            mySource->myMaxOpen = std::max(mySource->myMaxOpen, mySource->myOpen);
        });
    }
    void tick() {
        if (!hasFreeBuffer() || wantsReopening()) {
            return;
        }
        const bool filled = mySource->locked([this] {
            mySamples.assign(nextBufferSampleCount(), 0);
            if (mySource->myFiller) {
                mySource->myFiller(mySamples.data(), static_cast<uint32_t>(mySamples.size()));
            }
            return static_cast<bool>(mySource->myFiller);
        });
        if (filled && deliver(mySamples.data(), static_cast<uint32_t>(mySamples.size()))) {
            report([](auto& r) { ++r.delivered; });
        }
    }

    std::shared_ptr<ScriptedAudioSource> mySource;
    size_t myNumber = 0;
    ScriptedAudioSource::Failures myFailures;
    std::chrono::milliseconds myInterval{10};
    std::unique_ptr<QTimer> myTimer;
    std::vector<int16_t> mySamples;
    int myLossesAtStart = 0;
    bool myOpen = false;
};

AudioQueueFactory ScriptedAudioSource::factory() {
    return [self = shared_from_this()]() -> std::unique_ptr<AudioInputQueue> {
        return std::make_unique<ScriptedAudioQueue>(self);
    };
}

} // namespace ovra
