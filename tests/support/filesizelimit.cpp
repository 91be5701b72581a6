#include "tests/support/filesizelimit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QByteArray contentOf(const QString &path, bool *exists)
{
    QFile file(path);
    *exists = file.open(QIODevice::ReadOnly);
    return *exists ? file.readAll() : QByteArray();
}

} // namespace

FileSizeLimit::FileSizeLimit(rlim_t bytes)
{
    struct sigaction ignore = {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    if (sigaction(SIGXFSZ, &ignore, &m_oldAction) != 0)
        return;
    if (getrlimit(RLIMIT_FSIZE, &m_old) != 0) {
        sigaction(SIGXFSZ, &m_oldAction, nullptr);
        return;
    }
    struct rlimit limit = m_old;
    limit.rlim_cur = bytes;
    m_ok = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    if (!m_ok)
        sigaction(SIGXFSZ, &m_oldAction, nullptr);
}

FileSizeLimit::~FileSizeLimit()
{
    if (!m_ok)
        return;
    setrlimit(RLIMIT_FSIZE, &m_old);
    sigaction(SIGXFSZ, &m_oldAction, nullptr);
}

QString FailedSaveKeepsTheFile(const QString &path, rlim_t limit, const std::function<bool()> &save)
{
    bool existed = false;
    const QByteArray before = contentOf(path, &existed);
    const QDir folder = QFileInfo(path).absoluteDir();
    const QStringList filesBefore = folder.entryList(QDir::Files | QDir::Hidden);
    bool saved = false;
    {
        FileSizeLimit full(limit);
        if (!full.ok())
            return QStringLiteral("the file-size limit could not be set");
        saved = save();
    }
    QStringList problems;
    if (saved)
        problems << QStringLiteral("the save reported success");
    bool exists = false;
    const QByteArray after = contentOf(path, &exists);
    if (exists != existed || after != before) {
        problems << QStringLiteral("the file changed: %1 bytes before, %2 after")
                        .arg(existed ? before.size() : -1)
                        .arg(exists ? after.size() : -1);
    }
    const QStringList filesAfter = folder.entryList(QDir::Files | QDir::Hidden);
    if (filesAfter != filesBefore) {
        problems << QStringLiteral("the folder held %1, now %2")
                        .arg(filesBefore.join(QLatin1Char(' ')), filesAfter.join(QLatin1Char(' ')));
    }
    return problems.join(QStringLiteral("; "));
}
