#pragma once

#include "core/deviceallinfo.h"
#include "core/locked.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The device lists that discovery fills. One instance, created on first use, never destroyed.
// The lists are filled on the GUI thread; the device-event callback and the settings page read
// DevicePageList, so every list is a Locked value.
class DeviceLists
{
public:
    static DeviceLists *instance();

    // The last home-page enumeration in enumeration order; the tile builder may remove entries
    // from it, and a tile's number indexes it.
    Locked<QList<DeviceAllInfo>> HomeDeviceList;
    // The same appends and the same replacements at the same index, but no removals. Nothing
    // reads it now: the firmware repair looks for devices in HomeDeviceList.
    Locked<QList<DeviceAllInfo>> HomeDeviceMirror;
    // The last device-page enumeration.
    Locked<QList<DeviceAllInfo>> DevicePageList;
    // The decoded Option lists of the last home-page hot-plug handling; the firmware repair takes
    // a device's receiver class from the list that holds its Pid text.
    Locked<QStringList> WirelessPidList;  // class 1
    Locked<QStringList> Wireless2PidList; // class 2
    Locked<QStringList> Wireless4PidList; // class 4
    Locked<QStringList> Wireless8PidList; // class 8
    Locked<QStringList> AllPidList;

    // Tests only: empties every list. Call only while no other thread uses them.
    static void ResetForTest();

private:
    DeviceLists() = default;
};

// The receiver class of the current device, which names its receiver image: its own kind's for a
// receiver connection; for a mouse on its cable, that of the first unwired entry with a receiver
// identifier in a two-entry DevicePageList (the receiver beside it); 0 when there is none.
int CurrentReceiverClass();

// Option/VID as a list (every element, empty ones included).
QStringList ConfiguredVendorIds();
// The product identifiers to enumerate: the non-empty elements of USB_PID, Wireless_PID,
// Wireless2_PID, Wireless4_PID and Wireless8_PID in this order, duplicates kept.
QStringList ConfiguredProductIds();

// Identifies the device at record.Path for the home page (model, kind, wired, online); true when
// it is to be listed. An unrecognised device is listed with DriveIndex = Option/DeviceTotal.
bool IdentifyDevice(DeviceAllInfo &record);
// Fills HomeDeviceList and HomeDeviceMirror (appending) with every device found for each vendor
// and product pair.
void EnumerateHomeDevices(const QStringList &vids, const QStringList &pids);

// Identifies a device for the device page: 1 a configured model (and, when it is the current
// device, refreshes CurrentDeviceInfo from it), 2 an unknown model of our customer, 3 an unknown
// model of another customer, 0 unidentified or no models configured.
int IdentifyListedDevice(DeviceAllInfo &record, const QByteArray &path);
// Fills DevicePageList (appending) for each vendor and product pair; with a current device only
// devices of its model and unrecognised ones are listed, and DevicePath follows the current
// device's fresh path.
void EnumerateDevicePageDevices(const QStringList &vids, const QStringList &pids);

// Refreshes the online state and receiver identifier of entry i of the home lists; true when the
// device reports a receiver identifier. An index outside HomeDeviceList does nothing (false).
bool RefreshDeviceState(int i);
// Identifies entry i again, refreshes its online state and receiver identifier in both home lists
// and restyles its tile; always true. An index outside HomeDeviceList does nothing.
bool UpdateDeviceTile(int i);

// Makes record the current device when it answers, then asks the device service for a pass. GUI
// thread only.
void SelectOnlineDevice(const DeviceAllInfo &record);
