#pragma once

#include <QByteArray>
#include <QString>

// Desktop entry files (the freedesktop.org Desktop Entry format) as the autostart folder needs
// them: an entry that starts one program, and reading that program back.
namespace DesktopEntry {
// A complete UTF-8 entry named `name` whose Exec line starts `program` (a path, no arguments).
QByteArray autostartEntry(const QString &name, const QString &program);
// The program an entry's Exec line starts, unquoted and unescaped; `found` tells whether the
// [Desktop Entry] group has an Exec line at all. A line of several arguments comes back as
// written, with only the string escapes undone.
QString execCommand(const QByteArray &content, bool *found = nullptr);
// One Exec argument, always quoted, with the characters the format reserves escaped.
QString quoteArgument(const QString &argument);
} // namespace DesktopEntry
