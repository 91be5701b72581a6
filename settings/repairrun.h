#pragma once

#include "core/locked.h"
#include "core/updatefailinfo.h"

#include <QByteArray>
#include <QString>

// The firmware repair as it runs: what the repair check found, which stage is being written, and
// whether an image is being written at all. One for the whole process, because the device
// library's upgrade callback has no dialog to refer to. The GUI thread writes it while no repair
// runs (the check, a start); from a start until the last stage ends only the callback does, and
// then only under the value's lock, which it never holds across a library call or an emission.
namespace RepairRun {

struct State
{
    // The failure record the last check read.
    UpdateFailRecord FailInfo;
    // The receiver class (1, 2, 4 or 8) the receiver image is named by; 0 when none.
    int RepairReceiverCode = 0;
    int RepairCid = 0;
    int RepairMid = 0;
    // The model name of the mouse image (Drive<N>/MM).
    QString MouseImageName;
    // 0 while the receiver image is written, 1 for the mouse image.
    int RepairStage = 0;
    // The stage of the target the record names: 0 the receiver, 1 the mouse.
    int FailedStage = 0;
    // 2 when the last check found images for both targets: the progress is then split in halves.
    int RepairStageCount = 1;
    // From a start until the last stage ends: an image is being written, and the dialog cannot be
    // closed.
    bool RepairBusy = false;
    // What the running stage's failure record replaced when the stage began.
    QString ReplacedRecord;
};

Locked<State> &Shared();

bool Busy();

// A library that takes an image and then never reports again would hold the dialog open for good:
// after this long without a message the repair counts as failed. Tests shorten it.
int SilenceLimitMs();
void SetSilenceLimitMsForTest(int milliseconds);

// Writes `image` for `stage`: the repair runs (AutoRepairRunning, UpdateIdle 0, RepairBusy) before
// the library is asked, as the whole stage may end before UsbUpgrade_Start returns, and the
// stage's failure record is written, as the device may be cut off in boot mode from then on; a
// stage that ends well removes only its own target's record. False when the library refuses the
// image: the failure is shown, the flags and the record are as before. GUI thread.
bool Start(int stage, const QByteArray &image);

// When the running repair has heard nothing from the library for longer than the limit: the repair
// fails, with the failure record, as the device may be half-written; messages of that stage that
// come later change nothing. True when it gave up. GUI thread.
bool GiveUpWhenSilent();

} // namespace RepairRun

// The callback handed to UsbUpgrade_Start for a repair: {7, 1, percent} progress, {7, 2, 1} a
// stage done, {7, 2, other} a stage failed; anything else, or a message while no repair runs, is
// ignored. Runs on the device library's upgrade thread; starts the mouse stage itself.
int RepairCallback(unsigned char *message);
