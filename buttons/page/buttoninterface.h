#pragma once

#include "core/record/flashdatamap.h"

#include <QString>
#include <QWidget>

class QToolButton;

// The button page. For now it owns what the device page needs of it: the one device service
// object (DeviceState::WorkerThread), created here and started by the home page's tile click, the
// mouse picture the tile click chooses, the device records it takes from the hub (with
// ButtonFilling and ButtonUiUpdated, which the parameter-update dialog waits on), and the export,
// import and factory reset of the device's settings. The page's form and its rows grow here.
class Buttoninterface : public QWidget
{
    Q_OBJECT
public:
    explicit Buttoninterface(QWidget *parent = nullptr);
    // Stops the device service for good: no pass starts any more, a running pass is waited for
    // (within the service's time limit), and hot-plug notification stops.
    ~Buttoninterface() override;

    // The record the page shows.
    const FlashDataMap &ShownRecord() const { return Shown; }

public slots:
    // The mouse picture "mouse" + n + ".png" of the page's picture folder.
    void SlotMouseIndex(int n);
    // A record the device sent: the parameter-update dialog waits for ButtonUiUpdated.
    void SlotUpDataButtonUIButton(const FlashDataMap &record);
    // A record from the cache or an import: shown without touching ButtonUiUpdated.
    void SlotUpDataButtonUIB(const FlashDataMap &record);
    void SlotAllLanguage(int language);

private slots:
    void on_OutputData_clicked();
    void on_ImportData_clicked();
    void on_Reset_clicked();

private:
    void FillFromRecord(const FlashDataMap &record);
    // Writes the settings export file of `record` for the selected model; false when the file
    // could not be written (an earlier file at the path is then left as it was).
    bool ExportSettingsFile(const QString &path, const FlashDataMap &record);
    // The page's dialogs sit centred over it, 75 px further left and 65 px higher.
    void PlaceOverPage(QWidget *dialog) const;

    QWidget *widget;
    QToolButton *Reset;
    QToolButton *ImportData;
    QToolButton *OutputData;
    FlashDataMap Shown{};
};
