#include "core/configini.h"

#include "platform/appdir.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QMutex>
#include <QMutexLocker>
#include <QSettings>
#include <QTemporaryFile>

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

// QSettings reads a value that starts with "@Variant(" (once its escapes are undone) as a
// serialized object, and the decoders trust the sizes inside it: a damaged Config.ini could make
// the store allocate without bound and end the program at start-up. The file never holds such
// values (identifiers are Base64, the rest numbers and plain texts), so a line that could give one
// is left out before QSettings reads the file, and its key reads as missing. A line counts when
// one of its '@' may start the value or a list element (only spaces, tabs and quotes between it
// and the line start, '=' or ','), or when a backslash escape could make or hide such an '@'.
bool mayHoldSerializedValue(const QByteArray &line)
{
    const bool escaped = line.contains('\\');
    for (int i = 0; i < line.size(); ++i) {
        const char ch = line.at(i);
        if (ch == '\\' && i + 1 < line.size()) {
            const char next = line.at(i + 1);
            if (next == 'x' || (next >= '0' && next <= '7'))
                return true;
        }
        if (ch != '@')
            continue;
        if (escaped)
            return true;
        int before = i - 1;
        while (before >= 0 &&
               (line.at(before) == ' ' || line.at(before) == '\t' || line.at(before) == '"'))
            --before;
        if (before < 0 || line.at(before) == '=' || line.at(before) == ',')
            return true;
    }
    return false;
}

// The file's bytes without the lines above. Lines end at CR or LF; a line left out takes its own
// end with it, so no escape or key is made of the lines around it.
QByteArray withoutSerializedValues(const QByteArray &content, bool *changed)
{
    *changed = false;
    QByteArray kept;
    int start = 0;
    while (start < content.size()) {
        int end = start;
        while (end < content.size() && content.at(end) != '\n' && content.at(end) != '\r')
            ++end;
        const int next = end < content.size() ? end + 1 : end;
        if (mayHoldSerializedValue(content.mid(start, end - start)))
            *changed = true;
        else
            kept.append(content.constData() + start, next - start);
        start = next;
    }
    return kept;
}

QHash<QString, QVariant> readIni(const QString &path)
{
    QHash<QString, QVariant> loaded;
    QSettings settings(path, QSettings::IniFormat);
    settings.setIniCodec("UTF-8");
    const QStringList keys = settings.allKeys();
    for (const QString &key : keys)
        loaded.insert(key, settings.value(key));
    return loaded;
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
    QByteArray content;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        content = file.readAll();
    bool changed = false;
    const QByteArray safe = withoutSerializedValues(content, &changed);

    QHash<QString, QVariant> loaded;
    if (!changed) {
        loaded = readIni(path);
    } else {
        // QSettings reads files only; the copy lives as long as this call.
        QTemporaryFile copy(QDir::tempPath() + QStringLiteral("/zr35-config-XXXXXX.ini"));
        if (copy.open() && copy.write(safe) == safe.size() && copy.flush())
            loaded = readIni(copy.fileName());
    }
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
