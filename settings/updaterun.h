#pragma once

#include <QString>

// One firmware upgrade as the update engine (FormSetting) starts it and the device library's
// upgrade callback reports on it. The engine begins a run with a copy of what the callback needs,
// so that a later image search on the GUI thread, which replaces the image held for the engine,
// cannot change what a running upgrade reports. Nothing here touches a widget: the callback and
// the failures write the update states, the new-firmware flags, the registry and the update log,
// and tell the pages through the hub.
namespace UpdateRun {

struct Run
{
    // The image's version as the version labels show it.
    QString VersionText;
    // The registry value that keeps the model's mouse version ("MouseVer" + CID + MID).
    QString MouseVerName;
    // UpdateFailInfo for this run: target, receiver class, customer and model id.
    QString FailRecord;
    // What the record replaced when the run began (Begin fills it in).
    QString ReplacedRecord;
};

// Just before UsbUpgrade_Start: writes the run's failure record, which only a success removes, as
// the device may be cut off in boot mode at any moment from now on. Also starts the silence clock.
void Begin(const Run &run);
// Nothing from the library for UpgradeWatchdog::LimitMs since its last upgrade message, or since
// Begin.
bool FellSilent();

// The library refused the image: every running target fails (state 3, the failure shown, the
// library's reasons in the update log), and the record Begin replaced comes back, as the device
// holds what it held before. GUI thread.
void Refused();
// The upgrade ended badly, or the library fell silent in the middle of it: the update log, both
// new-firmware flags cleared, every running target failed, the failure shown, and the failure
// record for the repair, as the device may be half-written. Any thread.
void Failed();

// Writes the library's eight lines on the last failed upgrade to the update log, one line each
// (LF). Without a place to write them (no Exception folder) nothing is written and the library is
// not asked. Any thread.
bool WriteLog();

} // namespace UpdateRun

// The callback handed to UsbUpgrade_Start: {7, 1, percent} progress, {7, 2, 1} success,
// {7, 2, other} failure; any other message is ignored. Runs on the device library's upgrade
// thread.
int UpdateCallback(unsigned char *message);
