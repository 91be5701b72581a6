#pragma once

#include <QString>
#include <QStringList>

// The saved macros as the chooser's macro panel lists them. No widgets; any thread.

// The file names of the macro folder's plain files (no links, no folders), by name ignoring
// case, without the first one whose name contains "xml" (a list file some versions kept there).
// Empty when there is no macro folder.
QStringList MacroListEntries(const QString &folder);

// A macro's name: its file name with every ".ini" removed.
QString MacroNameOfEntry(const QString &fileName);

// The panel keeps room for this many buttons: a shorter list is padded with hidden placeholders.
constexpr int MacroPanelRows = 7;
// How many placeholders follow the buttons of a list of `entries` entries: none for an empty list
// or a full one.
int MacroPlaceholderCount(int entries);
