#include "settings/screenclock.h"

#include "core/devicediscovery.h"
#include "platform/devicelib/devicelib.h"

#include <QMutex>
#include <QMutexLocker>

namespace {

// The screens' collection; the screen takes no vendor text (nothing ever gave the search one).
constexpr int ScreenCollection = 8;

struct Paths
{
    QMutex mutex;
    QStringList paths;
};

// Never destroyed: the hot-plug callback may run while the process exits.
Paths &screenPaths()
{
    static Paths *paths = new Paths;
    return *paths;
}

std::function<QDateTime()> &clockOverride()
{
    static std::function<QDateTime()> clock;
    return clock;
}

} // namespace

void ScreenClockSender::setClockForTest(const std::function<QDateTime()> &clock)
{
    clockOverride() = clock;
}

ScreenClock::Reading ScreenClockSender::ReadClock()
{
    const QDateTime now = clockOverride() ? clockOverride()() : QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    return {date.year(),   date.month(),  date.day(),      time.hour(),
            time.minute(), time.second(), date.dayOfWeek()};
}

QStringList ScreenClockSender::ScreenDevicePaths()
{
    QMutexLocker lock(&screenPaths().mutex);
    return screenPaths().paths;
}

bool ScreenClockSender::SendScreenData(ScreenClock::Packet packet)
{
    packet[ScreenClock::ChecksumIndex] = ScreenClock::CheckSum(packet.data());
    for (int i = 0; i < ScreenClock::MaxExchanges; ++i) {
        ScreenClock::Packet reply{};
        // Only the reply counts: the call's own result says nothing the reply does not.
        UsbFinderC_ReadWriteDeviceData(packet.data(), reply.data(), int(packet.size()));
        if (ScreenClock::ReplyPasses(packet, reply.data(), reply.size()))
            return true;
    }
    return false;
}

bool ScreenClockSender::SendClockToScreen()
{
    const QStringList paths = ScreenDevicePaths();
    if (paths.isEmpty() || !UsbFinderC_OpenDevice(paths.first().toLatin1().constData()))
        return false;
    return SendScreenData(ScreenClock::BuildPacket(ReadClock()));
}

int FindScreenDevice()
{
    const QStringList productIds = DeviceLists::instance()->AllPidList.get();
    QStringList found;
    for (const QString &productId : productIds) {
        int count = 0;
        const char *const *paths = UsbFinderC_FindHidDevicesByDeviceId(
            "", productId.toLatin1().constData(), 1, ScreenCollection, &count);
        for (int i = 0; paths != nullptr && i < count; ++i)
            found << QString::fromLatin1(paths[i]);
    }
    QMutexLocker lock(&screenPaths().mutex);
    screenPaths().paths = found;
    return found.size();
}

void ScreenUsbChanged()
{
    FindScreenDevice();
}
