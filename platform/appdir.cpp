#include "platform/appdir.h"

#include "platform/appinfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QMutex>
#include <QMutexLocker>

namespace {
QMutex overrideMutex;
QString overrideFolder;
} // namespace

QString AppDir::path()
{
    {
        QMutexLocker lock(&overrideMutex);
        if (!overrideFolder.isEmpty())
            return overrideFolder;
    }
    return QCoreApplication::applicationDirPath();
}

QString AppDir::filePath(const QString &relative)
{
    return QDir(path()).filePath(relative);
}

void AppDir::setOverride(const QString &folder)
{
    QMutexLocker lock(&overrideMutex);
    overrideFolder = folder;
}

QString UserDir::path()
{
    return QDir::homePath() + QStringLiteral("/AppData/Local/") + QLatin1String(ApplicationName);
}

QString UserDir::filePath(const QString &relative)
{
    return QDir(path()).filePath(relative);
}
