// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/SystemLog.hpp"

#include <mutex>
#include <string>
#include <vector>

namespace ovra {

// Collects system-log lines while it lives (for tests and for tools that
// want to show them differently); restores the previous sink afterwards.
class LogCapture {
public:
    LogCapture() {
        myPrevious = setSystemLogSink([this](const std::string& line) {
            std::lock_guard lock(myMutex);
            myLines.push_back(line);
        });
    }
    ~LogCapture() { setSystemLogSink(std::move(myPrevious)); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    std::vector<std::string> lines() const {
        std::lock_guard lock(myMutex);
        return myLines;
    }
    int count(const std::string& line) const {
        std::lock_guard lock(myMutex);
        int n = 0;
        for (const auto& l : myLines) {
            n += (l == line) ? 1 : 0;
        }
        return n;
    }

private:
    mutable std::mutex myMutex;
    std::vector<std::string> myLines;
    SystemLogSink myPrevious;
};

} // namespace ovra
