// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/AudioQueue.hpp"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
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
    template <class F> auto locked(F f) const {
        std::lock_guard lock(myMutex);
        return f();
    }

public:
    // Status returned by each step (0 = success) of queues made afterwards;
    // allocate is per buffer index (allocations past the third succeed).
    struct Failures {
        int32_t newInput = 0;
        std::array<int32_t, 3> allocate{};
        int32_t start = 0;
    };
    // Fills one buffer; called on a capture thread, never two at a time.
    using Filler = std::function<void(int16_t* samples, uint32_t count)>;

    // What one queue went through, by the order the queues were made.
    struct QueueReport {
        std::thread::id createdOn;
        std::thread::id disposedOn;
        bool started = false;
        bool disposed = false;
        bool destroyed = false;
        int64_t delivered = 0;
    };

    static std::shared_ptr<ScriptedAudioSource> create() {
        return std::shared_ptr<ScriptedAudioSource>(new ScriptedAudioSource());
    }
    AudioQueueFactory factory();

    void setFailures(const Failures& failures) {
        locked([&] { myFailures = failures; });
    }
    void setInterval(std::chrono::milliseconds interval) {
        locked([&] { myInterval = std::max(interval, std::chrono::milliseconds(1)); });
    }
    void setFiller(Filler filler) {
        locked([&] { myFiller = std::move(filler); });
    }
    // The input of every queue made so far is lost: they stop delivering
    // and ask to be reopened; queues made afterwards work.
    void loseInputs() {
        locked([&] { ++myLosses; });
    }
    // The most queues whose input was open at the same time.
    int maxOpenAtOnce() const {
        return locked([&] { return myMaxOpen; });
    }
    std::vector<QueueReport> reports() const {
        return locked([&] { return myReports; });
    }
    // Whether queue `index` has got as far as `step`.
    bool reached(size_t index, bool QueueReport::*step) const {
        const auto all = reports();
        return all.size() > index && all[index].*step;
    }

private:
    friend class ScriptedAudioQueue;
    ScriptedAudioSource() = default;

    mutable std::mutex myMutex;
    Failures myFailures;
    std::chrono::milliseconds myInterval{10};
    Filler myFiller;
    std::vector<QueueReport> myReports;
    int myLosses = 0;
    int myOpen = 0;
    int myMaxOpen = 0;
};

} // namespace ovra
