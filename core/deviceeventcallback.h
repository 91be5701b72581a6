#pragma once

// The device server's event callback: handed to the device library with UsbServerC_Start, called
// on the library's event thread for every reply and notice of the selected device. It keeps the
// current record and device description in step with the device, asks for the follow-up reads,
// sends the record back where the device expects it, and tells the pages through the hub. Record
// signals are connected blocking, so the callback waits until each page has filled itself.

// The event types the program handles (header byte 1); every other type is ignored.
enum class DeviceEventType
{
    Battery = 4,
    PairStatus = 6, // only the pairing dialog's callback reads it (core/pairevent.h)
    DataReply = 8,
    ClearDone = 9,
    StatusChanged = 10,
    ConfigReply = 14,
    VersionReply = 18,
    DongleRgbReply = 21,
    LongRangeReply = 23
};

// Header bytes past headerLength count as 0. Runs on a device-library thread only: called on the
// GUI thread it does nothing (its blocking emissions would wait for that thread for ever).
void DeviceEventCallback(const unsigned char *header, int headerLength,
                         const unsigned char *payload, int payloadLength);

// Requests a read of every item that the last status-change event flagged, in the order DPI
// stage, report rate, battery, LED bar, DPI light; a configuration change asks for a full re-read
// at most once per 3000 ms. May run on a device-library thread.
void ReadChangedStatus();
