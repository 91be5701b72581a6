#pragma once

#include "core/record/flashdatamap.h"

#include <QString>

// The button page's side of the macro files (macro/model/macrofile.h describes them): the record a
// binding writes and the repeat value it stores.
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

// How many key events the macro's file holds; 0 when it is missing or unreadable.
int MacroFileKeyEvents(const QString &name);
