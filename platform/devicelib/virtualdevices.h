#pragma once

#include "core/record/screenclock.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <QVector>

// The virtual devices on the simulated bus. A receiver and a mouse's cable are the USB devices
// the program enumerates; the mouse itself is reached through its receiver (when paired to it and
// awake) or through its cable. A device in boot mode waits for a firmware image: it is not
// enumerated and does not answer, and only an upgrade reaches it. A screen device is a USB entry
// of its own that only a search of its HID collection finds (screenbus.h).

// What a device keeps of its firmware upgrades.
struct UpgradeState
{
    // Waiting for an image: while an upgrade transfers, and after one that did not complete, until
    // an upgrade completes. Stored, so it holds after a restart.
    bool bootMode = false;
    // The device's first upgrade (upgrades == 0) fails when its transfer reaches this percent; -1:
    // it does not. From the device set only.
    int failsAt = -1;
    // Upgrades the device has begun; stored.
    int upgrades = 0;
};

struct VirtualReceiver
{
    QString name;
    unsigned char kind = 1; // connection kind 0, 4, 1 or 5: receiver class 1, 2, 4 or 8
    QByteArray vid;         // the vendor and product identifier texts it answers to
    QByteArray pid;
    unsigned char id[3] = {0x52, 0x31, 0x01}; // the receiver identifier
    quint16 version = 0x0100;                 // firmware version word, also its USB device version
    QByteArray dongleRgb; // 10-byte LED record, byte 0 the mode 1..3 (kind 1 only)
    unsigned char longRange = 0;
    bool plugged = true;
    // The last pairing window since the receiver was plugged in: the status it reports
    // (PairStatus), the customer identifier it accepts, the status reads it has answered and when
    // it opened.
    int pairStatus = 0;
    unsigned char pairCid = 0;
    int pairReads = 0;
    QElapsedTimer pairOpened;
    UpgradeState upgrade;

    bool hasLed() const { return kind == 1; }
};

struct VirtualMouse
{
    QString name;
    unsigned char cid = 0;
    unsigned char mid = 0;
    QString receiver;         // the receiver it is paired to; empty when unpaired
    bool awake = true;        // online on its wireless link
    quint16 version = 0x0100; // firmware version word
    int battery = 100;        // percent
    bool charging = false;
    int profile = 0;
    QByteArray record; // the stored configuration as the program's record, within the
                       // device's limits (see configurationimage.h)
    bool batteryOptimize = true;
    bool cablePlugged = false;
    unsigned char cableKind = 2; // any kind with a bit outside 0x05 is a cable connection
    QByteArray cableVid;
    QByteArray cablePid;
    // Held in its pairing state (its three buttons pressed until the pairing light flashes): the
    // next pairing window of a receiver for its customer identifier takes it. Not stored.
    bool pairing = false;
    // Upgraded through its cable.
    UpgradeState upgrade;
};

// What a receiver answers to a pairing status read (event type 6, payload byte 0).
enum PairStatus
{
    PairIdle = 0, // no pairing window since the receiver was plugged in
    PairOpen = 1, // the window is open, no mouse taken yet
    PairFailed = 2,
    PairDone = 3
};

// A device with a picture screen: it keeps a clock that clock packets set.
struct VirtualScreen
{
    QString name;
    QByteArray pid; // the product identifier text it answers to, with any vendor text
    bool plugged = true;
    // The clock as the last packet it took set it; stored.
    bool clockSet = false;
    ScreenClock::Reading clock;
};

struct DeviceSet
{
    QVector<VirtualReceiver> receivers;
    QVector<VirtualMouse> mice;
    QVector<VirtualScreen> screens;
};

// Path texts of the USB entries; device names are restricted to letters, digits, '-' and '_'.
namespace DevicePaths {
QByteArray receiver(const QString &name);
QByteArray cable(const QString &mouse);
QByteArray screen(const QString &name);
} // namespace DevicePaths
