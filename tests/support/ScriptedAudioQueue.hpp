#pragma once

#include "analysis/AudioQueue.hpp"

#include <array>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace ovra {

// A sound source driven by a test: the queues it makes deliver buffers that
// the test supplies, on their capture thread, one per interval, and fail on
// request at any step. Thread-safe: the test talks to it from its own thread
// while capture threads pull from it.
class ScriptedAudioSource : public std::enable_shared_from_this<ScriptedAudioSource> {
public:
    // Status returned by each step (0 = success) of queues made afterwards;
    // allocate is per buffer index (allocations past the third succeed).
    struct Failures {
        int32_t newInput = 0;
        std::array<int32_t, 3> allocate{};
        int32_t start = 0;
        int32_t dispose = 0;
    };
    // Fills one buffer; `bufferNumber` counts buffers over all queues. Called
    // on a capture thread, never two at a time.
    using Filler = std::function<void(int64_t bufferNumber, int16_t* samples, uint32_t count)>;

    // What one queue went through, by the order the queues were made.
    struct QueueReport {
        std::thread::id createdOn;
        std::thread::id disposedOn;
        bool created = false;
        bool started = false;
        bool disposed = false;
        bool destroyed = false;
        int64_t delivered = 0;
    };

    static std::shared_ptr<ScriptedAudioSource> create();

    AudioQueueFactory factory();

    void setFailures(const Failures& failures);
    void setInterval(std::chrono::milliseconds interval);
    void setFiller(Filler filler);
    // Buffers handed out before the filler is asked, in order.
    void pushBuffer(std::vector<int16_t> samples);

    // The input of every queue made so far is lost: they stop delivering
    // and ask to be reopened; queues made afterwards work.
    void loseInputs();
    // The most queues whose input was open at the same time.
    int maxOpenAtOnce() const;

    std::vector<QueueReport> reports() const;
    int64_t deliveredTotal() const;

private:
    friend class ScriptedAudioQueue;
    ScriptedAudioSource() = default;

    int newQueue(Failures& failures, std::chrono::milliseconds& interval);
    void opened(bool open);
    int losses() const;
    // Next buffer's samples; false when the script has none.
    bool nextBuffer(std::vector<int16_t>& samples, uint32_t count);
    void update(int queue, const std::function<void(QueueReport&)>& change);

    mutable std::mutex myMutex;
    Failures myFailures;
    std::chrono::milliseconds myInterval{10};
    Filler myFiller;
    std::deque<std::vector<int16_t>> myPushed;
    std::vector<QueueReport> myReports;
    int64_t myDelivered = 0;
    int myLosses = 0;
    int myOpen = 0;
    int myMaxOpen = 0;
};

} // namespace ovra
