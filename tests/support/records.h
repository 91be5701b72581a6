#pragma once

#include "core/record/flashdatamap.h"

#include <QByteArray>
#include <QString>

// The record's 10428 bytes as one array: two records compare equal exactly when their bytes do,
// and a failed comparison shows where they differ.
QByteArray recordBytes(const FlashDataMap &record);

// A record the pages can show whole (every field within core/recordlimits.h), `stages` DPI
// stages in use and the last one current. The bytes that take any value (DPI codes and colours,
// light colours, reserved bytes, macro names, key codes and delays) and the event counts differ
// with `seed`, so that a byte moved or lost shows.
FlashDataMap plausibleRecord(std::uint8_t seed, int stages = 4);

// What the simulated mouse `mouse` holds now, as a record; all zero for a mouse the loaded device
// set does not have.
FlashDataMap mouseRecord(const QString &mouse);
