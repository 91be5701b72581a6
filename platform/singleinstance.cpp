#include "platform/singleinstance.h"

#include "platform/appinfo.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

SingleInstance::SingleInstance() = default;

SingleInstance::~SingleInstance()
{
    // Closing the only descriptor of the open file releases the lock; the file stays, because
    // removing it could let two starts lock two different files.
    if (m_fd >= 0)
        close(m_fd);
}

QString SingleInstance::lockFilePath()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir::isAbsolutePath(runtime))
        return runtime + QLatin1Char('/') + QLatin1String(ApplicationName) +
               QStringLiteral(".lock");
    return QDir::tempPath() + QLatin1Char('/') + QLatin1String(ApplicationName) +
           QStringLiteral("-%1.lock").arg(getuid());
}

bool SingleInstance::tryAcquire()
{
    if (m_acquired)
        return true;
    if (m_fd < 0) {
        // O_NOFOLLOW: in the shared temporary folder a planted link must not make us open (and
        // create) a file elsewhere.
        m_fd = open(QFile::encodeName(lockFilePath()).constData(),
                    O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (m_fd < 0) {
            m_acquired = true;
            return true;
        }
    }
    // flock, not fcntl: fcntl locks belong to the process and vanish when any descriptor of the
    // file is closed, and they are not exclusive within one process.
    int result;
    do {
        result = flock(m_fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result == 0 || errno != EWOULDBLOCK) {
        m_acquired = true;
        return true;
    }
    return false;
}
