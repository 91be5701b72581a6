#pragma once

#include "core/deviceallinfo.h"
#include "core/devicestate.h"
#include "core/record/flashdatamap.h"

#include <QObject>
#include <QString>

Q_DECLARE_METATYPE(FlashDataMap)

// The process-wide signal hub. Whoever learns of a change emits here; whoever cares connected a
// slot in its constructor (string form, never disconnected). No data, no slots.
//
// Delivery rules:
// - Receivers live on the GUI thread. A signal emitted elsewhere reaches an automatic connection
//   later, as a queued call; such emissions carry only int, bool and QString.
// - A signal that carries a FlashDataMap or a DeviceAllInfo is emitted on the GUI thread, or is
//   connected blocking queued through ConnectBlocking (core/blockingconnect.h) and emitted only by
//   the device-event callback or the device service pass, never on the GUI thread.
// - The blocking connections are those of SigUpDataConfigUI, SigUpDataLightUIButton,
//   SigUpDataLightLight, SigUpDataLightSensor, SigUpDataReportRate, SigUpDataDPI, SigUpDataDPILed,
//   SigBattery, SigRGBValue, SigLongRangeMode, SigForm and SigFormReset: their slots run while the
//   emitter waits. Every record travels as a copy of its own (the receiver-LED record too), so a
//   slot never touches the shared device state unlocked.
class PostMsg : public QObject
{
    Q_OBJECT

public:
    // Creates the hub on the first call (with no parent, on the GUI thread) and registers the
    // argument types of the hub's signals. Never destroyed.
    static PostMsg *GetInstance();

signals:
    void SigChangeMainDialog(int page);
    void SigChangeSize(int request);
    void SigUpDataConfigUI(int kind, int profile, bool valid);
    void SigUpDataLightUIButton(const FlashDataMap &record);
    void SigUpDataLightLight(const FlashDataMap &record);
    void SigUpDataLightSensor(const FlashDataMap &record);
    void SigUpDataLightUIA(const FlashDataMap &record);
    void SigUpDataSensorUIB(const FlashDataMap &record);
    void SigUpDataButtonUIC(const FlashDataMap &record);
    void SigButtonToMacro(const FlashDataMap &record, int slot);
    void SigSelectMouseInfo(const DeviceAllInfo &device);
    void SigMouseOffLineo(int mode);
    void SigMainPageChange();
    void SigSecondPageChange();
    void SigUpPageLight();
    void SigAddMacroButton();
    void SigDeleteMacroButton(const QString &name);
    void SigMacroDownLoadData(const QString &name, int slot);
    void SigUpDataMacro(const QString &name, int flag);
    void SigUpDataParam(int mode);
    void SigUpDataReportRate(int rate);
    void SigUpDataDPI(int stage);
    void SigUpDataDPILed(const FlashDataMap &record);
    void SigTimerStop();
    void SigButtonEnable(int enable);
    void SigLabelText(int line, const QString &text);
    void SigLabelTextB(const QString &version, const QString &flag);
    void SigCloseUpdate();
    void SigProgress(int value, int total);
    void SigBattery(bool charging, int level, bool showPercent);
    void SigAutoRepair(int result);
    void SigAutoRepairProgress(int percent);
    void SigChangeLanguage(int language);
    void SigLanguageSameA(int language);
    void SigLanguageSameB(int language);
    void SigCloseOffOnline();
    void SigSetMacroPage();
    void SigStartRecord(int state);
    void SigUpDateButton(bool repaired);
    void SigMacroRename(const QString &oldName, const QString &newName);
    void SigSetver(int what);
    void SigCloseProgress();
    void SigRGBValue(const DongleRGB &record);
    void SigLongRangeMode(bool on);
    void SigForm();
    void SigFormB();
    void SigEnterKey();
    void SigFormReset();
    void SigHideModel(int hide);
    void SigContinue(int value);
    void SigMouseIndex(int index);
    void SigUpdateStart();
    void SigCheckUpdate();
    void SigRepairCheckUpdate();
    void SigSetNewVer();
    void SigLightToFrom(int seconds);
    void SigButtonCheck();
    void SigAllLanguage(int language);
    void SigUpdateFrame(bool show);

private:
    PostMsg() = default;
};
