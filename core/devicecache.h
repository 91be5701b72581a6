#pragma once

#include "core/record/flashdatamap.h"

#include <QString>

// The last known configuration record of every device the program has shown, one file per
// device in <UserDir>/Device_Info: the pages show it while the device is offline.
//
// File layout (10432 bytes), a data-stream byte block so that files written by earlier versions
// stay readable: the block length as unsigned 32-bit big-endian (10428), then the record's bytes
// exactly as in memory. No magic, version or device identifier.

// "Device_CID" + customer + "_MID" + model + ".bin", each as at least two upper-case hexadecimal
// digits (customer 0x0A, model 3: "Device_CID0A_MID03.bin").
QString DeviceCacheFileName(int cid, int mid);

// The full path of cache file `name` inside <UserDir>/Device_Info.
QString DeviceCachePath(const QString &name);

// Writes `record` to cache file `name`, replacing any earlier file as a whole: an interrupted save
// leaves the previous file. Returns false when the file could not be written (the folder is made
// at start-up; a missing one is not recreated here). May run on the device service thread.
bool SaveDeviceCache(const QString &name, FlashDataMap record);

// Reads cache file `name` into *destination. Only a whole record counts: a missing or unreadable
// file, an empty, short or truncated block gives false and leaves *destination untouched; a longer
// block gives its first 10428 bytes. May run on the device service thread.
bool LoadDeviceCache(const QString &name, FlashDataMap *destination);
