#include "sensor/dpilevelcount.h"

#include "core/devicestate.h"
#include "core/devicewrite.h"
#include "sensor/writeguards.h"

void ChangeDpiLevelCount(int n, int current, bool *writesHeld,
                         const std::function<void()> &exchange,
                         const std::function<void()> &showLevels)
{
    const bool write = WriteGuards::WritesEnabled();
    const bool online = !write || CheckDeviceOnline();
    *writesHeld = !online;
    if (n < current && current < int(FlashDataMap::DpiStageSlots)) {
        // The stages as they were: checking level n writes only which stage is current.
        const FlashDataMap record = DeviceState::instance()->CurrentFlashData.get();
        exchange();
        if (write && online)
            WriteDpiStageOrder(&record.DpiStages[n], &record.DpiStages[current], n, current, n);
    }
    showLevels();
    if (write && online)
        WriteDpiStageCount(n + 1);
    *writesHeld = false;
}
