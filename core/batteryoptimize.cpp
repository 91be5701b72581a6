#include "core/batteryoptimize.h"

#include "core/devicestate.h"
#include "platform/devicelib/devicelib.h"

namespace {} // namespace

void BatteryOptimize::SwitchOffForReset()
{
    State().BatteryOptimizeOwedBy.set(State().DevicePath.get());
    UsbServer_SetBatteryOptimizeEnable(0);
}

bool BatteryOptimize::SwitchOn()
{
    // The path is read before the call: a selection changed meanwhile keeps its own debt.
    const QByteArray path = State().DevicePath.get();
    if (!UsbServer_SetBatteryOptimizeEnable(1))
        return false;
    State().BatteryOptimizeOwedBy.with([&](QByteArray &owed) {
        if (owed == path)
            owed.clear();
    });
    return true;
}

bool BatteryOptimize::RestoreIfOwed()
{
    const QByteArray owed = State().BatteryOptimizeOwedBy.get();
    if (owed.isEmpty() || owed != State().DevicePath.get())
        return true;
    return SwitchOn();
}
