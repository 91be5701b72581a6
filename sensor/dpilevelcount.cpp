#include "sensor/dpilevelcount.h"

#include "core/devicestate.h"
#include "core/devicewrite.h"
#include "sensor/writeguards.h"

bool ChangeDpiLevelCount(int n, int current, const std::function<void()> &exchange,
                         const std::function<void()> &showLevels)
{
    const bool write = WriteGuards::WritesEnabled();
    // A count the mouse cannot take is not shown either: the editor keeps showing what it holds.
    if (write && !CheckDeviceOnline())
        return false;
    bool taken = true;
    if (n < current && current < int(FlashDataMap::DpiStageSlots)) {
        // The stages as they were: checking level n writes only which stage is current.
        const FlashDataMap record = DeviceState::instance()->CurrentFlashData.get();
        exchange();
        // Checking level n wrote it as the current stage; a refused write stored nothing.
        taken = !write || DeviceState::instance()->CurrentFlashData.get().CurrentDpiStage == n;
        if (taken && write)
            taken =
                WriteDpiStageOrder(&record.DpiStages[n], &record.DpiStages[current], n, current, n);
    }
    showLevels();
    if (write && taken)
        WriteDpiStageCount(n + 1);
    return true;
}
