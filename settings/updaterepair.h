#pragma once

#include <QByteArray>
#include <QDialog>
#include <QList>

#include <memory>

class QFrame;
class QLabel;
class QProgressBar;
class QToolButton;

class Ui_UpDateRepair
{
public:
    QFrame *UpDateRepairA;
    QToolButton *CloseButton;
    QLabel *label;
    QProgressBar *progressBar;
    QToolButton *NewHong_2; // start
    QToolButton *NewHong;   // cancel

    void setupUi(QDialog *dialog);
    void retranslateUi(QDialog *dialog);
};

// The firmware update and repair dialog. The settings page keeps one for the whole run
// (DeviceState::UpdateDialog); the main window builds one for a repair the user asked for, and
// the home page's device selection builds one to look for a receiver image. The update engine
// and the repair check that drive its progress grow here.
class UpDateRepair : public QDialog
{
    Q_OBJECT
public:
    explicit UpDateRepair(QWidget *parent = nullptr);
    ~UpDateRepair() override;

    // The start state before the dialog is shown: no message, buttons shown, no progress, Enter and
    // Return start, Esc cancels.
    void ResetUi();

    // Looks for an image in <appdir>/bin as FormSetting::FindFirmwareFile does, but keeps what it
    // found in this dialog's own store, for this dialog's repair.
    bool FindFirmwareFile(int target, const QString &deviceVersion, const QString &identifier,
                          int cid, int mid);

    // A repair the user started (index: which failed update it repairs; the main window passes
    // 0). Without an image found by this dialog there is nothing to write: the repair ends at once
    // as repaired (SigAutoRepair(0), SigUpDateButton(true)).
    void StartForced(int index);

    bool ForcedStart = false;
    int FailTarget = 0;
    // The image this dialog's own lookup found: no entry or exactly one (the whole file).
    QList<QByteArray> ImagePending;

public slots:
    void SlotRepairCheckUpdate();

private slots:
    void on_CloseButton_clicked();
    void on_NewHong_clicked();
    void SlotAllLanguage(int language);

private:
    std::unique_ptr<Ui_UpDateRepair> ui;
};
