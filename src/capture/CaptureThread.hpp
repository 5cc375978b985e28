// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QThread>

#include <atomic>
#include <chrono>
#include <memory>

namespace ovra {

class CorvaneAudioTrapper;

// One capture thread: runs the capture object's thread body and keeps the
// capture object alive until the body returns.
class CaptureThread final : public QThread {
public:
    explicit CaptureThread(std::shared_ptr<CorvaneAudioTrapper> trapper);
    ~CaptureThread() override;

    // True once the body has returned and let go of the capture object.
    // Unlike isFinished(), reading it orders everything the thread did
    // before the caller's next steps (destroying the thread object).
    bool hasEnded() const { return myEnded.load(std::memory_order_acquire); }

protected:
    void run() override;

private:
    std::shared_ptr<CorvaneAudioTrapper> myTrapper;
    std::atomic<bool> myEnded{false};
};

// Asks a capture thread to stop; it ends its current event-loop slice within
// INTERRUPTION_POLL. Thread-safe; does not wait.
inline constexpr std::chrono::milliseconds INTERRUPTION_POLL{50};
void interruptCaptureThread(QThread& thread);

// Every capture thread is registered here until it has finished, so that its
// thread object is never destroyed while it runs (stop does not wait, and the
// capture object may let go of it at once). Finished threads are released on
// the next registration; at application exit the remaining ones are
// interrupted and waited for.
void registerCaptureThread(std::shared_ptr<CaptureThread> thread);
// Capture threads that have not finished yet.
int runningCaptureThreadCount();
// Interrupts every capture thread and waits for all of them; true when all
// have ended within the timeout. For shutdown and tests.
bool finishCaptureThreads(std::chrono::milliseconds timeout);

} // namespace ovra
