#include "core/deviceserver.h"

#include "core/deviceeventcallback.h"
#include "core/devicestate.h"
#include "core/hotplug.h"
#include "platform/devicelib/devicelib.h"

namespace {
// The hot-plug polling period the device library is always given.
constexpr int HotPlugIntervalMs = 600;
} // namespace

void restartDeviceServer()
{
    DeviceState &state = *DeviceState::instance();
    if (state.OnDevicePage.load() != 1) {
        StartUsbChanged(HomeUsbChanged, HotPlugIntervalMs);
        return;
    }
    StartUsbChanged(DeviceUsbChanged, HotPlugIntervalMs);
    const QByteArray path = state.DevicePath.get();
    UsbServerC_Start(path.constData(), path.constData(), DeviceEventCallback);
}
