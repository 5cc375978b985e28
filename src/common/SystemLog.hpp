// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

namespace ovra {

// The system log: progress lines and warnings, one line per call, no levels.
// printf-style, because the texts are fixed formats ("Volume threshold=%d").
// By default each line goes to standard error; the application routes it
// through Qt logging and tests capture it.
void systemLog(const char* format, ...) __attribute__((format(printf, 1, 2)));

using SystemLogSink = std::function<void(const std::string& line)>;

// Replaces the destination of systemLog lines; an empty sink restores
// standard error. Returns the previous sink.
SystemLogSink setSystemLogSink(SystemLogSink sink);

} // namespace ovra
