#pragma once

#include "platform/devicelib/virtualdevices.h"

#include <QString>

// What a virtual device keeps across runs, as the hardware keeps it in flash: a mouse's stored
// configuration (as its 6912-byte image), firmware version, profile and pairing; a receiver's
// firmware version, identifier, LED record and long-range mode; for both, whether they wait in
// boot mode and how many upgrades they have begun; a screen's clock. One file per device,
// <folder>/<kind>-<name>.ini, written as a whole (WholeFile). A save that cannot write its file
// returns false, and the file is named once on standard error, until it is written again. State
// stored for another model (another Cid or Mid under the same name) or another receiver kind is
// not used.
namespace DeviceStore {

// <XDG state folder>/ZR35 Mouse Software/simulation, unless a folder was set.
QString folder();
// An empty text returns to the default folder.
void setFolder(const QString &folder);

// Applies the stored state, if any; false when there was none to use.
bool load(VirtualMouse &mouse);
bool load(VirtualReceiver &receiver);
bool save(const VirtualMouse &mouse);
bool save(const VirtualReceiver &receiver);
// A screen keeps its clock; state stored for another product identifier is not used.
bool load(VirtualScreen &screen);
bool save(const VirtualScreen &screen);

} // namespace DeviceStore
