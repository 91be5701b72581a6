#pragma once

#include "core/record/flashdatamap.h"

#include <QString>

// The button page's side of the macro files (macro/model/macrofile.h describes them): the record a
// binding writes, the repeat value it stores, and the repeat line a device record brings back.
// No widgets; GUI thread (they read the write guard of the device state).

// The device record of the macro `name`, built from its file the way the macro page builds it
// from its event list, so that a binding and a later update of the macro store the same record.
// False, with `record` all zero, while writes are not enabled yet, for a name the macro-name
// check refuses, and when the file is missing or unreadable.
bool LoadMacroRecord(const QString &name, MacroRecord *record);

// The first blank-separated part of the macro's first line as written; "0" when the file is
// missing, unreadable or empty. Callers read it in decimal (a text that is no number gives 0) and
// store its low byte.
QString ReadMacroRepeat(const QString &name);

// Rewrites the macro file of `name` in the macro folder so that it holds only its repeat line
// (`repeat` in decimal); the macro page then appends the events it takes from the device record.
// The file is replaced whole or not at all. False, touching no file, for a name the macro-name
// check refuses or when the file cannot be written.
bool WriteMacroRepeat(const QString &name, int repeat);
