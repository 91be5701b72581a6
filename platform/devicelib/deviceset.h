#pragma once

#include "platform/devicelib/virtualdevices.h"

#include <QString>

// The set of virtual devices on the bus, read from a small INI file (format in DEVICES.md). The
// built-in set is a resource of the library; the environment variable ZR35_DEVICES names another
// file. Records are not part of the file: a mouse starts from its model's factory settings (or
// from what was stored by an earlier run, see devicestore.h).
namespace DeviceSetFile {

inline constexpr char EnvironmentVariable[] = "ZR35_DEVICES";

// false with *error naming the first problem; *set is then unchanged.
bool read(const QString &file, DeviceSet *set, QString *error);
DeviceSet builtIn();
// The file ZR35_DEVICES names, or the built-in set when it is unset or empty. A file that cannot
// be used gets a message on standard error naming it, and the built-in set.
DeviceSet fromEnvironment();

} // namespace DeviceSetFile
