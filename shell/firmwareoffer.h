#pragma once

#include "core/deviceallinfo.h"

#include <QString>

class UpDateRepair;

// What firmware the program could offer for a device that cannot simply be opened: the home
// page's tile click and the main window's Space key decide between pairing, a firmware notice and
// a receiver repair from it.
struct FirmwareOffer
{
    // The mouse firmware version last reported for the model; empty when none was stored.
    QString MouseVersion;
    bool MouseImage = false;
    bool ReceiverImage = false;
};

// The model group "Drive" + (driveIndex + 1) of Config.ini.
QString ModelGroup(int driveIndex);

// Reads the stored mouse version of the device's model and, when there is one, looks for a mouse
// image (held for the update engine) and then, when receiverKey names a receiver image of the
// model, for a receiver image (held by `repair`). Without a stored version nothing is looked up.
FirmwareOffer CheckFirmwareOffer(const DeviceAllInfo &device, const QString &receiverKey,
                                 UpDateRepair &repair);
