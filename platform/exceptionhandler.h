#pragma once

// Writes a crash report when the process dies of a fatal signal (SIGSEGV, SIGBUS, SIGFPE, SIGILL,
// SIGABRT) and ends the process quietly with exit code 128 + the signal number. The report is
// <user data folder>/Exception/<yyyy_MM_dd_hh_mm_ss>.dmp, named by the local time of the crash:
// the signal, the fault address, the crashing thread, a backtrace and the memory map, as text.
//
// Everything the handler needs (folder, time zone offset, the unwinder) is prepared by Install,
// because the handler itself may only make async-signal-safe calls. The folder and offset are
// those at installation: a later change of HOME or of daylight saving time is not followed.
class ExceptionHandler
{
public:
    ExceptionHandler() = default;
    // Replaces the handlers of the fatal signals (also a sanitizer's, when installed after it) and
    // gives the calling thread an alternate signal stack, so that a stack overflow on it still
    // produces a report. Call it on the main thread. Returns false when a handler could not be put
    // in place.
    static bool Install();
};
