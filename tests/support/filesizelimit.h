#pragma once

#include <QString>

#include <csignal>
#include <functional>
#include <sys/resource.h>

// A "full disk" without privileges: while an object lives, no file of this process grows past
// `bytes` (a write beyond fails with EFBIG, as on a full disk), and SIGXFSZ, which would end the
// process at the first such write, is ignored. Every thread of the process is held to it, the
// simulated library's included; the old limit and signal handling come back at destruction.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    // False when the limit could not be set (the test should fail then, not pass unlimited).
    bool ok() const { return m_ok; }

private:
    struct rlimit m_old = {};
    struct sigaction m_oldAction = {};
    bool m_ok = false;
};

// Runs `save` under a FileSizeLimit of `limit` bytes (a full disk) and checks what it must leave:
// `save` reports the failure, the file at `path` holds exactly the bytes it held before (or is
// still missing), and its folder holds no file it did not hold before (no temporary file left).
// Empty when all of that holds, else what did not. `limit` must be below the new file's size.
QString FailedSaveKeepsTheFile(const QString &path, rlim_t limit,
                               const std::function<bool()> &save);
