#pragma once

// Waits `ms` milliseconds while the calling thread's events keep being processed, at most 100 ms
// per pass, so timers, queued calls and repaints go on during the wait. The deadline is taken on
// a monotonic clock: a change of the wall-clock time (or midnight) neither ends nor stretches the
// wait. Without an application object there is no event loop and it simply blocks. Once the
// application is quitting (QCoreApplication::exit or quit) it returns early: the program is ending.
void DelayMs(int ms);
