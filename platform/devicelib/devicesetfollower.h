#pragma once

#include <QString>

// Follows a device set file while the program runs, so that a user (or a test of the whole
// program) can plug, unplug, wake and put to sleep the simulated devices by editing it. The file
// is watched, whether an editor writes it in place or renames a new file over it, and its folder
// while it is missing; a change is read once the file has been quiet for a moment, and its set
// goes to the bus (SimulatedBus::changeDeviceSet) on the follower's own thread. A file that cannot
// be read or used changes nothing and is named once on standard error, until it can be used again.
namespace DeviceSetFollower {

// Ends any earlier following and follows `file`, whose set the bus holds for `following`.
void start(const QString &file, int following);
// Ends the following; a change being read meanwhile is dropped by the bus.
void stop();
// How many changed contents of the followed file were read since the process started, used or not.
int readings();

} // namespace DeviceSetFollower
