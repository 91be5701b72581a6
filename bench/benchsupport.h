#pragma once

#include <QByteArray>

#include <functional>

// What every benchmark of the program needs: a HOME of its own (the program's user folder, the
// simulated devices' stored state), the offscreen platform unless a display is asked for, the
// build's app folder, and a simulated device set.
namespace BenchSupport {

// Before the application object: a temporary HOME with its XDG folders, and the offscreen
// platform when QT_QPA_PLATFORM is not set.
void prepareProcess();
// After it: the app folder, the user folder's layout, and the simulated devices' state in the
// temporary HOME.
void prepareApplication();

// The built-in device set as an INI text: one receiver of kind 1 ("R") with the mouse "M" of the
// first model on it, awake.
extern const QByteArray OneReceiverSet;
// Replaces the simulated devices by the set and sets the transfer latency; false when refused.
bool loadDevices(const QByteArray &ini, int latencyMs);

// Runs the event loop until done() holds (checked after every event); false after timeoutMs.
bool serveUntil(const std::function<bool()> &done, int timeoutMs = 10000);

} // namespace BenchSupport
