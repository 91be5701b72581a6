#pragma once

#include <QDateTime>
#include <QString>

// The steps of the program's start that need no window: the user data folder, the toolkit's
// scaling and the cleanup of old diagnostics. The font scaling every form applies to itself is
// shell/widgets/fontscaling.h.

// Makes the user data folder's fixed layout (Log, Device_Info, Exception, usersetting and its
// three page folders) and an empty Macro.ini when it is missing. Failures are ignored: start-up
// goes on without them.
void PrepareUserFolder();

// Switches the toolkit's own high-DPI scaling off (fonts are scaled by the program instead) and,
// on a desktop wider than 1920 pixels, sets QT_SCALE_FACTOR to the whole number width / 1920.
// Must run before the application object exists.
void PrepareScaling(int desktopWidth);
// The QT_SCALE_FACTOR text for a desktop width; empty when the variable is to be left alone.
QByteArray ScaleFactorText(int desktopWidth);

// Removes the old files of the user folder's Log and Exception folders.
void CleanOldDiagnostics();
// Removes from `folder` every plain file last changed more than seven whole days before `now`;
// sub-folders are neither removed nor entered. A file dated after `now` is removed as well: its
// age wraps around as an unsigned 32-bit count of seconds, and such a date cannot be trusted.
void DeleteOldFiles(const QString &folder, const QDateTime &now = QDateTime::currentDateTime());
