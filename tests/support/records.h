#pragma once

#include "core/record/flashdatamap.h"

#include <QByteArray>
#include <QString>

// The record's 10428 bytes as one array: two records compare equal exactly when their bytes do,
// and a failed comparison shows where they differ.
QByteArray recordBytes(const FlashDataMap &record);

// What the simulated mouse `mouse` holds now, as a record; all zero for a mouse the loaded device
// set does not have.
FlashDataMap mouseRecord(const QString &mouse);
