#pragma once

#include "core/record/flashdatamap.h"

#include <QByteArray>
#include <QString>
#include <QtTest>

#include <cstddef>

// The record's 10428 bytes as one array (a cache or export file's record part compares with it).
QByteArray recordBytes(const FlashDataMap &record);

// A record the pages can show whole (every field within core/recordlimits.h), `stages` DPI
// stages in use and the last one current. The bytes that take any value (DPI codes and colours,
// light colours, reserved bytes, macro names, key codes and delays) and the event counts differ
// with `seed`, so that a byte moved or lost shows.
FlashDataMap plausibleRecord(std::uint8_t seed, int stages = 4);

// What the simulated mouse `mouse` holds now, as a record; all zero for a mouse the loaded device
// set does not have.
FlashDataMap mouseRecord(const QString &mouse);

// The record field that holds byte `offset`, as its member path: "DebounceTime",
// "DpiStages[2].Blue", "Macros[3].Events[12].DelayBytes[1]".
QString recordField(std::size_t offset);

// Empty when the two records hold the same bytes; otherwise where they first differ (the offset,
// the field it belongs to and both bytes) and how many bytes differ in all. The byte-array form
// takes a record's bytes as read from a file or the simulated device, and says so when one is
// not a record's size.
QString recordDifference(const FlashDataMap &actual, const FlashDataMap &expected);
QString recordDifference(const QByteArray &actual, const QByteArray &expected);

// Whether two records hold the same bytes (for a wait's condition; a test's verdict uses
// COMPARE_RECORDS, which says where they differ).
bool sameRecord(const FlashDataMap &a, const FlashDataMap &b);

// Fails the test function, naming the first differing offset and its field, unless the two
// records (or records' byte arrays) hold the same bytes.
#define COMPARE_RECORDS(actual, expected)                                                          \
    do {                                                                                           \
        const QString recordDifference_ = recordDifference((actual), (expected));                  \
        QVERIFY2(recordDifference_.isEmpty(), qPrintable(recordDifference_));                      \
    } while (false)
