// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace ovra {

// Qt Multimedia 6.4 talks to PulseAudio through engines that it destroys
// among the static destructors at process exit. An engine's destructor
// disconnects from the sound server without holding the lock of its threaded
// main loop while that loop's thread still runs: the loop thread, woken by
// the disconnection itself or by a message from the server, works on the
// context, its dispatcher and its I/O events while they are being freed.
// libpulse then aborts ("Assertion 'm->io_events_please_scan == 0' failed",
// "Assertion 'pd' failed" in pa_pdispatch_register_reply, ...) or the process
// crashes: a few exits in a hundred under ASan, fewer without, whether or not
// capture ever ran.
//
// Qt 6.4 makes two such engines: one with its list of audio devices (the
// first QMediaDevices query), destroyed when libQt6Multimedia is finalized,
// after every exit handler; and a Q_GLOBAL_STATIC one made by the first
// QAudioSource to start, on the thread that starts it, destroyed by the exit
// handler that its making registered, before the exit handlers registered
// earlier.
//
// This registers an exit handler that ends the process before them: it
// flushes the output, runs an ASan build's leak check, and ends the process
// at once (_exit) with the status given to exit() or returned by main().
// Exit handlers and static destructors registered after it still run first,
// so it must be called right after each first use of the backend that makes
// an engine: after the first look at the audio inputs and after the first
// start of an audio source (and, for a start that never returned, when the
// application object goes: CaptureThread.cpp's exit routine). Each call registers one more handler (the latest
// ends the process): call it once per such place.
// A ThreadSanitizer build skips its exit-time summary this way: the tests
// run it with halt_on_error=1, which ends the process at the first report.
void endProcessBeforeAudioBackendTeardown();

// Exit handlers registered before the latest of those handlers do not run
// when it ends the process: `hook` runs in its place, before the output is
// flushed, on the thread that called exit() (the main thread when Qt's X11
// platform exits on losing the display). For work that must happen however
// the process ends, besides an ordinary exit handler; it may then run twice.
// At most eight hooks.
void runBeforeProcessEnd(void (*hook)());

} // namespace ovra
