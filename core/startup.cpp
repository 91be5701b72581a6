#include "core/startup.h"

#include "platform/appdir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// Made in this order, parents before their children.
const char *const UserFolders[] = {"Log",
                                   "Device_Info",
                                   "Exception",
                                   "usersetting",
                                   "usersetting/MainPage",
                                   "usersetting/MacroPage",
                                   "usersetting/SensorPage"};

constexpr int ReferenceDesktopWidth = 1920;
constexpr quint32 SecondsPerDay = 86400;
constexpr quint32 KeptDays = 7;

} // namespace

void PrepareUserFolder()
{
    const QString root = UserDir::path();
    for (const char *folder : UserFolders)
        QDir().mkpath(root + QLatin1Char('/') + QLatin1String(folder));
    QFile settings(UserDir::filePath(QStringLiteral("Macro.ini")));
    if (!settings.exists()) {
        // Opened in append mode so that a file appearing in the meantime is never emptied.
        if (settings.open(QIODevice::Append | QIODevice::Text))
            settings.close();
    }
}

QByteArray ScaleFactorText(int desktopWidth)
{
    if (desktopWidth <= ReferenceDesktopWidth)
        return {};
    return QByteArray::number(desktopWidth / ReferenceDesktopWidth);
}

void PrepareScaling(int desktopWidth)
{
    // The attributes only take effect before the application object exists; an entry run inside
    // a test, where it exists already, leaves them alone.
    if (!QCoreApplication::instance()) {
        QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, false);
        QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps, false);
    }
    const QByteArray factor = ScaleFactorText(desktopWidth);
    if (!factor.isEmpty())
        qputenv("QT_SCALE_FACTOR", factor);
}

void DeleteOldFiles(const QString &folder, const QDateTime &now)
{
    const quint32 nowSeconds = quint32(now.toSecsSinceEpoch());
    // The listing is taken whole before anything is removed, so every entry is looked at once.
    const QFileInfoList entries = QDir(folder).entryInfoList();
    for (const QFileInfo &entry : entries) {
        if (!entry.isFile())
            continue;
        const quint32 changed = quint32(entry.lastModified().toSecsSinceEpoch());
        const quint32 age = nowSeconds - changed;
        if (age / SecondsPerDay > KeptDays)
            QFile::remove(entry.filePath());
    }
}

void CleanOldDiagnostics()
{
    DeleteOldFiles(UserDir::filePath(QStringLiteral("Log")));
    DeleteOldFiles(UserDir::filePath(QStringLiteral("Exception")));
}
