#pragma once

#include <QString>

// Tells the first running copy of the program from a second one. The first holds an exclusive
// flock on a lock file in the user's runtime folder; the kernel drops that lock whenever the
// process ends, also by a crash or kill -9, so a dead instance never blocks the next start.
//
//     SingleInstance guard;
//     if (!guard.tryAcquire()) { /* another instance runs */ }
//
// The lock is held until the object is destroyed; keep it for the life of the process.
class SingleInstance
{
public:
    SingleInstance();
    ~SingleInstance();
    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    // True for the first instance (and again on later calls once acquired). When the lock file
    // cannot be opened at all, the instance counts as the first: a broken guard must not keep the
    // user out of the program.
    bool tryAcquire();
    bool isAcquired() const { return m_acquired; }

    // <runtime folder>/<ApplicationName>.lock, the runtime folder being $XDG_RUNTIME_DIR, else the
    // temporary folder (there with the user id in the name, as that folder is shared).
    static QString lockFilePath();

private:
    int m_fd = -1;
    bool m_acquired = false;
};
