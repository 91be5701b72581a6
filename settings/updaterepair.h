#pragma once

#include <QByteArray>
#include <QDialog>
#include <QList>
#include <QString>

#include <functional>
#include <memory>

class QFrame;
class QLabel;
class QProgressBar;
class QTimer;
class QToolButton;

class Ui_UpDateRepair
{
public:
    QFrame *AutoRepair;
    QToolButton *CloseButton;
    QToolButton *NewHong;   // cancel
    QLabel *ToolText;       // the fixed notice
    QLabel *ToolText_2;     // the message line
    QToolButton *NewHong_2; // start, or OK when it only closes
    QProgressBar *progressBar_2;

    void setupUi(QDialog *dialog);
    void retranslateUi(QDialog *dialog);
};

// The firmware update and repair dialog. The dialog shows states and routes its buttons; the
// settings page's update engine drives it with SigProgress, the repair flow (its own members,
// updaterepairflow.cpp, with the run in settings/repairrun.h) with SigAutoRepair,
// SigAutoRepairProgress and SigProgress. The settings page keeps one for the whole run
// (DeviceState::UpdateDialog); the main window builds one for a repair the user asked for, and
// the home page's device selection builds one to look for a receiver image. Every instance follows
// the hub.
class UpDateRepair : public QDialog
{
    Q_OBJECT
public:
    explicit UpDateRepair(QWidget *parent = nullptr);
    ~UpDateRepair() override;

    // The layouts (updaterepair.cpp).
    void ResetUi();
    void ShowReady();
    // After the message was put into the message line.
    void ShowNotice();
    void ShowRunning();
    void SetNoticeText(const QString &text);

    // Whether an image is being written now, by a repair or by the settings page's update engine:
    // the dialog cannot be closed then.
    static bool ImageBeingWritten();
    // The owner's word on whether the run it started still goes on, also between its stages and
    // before the first image is handed over: from the start to the end layout nothing closes the
    // dialog while it does. Without one, the repair's and the engine's flags decide.
    void SetRunUnderWay(std::function<bool()> underWay);

    // The repair flow (updaterepairflow.cpp). True when the devices fit the failure record and its
    // image waits: the ready layout is to be shown. Otherwise a notice says why, or nothing is
    // shown when there is no record.
    bool RepairCheck();
    // Writes the pending image: the receiver's first, then the mouse's.
    void StartUpgrade();
    // A repair the user asked for on the device the main window examined (the one entry of
    // HomeDeviceList), with the receiver image its lookup left in PendingImages; `index` is not
    // used. A dialog that has run a check repairs what the check found instead.
    void StartForced(int index);
    // The image lookup of FormSetting::FindFirmwareFile, keeping what it takes in PendingImages;
    // the image held for the update engine stays as it is.
    bool FindFirmwareFile(int target, const QString &deviceVersion, const QString &identifier,
                          int cid, int mid);

    quint8 ForcedStart = 0;
    int FailTarget = 0;
    // The Config.ini group of the repaired model, and its receiver image's model name.
    QString ModelSection;
    QString ReceiverImageName;
    // An image waits for the next start.
    quint8 ImagePending = 0;
    // The image the last lookup took: no entry or one (the whole file). A start writes a copy.
    QList<QByteArray> PendingImages;

    // Texts of the current language.
    QString CancelText;
    QString NoDeviceText;
    QString ManyDevicesText;
    QString RepairButtonText;
    QString MouseRepairDeviceText;
    QString ReceiverRepairDeviceText;
    QString NoImageText;
    QString WiredConflictText;
    QString WirelessConflictText;
    QString ReadyText;
    QString RunningText;
    QString RepairDoneText;
    QString RepairFailText;
    QString OkText;

public slots:
    // Escape and the window's close request: as the close button, refused while an image is
    // being written.
    void reject() override;

private slots:
    void on_CloseButton_clicked();
    void on_NewHong_clicked();
    void SlotAutoRepair(int result);
    void SlotAutoRepairProgress(int value);
    void SlotAllLanguage(int language);
    // 0: the bar at `value`; 1: failed, OK to close; 2: done; 5: failed half way, the bar at 50;
    // 6: failed, the start button left as it is; any other type changes nothing.
    void SlotProgress(int value, int type);
    void on_NewHong_2_clicked();
    void SlotRepairCheckUpdate();
    void onSilenceTimer();

private:
    // Return starts, Escape cancels; set again after every layout change.
    void SetShortcuts();
    // A notice with `text` in the message line.
    void Notice(const QString &text);
    // Nothing closes the dialog while an image is being written, nor while it shows a run that
    // goes on.
    bool Closable() const;
    // The close buttons' steps: nothing unless Closable; else the page is told how the update
    // ended, and the dialog closes.
    void CloseRequested();
    // What a forced start on a dialog that has run no check repairs; false (with a notice) when
    // there is not exactly one device.
    bool PrepareForcedRepair();

    std::unique_ptr<Ui_UpDateRepair> ui;
    QString ImageFolder;
    // The last check derived the model, names and ids of the repair (or a forced start did).
    bool RepairPrepared = false;
    // A forced start writes the caller's image as it is.
    bool ForcedImage = false;
    // While a repair this dialog started runs: watches the library's silence.
    QTimer *SilenceTimer = nullptr;
    // The running layout shows: set by ShowRunning, cleared by every other layout and every end.
    bool RunShown = false;
    std::function<bool()> RunUnderWay;
};
