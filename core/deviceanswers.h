#pragma once

#include <QByteArray>

// Whether a device answers the library now: a receiver whose mouse sleeps or is switched off, or
// a device unplugged since enumeration, does not. Every place that must know asks here, so the
// device page, the writers, the settings transfer and the home page cannot judge one device
// differently. Both ask the library and may block while it talks to the device. Any thread.
bool DeviceAnswers(const QByteArray &path);
// The device the user selected (DeviceState's DevicePath).
bool SelectedDeviceAnswers();
