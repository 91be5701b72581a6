// The finder and hot-plug operations of the device library over the simulated bus.
#include "platform/devicelib/devicelib.h"

#include "platform/devicelib/calllog.h"
#include "platform/devicelib/pathtable.h"
#include "platform/devicelib/screenbus.h"
#include "platform/devicelib/simulatedbus.h"

#include <cstring>

namespace {

QByteArray text(const char *path)
{
    return path ? QByteArray(path) : QByteArray();
}

SimulatedBus &bus()
{
    return SimulatedBus::instance();
}

// Every synchronous operation is one transfer to the device and back.
SimulatedBus &busAfterTransfer(const char *operation, const QString &arguments)
{
    CallLog::record(QLatin1String(operation), arguments);
    SimulatedBus &b = bus();
    b.transfer();
    return b;
}

const char *const *enumerate(const char *operation, const char *vid, const char *pid, int *count)
{
    SimulatedBus &b = busAfterTransfer(
        operation, QStringLiteral("%1 %2").arg(QLatin1String(vid), QLatin1String(pid)));
    const QVector<QByteArray> found = b.find(text(vid), text(pid));
    QVector<const char *> paths;
    for (const QByteArray &path : found)
        paths << PathTable::text(path);
    if (count)
        *count = paths.size();
    return PathTable::array(paths);
}

constexpr int ScreenCollection = 8;

const char *const *enumerateScreens(const char *vid, const char *pid, int *count)
{
    busAfterTransfer("UsbFinderC_FindHidDevicesByDeviceId",
                     QStringLiteral("%1 %2 screen").arg(QLatin1String(vid), QLatin1String(pid)));
    QVector<const char *> paths;
    for (const QByteArray &path : ScreenBus::instance().find(text(vid), text(pid)))
        paths << PathTable::text(path);
    if (count)
        *count = paths.size();
    return PathTable::array(paths);
}

} // namespace

const char *const *UsbFinderC_FindHidDevicesByDefaultDeviceId(const char *vid, const char *pid,
                                                              int *count)
{
    return enumerate("UsbFinderC_FindHidDevicesByDefaultDeviceId", vid, pid, count);
}

const char *const *UsbFinderC_FindHidDevicesByDeviceId(const char *vid, const char *pid,
                                                       int interfaceId, int deviceId, int *count)
{
    Q_UNUSED(interfaceId);
    // Collection 8 is the picture screens' and holds nothing else; the others hold no screen.
    if (deviceId == ScreenCollection)
        return enumerateScreens(vid, pid, count);
    return enumerate("UsbFinderC_FindHidDevicesByDeviceId", vid, pid, count);
}

UsbDeviceInfo UsbFinderC_GetDeviceInfo(const char *path)
{
    return busAfterTransfer("UsbFinderC_GetDeviceInfo", QLatin1String(path)).deviceInfo(text(path));
}

bool UsbFinderC_GetUsbDeviceAttribute(const char *path, unsigned char *attribute)
{
    quint16 version = 0;
    if (!attribute || !busAfterTransfer("UsbFinderC_GetUsbDeviceAttribute", QLatin1String(path))
                           .usbVersion(text(path), &version))
        return false;
    attribute[8] = version & 0xFF;
    attribute[9] = version >> 8;
    return true;
}

bool UsbFinderC_GetDeviceOnLine(const char *path)
{
    return busAfterTransfer("UsbFinderC_GetDeviceOnLine", QLatin1String(path)).online(text(path));
}

bool UsbFinderC_GetDeviceOnLineWithUsbAddress(const char *path, unsigned char *onlineStatus)
{
    return onlineStatus &&
           busAfterTransfer("UsbFinderC_GetDeviceOnLineWithUsbAddress", QLatin1String(path))
               .onlineStatus(text(path), onlineStatus);
}

int UsbFinderC_GetVersion(const char *path)
{
    return busAfterTransfer("UsbFinderC_GetVersion", QLatin1String(path)).mouseVersion(text(path));
}

bool UsbFinderC_GetSlaveVersion(const char *receiverPath, int *version)
{
    return version && busAfterTransfer("UsbFinderC_GetSlaveVersion", QLatin1String(receiverPath))
                          .receiverVersion(text(receiverPath), version);
}

bool UsbFinderC_Get4KDongleRGBValue(const char *path, unsigned char *dongleRgb)
{
    return dongleRgb && busAfterTransfer("UsbFinderC_Get4KDongleRGBValue", QLatin1String(path))
                            .dongleRgb(text(path), dongleRgb);
}

bool UsbFinderC_Set4KDongleRGB(const char *path, const unsigned char *dongleRgb)
{
    return dongleRgb &&
           busAfterTransfer("UsbFinderC_Set4KDongleRGB",
                            QStringLiteral("%1 mode %2").arg(QLatin1String(path)).arg(dongleRgb[0]))
               .setDongleRgb(text(path), dongleRgb);
}

bool UsbFinderC_GetLongRangeMode(const char *path, unsigned char *mode)
{
    return mode && busAfterTransfer("UsbFinderC_GetLongRangeMode", QLatin1String(path))
                       .longRange(text(path), mode);
}

bool UsbFinderC_SetLongRangeMode(const char *path, unsigned char mode)
{
    return busAfterTransfer("UsbFinderC_SetLongRangeMode",
                            QStringLiteral("%1 %2").arg(QLatin1String(path)).arg(mode))
        .setLongRange(text(path), mode);
}

void StartUsbChanged(UsbChangedCallback callback, int intervalMs)
{
    CallLog::record(QStringLiteral("StartUsbChanged"), QString::number(intervalMs));
    if (callback)
        bus().startHotPlug(callback);
    else
        bus().stopHotPlug();
}

void StopUsbChanged()
{
    CallLog::record(QStringLiteral("StopUsbChanged"));
    bus().stopHotPlug();
}
