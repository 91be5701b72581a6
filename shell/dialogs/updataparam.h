#pragma once

#include "core/record/flashdatamap.h"

#include <QDialog>
#include <QString>

#include <memory>

class QFrame;
class QLabel;
class QTimer;

class Ui_UpDataParam
{
public:
    QFrame *UpDataParamA;
    QLabel *label;

    void setupUi(QDialog *dialog);
    void retranslateUi(QDialog *dialog);
};

// The please-wait notice. Its caller starts it (StartUpData), sets the mode and runs it modally;
// 2500 ms later it does one piece of work and closes itself:
// - WaitMode: waits until the sensor and the button page have refilled themselves from the device
//   (after a factory reset, or whenever the device page's own instance was once asked to wait);
// - ImportMode: reads the settings file at ImportPath and applies it (stored and sent as one write;
//   the pages show it only once the device has taken it), or tells why not;
// - neither: when the last device service pass found the device offline, shows its cached record
//   and the offline notice; otherwise waits for the refresh like WaitMode.
// Every wait keeps the event loop running, so the device's records reach the pages meanwhile.
class UpDataParam : public QDialog
{
    Q_OBJECT
public:
    explicit UpDataParam(QWidget *parent = nullptr);
    ~UpDataParam() override;

    // Starts the 2500 ms single-shot timer of the work.
    void StartUpData();

    // Reads the settings file at `path` for the current model into *record: 0 accepted, 1 not a
    // readable settings file of this program, 2 another sensor or a DPI stage count the model
    // cannot take (SettingsFile::Result). Only an accepted file fills *record.
    static int ReadImportFile(const QString &path, FlashDataMap *record);
    // ImportResult of an import whose file was accepted but whose record the device did not
    // take: nothing was applied, and the offline notice says why (no refusal notice for it).
    static constexpr int ImportNotTaken = 3;

    // Tests only: every fixed delay of the dialog (before its work, between the checks of the
    // pages, the lingering after) is multiplied by `scale`; 1 in the program, where the user is
    // meant to see them. Tests shorten them instead of waiting real seconds. GUI thread.
    static void SetDelayScaleForTests(double scale);

    QString ImportPath;
    quint8 ImportMode = 0; // cleared by each import
    quint8 WaitMode = 0;   // never cleared: once set, every run waits

public slots:
    void onTimeupDestroy();
    void SlotAllLanguage(int language);

private:
    bool WaitForPagesRefreshed();
    void RunWait();
    void RunImport();
    void RunReload();
    void RunRefresh();

    std::unique_ptr<Ui_UpDataParam> ui;
    QTimer *timer;
    QString ImageFolder;
};
