#pragma once

#include "core/devicestate.h"
#include "lighting/lightmodeset.h"
#include "settings/inputpica.h"
#include "settings/inputpicb.h"
#include "settings/ledinfo.h"

#include <QButtonGroup>
#include <QPoint>
#include <QString>
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
// user does on the page.
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

    // The update dialog's start (SigUpdateStart); comes with the update engine. Not a slot of the
    // meta-object: the by-name connection would look for a widget named "Start".
    void on_Start();

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
    // 0: the version texts of the current device; 6: both emptied. The update engine's codes
    // come with the engine.
    void SetVer(int what);
    void SlotLabelText(int which, const QString &version);
    void SlotLabelTextB(const QString &version, const QString &flag);
    void SlotFormResetForm();
    void SlotAllLanguage(int language);

    // The update entry points (the update dialog, the update engine's continuation); they come
    // with the update engine.
    void SlotCheckUpdate();
    void SlotUpdateFrame(bool show);
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
    // The sections the current device's model and connection allow, after a record was read
    // (mayShowLongRange) or restored.
    void ApplyForm(bool mayShowLongRange);
    void ShowSections(bool longRange, bool led);
    void SetSection(const QList<QWidget *> &section, bool visible);
    void ApplyLayout(bool led);
    void ApplyTheme();
    // One of the receiver LED radios changed (mode 1, 2 or 3).
    void LedModeToggled(int mode, bool checked);

    std::unique_ptr<Ui_FormSetting> form;
    QString ImageFolder;
    QPoint LabelPos;
    QButtonGroup *LedGroup = nullptr;
    QString ButtonColorText;
    bool FontScaled = false;
    UpDateRepair *UpdateDialog = nullptr;
    std::unique_ptr<UpDateWarning> WarningDialog;
    QTimer *DongleCheckTimer = nullptr;
    QTimer *MouseCheckTimer = nullptr;

    // Built with no parent and never shown.
    LedInfo LedInfoPanel;
    InputPicA InputPicAPanel;
    InputPicB InputPicBPanel;
    LightModeSet LightModeSetPanel;
};
