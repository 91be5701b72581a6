#pragma once

#include "core/record/flashdatamap.h"

#include <QWidget>

// The sensor and DPI page. For now it holds what the device page and the parameter-update dialog
// rely on: it takes the device's records from the hub and tells, through SensorFilling and
// SensorUiUpdated, when it is filling itself and when it shows the device's record. The DPI
// editor and the sensor panels grow here.
class Sensor : public QWidget
{
    Q_OBJECT
public:
    explicit Sensor(QWidget *parent = nullptr);
    ~Sensor() override;

    // The record the page shows and the DPI stage the device reported last.
    const FlashDataMap &ShownRecord() const { return Shown; }
    int ShownDpiStage() const { return ShownStage; }

public slots:
    // A record the device sent: the parameter-update dialog waits for SensorUiUpdated.
    void SlotUpDataSenSorUISensor(const FlashDataMap &record);
    // A record from the cache or an import: shown without touching SensorUiUpdated.
    void SlotUpDataSenSorUIB(const FlashDataMap &record);
    // The device switched its DPI stage itself: shown without writing it back.
    void SlotUpDataDPI(int stage);

private:
    void FillFromRecord(const FlashDataMap &record);

    FlashDataMap Shown{};
    int ShownStage = 0;
};
