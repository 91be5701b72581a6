#include "core/deviceserver.h"

#include "core/devicelink.h"
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
    // The receiver may hold another mouse now: what was read before no longer counts, and the
    // mouse behind it is read again before anything is written to it.
    DeviceLink::PageLeft();
    if (DeviceLink::StartServerForSelection())
        DeviceLink::RequestFullRead();
}
