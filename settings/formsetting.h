#pragma once

#include "core/devicestate.h"
#include "lighting/lightmodeset.h"
#include "settings/inputpica.h"
#include "settings/inputpicb.h"
#include "settings/ledinfo.h"

#include <QButtonGroup>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>

class QTimer;
class Ui_FormSetting;
class UpDateRepair;
class UpDateWarning;

// The settings page of the device page: language, the firmware versions, pairing, the sleep
// time, start with the desktop session, the desktop's mouse settings, the long-range mode and the
// receiver LED mode, and two links. The two receiver sections show only for a device whose model
// and connection have them, once the device has reported them.
//
// The page also holds what the firmware update needs: the one update and repair dialog
// (DeviceState::UpdateDialog), a notice of its own, the two check timers of the update engine,
// and the panels it builds but never shows (LedInfo, InputPicA, InputPicB, LightModeSet).
//
// formsetting.cpp: construction, the hub's slots and the texts; formsettingactions.cpp: what the
// user does on the page; formsettingupdate.cpp: the firmware update engine and its start routines;
// formsettingcheck.cpp: the update check and the ways into the update dialog.
class FormSetting : public QWidget
{
    Q_OBJECT
public:
    explicit FormSetting(QWidget *parent = nullptr);
    ~FormSetting() override;

    // An image of `target` (210 mouse, 211 receiver) for the model named `identifier` whose
    // version differs from deviceVersion; the image found is held for the update engine.
    static bool FindFirmwareFile(int target, const QString &deviceVersion,
                                 const QString &identifier, int cid, int mid);
    // Whether an image is offered for the current device's model; receiverClass 1, 2, 4 or 8
    // names the receiver image, any other class gives false. Nothing is held.
    static bool CheckNewFirmware(int target, const QString &versionText, int receiverClass);

    // The update dialog's start (SigUpdateStart): the receiver's update, or the mouse's at once
    // when the receiver has nothing to install. Not a slot of the meta-object: the by-name
    // connection would look for a widget named "Start".
    void on_Start();

    // The update engine's start routines for the receiver and the mouse (formsettingupdate.cpp).
    // Plain functions, for the same reason: no widget carries these names.
    void on_Receive_clicked();
    void on_Mouse_clicked();

    // Added to the y of the sections below the sleep time, of the links and to the page height.
    static constexpr int SectionOffset = 80;

    // Texts of the update engine and the update check, in the current language.
    QString UpdateCaption;
    QString UpToDateCaption;
    QString DeviceNotFoundText;
    QString SeveralDevicesText;
    QString DeviceMismatchText;
    QString WiredDeviceMissingText;
    QString NoMatchingDeviceText;
    QString SeveralWiredText;
    QString SeveralReceiversText;

    // The update engine's state (formsettingupdate.cpp), also read by the update check and the
    // update dialog. One step for both targets: only one target runs at a time.
    int UpdateStep = 0;
    // Receivers in normal mode that step 0 found for a receiver update.
    QStringList ReceiverPaths;
    // Receivers waiting in boot mode for the DM, D2M, D4M and D8M image.
    int BootCountDM = 0;
    int BootCountD2M = 0;
    int BootCountD4M = 0;
    int BootCountD8M = 0;
    // 1 when the failure record names the mouse: it waits in boot mode.
    int MouseBootPending = 0;
    // The update runs on its own (a second stage, a repair), not from the user's click.
    bool AutoContinue = false;
    // Why a target's marker shows: 0 it does not, 1 no device found, 2 several.
    int ReceiverMarkerReason = 0;
    int MouseMarkerReason = 0;
    // The last run found no image for the target: its start does nothing until SetVer(4).
    bool ReceiverUpToDate = false;
    bool MouseUpToDate = false;
    bool ReceiverUpdateRunning = false;
    bool MouseUpdateRunning = false;
    // Drive<N>/MID as a number, as step 0 read it.
    int ConfigMid = 0;
    // The update check's model group ("Drive" + (DriveIndex + 1)), the receiver image's model
    // name of the receiver listed beside the mouse, and that of the receiver class a failure
    // record names, which the start looks for.
    QString DriveGroup;
    QString ReceiverModelName;
    QString RepairReceiverModelName;

public slots:
    void SlotLanguageSameB(int language);
    void SetVerText();
    // A sleep time in seconds: selected when it is one of the list's times.
    void SlotLightToFrom(int seconds);
    // Blocking from the device-event callback, with a copy of the receiver LED record.
    void SlotRGBValue(const DongleRGB &rgb);
    void SlotLongRangeMode(bool on);
    void SlotForm();
    void SlotFormB();
    // 0: the version texts of the current device and, with a bin folder, whether an image of
    // another version waits for it (SigUpdateFrame); 1, 2: the receiver's or the mouse's marker
    // cleared; 3: the update caption; 4: the update flags reset; 5: 4 and the version texts; 6:
    // both version texts emptied.
    void SetVer(int what);
    void SlotLabelText(int which, const QString &version);
    void SlotLabelTextB(const QString &version, const QString &flag);
    void SlotFormResetForm();
    void SlotAllLanguage(int language);

    // Whether an update or a repair can start, and with how many targets (UpdateStageCount);
    // otherwise the update dialog holds the reason (formsettingcheck.cpp).
    bool ChechIsUpDate();
    // A hot-plug change while the update dialog shows: the check again, the ready layout when it
    // passes; the dialog is not shown here.
    void SlotCheckUpdate();
    // true: the update dialog opens on the check's result; false: it closes. Neither while an
    // update runs.
    void SlotUpdateFrame(bool show);
    // After one target's update: the other target's, when an image waits for it and the first
    // ended well or had nothing to install.
    void SlotContinue(int value);

private slots:
    void SlotScroolChange(int value);
    void onDongleCheckTimer();
    void onMouseCheckTimer();

    // formsettingactions.cpp
    void on_comboBox_activated(int index);
    void on_checkBox_clicked(bool checked);
    void on_ReUntil_toggled(bool checked);
    void on_ReUntil_2_toggled(bool checked);
    void on_ReUntil_3_toggled(bool checked);
    void on_checkBox_2_toggled(bool on);
    void on_pushButton_2_clicked();
    void on_pushButton_3_clicked();
    void on_pushButton_clicked();
    void on_Receive_2_clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    // The sections the current device's model and connection allow, after a record was read from
    // the device (fromDevice) or restored from a file.
    void ApplyForm(bool fromDevice);
    void ShowSections(bool longRange, bool led);
    void HideLedSection(bool shortLayout);
    void SetSection(const QList<QWidget *> &section, bool visible);
    void ApplyLayout(bool led);
    void ApplyTheme();
    // One of the receiver LED radios changed (mode 1, 2 or 3).
    void LedModeToggled(int mode, bool checked);
    void ShowUpdateWarning(const QString &text);
    // The update check's message in the update dialog's notice layout.
    void ShowCheckMessage(const QString &text);
    // The update dialog, placed over the page and shown on the check's result.
    void OpenUpdateDialog();
    // An update runs (or waits for its next step), or an image is being written: the update
    // dialog shows it and is left alone.
    bool UpdateUnderWay() const;
    // A run the update dialog started ended (no target runs any more) without telling the dialog
    // how: nothing to install, no single device to update, the mouse gone after the receiver.
    // The dialog would show its running layout for good; it shows the failure instead.
    void EndDialogRun();

    // The update engine (formsettingupdate.cpp): one step per tick of the target's check timer.
    void PollUpdate(int step, int target, const QString &versionText);
    void PrepareUpdate(int target, const QString &versionText);
    void StartUpgrade(int target, const QString &versionText);
    void WaitForUpgrade(int target);
    void EndUpdate(int target);
    // What a step does when it finds no image, or not exactly one device.
    void NothingToInstall(int target);
    void NoSingleDevice(int target, int count);
    void FinishReceiverUpdate();
    void FinishMouseUpdate();
    void StartUpdate(int target);
    QString ConfirmStyle() const;
    QString WaitingStyle() const;

    std::unique_ptr<Ui_FormSetting> form;
    // The device whose receiver reported the LED mode shown; empty while the section is hidden.
    QString LedShownFor;
    QString ImageFolder;
    QPoint LabelPos;
    QButtonGroup *LedGroup = nullptr;
    QString ButtonColorText;
    bool FontScaled = false;
    UpDateRepair *UpdateDialog = nullptr;
    std::unique_ptr<UpDateWarning> WarningDialog;
    QTimer *DongleCheckTimer = nullptr;
    QTimer *MouseCheckTimer = nullptr;
    // The update dialog's start began a run, and whether the run has shown its end in the dialog
    // (SigProgress of a failure or a success).
    bool DialogRun = false;
    bool DialogRunTold = false;

    // Built with no parent and never shown.
    LedInfo LedInfoPanel;
    InputPicA InputPicAPanel;
    InputPicB InputPicBPanel;
    LightModeSet LightModeSetPanel;
};
