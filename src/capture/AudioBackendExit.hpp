#pragma once

namespace ovra {

// Qt Multimedia 6.4's PulseAudio engine is a global static of
// libQt6Multimedia. Its destructor, run among the static destructors at
// process exit, disconnects from the sound server without holding the lock
// of its PulseAudio main loop while that loop's thread still runs: the loop
// thread, woken by the very disconnection or by a message from the server,
// then works on the context and its I/O events as they are being freed.
// libpulse aborts ("Assertion 'm->io_events_please_scan == 0' failed",
// "Assertion 'pd' failed" in pa_pdispatch_register_reply, ...) or the
// process crashes, in a few exits in a hundred under ASan and rarely
// without, whether or not capture ever ran.
//
// There are two such engines in Qt 6.4: one made with Qt's list of audio
// devices (the first QMediaDevices query) and one, a Q_GLOBAL_STATIC, made
// by the first QAudioSource to start, on the thread that starts it. Their
// destructors run at exit after, respectively before, the exit handlers
// registered after they were made.
//
// This registers an exit handler that ends the process there: the output is
// flushed, a sanitizer build's leak check runs, and the process ends at once
// (_exit) with the status given to exit() or returned by main(). Exit
// handlers and static destructors registered later still run first (they run
// in reverse order), so call it right after each first use of the backend
// that may make one of its engines: after the first look at the audio inputs
// and after the first start of an audio source. Each call registers one more
// handler (the latest runs and ends the process): call it once per such place.
// A ThreadSanitizer build skips its exit-time summary this way: the tests
// run it with halt_on_error=1, which ends the process at the first report.
void endProcessBeforeAudioBackendTeardown();

} // namespace ovra
