#pragma once

#include "core/deviceallinfo.h"

// Makes `device` the selected one, as a tile click does (its description and its path), and
// reads its record the way the program does: the device server starts on it with the
// device-event callback and one whole reply of the device is taken, the answers to its follow-up
// reads included. The GUI thread is served meanwhile (pages take the record in blocking
// emissions). False when no whole reply came. A test that writes through the device link starts
// from here: a record set by hand was read from no device, and the link refuses to send it.
bool SelectAndReadDevice(const DeviceAllInfo &device, int timeoutMs = 5000);
