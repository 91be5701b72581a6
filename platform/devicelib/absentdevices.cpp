// Operations of devices the simulated bus does not carry yet: the screen device, and the pairing of
// a mouse on its cable. Each answers as the hardware library does when no such device is there.
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
