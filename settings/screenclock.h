#pragma once

#include "core/record/screenclock.h"

#include <QDateTime>
#include <QStringList>

#include <functional>

// Sends the local date and time to a device with a picture screen (core/record/screenclock.h has
// the packet). The screen is looked for on every hot-plug change among the product identifiers
// the home page collected; a due tick sends the first one found its clock packet.
namespace ScreenClockSender {

// The clock the packets carry: the local time now, or the test's.
void setClockForTest(const std::function<QDateTime()> &clock);
// One reading of the clock: date, time and weekday of the same moment.
ScreenClock::Reading ReadClock();

// The screens' paths as the last search found them (a copy; the search rewrites them on a
// library thread).
QStringList ScreenDevicePaths();

// Sends `packet`, its checksum put in, and takes the screen's reply; a reply that does not pass
// (bytes 0..6 echoed, its own checksum) is answered by sending again, five exchanges at most.
// True when a reply passed. The screen must have been opened.
bool SendScreenData(ScreenClock::Packet packet);
// What a due tick does: opens the first screen found and sends it the clock. True when the
// screen's reply passed; false when none did in five exchanges, and, with nothing exchanged, when
// no screen was found or it does not open.
bool SendClockToScreen();

} // namespace ScreenClockSender

// The hot-plug callback of the clock (a library thread): rebuilds the screens' paths from a
// search of each known product identifier and returns how many it found.
int FindScreenDevice();
void ScreenUsbChanged();
