#pragma once

#include "sensor/model/sensormodel.h"

#include <QtGlobal>

// The mouse stores a DPI level not as a number but as the sensor's register code (CodeX, and
// CodeY equal to it) and a Flags byte:
// - 0x11 or 0x22 in Flags: the value above the first range, stored at half its size (0x33 at a
//   quarter); without a chip table 0x22 also makes one code step 100 DPI instead of 50;
// - for the chips "3395" and "3950" without a table, bits 8 and 9 of the code are kept twice in
//   Flags (bits 2-3 and 6-7; the decoder reads the second copy).
// A chip with a table in driver_sensor.h stores the table's code for the value (divided by the
// range factor); any other chip stores value / (50 * factor) - 1. Widget-free.

// What a DPI value becomes for a model. Valid is false when the value cannot be stored: the
// chip's table has no usable code, or the value lies below the chip's first code.
struct DpiEncoding
{
    bool Valid = false;
    int CodeX = 0; // the byte stored in CodeX and CodeY
    int Flags = 0; // the byte stored in Flags
    int Dpi = 0;   // what the stored bytes read back as: the value the editor shows
};

// Pure. A table chip without an entry for the value takes the entry nearest to it (the lower one
// of two as near): the mouse only ever gets codes its sensor has. Table entries whose code is not
// a byte (0..255) are never chosen.
DpiEncoding EncodeDpi(int dpi, const SensorModel &model);

// Pure. The DPI value of a stored stage: for a table chip the value named by the first entry
// holding the code (0 when none does), otherwise the value the code counts in steps of 50 or 100.
int DecodeDpi(int codeX, int flags, const SensorModel &model);

// The same for the current model (SensorModel::instance()).
int DecodeDpiStage(quint8 codeX, quint8 flags);

// Encodes `dpi` for the current model and writes it as stage `level` (0..7) through the
// device-write helper, which reports an offline device. Level -1 (no level selected) and values
// that cannot be stored write nothing.
void SetDPIValue(int level, int dpi);

// Replaces the current model's range table by the `DPIRange` of the selected device's model group
// in Config.ini.
void LoadDpiRanges();
