#include "tests/linksupport/linkbench.h"

#include "core/devicediscovery.h"
#include "core/devicelink.h"
#include "core/devicestate.h"
#include "tests/support/librarycallbacks.h"

void resetDeviceSide()
{
    waitForLibraryCallbacks();
    DeviceState::ResetForTest();
    DeviceLists::ResetForTest();
}

LinkBench::LinkBench(const QByteArray &deviceSet) : DeviceSetBench(deviceSet)
{
    setServerStop(DeviceLink::StopServer);
    resetDeviceSide();
}
