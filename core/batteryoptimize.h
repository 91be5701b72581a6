#pragma once

// The factory reset switches the mouse's battery optimisation off, so that the mouse stays awake
// while it resets; the "reset done" event switches it on again. A reset that never completes
// (the mouse went to sleep, or did not answer) must not leave it off: the device owes it back
// until it has been switched on again, now or the next time that device answers.
namespace BatteryOptimize {

// Switches it off on the selected device for a reset and remembers that device. GUI thread.
void SwitchOffForReset();

// Switches it on on the selected device (the server's device); true when the device took it.
// A device that owed it back owes nothing any more. Any thread.
bool SwitchOn();

// Switches it on when the selected device is the one a reset left without it; true when nothing
// is owed by the selected device afterwards. Any thread.
bool RestoreIfOwed();

} // namespace BatteryOptimize
