#pragma once

#include <QString>

// The folder that holds the executable and every file shipped beside it (usersetting/Config.ini,
// Language/, Picture/, bin/, driver_sensor.h). Tests point it at a fixture folder.
namespace AppDir {
QString path();
// Joins a path relative to the app folder, e.g. filePath("usersetting/Config.ini").
QString filePath(const QString &relative);
// An empty text returns to the executable's folder.
void setOverride(const QString &folder);
} // namespace AppDir

// The per-user folder: <home>/AppData/Local/<ApplicationName>. Macro.ini, macro files, device
// caches and crash dumps live here; it follows HOME, so tests isolate it with a temporary HOME.
namespace UserDir {
QString path();
QString filePath(const QString &relative);
} // namespace UserDir
