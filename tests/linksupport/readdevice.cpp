#include "tests/linksupport/readdevice.h"

#include "core/devicelink.h"
#include "core/devicestate.h"
#include "tests/support/librarycallbacks.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

bool SelectAndReadDevice(const DeviceAllInfo &device, int timeoutMs)
{
    DeviceState::instance()->Selection.select(device);
    if (!DeviceLink::StartServerForSelection() || !DeviceLink::RequestFullRead())
        return false;
    QDeadlineTimer deadline(timeoutMs);
    while (!DeviceLink::RecordIsRead() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return DeviceLink::RecordIsRead() && waitForLibraryCallbacks(int(deadline.remainingTime()));
}
