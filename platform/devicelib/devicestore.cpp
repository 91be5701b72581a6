#include "platform/devicelib/devicestore.h"

#include "platform/appinfo.h"
#include "platform/devicelib/configurationimage.h"
#include "platform/inifile.h"
#include "platform/wholefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <QSet>

#include <cstdio>
#include <initializer_list>
#include <limits>

namespace {

// Never destroyed: a library thread may store a device's state while the process exits.
struct FolderOverride
{
    QMutex mutex;
    QString folder;
};

FolderOverride &folderOverride()
{
    static FolderOverride *instance = new FolderOverride;
    return *instance;
}

QString filePath(const char *kind, const QString &name)
{
    return QDir(DeviceStore::folder())
        .filePath(QLatin1String(kind) + QLatin1Char('-') + name + QStringLiteral(".ini"));
}

QByteArray hex(uint value)
{
    return "0x" + QByteArray::number(value, 16).rightJustified(4, '0').toUpper();
}

// The files that could not be written since they were last written, each told once on standard
// error: a device is sent the same kind of write again and again. Never destroyed: the store
// thread may write while the process exits.
struct Unwritable
{
    QMutex mutex;
    QSet<QString> paths;
};

Unwritable &unwritable()
{
    static Unwritable *instance = new Unwritable;
    return *instance;
}

// Nothing of the program sees this library's files: without this line a user would not know why
// a device forgets what it was sent.
void tellUnwritable(const QString &path, bool written, const QString &error)
{
    QMutexLocker lock(&unwritable().mutex);
    if (written) {
        unwritable().paths.remove(path);
        return;
    }
    if (unwritable().paths.contains(path))
        return;
    unwritable().paths.insert(path);
    std::fprintf(stderr,
                 "%s: the simulated device cannot store its state (%s): it takes no write of the "
                 "program until it can\n",
                 qPrintable(QDir::toNativeSeparators(path)), qPrintable(error));
}

// What this process last wrote to each state file: a save that would write the bytes the file
// holds is not made (the device page sends back every record it reads, and each read would
// otherwise write the file anew). The file is read to see that it still holds them: someone else
// may have changed or removed it. Held across the write, so that what is noted is what the file
// holds. Never destroyed: the store thread may write while the process exits.
struct Store
{
    QMutex mutex;
    QHash<QString, QByteArray> written;
    QSet<QString> unsynced; // saved with Sync::Later, not yet on the disk
};

Store &store()
{
    static Store *instance = new Store;
    return *instance;
}

bool holds(const QString &path, const QByteArray &text)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.size() == text.size() && file.readAll() == text;
}

struct Key
{
    const char *name;
    QByteArray value;
};

// The few keys are written as INI text by hand (plain numbers, hex and Base64, nothing to escape),
// in one piece: a mouse's file is about 9 KiB, written anew for every change the program sends,
// and each piece joined on the way was another buffer of that size to allocate and fill.
QByteArray iniText(const char *group, std::initializer_list<Key> keys)
{
    int size = int(qstrlen(group)) + 3;
    for (const Key &key : keys)
        size += int(qstrlen(key.name)) + key.value.size() + 2;
    QByteArray text;
    text.reserve(size);
    text.append('[').append(group).append("]\n");
    for (const Key &key : keys)
        text.append(key.name).append('=').append(key.value).append('\n');
    return text;
}

// Written as a whole file: a crash or a full disk while writing leaves the previous file whole.
bool writeAtomically(const QString &path, const QByteArray &text, DeviceStore::Sync sync)
{
    QMutexLocker lock(&store().mutex);
    if (store().written.value(path) == text && holds(path, text))
        return true;
    QString error;
    // The folder is made only when the file cannot be: it exists for every write but the first.
    const auto writeFile = [&] {
        return sync == DeviceStore::Sync::Now ? WholeFile::write(path, text, &error)
                                              : WholeFile::writeUnsynced(path, text, &error);
    };
    bool written = writeFile();
    const QString folder = QFileInfo(path).absolutePath();
    if (!written && !QFileInfo::exists(folder)) {
        if (QDir().mkpath(folder))
            written = writeFile();
        else
            error = QStringLiteral("cannot make the folder");
    }
    if (written)
        store().written.insert(path, text);
    else
        store().written.remove(path);
    if (written && sync == DeviceStore::Sync::Later)
        store().unsynced.insert(path);
    lock.unlock();
    tellUnwritable(path, written, error);
    return written;
}

uint number(const IniFile &file, const QString &key, bool *ok)
{
    return file.value(key).toString().toUInt(ok, 0);
}

// Boot mode and the upgrade count, from files written before they were stored too: missing keys
// leave what the device set gave.
void loadUpgrade(const IniFile &file, const QString &group, UpgradeState *upgrade)
{
    bool ok = false;
    const uint bootMode = number(file, group + QStringLiteral("/BootMode"), &ok);
    if (ok && bootMode <= 1)
        upgrade->bootMode = bootMode == 1;
    const uint upgrades = number(file, group + QStringLiteral("/Upgrades"), &ok);
    if (ok && upgrades <= uint(std::numeric_limits<int>::max()))
        upgrade->upgrades = int(upgrades);
}

} // namespace

QString DeviceStore::folder()
{
    {
        QMutexLocker lock(&folderOverride().mutex);
        if (!folderOverride().folder.isEmpty())
            return folderOverride().folder;
    }
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty())
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QLatin1Char('/') + QLatin1String(ApplicationName) +
           QStringLiteral("/simulation");
}

void DeviceStore::setFolder(const QString &folder)
{
    QMutexLocker lock(&folderOverride().mutex);
    folderOverride().folder = folder;
}

bool DeviceStore::save(const VirtualMouse &mouse, Sync sync, const QByteArray &image)
{
    const QByteArray packed =
        image.isEmpty() ? ConfigurationImage::encode(
                              reinterpret_cast<const unsigned char *>(mouse.record.constData()))
                        : image;
    return writeAtomically(
        filePath("mouse", mouse.name),
        iniText("Mouse", {{"Cid", QByteArray::number(mouse.cid)},
                          {"Mid", QByteArray::number(mouse.mid)},
                          {"Version", hex(mouse.version)},
                          {"Profile", QByteArray::number(mouse.profile)},
                          {"Receiver", mouse.receiver.toUtf8()},
                          {"BootMode", QByteArray::number(mouse.upgrade.bootMode ? 1 : 0)},
                          {"Upgrades", QByteArray::number(mouse.upgrade.upgrades)},
                          {"Image", packed.toBase64()}}),
        sync);
}

bool DeviceStore::load(VirtualMouse &mouse)
{
    const QString path = filePath("mouse", mouse.name);
    if (!QFileInfo::exists(path))
        return false;
    const IniFile file(path);
    bool ok = true;
    if (number(file, QStringLiteral("Mouse/Cid"), &ok) != mouse.cid || !ok ||
        number(file, QStringLiteral("Mouse/Mid"), &ok) != mouse.mid || !ok)
        return false;
    const QByteArray image =
        QByteArray::fromBase64(file.value(QStringLiteral("Mouse/Image")).toString().toLatin1());
    QByteArray record(ConfigurationImage::RecordSize, '\0');
    if (image.size() != ConfigurationImage::ImageSize ||
        !ConfigurationImage::decode(reinterpret_cast<const unsigned char *>(image.constData()),
                                    reinterpret_cast<unsigned char *>(record.data())))
        return false;
    mouse.record = record;
    const uint version = number(file, QStringLiteral("Mouse/Version"), &ok);
    if (ok && version <= 0xFFFF)
        mouse.version = version;
    const uint profile = number(file, QStringLiteral("Mouse/Profile"), &ok);
    if (ok && profile <= 0xFF)
        mouse.profile = profile;
    if (file.contains(QStringLiteral("Mouse/Receiver")))
        mouse.receiver = file.value(QStringLiteral("Mouse/Receiver")).toString();
    loadUpgrade(file, QStringLiteral("Mouse"), &mouse.upgrade);
    return true;
}

bool DeviceStore::save(const VirtualReceiver &receiver, Sync sync)
{
    return writeAtomically(
        filePath("receiver", receiver.name),
        iniText("Receiver", {{"Kind", QByteArray::number(receiver.kind)},
                             {"Version", hex(receiver.version)},
                             {"ReceiverId", QByteArray::number(receiver.id[0]) + ", " +
                                                QByteArray::number(receiver.id[1]) + ", " +
                                                QByteArray::number(receiver.id[2])},
                             {"DongleRgb", receiver.dongleRgb.toHex()},
                             {"LongRange", QByteArray::number(receiver.longRange)},
                             {"BootMode", QByteArray::number(receiver.upgrade.bootMode ? 1 : 0)},
                             {"Upgrades", QByteArray::number(receiver.upgrade.upgrades)}}),
        sync);
}

bool DeviceStore::load(VirtualReceiver &receiver)
{
    const QString path = filePath("receiver", receiver.name);
    if (!QFileInfo::exists(path))
        return false;
    const IniFile file(path);
    bool ok = true;
    if (number(file, QStringLiteral("Receiver/Kind"), &ok) != receiver.kind || !ok)
        return false;
    const uint version = number(file, QStringLiteral("Receiver/Version"), &ok);
    if (ok && version <= 0xFFFF)
        receiver.version = version;
    const QStringList id = file.value(QStringLiteral("Receiver/ReceiverId")).toStringList();
    if (id.size() == 3) {
        for (int i = 0; i < 3; ++i) {
            const uint byte = id.at(i).trimmed().toUInt(&ok, 0);
            if (ok && byte <= 0xFF)
                receiver.id[i] = byte;
        }
    }
    const QByteArray rgb =
        QByteArray::fromHex(file.value(QStringLiteral("Receiver/DongleRgb")).toString().toLatin1());
    if (rgb.size() == receiver.dongleRgb.size())
        receiver.dongleRgb = rgb;
    const uint longRange = number(file, QStringLiteral("Receiver/LongRange"), &ok);
    if (ok && longRange <= 1)
        receiver.longRange = longRange;
    loadUpgrade(file, QStringLiteral("Receiver"), &receiver.upgrade);
    return true;
}

bool DeviceStore::save(const VirtualScreen &screen)
{
    const ScreenClock::Reading &c = screen.clock;
    const QString clock = screen.clockSet ? QStringLiteral("%1, %2, %3, %4, %5, %6, %7")
                                                .arg(c.Year)
                                                .arg(c.Month)
                                                .arg(c.Day)
                                                .arg(c.Hour)
                                                .arg(c.Minute)
                                                .arg(c.Second)
                                                .arg(c.Weekday)
                                          : QString();
    return writeAtomically(filePath("screen", screen.name),
                           iniText("Screen", {{"PID", QString::fromLatin1(screen.pid).toUtf8()},
                                              {"Clock", clock.toUtf8()}}),
                           Sync::Now);
}

void DeviceStore::syncSaved()
{
    QSet<QString> paths;
    {
        QMutexLocker lock(&store().mutex);
        paths.swap(store().unsynced);
    }
    // A file that cannot be synced is as a device whose flash wore out after it took a write:
    // nothing of the program can mend it, and standard error says so. A file removed meanwhile
    // (its folder deleted) has nothing left to keep.
    for (const QString &path : qAsConst(paths)) {
        QString error;
        if (!WholeFile::sync(path, &error) && QFileInfo::exists(path))
            std::fprintf(stderr,
                         "%s: the simulated device's state may not survive a power cut (%s)\n",
                         qPrintable(QDir::toNativeSeparators(path)), qPrintable(error));
    }
}

bool DeviceStore::load(VirtualScreen &screen)
{
    const QString path = filePath("screen", screen.name);
    if (!QFileInfo::exists(path))
        return false;
    const IniFile file(path);
    if (file.value(QStringLiteral("Screen/PID")).toString().toLatin1() != screen.pid)
        return false;
    const QStringList parts = file.value(QStringLiteral("Screen/Clock")).toStringList();
    int values[7] = {};
    bool ok = parts.size() == 7;
    for (int i = 0; ok && i < 7; ++i)
        values[i] = parts.at(i).trimmed().toInt(&ok);
    // Only a clock the screen could have taken comes back.
    ScreenClock::Reading clock{values[0], values[1], values[2], values[3],
                               values[4], values[5], values[6]};
    screen.clockSet = ok && ScreenClock::IsReal(clock);
    if (screen.clockSet)
        screen.clock = clock;
    return true;
}
