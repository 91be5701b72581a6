#pragma once

#include "core/deviceallinfo.h"
#include "core/record/flashdatamap.h"

#include <QByteArray>
#include <QString>

#include <functional>

// The simulated bus as the device-link tests use it: a device set written by the test, no transfer
// latency, and the device state pointing at one device as a selection on the home page leaves it.
namespace LinkFixture {

// Replaces the bus's devices by the set described in `ini` (the format of the simulated library's
// device files) as loadDeviceSet() does (tests/support/devicesetbench.h): once the callbacks of
// earlier steps have run, with an empty call log; false with a message when the text is not a
// device set.
bool loadDevices(const QString &ini);

// One receiver of kind 1 ("R1", PID 0x1240) with a mouse of the first model (Cid 12, Mid 10,
// "M1") paired to it and awake; the mouse's cable (PID 0x1201) can be plugged by the test.
QString receiverWithMouse();

QByteArray receiverPath(const QString &receiver = QStringLiteral("R1"));
QByteArray cablePath(const QString &mouse = QStringLiteral("M1"));

// What the virtual mouse holds now, as a record.
FlashDataMap storedRecord(const QString &mouse = QStringLiteral("M1"));

// The device description of a device at `path` as discovery makes it.
DeviceAllInfo deviceInfo(const QByteArray &path, int kind, int mid = 10, int driveIndex = 0);

// Lets the library's callbacks of earlier steps end, resets the device state and the device lists
// (resetDeviceSide()) and makes `device` the current one as the home page's selection does
// (description, path and cache name); then reads its record the way the program does: the device
// server starts on it with the device-event callback and one whole reply of the device is taken,
// its follow-up answers included. False when no whole reply came.
bool selectDevice(const DeviceAllInfo &device);

// The usual start of a test: receiverWithMouse() on the bus, its receiver the current device, the
// device server running on it with the device-event callback and the mouse's record read.
bool selectReceiverWithServer();

// How many calls of `operation` the simulated library logged since the last clear.
int calls(const QString &operation);
// The operations logged since the last clear, in order, limited to those in `only` when given.
QStringList operations(const QStringList &only = {});

} // namespace LinkFixture
