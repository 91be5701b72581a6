#pragma once

#include <QString>

// Rewrites the macro file of `name` in the macro folder so that it holds only its repeat line
// (`repeat` in decimal); the macro page then appends the events it takes from the device record.
// The file is replaced whole or not at all. False, touching no file, for a name the macro-name
// check refuses or when the file cannot be written.
bool WriteMacroRepeat(const QString &name, int repeat);
