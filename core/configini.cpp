#include "core/configini.h"

#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>

#include <cstdio>

namespace {

QMutex ConfigIniMutex;
ConfigIni *store = nullptr;

// The shipped theme's colours, used when Config.ini lacks a usable one. They match
// assets/usersetting/Config.ini and the pictures' palette: light grey text, raised grey combo
// boxes, one accent colour.
struct ThemeDefault
{
    const char *key;
    const char *rgb;
};
const ThemeDefault themeDefaults[] = {
    {"LabelColor", "233,236,239"},         {"ButtonColor", "233,236,239"},
    {"ComboxTextColor", "233,236,239"},    {"ComboxSelectColor", "35,179,232"},
    {"ComboxBackGroundColor", "42,46,53"}, {"LinEditColor", "233,236,239"},
    {"LinEditColorSecond", "233,236,239"}, {"SliderColor", "35,179,232"},
};
const char *const fallbackColor = "233,236,239";

QString defaultColor(const QString &key)
{
    for (const ThemeDefault &entry : themeDefaults) {
        if (key == QLatin1String(entry.key))
            return QString::fromLatin1(entry.rgb);
    }
    return QString::fromLatin1(fallbackColor);
}

// Without a usable file the home page asks for a device while one is plugged in, and says nothing
// else; this line tells a user or a packager why.
void reportUnusable(const ConfigIniFile &config)
{
    const IniFile &file = config.file();
    const char *problem = nullptr;
    if (!QFileInfo::exists(file.path()))
        problem = "missing";
    else if (!file.isReadable())
        problem = "cannot be read";
    else if (file.values().isEmpty())
        problem = "empty";
    else if (config.intValue(QStringLiteral("Option"), QStringLiteral("DeviceTotal")) < 1)
        problem = "holds no models (Option/DeviceTotal)";
    if (problem)
        std::fprintf(stderr, "%s: %s: no device can be recognised\n",
                     qPrintable(QDir::toNativeSeparators(file.path())), problem);
}

} // namespace

ConfigIni::ConfigIni(const QString &path) : file(path)
{
    reportUnusable(file);
}

ConfigIni *ConfigIni::instance()
{
    QMutexLocker locker(&ConfigIniMutex);
    if (!store)
        store = new ConfigIni(ConfigIniFile::defaultPath());
    return store;
}

void ConfigIni::load(const QString &path)
{
    const ConfigIniFile loaded(path);
    reportUnusable(loaded);
    QWriteLocker locker(&lock);
    file = loaded;
}

void ConfigIni::resetForTests(const QString &path)
{
    instance()->load(path.isEmpty() ? ConfigIniFile::defaultPath() : path);
}

QString ConfigIni::path() const
{
    QReadLocker locker(&lock);
    return file.file().path();
}

bool ConfigIni::isIdentifierKey(const QString &key)
{
    return ConfigIniFile::isIdentifierKey(key);
}

QString ConfigIni::decodeIdentifier(const QString &coded)
{
    return ConfigIniFile::decodeIdentifier(coded);
}

QString ConfigIni::value(const QString &group, const QString &key) const
{
    QReadLocker locker(&lock);
    return file.value(group, key);
}

QStringList ConfigIni::valueList(const QString &group, const QString &key) const
{
    QReadLocker locker(&lock);
    return file.valueList(group, key);
}

int ConfigIni::intValue(const QString &group, const QString &key) const
{
    QReadLocker locker(&lock);
    return file.intValue(group, key);
}

QString ConfigIni::color(const QString &key) const
{
    const QStringList parts = valueList(QStringLiteral("Option"), key);
    if (parts.size() < 3)
        return defaultColor(key);
    QStringList rgb;
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        const int component = parts.at(i).trimmed().toInt(&ok, 10);
        if (!ok || component < 0 || component > 255)
            return defaultColor(key);
        rgb << QString::number(component);
    }
    return rgb.join(QLatin1Char(','));
}
