#pragma once

// Blocks the calling thread for `ms` milliseconds without processing any events; a value of 0 or
// less returns at once. For waits that must keep the window responsive use DelayMs.
void Sleep(int ms);
