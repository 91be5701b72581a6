// The device server operations of the device library, and the whole-record coding.
#include "platform/devicelib/devicelib.h"

#include "platform/devicelib/calllog.h"
#include "platform/devicelib/configurationimage.h"
#include "platform/devicelib/simulatedbus.h"

static_assert(sizeof(FlashDataMap) == ConfigurationImage::RecordSize,
              "the device keeps the program's whole record");

namespace {

SimulatedBus &busFor(const char *operation, const QString &arguments = QString())
{
    CallLog::record(QLatin1String(operation), arguments);
    return SimulatedBus::instance();
}

bool request(const char *operation, SimulatedBus::Request request)
{
    return busFor(operation).request(request);
}

} // namespace

bool UsbServerC_Start(const char *path, const char *secondPath, UsbServerEventCallback callback)
{
    Q_UNUSED(secondPath);
    return busFor("UsbServerC_Start", QLatin1String(path))
        .startServer(path ? QByteArray(path) : QByteArray(), callback);
}

void UsbServer_Exit()
{
    busFor("UsbServer_Exit").exitServer();
}

bool UsbServer_SetPCDriverStatus(unsigned char attached)
{
    return busFor("UsbServer_SetPCDriverStatus", QString::number(attached))
        .setDriverStatus(attached);
}

bool UsbServer_ReadAllFlashData()
{
    return request("UsbServer_ReadAllFlashData", SimulatedBus::Request::ReadAllFlashData);
}

bool UsbServer_ReadBatteryLevel()
{
    return request("UsbServer_ReadBatteryLevel", SimulatedBus::Request::ReadBatteryLevel);
}

bool UsbServer_ReadConfig()
{
    return request("UsbServer_ReadConfig", SimulatedBus::Request::ReadConfig);
}

bool UsbServer_ReadVersion()
{
    return request("UsbServer_ReadVersion", SimulatedBus::Request::ReadVersion);
}

bool UsbServer_ReadCurrentDPI()
{
    return request("UsbServer_ReadCurrentDPI", SimulatedBus::Request::ReadCurrentDpi);
}

bool UsbServer_ReadReportRate()
{
    return request("UsbServer_ReadReportRate", SimulatedBus::Request::ReadReportRate);
}

bool UsbServer_ReadDPILed()
{
    return request("UsbServer_ReadDPILed", SimulatedBus::Request::ReadDpiLed);
}

bool UsbServer_ReadLedBar()
{
    return request("UsbServer_ReadLedBar", SimulatedBus::Request::ReadLedBar);
}

bool UsbServer_SetBatteryOptimizeEnable(unsigned char enable)
{
    return busFor("UsbServer_SetBatteryOptimizeEnable", QString::number(enable))
        .setBatteryOptimize(enable);
}

bool UsbServer_SetClearSetting()
{
    return busFor("UsbServer_SetClearSetting").clearSettings();
}

bool UsbServer_SetCurrentConfig(unsigned char profile)
{
    return busFor("UsbServer_SetCurrentConfig", QString::number(profile)).setCurrentConfig(profile);
}

bool UsbServer_EnterDonglePairOnlyCid(unsigned char cid)
{
    return busFor("UsbServer_EnterDonglePairOnlyCid", QString::number(cid)).enterPairing(cid);
}

bool UsbServer_ReadDonglePairStatus()
{
    return busFor("UsbServer_ReadDonglePairStatus").readPairStatus();
}

bool ProtocolDataUpdate(const FlashDataMap *record)
{
    if (!record)
        return false;
    return busFor("ProtocolDataUpdate").update(reinterpret_cast<const unsigned char *>(record));
}

bool ProtocolDataParser(const unsigned char *payload, FlashDataMap *record)
{
    if (!payload || !record)
        return false;
    return ConfigurationImage::decode(payload, record->bytes());
}
