#include "core/batteryoptimize.h"

#include "core/devicestate.h"
#include "platform/devicelib/devicelib.h"

namespace {

DeviceState &state()
{
    return *DeviceState::instance();
}

} // namespace

void BatteryOptimize::SwitchOffForReset()
{
    state().BatteryOptimizeOwedBy.set(state().DevicePath.get());
    UsbServer_SetBatteryOptimizeEnable(0);
}

bool BatteryOptimize::SwitchOn()
{
    // The path is read before the call: a selection changed meanwhile keeps its own debt.
    const QByteArray path = state().DevicePath.get();
    if (!UsbServer_SetBatteryOptimizeEnable(1))
        return false;
    state().BatteryOptimizeOwedBy.with([&](QByteArray &owed) {
        if (owed == path)
            owed.clear();
    });
    return true;
}

bool BatteryOptimize::RestoreIfOwed()
{
    const QByteArray owed = state().BatteryOptimizeOwedBy.get();
    if (owed.isEmpty() || owed != state().DevicePath.get())
        return true;
    return SwitchOn();
}
