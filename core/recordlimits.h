#pragma once

#include "core/record/flashdatamap.h"

// What the program's pages can set and show in a configuration record. A record from outside
// (a settings file) that holds anything else is damaged: sent to the mouse, it would leave the
// mouse with values the pages cannot show, and the pages showing something it does not hold.
// Reserved bytes, light colours and DPI register codes take any value.
namespace RecordLimits {

// Every field the pages interpret holds one of their values: report rate, the current DPI stage
// within the stages in use (1..8 of them), lift-off distance, debounce and sleep time, the
// switches, the lights, every button's function with at least one button left as the left
// click, and the key records and macros within their sizes with events of known kinds.
bool WithinPages(const FlashDataMap &record);

} // namespace RecordLimits
