#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// A model's DPI ranges, from the `DPIRange` key of its Config.ini group: decimal triples
// (minimum, maximum, step), one per range in ascending order, then one hexadecimal element for
// the range mode. "50,12000,50,12100,26000,100,22" is two ranges, 50..12000 in steps of 50 and
// 12100..26000 in steps of 100, mode 0x22. Only multiples of a range's step inside that range are
// DPI values the editors offer. Widget-free.
struct DpiRanges
{
    // The last element read as hexadecimal: 0x11, 0x22 or 0x33 choose how values above the first
    // range are stored (see EncodeDpi); anything else stores every value in the first range's way.
    int DpiRangeMode = 0;
    // (number of elements - 1) / 3; only 1 to 4 ranges are used.
    int DpiRangeCount = 0;
    // Each usable range's minimum and maximum, range 1 first; empty without usable ranges.
    QVector<int> DpiRangeMins;
    QVector<int> DpiRangeMaxs;
    // The texts of range k's minimum, maximum and step are entry k - 1. A load with fewer ranges
    // leaves the texts of the ranges above it as they were; only ranges 1..DpiRangeCount are read.
    QString DpiRangeMin[4];
    QString DpiRangeMax[4];
    QString DpiRangeStep[4];
    // The bounds of the DPI slider: the first minimum and the last maximum. A load without usable
    // ranges keeps the previous model's.
    QString DpiMinText;
    QString DpiMaxText;

    // Replaces the table by a `DPIRange` list. Texts that are not numbers read 0.
    void Load(const QStringList &list);

    // The number of ranges the editors use: DpiRangeCount when it is 1..4, otherwise 0.
    int UsableCount() const;
    // Range k = 1..UsableCount(), read as decimal (0 when not a number).
    int Min(int k) const;
    int Max(int k) const;
    int Step(int k) const;
};

// The DPI value the editors keep for a value `a` the slider stands at: inside range k the
// largest multiple of its step not above a (counted from 0, not from the range's minimum); in
// the gap above range k the next range's minimum. A value below the first range, above the last,
// or a table without usable ranges leaves a as it is; so does a range whose step is 0 or less.
// *pageStep (when given) becomes the step of the range a ends in, and is left alone otherwise.
int SnapDpi(int a, const DpiRanges &ranges, int *pageStep = nullptr);

// One step up from a value the editor shows. A range's maximum counts as lying above that range:
// with a gap above it the value jumps to the next minimum, without one it takes the next range's
// step. A value in a gap goes to the next minimum; other values stay.
int StepDpiUp(int a, const DpiRanges &ranges);
// One step down. A range's maximum counts as inside the range and loses that range's step; a
// value in a gap still goes up to the next minimum; other values stay.
int StepDpiDown(int a, const DpiRanges &ranges);
