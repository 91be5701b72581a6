// Operations of devices the simulated bus does not carry: the pairing of a mouse on its cable.
// Each answers as the hardware library does when no such device is there.
#include "platform/devicelib/devicelib.h"

#include "platform/devicelib/calllog.h"

bool UsbFinderC_SetDongleIDToMouse(const char *mousePath, const unsigned char *receiverId)
{
    Q_UNUSED(receiverId);
    CallLog::record(QStringLiteral("UsbFinderC_SetDongleIDToMouse"), QLatin1String(mousePath));
    return false;
}
