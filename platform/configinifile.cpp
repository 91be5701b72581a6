#include "platform/configinifile.h"

#include "platform/appdir.h"

#include <QVariant>

namespace {

const char *const IdentifierKeys[] = {
    "MM",  "DM",      "D2M",          "D4M",           "D8M",           "Sensor",       "CID",
    "VID", "USB_PID", "Wireless_PID", "Wireless2_PID", "Wireless4_PID", "Wireless8_PID"};

} // namespace

QString ConfigIniFile::defaultPath()
{
    return AppDir::filePath(QStringLiteral("usersetting/Config.ini"));
}

ConfigIniFile::ConfigIniFile(const QString &path) : m_file(path) {}

bool ConfigIniFile::isIdentifierKey(const QString &key)
{
    for (const char *name : IdentifierKeys) {
        if (key == QLatin1String(name))
            return true;
    }
    return false;
}

QString ConfigIniFile::decodeIdentifier(const QString &coded)
{
    // The default (non-strict) decoder skips characters outside the alphabet and stops at
    // malformed input instead of failing.
    QString text = QString::fromUtf8(QByteArray::fromBase64(coded.toUtf8()));
    text.remove(QLatin1Char('\n'));
    text.remove(QLatin1Char(' '));
    return text;
}

QString ConfigIniFile::value(const QString &group, const QString &key) const
{
    const QVariant stored = m_file.value(group + QLatin1Char('/') + key);
    if (stored.userType() != QMetaType::QString)
        return QString();
    const QString text = stored.toString();
    return isIdentifierKey(key) ? decodeIdentifier(text) : text;
}

QStringList ConfigIniFile::valueList(const QString &group, const QString &key) const
{
    const QVariant stored = m_file.value(group + QLatin1Char('/') + key);
    if (!stored.isValid())
        return QStringList();
    QStringList list = stored.toStringList();
    if (isIdentifierKey(key)) {
        for (QString &element : list)
            element = decodeIdentifier(element);
    }
    return list;
}

int ConfigIniFile::intValue(const QString &group, const QString &key) const
{
    return value(group, key).toInt(nullptr, 10);
}
