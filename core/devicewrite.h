#pragma once

#include "core/record/flashdatamap.h"

// One function per setting: each asks whether the selected device answers, stores its value in
// the current record and sends the whole record to the device (the device only ever takes the
// record whole). When the device does not answer, does not take the record sent, or has not had
// its record read yet (the current record would be another device's, or none), nothing is stored,
// a read of the device's record is asked for once it answers, and the hub raises the
// device-offline notice (SigMouseOffLineo(0)), unless the button or the sensor page is filling
// its widgets from a record. The result is true when the record was stored and the device took
// it.
//
// Integer arguments keep only their low byte. Slots are 0..15 and DPI stages 0..7: a call outside
// those stores nothing, sends nothing and returns false, without asking the device.
//
// The pages call these on the GUI thread.

// Asks the device only: true when it answers; raises the offline notice like the writers.
bool CheckDeviceOnline();
// What the writers do when the device answered but did not take what was sent: the device's
// record is read again once it answers, and the offline notice is raised (unless a page fills)
// and left open until the user closes it.
void ReportWriteRefused();

bool WriteReportRate(int value);
bool WriteDpiStageCount(int value);
bool WriteCurrentDpiStage(int value);
bool WriteByte03(int value);
bool WriteByte04(int value);
bool WriteLod(int value);
bool WriteDebounceTime(int value);
bool WriteMotionSync(int value);
bool WriteSleepTime(int value);
bool WriteStraightLine(int value);
bool WriteRippleControl(int value);
bool WriteLightOffWhileMoving(int value);
bool WritePerformanceMode(int value);
bool WritePerformanceTime(int value);
bool WriteSensorMode(int value);
bool WriteDpiLightBrightness(int value);
bool WriteDpiLightSpeed(int value);
bool WriteLightSpeed(int value);
bool WriteLightBrightness(int value);

// Register codes and flags of one DPI stage (CodeY is always written equal to CodeX by the page).
bool WriteDpiValue(int stage, int codeX, int codeY, int flags);
bool WriteDpiColor(int stage, int red, int green, int blue);
// Stage j takes *first, then stage k takes *second (so with j == k the second wins); stage n
// becomes current and n + 1 stages are in use. The DPI panel swaps two stages with it.
bool WriteDpiStageOrder(const DpiStage *first, const DpiStage *second, int k, int j, int n);
// Mode 0 switches the light off and keeps the last effect; any other mode switches it on with that
// effect.
bool WriteDpiLightMode(int mode);
bool WriteLightMode(int mode);
bool WriteLightColor(int red, int green, int blue);

bool WriteButtonFunction(int slot, int category, int code, int param);
// The button's function first, then its key record (multimedia keys and key combinations).
bool WriteButtonKeyRecord(int slot, const ButtonFunction *function, const KeyRecord *keys);
// The button's function first, then its macro.
bool WriteButtonMacro(int slot, const ButtonFunction *function, const MacroRecord *macro);

// Sends the current record as it stands, without asking whether the device answers (nothing is
// sent to a device whose record has not been read).
void WriteFlashData();

// The whole record replaced and sent, as one write (a settings import); on failure the record
// stays as it was.
bool WriteWholeRecord(const FlashDataMap &record);
// The record as it stands sent, as one write (before the device is reset to its factory state).
bool SendCurrentRecord();
