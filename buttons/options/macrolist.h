#pragma once

#include <QString>
#include <QStringList>

// The saved macros as the chooser's macro panel lists them. No widgets; any thread.

// The saved macros' names, by the macro folder's one rule (macro/macroname.h), by name ignoring
// case. Empty when there is no macro folder.
QStringList MacroListEntries(const QString &folder);

// The panel keeps room for this many buttons: a shorter list is padded with hidden placeholders.
constexpr int MacroPanelRows = 7;
// How many placeholders follow the buttons of a list of `entries` entries: none for an empty list
// or a full one.
int MacroPlaceholderCount(int entries);
