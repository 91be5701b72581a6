#pragma once

#include "core/devicestate.h"
#include "core/record/flashdatamap.h"

#include <QList>
#include <QMutex>
#include <QObject>
#include <QSemaphore>
#include <QStringList>

// Stands in for the pages: connects to the hub the way they do (the record, form, DPI, report
// rate, battery, profile, receiver-LED and long-range signals blocking queued, the rest
// automatic) and writes down what arrived, in order, as short texts such as "Button", "Form",
// "Param(1)" or "LongRange(true)". Lives on the GUI thread; a test reads it there.
class HubRecorder : public QObject
{
    Q_OBJECT

public:
    HubRecorder();

    QStringList events() const;
    int count(const QString &event) const;
    // The records the three record signals and the DPI-light signal carried, in order.
    QList<FlashDataMap> records() const;
    DongleRGB lastDongleRgb() const { return m_dongle; }
    void clear();

    // Optional: each record slot waits this long, as a slow page would.
    int slotDelayMs = 0;

    // For a test that keeps the GUI thread from serving: after arming, waitForBlockingEmission
    // returns true once a blocking emission to this recorder has begun on another thread, which
    // from then on waits for the GUI thread. Only what begins after arming counts.
    void armEmissionProbe();
    bool waitForBlockingEmission(int timeoutMs = 5000);

private slots:
    // Connected directly, ahead of each blocking slot: runs on the emitting thread.
    void SlotEmissionBegins();
    void SlotButton(const FlashDataMap &record);
    void SlotLight(const FlashDataMap &record);
    void SlotSensor(const FlashDataMap &record);
    void SlotDpiLed(const FlashDataMap &record);
    void SlotForm();
    void SlotFormReset();
    void SlotReportRate(int rate);
    void SlotDpi(int stage);
    void SlotBattery(bool charging, int level, bool showPercent);
    void SlotConfigUI(int kind, int profile, bool valid);
    void SlotRgb(const DongleRGB &record);
    void SlotLongRange(bool on);
    void SlotUpDataParam(int mode);
    void SlotMouseOffLine(int mode);
    void SlotCloseOffOnline();
    void SlotSetver(int what);
    void SlotChangeMainDialog(int page);
    void SlotLabelTextB(const QString &version, const QString &flag);
    void SlotCheckUpdate();
    void SlotRepairCheckUpdate();

private:
    void add(const QString &event);
    void addRecord(const QString &event, const FlashDataMap &record);

    mutable QMutex m_mutex;
    QStringList m_events;
    QList<FlashDataMap> m_records;
    DongleRGB m_dongle{};
    QSemaphore m_emissions;
};
