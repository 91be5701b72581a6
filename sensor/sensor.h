#pragma once

#include "core/record/flashdatamap.h"

#include <QString>
#include <QVector>
#include <QWidget>

#include <memory>

class QListView;
class Ui_Sensor;
struct SensorContext;
struct SensorModeChange;
struct SensorLightView;
struct SensorView;

// The sensor and DPI page: the DPI editor, the report rate, the sensor settings (sensor mode, lift-
// off distance, performance mode, ripple control, angle snapping) and the DPI indicator light.
//
// The page never asks the device for anything. It shows the records and reports the hub hands it
// (a whole record after a read or from the cache, single values when the device changed its rate,
// DPI level or DPI light, a reset when there is nothing to show), and its panels and own controls
// write each change of the user's through the device-write helpers. While it shows what the
// device holds, SensorFilling is set, so that nothing it sets is written back; SensorUiUpdated
// tells the parameter-update dialog when it shows a fresh read.
class Sensor : public QWidget
{
    Q_OBJECT
public:
    explicit Sensor(QWidget *parent = nullptr);
    ~Sensor() override;

protected:
    void changeEvent(QEvent *event) override;

private slots:
    void on_Performance_toggled(bool checked);
    // Device-event callback after a whole read, or the device service with the cached record of
    // an offline device; blocking queued.
    void SlotUpDataSenSorUISensor(const FlashDataMap &record);
    // The device service for an offline device without a cached record; blocking queued.
    void SlotFormReset();
    // Device-event callback: the mouse changed its report rate, DPI level or DPI light itself;
    // blocking queued.
    void SlotUpDataReportRate(int code);
    void SlotUpDataDPI(int level);
    void SlotUpDataDPILed(const FlashDataMap &record);
    // The parameter-update dialog: an imported record, or the record of the device cache.
    void SlotUpDataSenSorUIB(const FlashDataMap &record);
    void on_ModelChoose_currentIndexChanged(int index);
    void on_Performance_clicked(bool checked);
    void on_PerformanceOpen_currentIndexChanged(int index);
    void SlotAllLanguage(int language);
    // The report-rate panel after the user's click: 0 for a rate up to 1000 Hz, 1 above.
    void SlotHideModel(int high);

private:
    void ApplyStyles();
    void ReadSensorHeader();
    void ReadLevelCount();

    SensorContext CurrentContext() const;
    void FillFromRecord(const FlashDataMap &record, bool fromDevice);
    void ShowLevelColors(const SensorView &view);
    void ShowLevelValues(const SensorView &view);
    void ShowLayout(bool reduced);
    void ShowFeatures(const SensorView &view);
    void ShowLight(const SensorLightView &light);
    void ChangeSensorMode(const SensorModeChange &change);

    std::unique_ptr<Ui_Sensor> ui;
    QString SensorPageDir;
    QString PictureDir;
    QListView *ModelView = nullptr;
    // The chip lists of the six sensor features, from the sensor definition header.
    QVector<QString> SensorFeatureLists = QVector<QString>(6);
};
