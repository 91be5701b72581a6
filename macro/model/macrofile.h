#pragma once

#include "macro/model/macroevents.h"

#include <QByteArray>
#include <QString>

// The macro file <name>.ini of the macro folder: UTF-8 text, one line each, ended by a line feed
// (a carriage return before it is accepted too).
//   line 1       the repeat value in decimal: 254 while held, 255 until pressed again, 253 until
//                another button, anything else a repeat count
//   then, in order, one line per event:
//     a key      code, kind and direction: "0x04 1 0" presses A, "0x04 1 1" releases it (code:
//                "0x" and two upper-case hexadecimal digits; kind 0, 1 or 4; direction 0 or 1)
//     a pause    its milliseconds followed by "ms": "10ms"
// A new macro's file is empty. The button page reads the same files. No widgets; any thread.

struct MacroFileContent
{
    bool hasRepeat = false;  // the file has a first line (a new macro's file has none)
    QString repeat;          // line 1 as written, without its line end
    MacroEvents events;      // the event lines that read
    int unreadableLines = 0; // event lines of neither shape, skipped (blank lines do not count)
};

MacroFileContent ParseMacroFile(const QByteArray &bytes);
// The event lines of `events`, each ended by a line feed.
QByteArray FormatMacroEvents(const MacroEvents &events);
QByteArray FormatMacroFile(const QString &repeat, const MacroEvents &events);

// The repeat value of a repeat line: its first blank-separated part in decimal, 0 when it is not
// a number (an empty file included).
int RepeatValueOf(const QString &repeatLine);

// Reads the file at `path`; false (and `content` left empty) when it is missing or unreadable.
bool ReadMacroFile(const QString &path, MacroFileContent *content);
// Writes the whole file at once: readers see the old file or the new, never a part of it.
bool WriteMacroFile(const QString &path, const QString &repeat, const MacroEvents &events);
// Gives the existing file at `path` these events after its repeat line, which the button page has
// just written; false, writing nothing, when there is no such file.
bool WriteEventsAfterRepeat(const QString &path, const MacroEvents &events);

// A macro of a device record taken over into the macro folder: its events written after the
// repeat line the button page put into the macro's file (when that file is there; `written`
// tells). Nothing, and nothing touched, for a name the folder cannot hold.
std::optional<TakenOverMacro> TakeOverMacroRecord(const MacroRecord &record, bool *written);
