#pragma once

#include <QString>

// A folder made read-only for this process and the programs it starts, as a user may find a state
// folder on a read-only mount or owned by another user. The permission bits alone do not bind
// root, under whom CI runs: then the folder is also marked immutable (chattr +i), which does.
// The destructor makes it writable again.
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const QString &folder);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder &) = delete;
    ReadOnlyFolder &operator=(const ReadOnlyFolder &) = delete;

    // Empty when no file can be made in the folder any more; otherwise why.
    QString failure() const { return m_failure; }

private:
    QString m_folder;
    bool m_immutable = false;
    QString m_failure;
};
