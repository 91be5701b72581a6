#pragma once

#include <QByteArray>
#include <QString>

// The button page's tests run against the simulated mouse of the shipped first model, behind the
// first receiver.
namespace SimulatedMouse {

// The built-in devices with their state under `stateFolder`, answering at once; returns the
// mouse's path.
QByteArray start(const QString &stateFolder);

// What a tile click does: the mouse at `path` becomes the selected device and its record is read
// (the page's device service starts with no device). The simulation's log is cleared afterwards,
// so a test sees only what it caused. False when no whole record came.
bool select(const QByteArray &path);

// The state each test of the page starts from, whatever the test before left: the mouse awake, the
// call log empty, the shipped Config.ini, the first language, writes off (as before the device
// page has read a mouse) and the selected device described only as a mouse of the first model
// group, as the page reads it.
void resetForTest();

} // namespace SimulatedMouse
