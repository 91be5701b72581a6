#pragma once

#include "sensor/model/dpiranges.h"

#include <QString>
#include <QVector>

// What the DPI codec and the DPI editors need to know of the current model: its sensor chip, its
// DPI ranges and the register-code tables of the sensor definition header. The sensor page fills
// the process-wide instance (the header once, when it is built; chip and ranges at every fill
// from a device record); the codec's functions that take no model read that instance.
// Widget-free; used on the GUI thread only.
struct SensorModel
{
    // The model's `Sensor` key of Config.ini. Compared exactly with "3395" and "3950", and part
    // of the name of the chip's table: SENSOR_<chip>_DPI_<dpi>.
    QString SensorChip;
    DpiRanges DpiRangeTable;
    // The `#define` entries of driver_sensor.h, parallel and in file order.
    QVector<QString> DefineNames;
    QVector<int> DefineValues;

    static SensorModel &instance();
};
