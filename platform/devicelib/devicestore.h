#pragma once

#include "platform/devicelib/virtualdevices.h"

#include <QString>

// What a virtual device keeps across runs, as the hardware keeps it in flash: a mouse's stored
// configuration (as its 6912-byte image), firmware version, profile and pairing; a receiver's
// firmware version, identifier, LED record and long-range mode; for both, whether they wait in
// boot mode and how many upgrades they have begun; a screen's clock. One file per device,
// <folder>/<kind>-<name>.ini, written as a whole (WholeFile). A save that cannot write its file
// returns false, and the file is named once on standard error, until it is written again. A save
// that would write the bytes the file already holds, as this process wrote them, writes nothing.
// State stored for another model (another Cid or Mid under the same name) or another receiver
// kind is not used.
namespace DeviceStore {

// <XDG state folder>/ZR35 Mouse Software/simulation, unless a folder was set.
QString folder();
// An empty text returns to the default folder.
void setFolder(const QString &folder);

// When a save returns, the file holds the new state whole for every reader, and:
enum class Sync
{
    Now,   // it is on the disk;
    Later, // it may still sit in the system's cache until syncSaved() returns.
};

// Applies the stored state, if any; false when there was none to use.
bool load(VirtualMouse &mouse);
bool load(VirtualReceiver &receiver);
// image: ConfigurationImage::encode(mouse.record) when the caller has it already.
bool save(const VirtualMouse &mouse, Sync sync = Sync::Now, const QByteArray &image = {});
bool save(const VirtualReceiver &receiver, Sync sync = Sync::Now);
// Puts on the disk every file saved with Sync::Later before the call.
void syncSaved();
// A screen keeps its clock; state stored for another product identifier is not used.
bool load(VirtualScreen &screen);
bool save(const VirtualScreen &screen);

} // namespace DeviceStore
