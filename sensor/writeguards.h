#pragma once

#include "core/devicestate.h"

// The shared flags the sensor panels read before they write a change of the user's.
namespace WriteGuards {

inline bool WritesEnabled()
{
    return DeviceState::instance()->WriteEnabled.load() != 0;
}

inline bool SensorFilling()
{
    return DeviceState::instance()->SensorFilling.load() != 0;
}

// A change of the user's on a sensor panel is written while writes are enabled and the sensor
// page (or the host in its place) is not filling its widgets from a record.
inline bool SensorChangeWritable()
{
    return WritesEnabled() && !SensorFilling();
}

} // namespace WriteGuards
