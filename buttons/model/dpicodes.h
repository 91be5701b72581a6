#pragma once

#include <QString>
#include <QVector>

// The DPI-lock function stores a DPI value as the sensor's register code. A chip with a table in
// the sensor definition header (entries SENSOR_<chip>_DPI_<dpi>) stores the table's code; any
// other chip counts in steps of 50 from 50 (code 0). Pure; `names` and `values` are the header's
// parallel definition lists.

// The code of `dpi`: the chip's entry for exactly this value; dpi / 50 when the chip has a table
// without it; dpi / 50 - 1 when it has none.
int DpiToCode(int dpi, const QString &sensor, const QVector<QString> &names,
              const QVector<int> &values);

// The DPI of a stored code: the value in the name of the chip's first entry holding the code (0
// when none holds it); (code + 1) * 50 when the chip has no table. The value is read after
// "SENSOR_<chip>_DPI_", so a chip name may hold any letters.
int CodeToDpi(int code, const QString &sensor, const QVector<QString> &names,
              const QVector<int> &values);
