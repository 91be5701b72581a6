#include "platform/registry.h"

#include "platform/appinfo.h"
#include "platform/desktopentry.h"
#include "platform/inifile.h"
#include "platform/wholefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>

namespace {

// One lock for the INI file and the autostart folder: the firmware version is written from a
// device-library thread while the GUI thread may read or write other values.
QMutex registryMutex;

const QString startupKeyPath =
    QStringLiteral("HKEY_CURRENT_USER/Software/Microsoft/Windows/CurrentVersion/Run");

// Registry key paths use '\' between levels; QSettings would read a '\' in a key as its own
// separator only in some places and escape it in others, so the levels become '/' groups here.
// Empty levels (a doubled or trailing '\') are dropped, as the registry has no empty key names.
QString groupPath(const QString &key)
{
    QStringList levels = key.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    return levels.join(QLatin1Char('/'));
}

bool isStartupKey(const QString &key)
{
    // Registry key names are case-insensitive.
    return groupPath(key).compare(startupKeyPath, Qt::CaseInsensitive) == 0;
}

QString configFolder()
{
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg))
        return xdg;
    return QDir::homePath() + QStringLiteral("/.config");
}

// The autostart entry's file name is the value name; a name that would leave the autostart
// folder (a '/' or a dot name) has no entry at all.
QString autostartFile(const QString &name)
{
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name == QLatin1String(".") ||
        name == QLatin1String(".."))
        return QString();
    return configFolder() + QStringLiteral("/autostart/") + name + QStringLiteral(".desktop");
}

// The value name (the executable's base name) names only the file; the entry itself carries the
// program's name, which is what the desktop's list of start-up programs shows.
bool setStartupValue(const QString &name, const QString &command)
{
    const QString path = autostartFile(name);
    return !path.isEmpty() && QDir().mkpath(QFileInfo(path).absolutePath()) &&
           WholeFile::write(
               path, DesktopEntry::autostartEntry(QString::fromUtf8(ApplicationName), command));
}

QVariant startupValue(const QString &name, const QVariant &defaultValue)
{
    const QString path = autostartFile(name);
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return defaultValue;
    bool found = false;
    const QString command = DesktopEntry::execCommand(file.readAll(), &found);
    return found ? QVariant(command) : defaultValue;
}

// A value name is one INI key below its key's group. Value names never hold '/' or '\\'
// (QSettings would read either as another level).
QString valueKey(const QString &key, const QString &name)
{
    const QString group = groupPath(key);
    return group.isEmpty() ? name : group + QLatin1Char('/') + name;
}

} // namespace

QString Registry::filePath()
{
    return configFolder() + QLatin1Char('/') + QLatin1String(ApplicationName) +
           QStringLiteral("/registry.ini");
}

QVariant Registry::value(const QString &key, const QString &name, const QVariant &defaultValue)
{
    QMutexLocker lock(&registryMutex);
    if (isStartupKey(key))
        return startupValue(name, defaultValue);
    return IniFile(filePath()).value(valueKey(key, name), defaultValue);
}

bool Registry::contains(const QString &key, const QString &name)
{
    QMutexLocker lock(&registryMutex);
    if (isStartupKey(key))
        return startupValue(name, QVariant()).isValid();
    return IniFile(filePath()).contains(valueKey(key, name));
}

bool Registry::setValue(const QString &key, const QString &name, const QVariant &value)
{
    QMutexLocker lock(&registryMutex);
    if (isStartupKey(key))
        return setStartupValue(name, value.toString());
    // Written before the call returns, so another reader (or process) sees it at once.
    return IniFile::update(filePath(), [&](QSettings::SettingsMap &values) {
        values.insert(valueKey(key, name), value);
    });
}

bool Registry::remove(const QString &key, const QString &name)
{
    QMutexLocker lock(&registryMutex);
    if (isStartupKey(key)) {
        const QString path = autostartFile(name);
        return path.isEmpty() || !QFileInfo::exists(path) || QFile::remove(path);
    }
    return IniFile::update(
        filePath(), [&](QSettings::SettingsMap &values) { values.remove(valueKey(key, name)); });
}

QString Registry::autostartFilePath(const QString &name)
{
    return autostartFile(name);
}
