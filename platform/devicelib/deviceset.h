#pragma once

#include "platform/devicelib/virtualdevices.h"

#include <QString>

// The set of virtual devices on the bus, read from a small INI file (format in DEVICES.md). The
// built-in set is a resource of the library; the environment variable ZR35_DEVICES names another
// file. Records are not part of the file: a mouse starts from its model's factory settings (or
// from what was stored by an earlier run, see devicestore.h).
namespace DeviceSetFile {

inline constexpr char EnvironmentVariable[] = "ZR35_DEVICES";

// Whether a file without any device will do: not as the set to start with, but as what a followed
// file says once every device has been taken out of it.
enum class NoDevice
{
    Refused,
    Allowed
};

// false with *error naming the first problem; *set is then unchanged.
bool read(const QString &file, DeviceSet *set, QString *error,
          NoDevice noDevice = NoDevice::Refused);
DeviceSet builtIn();
// The file of the built-in set, as shipped.
QByteArray builtInText();
// The file ZR35_DEVICES names, or the built-in set when it is unset or empty. A file that cannot
// be used gets a message on standard error naming it, and the built-in set.
DeviceSet fromEnvironment();
// The file that the set of fromEnvironment() follows while the program runs: the file ZR35_DEVICES
// names or, when it names none, `devices.ini` in the device store's folder, into which the
// built-in set is written first. Empty when that cannot be written (said on standard error).
QString fileToFollow();

} // namespace DeviceSetFile
