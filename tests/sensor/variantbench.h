#pragma once

#include "core/record/flashdatamap.h"

class SensorDPIB;

// Hosting the panels' second layouts as a page would.
namespace VariantBench {

// Fills the one-row-per-level DPI editor from `record` as a host does in place of the sensor
// page's editor (SensorFilling set): count entries and colours for the model's levels, the
// sliders' range from the model's DPI ranges, each level's decoded value, the rows in use and the
// current level.
void fillDpiEditor(SensorDPIB *editor, const FlashDataMap &record);

} // namespace VariantBench
