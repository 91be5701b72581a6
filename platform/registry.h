#pragma once

#include <QString>
#include <QVariant>

// The current user's registry, kept as groups of one INI file:
// <XDG config folder>/ZR35 Mouse Software/registry.ini. A value is named by its registry key path
// and its value name: the key is a '\\'-separated path from the hive, e.g.
// "HKEY_CURRENT_USER\\Software\\ZR35 Mouse Software\\ZR35 Mouse Software\\Mouse Drive Test", and
// each level of it becomes one '/' group of the file. The file is read through IniFile, so a
// damaged value reads as missing. Safe to use from any thread.
//
// The start-up key HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run maps to the
// desktop's autostart folder: setting a value there writes <XDG config>/autostart/<name>.desktop
// that starts the program (Exec= the value, the program's native path); removing the value removes
// the file; reading it gives that path back while the file exists. Value names hold no '/' or '\\'.
namespace Registry {
QVariant value(const QString &key, const QString &name, const QVariant &defaultValue = {});
bool contains(const QString &key, const QString &name);
// Both are written before they return; false when the file could not be written (it is then as
// it was). May run on a device-library thread (the firmware version is stored from there).
bool setValue(const QString &key, const QString &name, const QVariant &value);
// True when the value is gone, also when there was none.
bool remove(const QString &key, const QString &name);
// The file that holds every key other than the start-up key.
QString filePath();
// The autostart entry that stands for the start-up value `name`; empty for a name that cannot be
// a file name.
QString autostartFilePath(const QString &name);
} // namespace Registry
