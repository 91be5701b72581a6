#pragma once

#include "tests/support/devicesetbench.h"

// Empties the program's device side, the device state and the device lists, once no library
// callback of an earlier step runs or waits to run, so that none finds them half made.
void resetDeviceSide();

// A DeviceSetBench for the tests of the program's device side: the device state and the device
// lists start empty, and the bench's end stops the device server through the device link.
class LinkBench : public DeviceSetBench
{
public:
    explicit LinkBench(const QByteArray &deviceSet = QByteArray());
};
