// SPDX-License-Identifier: GPL-3.0-or-later
// Preloaded into the program by the end-to-end tests (LD_PRELOAD): stands in
// for a few libpulse functions, calls the real ones, and says on standard
// error when a PulseAudio context is disconnected by a thread that neither
// holds the lock of the threaded main loop nor is that loop's own thread.
// Qt 6.4's PulseAudio engine does exactly that in its static destructor at
// exit, racing its main loop thread; this shows it every time
// instead of in a few runs in a hundred. Built without sanitizers: it is
// loaded before their runtimes.

#include <dlfcn.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

extern "C" {

struct pa_threaded_mainloop;
struct pa_context;

} // extern "C"

namespace {

thread_local int heldLocks = 0;
std::atomic<pa_threaded_mainloop*> theLoop{nullptr};

template <typename Function> Function realFunction(const char* name) {
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

void say(const char* text) {
    [[maybe_unused]] const ssize_t written = ::write(2, text, std::strlen(text));
}

} // namespace

extern "C" {

__attribute__((visibility("default"))) pa_threaded_mainloop* pa_threaded_mainloop_new() {
    static const auto real = realFunction<pa_threaded_mainloop* (*)()>("pa_threaded_mainloop_new");
    pa_threaded_mainloop* loop = real();
    theLoop.store(loop);
    say("pulse-teardown-probe: threaded main loop made\n");
    return loop;
}

__attribute__((visibility("default"))) void pa_threaded_mainloop_lock(pa_threaded_mainloop* loop) {
    static const auto real =
        realFunction<void (*)(pa_threaded_mainloop*)>("pa_threaded_mainloop_lock");
    real(loop);
    ++heldLocks;
}

__attribute__((visibility("default"))) void
pa_threaded_mainloop_unlock(pa_threaded_mainloop* loop) {
    static const auto real =
        realFunction<void (*)(pa_threaded_mainloop*)>("pa_threaded_mainloop_unlock");
    --heldLocks;
    real(loop);
}

__attribute__((visibility("default"))) void pa_context_disconnect(pa_context* context) {
    static const auto real = realFunction<void (*)(pa_context*)>("pa_context_disconnect");
    static const auto inThread =
        realFunction<int (*)(pa_threaded_mainloop*)>("pa_threaded_mainloop_in_thread");
    pa_threaded_mainloop* loop = theLoop.load();
    if (loop != nullptr && heldLocks == 0 && inThread(loop) == 0) {
        say("pulse-teardown-probe: context disconnected without its main loop's lock\n");
    }
    real(context);
}

} // extern "C"
