// A simulated device set file and the state a device stored, through the readers that take them
// from disk: DeviceSetFile::read and DeviceStore::load. An input is the set file, a NUL byte, the
// state of a mouse, a NUL byte and the state of a receiver; every device of the set is loaded from
// the state of its kind.
//
// Beyond the sanitizers it checks the readers' promises: a set that is refused leaves the caller's
// set as it was and says why; a device whose state is refused keeps what the set gave it; state
// that is taken stays within what a device can hold.
#include "fuzz/fuzzsupport.h"
#include "platform/appdir.h"
#include "platform/devicelib/configurationimage.h"
#include "platform/devicelib/deviceset.h"
#include "platform/devicelib/devicestore.h"

#include <QDir>

#include <cstdlib>

namespace {

QString folder()
{
    return UserDir::filePath(QStringLiteral("deviceset"));
}

QList<QByteArray> partsOf(const std::uint8_t *data, std::size_t size)
{
    QList<QByteArray> parts =
        QByteArray(reinterpret_cast<const char *>(data), int(size)).split('\0');
    while (parts.size() < 3)
        parts.append(QByteArray());
    return parts;
}

void write(const QString &name, const QByteArray &bytes)
{
    Fuzz::writeInput(QDir(folder()).filePath(name),
                     reinterpret_cast<const std::uint8_t *>(bytes.constData()),
                     std::size_t(bytes.size()));
}

bool sameUpgrade(const UpgradeState &a, const UpgradeState &b)
{
    return a.bootMode == b.bootMode && a.failsAt == b.failsAt && a.upgrades == b.upgrades;
}

bool sameMouse(const VirtualMouse &a, const VirtualMouse &b)
{
    return a.name == b.name && a.cid == b.cid && a.mid == b.mid && a.receiver == b.receiver &&
           a.version == b.version && a.profile == b.profile && a.record == b.record &&
           a.pairing == b.pairing && sameUpgrade(a.upgrade, b.upgrade);
}

bool sameReceiver(const VirtualReceiver &a, const VirtualReceiver &b)
{
    return a.name == b.name && a.kind == b.kind && a.version == b.version &&
           sameUpgrade(a.upgrade, b.upgrade) && a.longRange == b.longRange &&
           a.dongleRgb == b.dongleRgb &&
           QByteArray(reinterpret_cast<const char *>(a.id), 3) ==
               QByteArray(reinterpret_cast<const char *>(b.id), 3);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::initialise(argc, argv);
    QDir().mkpath(folder());
    DeviceStore::setFolder(folder() + QStringLiteral("/state"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QList<QByteArray> parts = partsOf(data, size);
    write(QStringLiteral("set.ini"), parts.at(0));

    DeviceSet set;
    set.receivers.append(VirtualReceiver());
    set.receivers.first().name = QStringLiteral("untouched");
    QString error;
    if (!DeviceSetFile::read(QDir(folder()).filePath(QStringLiteral("set.ini")), &set, &error)) {
        if (error.isEmpty() || set.receivers.size() != 1 || !set.mice.isEmpty() ||
            !set.screens.isEmpty() || set.receivers.first().name != QLatin1String("untouched"))
            std::abort();
        return 0;
    }
    if (!error.isEmpty() ||
        (set.receivers.isEmpty() && set.mice.isEmpty() && set.screens.isEmpty()))
        std::abort();

    QDir().mkpath(DeviceStore::folder());
    // A screen takes its stored clock only when it is a moment that exists; the mouse's state
    // stands in for a screen's.
    for (VirtualScreen &screen : set.screens) {
        write(QStringLiteral("state/screen-%1.ini").arg(screen.name), parts.at(1));
        if (DeviceStore::load(screen) && screen.clockSet && !ScreenClock::IsReal(screen.clock))
            std::abort();
    }
    for (VirtualMouse &mouse : set.mice) {
        mouse.record = QByteArray(ConfigurationImage::RecordSize, '\x5A');
        write(QStringLiteral("state/mouse-%1.ini").arg(mouse.name), parts.at(1));
        const VirtualMouse before = mouse;
        if (!DeviceStore::load(mouse)) {
            if (!sameMouse(before, mouse))
                std::abort();
            continue;
        }
        // The failure percent belongs to the set; the store keeps only what the device did.
        if (mouse.record.size() != ConfigurationImage::RecordSize || mouse.cid != before.cid ||
            mouse.mid != before.mid || mouse.name != before.name ||
            mouse.upgrade.failsAt != before.upgrade.failsAt || mouse.upgrade.upgrades < 0)
            std::abort();
    }
    for (VirtualReceiver &receiver : set.receivers) {
        write(QStringLiteral("state/receiver-%1.ini").arg(receiver.name), parts.at(2));
        const VirtualReceiver before = receiver;
        if (!DeviceStore::load(receiver)) {
            if (!sameReceiver(before, receiver))
                std::abort();
            continue;
        }
        if (receiver.kind != before.kind || receiver.longRange > 1 ||
            receiver.dongleRgb.size() != before.dongleRgb.size() ||
            receiver.upgrade.failsAt != before.upgrade.failsAt || receiver.upgrade.upgrades < 0)
            std::abort();
    }
    return 0;
}
