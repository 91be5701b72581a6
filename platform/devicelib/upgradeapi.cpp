// The firmware upgrade operations of the device library over the simulated bus.
#include "platform/devicelib/devicelib.h"

#include "platform/devicelib/calllog.h"
#include "platform/devicelib/simulatedbus.h"

#include <array>

namespace {

QByteArray imageBytes(const unsigned char *image, int imageLength)
{
    if (!image || imageLength <= 0)
        return QByteArray();
    return QByteArray(reinterpret_cast<const char *>(image), imageLength);
}

} // namespace

bool UsbUpgradeC_FindBootDevices(const unsigned char *image, int imageLength, int *count)
{
    CallLog::record(QStringLiteral("UsbUpgradeC_FindBootDevices"), QString::number(imageLength));
    const QByteArray bytes = imageBytes(image, imageLength);
    const int found = SimulatedBus::instance().countBootDevices(bytes);
    if (count)
        *count = found;
    return bytes.size() >= int(FirmwareHeader::Size);
}

bool UsbUpgrade_Start(const unsigned char *image, int imageLength, UsbUpgradeCallback callback,
                      int timeoutMs)
{
    CallLog::record(QStringLiteral("UsbUpgrade_Start"),
                    QStringLiteral("%1 bytes, %2 ms").arg(imageLength).arg(timeoutMs));
    return SimulatedBus::instance().startUpgrade(imageBytes(image, imageLength), callback);
}

const char *const *UsbUpgradeC_GetLogs()
{
    CallLog::record(QStringLiteral("UsbUpgradeC_GetLogs"));
    // A copy per thread: a later upgrade on another thread cannot change the texts under a
    // caller that is still reading them.
    thread_local QVector<QByteArray> lines;
    thread_local std::array<const char *, UpgradeLogLines + 1> pointers{};
    lines = SimulatedBus::instance().upgradeLog();
    for (int i = 0; i < UpgradeLogLines; ++i)
        pointers[std::size_t(i)] = lines.at(i).constData();
    pointers[UpgradeLogLines] = nullptr;
    return pointers.data();
}
