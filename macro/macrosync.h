#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What the user did to saved macros that the mouse may not have taken yet: a macro saved (or
// imported over a binding), renamed or deleted while the mouse slept, or in the moments before the
// button page sent it. The macro files are the user's newest word; the mouse's copy of a macro
// named here is older, so a record read from the mouse never brings such a macro's file back, and
// the button page brings the mouse in step the next time it answers. Kept for the program's run.
// GUI thread only.
namespace MacroSync {

// The file of `name` was written by the user: the mouse should get its version.
void Changed(const QString &name);
// The macro `from` is now `to`: rows bound to `from` should be renamed.
void Renamed(const QString &from, const QString &to);
// The macro `name` was deleted: rows bound to it should go back to their factory function.
void Removed(const QString &name);

bool IsChanged(const QString &name);
bool IsRemoved(const QString &name);
// The name a macro bound as `name` on the mouse has now, when it was renamed.
std::optional<QString> RenamedTo(const QString &name);

// Every name something is pending for (changed, removed, or renamed from).
QStringList Names();

// The mouse holds what the user did to `name` (or nothing of it is left to do).
void Taken(const QString &name);

// Tests: nothing pending.
void Clear();

} // namespace MacroSync
