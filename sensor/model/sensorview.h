#pragma once

#include "core/record/flashdatamap.h"
#include "sensor/model/sensormodel.h"

#include <QString>
#include <QVector>

struct DeviceAllInfo;

// What the sensor page needs to know of the selected device's model and connection to show a
// record: read from the model's Config.ini group, the device description and the sensor
// header's feature lists. Widget-free.
struct SensorContext
{
    QString Chip;       // `Sensor` of the model group
    int MaxGrade = 0;   // `DPIMaxGrade`: the levels the model offers
    int Layout = 0;     // `XIn1`: 2 is the reduced layout without the sensor settings
    int Kind = 0;       // connection kind: receivers 0, 1, 4, 5; cables 2, 3
    bool Wired = false; // the kind has a bit outside 0x05
    QVector<QString> FeatureLists = QVector<QString>(6);

    bool Has(int feature) const;
};

// The context of a device: its model group "Drive" + (DriveIndex + 1) of Config.ini.
SensorContext LoadSensorContext(const DeviceAllInfo &device, const QVector<QString> &featureLists);

// The DPI indicator light of a record, as its panel shows it.
struct SensorLightView
{
    int Mode = -1; // 0 off, 1 steady, 2 breathing; -1: a mode the panel does not have
    int Speed = 0;
    int Step = 0; // brightness step 1..10, or an unknown code as it is
};

// Pure.
SensorLightView PlanSensorLight(const FlashDataMap &record);

// Everything the sensor page shows of a record, worked out before a widget is touched; the page
// then sets its widgets from it in a fixed order. A value of -1 means "leave that widget as it
// is". Level indexes are 0..7 or -1, counts 1..8: a record or a model that names more levels
// than the editor has never makes the page address a ninth.
struct SensorView
{
    // Report rate.
    int RateButton = -1;    // the button of ReportRate
    int HighRateLevel = -1; // which rates above 1000 Hz the connection offers

    // Sensor mode.
    bool ModeChoice = false; // the chip lets the mode be chosen: otherwise the list is disabled
    bool ModeCorded = false; // the mouse runs "Corded" itself (cable, or a rate above 1000 Hz)
    int ModeItem = -1;       // "Corded" when ModeCorded, else the stored mode

    // Lift-off distance.
    bool ShortDistance = false; // the chip offers 0.7 mm
    int LodValue = -1;          // SetLod's value: the stored code minus one
    bool LodEnabled = false;

    // Performance mode.
    bool PerformanceOn = false;
    int PerformanceItem = -1;

    // The toggles and whether the page shows them.
    bool Ripple = false;
    bool StraightLine = false;
    bool MotionSync = false;
    bool RippleShown = false;
    bool StraightLineShown = false;

    SensorLightView Light;

    // DPI levels.
    int Levels = 0; // levels with a colour, a count entry and a value: DPIMaxGrade up to 8
    QString LevelColors[FlashDataMap::DpiStageSlots]; // "#rrggbb"
    int LevelValues[FlashDataMap::DpiStageSlots] = {};
    int LevelCount = 1;    // levels in use, 1..8
    int CurrentLevel = -1; // the level the mouse uses
    int SliderMinimum = 0;
    int SliderMaximum = 0;
    bool SliderValueKnown = false; // the current level is one of the first Levels
    int SliderValue = 0;

    // Layout.
    bool Reduced = false;
};

// Pure. `model` holds the chip, DPI ranges and header tables of the device's model.
SensorView PlanSensorFill(const FlashDataMap &record, const SensorContext &context,
                          const SensorModel &model);

// The sensor mode a device shows after it reported a report rate, or after the user clicked one:
// whether the page changes the mode list at all, and to what.
struct SensorModeChange
{
    bool Apply = false;
    bool Corded = false; // show "Corded" (its row too) and disable the list
    int Item = -1;       // with Corded clear: the stored mode, with "Corded" hidden from the list
};

// After the device reported the rate `code`: a rate up to 1000 Hz gives the stored mode back on a
// receiver, a higher one fixes "Corded"; a cable never changes the list.
SensorModeChange ModeAfterRateReport(int code, const SensorContext &context, int storedMode);
// After the user's own click: `high` 0 for a rate up to 1000 Hz, 1 above.
SensorModeChange ModeAfterRateClick(int high, const SensorContext &context, int storedMode);
