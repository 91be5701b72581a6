#pragma once

#include <functional>

// Runs `work` on a thread of its own, as the device library's threads call us, while the GUI
// thread keeps processing events, so that a blocking queued emission from `work` is delivered.
// Returns true when `work` finished within the time limit. On a timeout the thread is left to
// end on its own as a child of the application object (deleted once it ends), and `work` must
// not refer to anything that dies with the caller's frame; the test has failed by then.
bool runOnWorkerThread(const std::function<void()> &work, int timeoutMs = 5000);
