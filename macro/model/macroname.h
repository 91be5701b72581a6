#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Macro names: a macro named N is the file N.ini in the macro folder, and a button bound to it
// carries N's bytes in its device record. A name therefore has to be a safe file name and fit the
// record. One check and one encoding for every place a name comes from (the name dialog, the
// macro folder, an import, a device record) and goes to (a path, a record, an export).
// No widgets; any thread.

// The device record holds this many name bytes, and so does a name the program accepts.
inline constexpr int MacroNameMaxBytes = 30;
// The export file's name block holds this many bytes before its terminating zero.
inline constexpr int ExportNameMaxBytes = 47;

// The bytes a name is stored as: UTF-8, the program's 8-bit encoding.
QByteArray MacroNameBytes(const QString &name);
// The name of stored bytes (UTF-8; invalid sequences become replacement characters).
QString MacroNameFromBytes(const QByteArray &bytes);

// The longest leading part of `text` whose bytes fit `maxBytes`, never splitting a character.
QString CutToBytes(const QString &text, int maxBytes);

// Whether a name can be a macro: not empty, not "." or "..", no '/', '\' or control character,
// no broken UTF-16, at most MacroNameMaxBytes bytes.
bool IsMacroNameAllowed(const QString &name);

// <user folder>/usersetting/MacroPage, where macro files live.
QString MacroFolder();
// The file of the macro `name` in the macro folder (or in `folder`); nothing for a name the check
// refuses, so that no refused name ever becomes a path.
std::optional<QString> MacroFilePath(const QString &name);
std::optional<QString> MacroFilePath(const QString &folder, const QString &name);
