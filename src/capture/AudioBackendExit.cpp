// SPDX-License-Identifier: GPL-3.0-or-later
#include "capture/AudioBackendExit.hpp"

#include <atomic>
#include <cstdio>
#include <cstdlib>

#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define OVRA_LEAK_CHECK_AT_EXIT 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define OVRA_LEAK_CHECK_AT_EXIT 1
#endif
#endif

#ifdef OVRA_LEAK_CHECK_AT_EXIT
#include <sanitizer/lsan_interface.h>
#endif

namespace ovra {

namespace {

// Plain storage: it must outlive every static destructor that runs before
// the handler.
constexpr int MAX_HOOKS = 8;
void (*theHooks[MAX_HOOKS])() = {};
std::atomic<int> theHookCount{0};

// on_exit() handlers get the status given to exit() (or returned by main).
void endNow(int status, void* /*unused*/) {
    for (int index = theHookCount.load() - 1; index >= 0; --index) {
        theHooks[index]();
    }
    std::fflush(nullptr);
#ifdef OVRA_LEAK_CHECK_AT_EXIT
    // The check LeakSanitizer would have made after the static destructors;
    // what they would have freed is still reachable here, so only real leaks
    // are reported (and end the process with LeakSanitizer's status).
    __lsan_do_leak_check();
#endif
    ::_exit(status);
}

} // namespace

void endProcessBeforeAudioBackendTeardown() {
    ::on_exit(endNow, nullptr);
}

void runBeforeProcessEnd(void (*hook)()) {
    const int index = theHookCount.load();
    if (index < MAX_HOOKS) {
        theHooks[index] = hook;
        theHookCount.store(index + 1);
    }
}

} // namespace ovra
