#include "platform/devicelib/deviceset.h"

#include "platform/devicelib/devicestore.h"
#include "platform/inifile.h"
#include "platform/wholefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <cstdio>

// The resource of a static library is registered by hand, from the global namespace.
static void registerBuiltInSet()
{
    Q_INIT_RESOURCE(devicelib);
}

namespace {

const char BuiltInFile[] = ":/devicelib/builtin-devices.ini";

// A device's name is a file name too (its state file): letters, digits, '-' and '_'. Checked by
// hand: a compiled regular expression for a check this simple stayed in memory for the rest of
// the run.
bool IsDeviceName(const QString &name)
{
    if (name.isEmpty())
        return false;
    return std::all_of(name.cbegin(), name.cend(), [](QChar c) {
        const ushort u = c.unicode();
        return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') ||
               u == '-' || u == '_';
    });
}

// Reads one section; the first problem ends the reading with a message that names the section and
// the key, so a typo in a hand-written file is found at once.
class SectionReader
{
public:
    SectionReader(const IniFile &file, const QString &section, QString *error)
        : m_file(file), m_section(section), m_error(error)
    {}

    bool ok() const { return m_error->isEmpty(); }

    QByteArray text(const char *key, bool required)
    {
        const QString value = raw(key).toString().trimmed();
        if (value.isEmpty() && required)
            fail(key, QStringLiteral("is missing"));
        return value.toLatin1();
    }

    uint number(const char *key, uint defaultValue, uint max)
    {
        const QVariant value = raw(key);
        if (!value.isValid())
            return defaultValue;
        bool ok = false;
        const uint n = value.toString().trimmed().toUInt(&ok, 0);
        if (!ok || n > max) {
            fail(key, QStringLiteral("must be a number from 0 to %1").arg(max));
            return defaultValue;
        }
        return n;
    }

    // A number that may be left out: -1 then.
    int optionalNumber(const char *key, uint max)
    {
        if (!raw(key).isValid())
            return -1;
        return int(number(key, 0, max));
    }

    bool flag(const char *key, bool defaultValue)
    {
        const QVariant value = raw(key);
        if (!value.isValid())
            return defaultValue;
        const QString text = value.toString().trimmed().toLower();
        if (text == QLatin1String("true") || text == QLatin1String("1"))
            return true;
        if (text == QLatin1String("false") || text == QLatin1String("0"))
            return false;
        fail(key, QStringLiteral("must be true or false"));
        return defaultValue;
    }

    bool bytes(const char *key, unsigned char *out, int count)
    {
        const QVariant value = raw(key);
        if (!value.isValid())
            return false;
        const QStringList parts = value.toStringList();
        if (parts.size() != count) {
            fail(key, QStringLiteral("must hold %1 numbers").arg(count));
            return false;
        }
        for (int i = 0; i < count; ++i) {
            bool ok = false;
            const uint n = parts.at(i).trimmed().toUInt(&ok, 0);
            if (!ok || n > 0xFF) {
                fail(key, QStringLiteral("must hold numbers from 0 to 255"));
                return false;
            }
            out[i] = n;
        }
        return true;
    }

    void fail(const char *key, const QString &problem)
    {
        if (!m_error->isEmpty())
            return;
        *m_error = *key ? QStringLiteral("[%1] %2 %3").arg(m_section, QLatin1String(key), problem)
                        : QStringLiteral("[%1] %2").arg(m_section, problem);
    }

    // Keys this reader has not been asked for: a misspelt key must not pass unnoticed.
    void rejectUnknownKeys()
    {
        const QStringList keys = m_file.childKeys(m_section);
        for (const QString &key : keys) {
            if (!m_known.contains(key)) {
                fail(qPrintable(key), QStringLiteral("is not a known key"));
                return;
            }
        }
    }

private:
    QVariant raw(const char *key)
    {
        m_known.insert(QLatin1String(key));
        return m_file.value(m_section + QLatin1Char('/') + QLatin1String(key));
    }

    const IniFile &m_file;
    QString m_section;
    QString *m_error;
    QSet<QString> m_known;
};

UpgradeState readUpgrade(SectionReader &r)
{
    UpgradeState upgrade;
    upgrade.bootMode = r.flag("BootMode", false);
    upgrade.failsAt = r.optionalNumber("UpgradeFailsAt", 100);
    return upgrade;
}

VirtualReceiver readReceiver(SectionReader &r, const QString &name)
{
    VirtualReceiver receiver;
    receiver.name = name;
    receiver.kind = r.number("Kind", 1, 5);
    if (r.ok() && receiver.kind != 0 && receiver.kind != 1 && receiver.kind != 4 &&
        receiver.kind != 5)
        r.fail("Kind", QStringLiteral("must be 0, 4, 1 or 5"));
    receiver.vid = r.text("VID", true);
    receiver.pid = r.text("PID", true);
    r.bytes("ReceiverId", receiver.id, 3);
    receiver.version = r.number("Version", 0x0100, 0xFFFF);
    receiver.dongleRgb = QByteArray(10, '\0');
    const uint led = r.number("LedMode", 1, 3);
    if (r.ok() && led == 0)
        r.fail("LedMode", QStringLiteral("must be 1, 2 or 3"));
    if (receiver.hasLed())
        receiver.dongleRgb[0] = char(led);
    receiver.longRange = r.number("LongRange", 0, 1);
    receiver.plugged = r.flag("Plugged", true);
    receiver.upgrade = readUpgrade(r);
    return receiver;
}

VirtualMouse readMouse(SectionReader &r, const QString &name)
{
    VirtualMouse mouse;
    mouse.name = name;
    mouse.cid = r.number("Cid", 0, 0xFF);
    mouse.mid = r.number("Mid", 0, 0xFF);
    mouse.receiver = QString::fromLatin1(r.text("Receiver", false));
    mouse.awake = r.flag("Online", true);
    mouse.battery = r.number("Battery", 100, 100);
    mouse.charging = r.flag("Charging", false);
    mouse.version = r.number("Version", 0x0100, 0xFFFF);
    mouse.profile = r.number("Profile", 0, 0xFF);
    mouse.cablePlugged = r.flag("Cable", false);
    mouse.cableKind = r.number("CableKind", 2, 0xFF);
    if (r.ok() && (mouse.cableKind & 0xFA) == 0)
        r.fail("CableKind", QStringLiteral("must not be a receiver kind (0, 1, 4, 5)"));
    mouse.cableVid = r.text("CableVID", mouse.cablePlugged);
    mouse.cablePid = r.text("CablePID", mouse.cablePlugged);
    mouse.pairing = r.flag("Pairing", false);
    mouse.upgrade = readUpgrade(r);
    return mouse;
}

VirtualScreen readScreen(SectionReader &r, const QString &name)
{
    VirtualScreen screen;
    screen.name = name;
    screen.pid = r.text("PID", true);
    screen.plugged = r.flag("Plugged", true);
    return screen;
}

void complain(const QString &file, const QString &problem)
{
    std::fprintf(stderr,
                 "%s: %s. %s names a device set that cannot be used: using the built-in "
                 "set of simulated devices.\n",
                 qPrintable(QDir::toNativeSeparators(file)), qPrintable(problem),
                 DeviceSetFile::EnvironmentVariable);
}

} // namespace

bool DeviceSetFile::read(const QString &file, DeviceSet *set, QString *error, NoDevice noDevice)
{
    QString problem;
    if (!QFileInfo(file).isFile()) {
        *error = QStringLiteral("no such file");
        return false;
    }
    const IniFile ini(file);
    if (!ini.isReadable() || ini.status() != QSettings::NoError) {
        *error = QStringLiteral("not a readable INI file");
        return false;
    }
    DeviceSet read;
    const QStringList sections = ini.childGroups();
    for (const QString &section : sections) {
        SectionReader r(ini, section, &problem);
        if (!IsDeviceName(section))
            r.fail("", QStringLiteral("is no valid device name (letters, digits, - and _)"));
        const QByteArray type = r.text("Type", true);
        if (type == "Receiver")
            read.receivers << readReceiver(r, section);
        else if (type == "Mouse")
            read.mice << readMouse(r, section);
        else if (type == "Screen")
            read.screens << readScreen(r, section);
        else if (r.ok())
            r.fail("Type", QStringLiteral("must be Receiver, Mouse or Screen"));
        r.rejectUnknownKeys();
        if (!problem.isEmpty()) {
            *error = problem;
            return false;
        }
    }
    for (const VirtualMouse &mouse : qAsConst(read.mice)) {
        const bool known =
            std::any_of(read.receivers.cbegin(), read.receivers.cend(),
                        [&](const VirtualReceiver &r) { return r.name == mouse.receiver; });
        if (!mouse.receiver.isEmpty() && !known) {
            *error = QStringLiteral("[%1] Receiver names no receiver of the file").arg(mouse.name);
            return false;
        }
    }
    if (noDevice == NoDevice::Refused && read.receivers.isEmpty() && read.mice.isEmpty() &&
        read.screens.isEmpty()) {
        *error = QStringLiteral("no device in the file");
        return false;
    }
    *set = read;
    return true;
}

namespace {
void ensureBuiltInRegistered()
{
    static const bool registered = (registerBuiltInSet(), true);
    Q_UNUSED(registered);
}
} // namespace

DeviceSet DeviceSetFile::builtIn()
{
    ensureBuiltInRegistered();
    DeviceSet set;
    QString error;
    // The built-in file is part of the library and is checked by its tests.
    read(QLatin1String(BuiltInFile), &set, &error);
    return set;
}

DeviceSet DeviceSetFile::fromEnvironment()
{
    const QString file = qEnvironmentVariable(EnvironmentVariable);
    if (file.isEmpty())
        return builtIn();
    DeviceSet set;
    QString error;
    if (!read(file, &set, &error)) {
        complain(file, error);
        return builtIn();
    }
    return set;
}

QByteArray DeviceSetFile::builtInText()
{
    ensureBuiltInRegistered();
    QFile file{QLatin1String(BuiltInFile)};
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString DeviceSetFile::fileToFollow()
{
    const QString named = qEnvironmentVariable(EnvironmentVariable);
    if (!named.isEmpty())
        return named;
    // Written anew at every start: the built-in set is what a start without the variable gets,
    // whatever was made of this file in an earlier run.
    const QString folder = DeviceStore::folder();
    const QString file = QDir(folder).filePath(QStringLiteral("devices.ini"));
    QString error;
    if (!QDir().mkpath(folder))
        error = QStringLiteral("cannot make the folder");
    else if (WholeFile::write(file, builtInText(), &error))
        return file;
    std::fprintf(stderr,
                 "%s: the built-in set of simulated devices cannot be written (%s): its devices "
                 "cannot be changed while the program runs.\n",
                 qPrintable(QDir::toNativeSeparators(file)), qPrintable(error));
    return QString();
}
