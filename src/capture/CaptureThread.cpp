// SPDX-License-Identifier: GPL-3.0-or-later
#include "capture/CaptureThread.hpp"

#include "capture/AudioBackendExit.hpp"
#include "capture/CorvaneAudioTrapper.hpp"
#include "common/SystemLog.hpp"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <mutex>
#include <vector>

namespace ovra {

CaptureThread::CaptureThread(std::shared_ptr<CorvaneAudioTrapper> trapper)
    : myTrapper(std::move(trapper)) {}

CaptureThread::~CaptureThread() = default;

void CaptureThread::run() {
    // Released when the body ends, possibly destroying the capture object
    // on this thread if nobody else holds it any more.
    std::shared_ptr<CorvaneAudioTrapper> trapper = std::move(myTrapper);
    trapper->runAudioTrapperThread(nullptr);
    trapper.reset();
    myEnded.store(true, std::memory_order_release);
}

void interruptCaptureThread(QThread& thread) {
    // The thread looks at the flag every few milliseconds within its slice
    // (waking its event loop from here would race with the loop's own end).
    thread.requestInterruption();
}

namespace {

// How long ending the process waits for the capture threads: each ends
// within INTERRUPTION_POLL of being asked, or once it has opened its input.
// One can stay stuck in Qt 6.4 for ever: opening a PulseAudio stream waits
// for it to become ready, and a stream whose server went away never does.
constexpr std::chrono::milliseconds EXIT_JOIN_TIMEOUT{2000};

class CaptureThreadRegistry {
public:
    ~CaptureThreadRegistry() {
        if (!finish(EXIT_JOIN_TIMEOUT)) {
            // Destroying a running thread object aborts: the ones that did
            // not end are left, reachable, to the end of the process.
            static auto* const stuck = new std::vector<std::shared_ptr<CaptureThread>>();
            std::lock_guard lock(myMutex);
            stuck->swap(myThreads);
        }
    }

    void add(std::shared_ptr<CaptureThread> thread) {
        std::vector<std::shared_ptr<CaptureThread>> finished;
        {
            std::lock_guard lock(myMutex);
            takeFinished(finished);
            myThreads.push_back(std::move(thread));
        }
        // Thread objects are destroyed outside the lock, once ended.
        for (auto& t : finished) {
            t->wait();
        }
    }

    int running() {
        std::vector<std::shared_ptr<CaptureThread>> finished;
        int count = 0;
        {
            std::lock_guard lock(myMutex);
            takeFinished(finished);
            count = static_cast<int>(myThreads.size());
        }
        for (auto& t : finished) {
            t->wait();
        }
        return count;
    }

    bool finish(std::chrono::milliseconds timeout) {
        std::vector<std::shared_ptr<CaptureThread>> threads;
        {
            std::lock_guard lock(myMutex);
            threads.swap(myThreads);
        }
        QDeadlineTimer deadline(timeout.count());
        bool allEnded = true;
        for (auto& t : threads) {
            interruptCaptureThread(*t);
        }
        for (auto& t : threads) {
            allEnded = t->wait(deadline) && t->hasEnded() && allEnded;
        }
        if (!allEnded) {
            // Keep the ones still running registered rather than destroying
            // a running thread object.
            std::lock_guard lock(myMutex);
            for (auto& t : threads) {
                if (!t->hasEnded()) {
                    myThreads.push_back(t);
                }
            }
        }
        return allEnded;
    }

private:
    void takeFinished(std::vector<std::shared_ptr<CaptureThread>>& finished) {
        for (auto it = myThreads.begin(); it != myThreads.end();) {
            if ((*it)->hasEnded() && (*it)->isFinished()) {
                finished.push_back(std::move(*it));
                it = myThreads.erase(it);
            } else {
                ++it;
            }
        }
    }

    std::mutex myMutex;
    std::vector<std::shared_ptr<CaptureThread>> myThreads;
};

CaptureThreadRegistry& registry() {
    static CaptureThreadRegistry instance;
    return instance;
}

void finishCaptureThreadsAtExit() {
    if (!registry().finish(EXIT_JOIN_TIMEOUT)) {
        systemLog("Warning : a capture thread is still running %lld ms after quitting began",
                  static_cast<long long>(EXIT_JOIN_TIMEOUT.count()));
    }
    // Registered last, this exit handler runs first: the process ends before
    // Qt's audio backend is torn down, whenever a capture made its engines
    // (even one that is still stuck opening the input).
    endProcessBeforeAudioBackendTeardown();
}

} // namespace

void registerCaptureThread(std::shared_ptr<CaptureThread> thread) {
    // Capture threads use Qt: they must end while the application object
    // still exists, so they are finished when it is destroyed.
    static std::once_flag exitHook;
    std::call_once(exitHook, [] {
        if (QCoreApplication::instance() != nullptr) {
            qAddPostRoutine(finishCaptureThreadsAtExit);
        }
    });
    registry().add(std::move(thread));
}

int runningCaptureThreadCount() {
    return registry().running();
}

bool finishCaptureThreads(std::chrono::milliseconds timeout) {
    return registry().finish(timeout);
}

} // namespace ovra
