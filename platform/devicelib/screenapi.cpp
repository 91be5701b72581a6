// The screen device's operations of the device library over the simulated screens.
#include "platform/devicelib/calllog.h"
#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/screenbus.h"
#include "platform/devicelib/simulatedbus.h"

bool UsbFinderC_OpenDevice(const char *path)
{
    CallLog::record(QStringLiteral("UsbFinderC_OpenDevice"), QLatin1String(path));
    SimulatedBus::instance().transfer();
    return path != nullptr && ScreenBus::instance().open(QByteArray(path));
}

bool UsbFinderC_ReadWriteDeviceData(const unsigned char *packet, unsigned char *reply, int length)
{
    CallLog::record(QStringLiteral("UsbFinderC_ReadWriteDeviceData"), QString::number(length));
    SimulatedBus::instance().transfer();
    return ScreenBus::instance().exchange(packet, reply, length);
}
