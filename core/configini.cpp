#include "core/configini.h"

#include "platform/appdir.h"
#include "platform/inifile.h"

#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>

#include <cstdio>

namespace {

QMutex ConfigIniMutex;
ConfigIni *store = nullptr;

const char *const identifierKeys[] = {
    "MM",  "DM",      "D2M",          "D4M",           "D8M",           "Sensor",       "CID",
    "VID", "USB_PID", "Wireless_PID", "Wireless2_PID", "Wireless4_PID", "Wireless8_PID"};

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

QString defaultPath()
{
    return AppDir::filePath(QStringLiteral("usersetting/Config.ini"));
}

// Without a usable file the home page asks for a device while one is plugged in, and says nothing
// else; this line tells a user or a packager why.
void reportUnusable(const IniFile &file)
{
    const char *problem = nullptr;
    if (!QFileInfo::exists(file.path()))
        problem = "missing";
    else if (!file.isReadable())
        problem = "cannot be read";
    else if (file.values().isEmpty())
        problem = "empty";
    else if (file.value(QStringLiteral("Option/DeviceTotal")).toString().toInt(nullptr, 10) < 1)
        problem = "holds no models (Option/DeviceTotal)";
    if (problem)
        std::fprintf(stderr, "%s: %s: no device can be recognised\n",
                     qPrintable(QDir::toNativeSeparators(file.path())), problem);
}

} // namespace

ConfigIni::ConfigIni(const QString &path)
{
    load(path);
}

ConfigIni *ConfigIni::instance()
{
    QMutexLocker locker(&ConfigIniMutex);
    if (!store)
        store = new ConfigIni(defaultPath());
    return store;
}

void ConfigIni::load(const QString &path)
{
    const IniFile file(path);
    QHash<QString, QVariant> loaded;
    const QSettings::SettingsMap &read = file.values();
    for (auto it = read.cbegin(); it != read.cend(); ++it)
        loaded.insert(it.key(), it.value());
    reportUnusable(file);
    QWriteLocker locker(&lock);
    filePath = path;
    values = loaded;
}

void ConfigIni::resetForTests(const QString &path)
{
    instance()->load(path.isEmpty() ? defaultPath() : path);
}

QString ConfigIni::path() const
{
    QReadLocker locker(&lock);
    return filePath;
}

bool ConfigIni::isIdentifierKey(const QString &key)
{
    for (const char *name : identifierKeys) {
        if (key == QLatin1String(name))
            return true;
    }
    return false;
}

QString ConfigIni::decodeIdentifier(const QString &coded)
{
    // The default (non-strict) decoder skips characters outside the alphabet and stops at
    // malformed input instead of failing.
    QString text = QString::fromUtf8(QByteArray::fromBase64(coded.toUtf8()));
    text.remove(QLatin1Char('\n'));
    text.remove(QLatin1Char(' '));
    return text;
}

QString ConfigIni::value(const QString &group, const QString &key) const
{
    QVariant stored;
    {
        QReadLocker locker(&lock);
        stored = values.value(group + QLatin1Char('/') + key);
    }
    if (stored.userType() != QMetaType::QString)
        return QString();
    const QString text = stored.toString();
    return isIdentifierKey(key) ? decodeIdentifier(text) : text;
}

QStringList ConfigIni::valueList(const QString &group, const QString &key) const
{
    QVariant stored;
    {
        QReadLocker locker(&lock);
        stored = values.value(group + QLatin1Char('/') + key);
    }
    if (!stored.isValid())
        return QStringList();
    QStringList list = stored.toStringList();
    if (isIdentifierKey(key)) {
        for (QString &element : list)
            element = decodeIdentifier(element);
    }
    return list;
}

int ConfigIni::intValue(const QString &group, const QString &key) const
{
    return value(group, key).toInt(nullptr, 10);
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
