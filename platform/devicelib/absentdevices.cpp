// Operations of devices the simulated bus does not carry yet: devices in boot mode for a firmware
// upgrade, and the screen device. Each answers as the hardware library does when no such
// device is there.
#include "platform/devicelib/devicelib.h"

#include "platform/devicelib/calllog.h"

bool UsbFinderC_SetDongleIDToMouse(const char *mousePath, const unsigned char *receiverId)
{
    Q_UNUSED(receiverId);
    CallLog::record(QStringLiteral("UsbFinderC_SetDongleIDToMouse"), QLatin1String(mousePath));
    return false;
}

bool UsbFinderC_OpenDevice(const char *path)
{
    CallLog::record(QStringLiteral("UsbFinderC_OpenDevice"), QLatin1String(path));
    return false;
}

bool UsbFinderC_ReadWriteDeviceData(const unsigned char *packet, unsigned char *reply, int length)
{
    Q_UNUSED(packet);
    Q_UNUSED(reply);
    CallLog::record(QStringLiteral("UsbFinderC_ReadWriteDeviceData"), QString::number(length));
    return false;
}

bool UsbUpgradeC_FindBootDevices(const unsigned char *image, int imageLength, int *count)
{
    Q_UNUSED(image);
    CallLog::record(QStringLiteral("UsbUpgradeC_FindBootDevices"), QString::number(imageLength));
    if (count)
        *count = 0;
    return false;
}

bool UsbUpgrade_Start(const unsigned char *image, int imageLength, UsbUpgradeCallback callback,
                      int timeoutMs)
{
    Q_UNUSED(image);
    Q_UNUSED(callback);
    CallLog::record(QStringLiteral("UsbUpgrade_Start"),
                    QStringLiteral("%1 bytes, %2 ms").arg(imageLength).arg(timeoutMs));
    return false;
}

const char *const *UsbUpgradeC_GetLogs()
{
    CallLog::record(QStringLiteral("UsbUpgradeC_GetLogs"));
    // No upgrade has failed: eight empty lines, valid for good.
    static const char *const lines[UpgradeLogLines + 1] = {"", "", "", "", "", "", "", "", nullptr};
    return lines;
}
