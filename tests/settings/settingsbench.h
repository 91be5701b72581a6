#pragma once

#include "core/deviceallinfo.h"
#include "tests/linksupport/linkbench.h"
#include "tests/support/child.h"

#include <QByteArray>
#include <QString>

#include <QWidget>

// A fresh simulated bus and a fresh device state for one test of the settings page (a LinkBench
// of the given device set). Writes are enabled, as on the device page, and the shipped language
// files are loaded. The app folder is one of its own that shares the build's files but has no
// firmware images, so that devices of any version are offered no update, unless the test asks for
// the shipped images.
class SettingsBench : public LinkBench
{
public:
    explicit SettingsBench(const QByteArray &deviceSet);
    ~SettingsBench() override;

    // Makes the device at `path` the current one, as the device page has it: its description
    // (customer 12, model 10, the kind given, wired for a cable kind, online, model section
    // "Drive" + (driveIndex + 1) of the shipped Config.ini), DevicePath and OnDevicePage.
    static DeviceAllInfo select(const QByteArray &path, int kind, int driveIndex = 0);
    // The device server on the selected device with the device-event callback, and the device's
    // record read by one whole reply, as the device page has them.
    static bool readDevice();

    // Loads `configIni` as the program's Config.ini until the bench ends.
    void useConfigIni(const QByteArray &configIni);
    // The build's firmware images in the app folder's bin/.
    void useShippedFirmware();

private:
    bool m_ownConfig = false;
};

// Receiver "R" (kind 1, LED mode 1, long range off) with the mouse "M" of the first model (Cid 12,
// Mid 10) paired to it and awake; the mouse has a cable (PID 0x1201) the test may plug in.
extern const QByteArray ReceiverWithMouse;

QByteArray receiverPath(const char *name = "R");

// The receiver's LED mode and long-range mode as the simulated receiver stored them; -1 while it
// has stored nothing (it stores only what was changed).
int receiverLedMode(const char *name = "R");
int receiverLongRange(const char *name = "R");
