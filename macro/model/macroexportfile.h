#pragma once

#include "macro/model/macroevents.h"

#include <QByteArray>
#include <QIcon>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>
#include <optional>

// The export file of one macro, a data stream in the Qt 5.9 format (big-endian):
//   offset  0  u32 12, then 12 bytes: "Tavik", a zero byte, padding
//   offset 16  u32 48, then 48 bytes: the name in UTF-8 (at most 47 bytes), a zero byte, padding
//   offset 68  u32 12, then 12 bytes: the repeat value in decimal, a zero byte, padding
//   offset 84  i32 the number of items that follow
//   offset 88  the items of the event list, in order, each: its text as a QString, its icon as a
//              QIcon, and for a key item its direction as the zero-terminated byte string "0"
//              (press) or "1" (release)
// The texts are the event list's: a key's name in the language of the exporting program, a pause's
// milliseconds followed by "ms".
//
// Reading takes the whole file and either gives a macro or refuses the file; a refused file adds
// nothing. Icons are checked and skipped, never decoded: the program shows its own pictures, and
// an icon that names a file would otherwise have the program load that file. No widgets; the
// icons need a QGuiApplication. GUI thread.

struct MacroExport
{
    QString name;
    QString repeat; // the repeat value as the macro file's first line writes it
    MacroEvents events;
};

// The pictures written with the items.
struct EventIcons
{
    QIcon press;
    QIcon release;
    QIcon delay;
};

// Files larger than this are not macro exports.
inline constexpr int MaxExportFileBytes = 16 * 1024 * 1024;

// The export of `macro`; the name is cut to 47 bytes on a character boundary.
QByteArray WriteMacroExport(const MacroExport &macro, const EventIcons &icons);

// The macro of an export file; nothing when the file is not one or is damaged: another tag, a
// block or item cut short, an item count below 0 or beyond the items present, a name the macro
// folder cannot hold (after cutting it to 30 bytes), a repeat value that is not a decimal number,
// a pause that is not whole milliseconds, a key name neither the vocabulary nor
// `otherMouseButtonNames` (five names each) knows, or an icon larger than 64 x 64 pixels.
std::optional<MacroExport> ReadMacroExport(const QByteArray &bytes,
                                           const QVector<QStringList> &otherMouseButtonNames);

// The whole file at `path`, at most MaxExportFileBytes; false when it cannot be read or is larger.
bool ReadExportFile(const QString &path, QByteArray *bytes);

// An import into the macro folder: the file read, then the name checked against `nameTaken`, then
// the macro file written whole. Nothing is written unless the result is Imported.
enum class ImportResult
{
    Imported,
    NotAMacroFile,
    NameTaken,
    NotWritten
};
ImportResult ImportMacroExport(const QByteArray &bytes,
                               const QVector<QStringList> &otherMouseButtonNames,
                               const std::function<bool(const QString &)> &nameTaken,
                               MacroExport *imported);
