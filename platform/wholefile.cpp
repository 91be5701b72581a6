#include "platform/wholefile.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <QRandomGenerator>
#include <QSaveFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

// A new file beside `target` that this call alone made (a name no one else uses), open for
// writing; -1 (errno set) when none can be made.
int createBeside(const QByteArray &target, QByteArray *temporary)
{
    for (int attempt = 0; attempt < 8; ++attempt) {
        *temporary =
            target + '.' + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
        const int fd =
            ::open(temporary->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool writeAll(int fd, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        // A write that stops short without an error would loop for ever; a full disk answers the
        // next write with its error.
        if (written <= 0)
            return false;
        data += written;
        left -= written;
    }
    return true;
}

// The files writeUnsynced() replaced, each held open until the next sync() of its path. A file's
// blocks are freed when its last descriptor closes, after the writes of them still under way have
// ended, and the file system starts writing a file out as soon as it replaces another by renaming:
// a file replaced again at once (a slider dragged across its range) made the rename that freed it
// wait for the disk. Never destroyed: a library thread may write while the process exits.
struct Replaced
{
    QMutex mutex;
    QMultiHash<QString, int> files;
};

Replaced &replaced()
{
    static Replaced *instance = new Replaced;
    return *instance;
}

bool syncOpened(const QByteArray &path, int flags)
{
    const int fd = ::open(path.constData(), flags | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    const int error = errno;
    ::close(fd);
    errno = error;
    return synced;
}

} // namespace

bool WholeFile::write(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    // The flush comes before commit(): only then does a failed write of the buffer show, and the
    // new file must be dropped before commit() could rename it into place.
    const bool written =
        file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
    if (written && file.commit())
        return true;
    if (error)
        *error = file.errorString();
    if (!written)
        file.cancelWriting();
    return false;
}

bool WholeFile::writeUnsynced(const QString &path, const QByteArray &bytes, QString *error)
{
    // QSaveFile cannot be told to leave out its sync, hence the system's own calls. The new file
    // gets the permissions QSaveFile gives a new file (0666 less the umask).
    const QByteArray target = QFile::encodeName(path);
    QByteArray temporary;
    const int fd = createBeside(target, &temporary);
    if (fd < 0) {
        if (error)
            *error = qt_error_string(errno);
        return false;
    }
    bool written = writeAll(fd, bytes);
    int failure = written ? 0 : errno;
    // Where the system holds back a write's error, close() is where it shows.
    if (::close(fd) != 0 && written) {
        written = false;
        failure = errno;
    }
    const int old = written ? ::open(target.constData(), O_RDONLY | O_CLOEXEC) : -1;
    if (written && ::rename(temporary.constData(), target.constData()) != 0) {
        written = false;
        failure = errno;
    }
    if (old >= 0 && written) {
        QMutexLocker lock(&replaced().mutex);
        replaced().files.insert(path, old);
    } else if (old >= 0) {
        ::close(old);
    }
    if (!written) {
        ::unlink(temporary.constData());
        if (error)
            *error = qt_error_string(failure);
    }
    return written;
}

bool WholeFile::sync(const QString &path, QString *error)
{
    // The folder too: the rename that put the file in place is an entry of the folder.
    const bool synced =
        syncOpened(QFile::encodeName(path), O_RDONLY) &&
        syncOpened(QFile::encodeName(QFileInfo(path).absolutePath()), O_RDONLY | O_DIRECTORY);
    if (!synced && error)
        *error = qt_error_string(errno);
    QList<int> files;
    {
        QMutexLocker lock(&replaced().mutex);
        files = replaced().files.values(path);
        replaced().files.remove(path);
    }
    for (const int file : qAsConst(files))
        ::close(file);
    return synced;
}
