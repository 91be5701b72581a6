#pragma once

#include <QString>

// The record a firmware update or repair leaves in the registry value UpdateFailInfo when it did
// not complete (core/registryvalues.h): four decimal integers joined by ",", the failed target
// (210 mouse, 211 receiver), the receiver class the images were named by, the customer id and the
// model id. Every reader of the value goes through this parser, so that the home page's Repair
// button, the settings page's update check and the repair check agree on what counts as a record.
struct UpdateFailRecord
{
    int Target = 0;
    int ReceiverCode = 0; // as written; only 1, 2, 4 and 8 name a receiver image
    int Cid = 0;
    int Mid = 0;
};

// Parses the value's text. An empty text is no record. A text that is not exactly four decimal
// numbers of 32 bits is refused: it counts as no record, is reported on the debug output (named,
// so that whoever looks into the registry finds it) and is left as it is, as nothing here writes.
bool ParseUpdateFailInfo(const QString &text, UpdateFailRecord *record);

// The record in the registry now; false when there is none or its text is refused. Any thread.
bool ReadUpdateFailRecord(UpdateFailRecord *record);
bool HasUpdateFailRecord();

// The record as the update engine and the repair write it.
QString UpdateFailInfoText(int target, int receiverCode, int cid, int mid);

// A device waits in boot mode from the moment the library takes its image, also through a crash or
// a power cut, and only the record lets the next start repair it: an upgrade writes its record
// just before UsbUpgrade_Start. Returns the text it replaced ("" when there was none), for
// RestoreUpdateFailInfo and UpgradeSucceeded. Any thread.
QString ArmUpdateFailInfo(const QString &record);
// The library refused the image, so the device holds what it held before: the replaced text
// (or none) comes back.
void RestoreUpdateFailInfo(const QString &replaced);
// The upgrade whose record is `armed` ended well: only a record of its own target goes. A record
// it replaced that names the other target comes back, as that device still waits in boot mode.
void UpgradeSucceeded(const QString &armed, const QString &replaced);
// Removes the record when it names `target`; a record of the other target stays.
void RemoveUpdateFailInfoOf(int target);

// A firmware update or repair runs, from its start until its last stage ended (the engine and the
// repair clear UpdateIdle meanwhile). Nothing may end the program then, and no Repair is offered
// for the record the run keeps. Any thread.
bool FirmwareRunUnderWay();
// The home page offers Repair: a record, and no run that may still end well.
bool RepairOffered();
