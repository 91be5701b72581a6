#include "tests/app/readonlyfolder.h"

#include <QFile>
#include <QProcess>

namespace {

bool canWriteIn(const QString &folder)
{
    QFile probe(folder + QStringLiteral("/.probe"));
    if (!probe.open(QIODevice::WriteOnly))
        return false;
    probe.remove();
    return true;
}

bool chattr(const QString &flag, const QString &folder)
{
    return QProcess::execute(QStringLiteral("chattr"), {flag, folder}) == 0;
}

} // namespace

ReadOnlyFolder::ReadOnlyFolder(const QString &folder) : m_folder(folder)
{
    if (!QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner)) {
        m_failure = QStringLiteral("cannot change the permissions of %1").arg(folder);
        return;
    }
    if (!canWriteIn(folder))
        return;
    m_immutable = chattr(QStringLiteral("+i"), folder);
    if (!m_immutable || canWriteIn(folder))
        m_failure = QStringLiteral("%1 stays writable (neither its permissions nor chattr +i bind "
                                   "this user)")
                        .arg(folder);
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    if (m_immutable)
        chattr(QStringLiteral("-i"), m_folder);
    QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
