// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/SystemLog.hpp"

#include <cstdarg>
#include <cstdio>
#include <mutex>
#include <vector>

namespace ovra {

namespace {

std::mutex& sinkMutex() {
    static std::mutex mutex;
    return mutex;
}

SystemLogSink& currentSink() {
    static SystemLogSink sink;
    return sink;
}

} // namespace

void systemLog(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string line;
    if (length > 0) {
        std::vector<char> text(static_cast<size_t>(length) + 1);
        std::vsnprintf(text.data(), text.size(), format, args);
        line.assign(text.data(), static_cast<size_t>(length));
    }
    va_end(args);

    // Log lines come from the main thread and from capture threads.
    std::lock_guard lock(sinkMutex());
    if (currentSink()) {
        currentSink()(line);
    } else {
        std::fprintf(stderr, "%s\n", line.c_str());
    }
}

SystemLogSink setSystemLogSink(SystemLogSink sink) {
    std::lock_guard lock(sinkMutex());
    SystemLogSink previous = std::move(currentSink());
    currentSink() = std::move(sink);
    return previous;
}

} // namespace ovra
