#pragma once

// Waits until no callback of the simulated device library runs or waits to run (device events,
// hot-plug, those of stopped servers too), serving the GUI thread meanwhile: a callback may wait
// for it in a blocking emission. True when that came within the limit. A test resets the device
// state only then, so that no callback of an earlier step finds it half made; and a test that has
// made a request counts the events it caused only then.
bool waitForLibraryCallbacks(int timeoutMs = 5000);
