#pragma once

#include "core/deviceallinfo.h"

#include <QString>

// What the current device's model offers of the receiver's own settings. Config.ini keeps it in
// the model group's Adveanced list: item 0 is "-1" when the model has no long-range mode, item 1
// is "-1" when its receiver has no LED mode to choose; any other value means the feature is there.
namespace ModelFeatures {

// Item `index` of the list of `device`'s model, trimmed; "-1" when the list has no such item or
// it is empty, so a short or missing list offers nothing.
QString AdvancedItem(const DeviceAllInfo &device, int index);
bool HasLongRange(const DeviceAllInfo &device);
bool HasReceiverLed(const DeviceAllInfo &device);

// Whether a receiver LED report concerns `device`: its model has the LED, and it is a receiver of
// kind 1 (the one kind with the LED), not the mouse on its cable.
bool ReceiverLedApplies(const DeviceAllInfo &device);

} // namespace ModelFeatures
