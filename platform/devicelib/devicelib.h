#pragma once

// The device library: every operation through which the program reaches a mouse, its receiver,
// a device in boot mode or a screen device. This build answers them from a simulated bus of
// virtual devices (platform/devicelib/DEVICES.md), with the shapes and the threading of the
// hardware library:
//
// - Paths are zero-terminated 8-bit texts. The arrays returned by the enumerations, and the path
//   texts in them, stay valid until the process ends and must not be freed; each device's path
//   text is kept once, so enumerating again does not grow memory. Callers copy what they keep.
// - Callbacks run only on the library's own threads, never inside the call that caused them (a
//   request made from the event callback is answered after that callback has returned), and no
//   lock of the library is held while they run: a callback may call back into the library and
//   may wait for the GUI thread.
// - Event payloads handed to the event callback are followed by at least 64 zero bytes beyond
//   payloadLength, so the fixed-size decoders below never read outside a short payload.
// - The whole record crosses as the program's FlashDataMap (core/record/flashdatamap.h).
// - Results are true when the device answered. A device that is not there leaves every output
//   untouched.

#include "core/record/flashdatamap.h"

// The hot-plug callback: called after every plug change (and once after registration while
// devices are present).
using UsbChangedCallback = void (*)();
// The device server's event callback: header bytes (byte 1 the event type, byte 3 the status of a
// data reply, byte 4 its command) and the payload.
using UsbServerEventCallback = void (*)(const unsigned char *header, int headerLength,
                                        const unsigned char *payload, int payloadLength);
// The firmware upgrade's progress callback: message bytes {7, 1, percent} or {7, 2, result}.
using UsbUpgradeCallback = int (*)(unsigned char *message);

// The reply of UsbFinderC_GetDeviceInfo: the 16-bit device identifier (low byte the customer
// identifier, high byte the model identifier) and the connection kind.
struct UsbDeviceInfo
{
    unsigned char Cid;
    unsigned char Mid;
    unsigned char Kind;
};

// Sizes of the small records the program hands in (its own types; the library sees bytes).
inline constexpr int UsbDeviceAttributeSize = 12;  // bytes 8..9: USB device version, little-endian
inline constexpr int OnlineStatusSize = 10;        // byte 6 online, bytes 7..9 receiver identifier
inline constexpr int DongleRgbSize = 10;           // byte 0 the receiver LED mode 1..3
inline constexpr int BatteryStatusSize = 4;        // byte 0 level in percent, byte 1 charging
inline constexpr int StatusChangedFlagsSize = 7;   // one byte per item
inline constexpr int FullConfigurationSize = 6912; // payload of the whole-configuration reply
inline constexpr int DpiLightReplySize = 8;
inline constexpr int LedBarReplySize = 9;
inline constexpr int UpgradeLogLines = 8;

// --- Finding devices (any thread) ---

// Paths of the devices that answer to the vendor and product identifier texts. *count is set to
// the number of paths (0 with no match); its value on entry is not used.
const char *const *UsbFinderC_FindHidDevicesByDefaultDeviceId(const char *vid, const char *pid,
                                                              int *count);
// The same; interfaceId and deviceId select the HID collection on hardware and do not narrow
// the simulated bus.
const char *const *UsbFinderC_FindHidDevicesByDeviceId(const char *vid, const char *pid,
                                                       int interfaceId, int deviceId, int *count);
// The identity of the mouse behind the path: on a receiver the paired mouse (awake or asleep),
// zeros when none is paired; all zero for an unknown path.
UsbDeviceInfo UsbFinderC_GetDeviceInfo(const char *path);
// Fills the 12-byte attribute record (the USB device version at bytes 8..9).
bool UsbFinderC_GetUsbDeviceAttribute(const char *path, unsigned char *attribute);
// True when the mouse behind the path answers.
bool UsbFinderC_GetDeviceOnLine(const char *path);
// Fills the 10-byte online status; true when the receiver or cable answered.
bool UsbFinderC_GetDeviceOnLineWithUsbAddress(const char *path, unsigned char *onlineStatus);
// The mouse firmware version word (major << 8 | minor); 0 when the mouse does not answer.
int UsbFinderC_GetVersion(const char *path);
// The receiver firmware version word into *version; false when the path is no receiver.
bool UsbFinderC_GetSlaveVersion(const char *receiverPath, int *version);
// Receiver LED record (receivers of connection kind 1 only). A read is also answered by the
// receiver's LED reply, event 21, when the device server runs on that receiver.
bool UsbFinderC_Get4KDongleRGBValue(const char *path, unsigned char *dongleRgb);
bool UsbFinderC_Set4KDongleRGB(const char *path, const unsigned char *dongleRgb);
// Long-range mode of the receiver: *mode = 0 off, 1 on; untouched when there is no answer.
bool UsbFinderC_GetLongRangeMode(const char *path, unsigned char *mode);
bool UsbFinderC_SetLongRangeMode(const char *path, unsigned char mode);
// Pairing by cable: gives the mouse on the cable the receiver identifier (3 bytes).
bool UsbFinderC_SetDongleIDToMouse(const char *mousePath, const unsigned char *receiverId);
// The screen device: open one, then exchange a packet of length bytes with it.
bool UsbFinderC_OpenDevice(const char *path);
bool UsbFinderC_ReadWriteDeviceData(const unsigned char *packet, unsigned char *reply, int length);

// --- Hot-plug ---

// Registers the one hot-plug callback, replacing the one before. intervalMs is the polling
// period of the hardware library.
void StartUsbChanged(UsbChangedCallback callback, int intervalMs);
// No call begins after this returns; a call already begun may still be running.
void StopUsbChanged();

// --- The device server: one device, its requests and its events ---

// Starts the server on the device at path (secondPath is the same path on every caller) and
// delivers its events to callback, in order, on the server's event thread. Replaces the running
// server and its callback (a callback of the old server that has begun may still be running).
// Also accepted for a device that is asleep or absent: events come when
// it answers.
bool UsbServerC_Start(const char *path, const char *secondPath, UsbServerEventCallback callback);
// Stops delivery without waiting for a callback that is running (one may have begun just before
// the call); no event begins after it returns. Safe to call from inside the callback.
void UsbServer_Exit();
// Requests to the server's device: true when the request was sent. The answer comes later as an
// event; a mouse that is asleep drops it.
bool UsbServer_SetPCDriverStatus(unsigned char attached);
bool UsbServer_ReadAllFlashData(); // event 8, command 0, 6912 bytes
bool UsbServer_ReadBatteryLevel(); // event 4
bool UsbServer_ReadConfig();       // event 14, the profile in one byte
bool UsbServer_ReadVersion();      // event 18; then UsbFinderC_GetVersion
bool UsbServer_ReadCurrentDPI();   // event 8, command 4, 1 byte
bool UsbServer_ReadReportRate();   // event 8, command 0, 1 byte
bool UsbServer_ReadDPILed();       // event 8, command 0x4C, 8 bytes
bool UsbServer_ReadLedBar();       // event 8, command 0xA0, 9 bytes
bool UsbServer_SetBatteryOptimizeEnable(unsigned char enable);
// Restores the model's factory settings, then sends event 9.
bool UsbServer_SetClearSetting();
bool UsbServer_SetCurrentConfig(unsigned char profile);
// Pairing, on a server running on a receiver: opens the receiver's pairing window for mice of
// that customer identifier. It and every status read are answered by event 6, the status in
// payload byte 0: 1 the window is open, 2 it ended without a mouse, 3 a mouse was paired (the
// receiver then answers for it, and a hot-plug change follows). False, and no event, when the
// server's path is no receiver that is plugged in.
bool UsbServer_EnterDonglePairOnlyCid(unsigned char cid);
bool UsbServer_ReadDonglePairStatus();

// --- Records and replies (pure; any thread) ---

// Sends the whole record to the server's device, which keeps what fits its limits.
bool ProtocolDataUpdate(const FlashDataMap *record);
// Fills the record from a 6912-byte whole-configuration payload; false (record untouched) when
// the payload is damaged.
bool ProtocolDataParser(const unsigned char *payload, FlashDataMap *record);
// Fill the 4 DPI-light bytes (record offset 0x3F) from the 8-byte reply and the 7 light-bar bytes
// (offset 0x43) from the 9-byte reply; false (untouched) when the reply is not such a block.
bool BufferToDPILed(const unsigned char *payload, unsigned char *dpiLight);
bool BufferToLedBar(const unsigned char *payload, unsigned char *ledBar);
// Fill the 4-byte battery record and the 7 status-change flags from their event payloads.
void GetDeviceBatteryStatus(const unsigned char *payload, unsigned char *batteryStatus);
void GetDeviceStatusChanged(const unsigned char *payload, unsigned char *statusFlags);

// --- Firmware upgrade (images are passed with their length) ---
// An image (core/record/firmwareheader.h) is for a device when its target, customer identifier,
// model identifier and model name fit the device's model in the shipped Config.ini: a mouse's
// MM; a receiver's DM, D2M, D4M or D8M for its class, in the model of the image's identifier.
// A device in boot mode waits for an image: it is not enumerated and answers nothing else.

// *count = the plugged devices in boot mode that the image is for (0 without an image); false
// when there is no header to read.
bool UsbUpgradeC_FindBootDevices(const unsigned char *image, int imageLength, int *count);
// Checks the whole image (magic, length, both checksums) and takes the one plugged device in boot
// mode that it is for, else the one in normal mode (a receiver, or a mouse on its cable); false,
// with nothing changed and the reason in the log, when the image is damaged or there is no such
// device. Accepted, the device enters boot mode and leaves enumeration (a hot-plug change); the
// upgrade thread then reports {7, 1, percent} per step and {7, 2, 1} when the device comes back
// with the image's version (a hot-plug change again). A failure or an unplug mid-transfer reports
// {7, 2, 0} and leaves the device in boot mode, also across a restart. May be called from inside
// the callback: the new upgrade begins after the callback returns. timeoutMs is the hardware
// library's transfer time-out.
bool UsbUpgrade_Start(const unsigned char *image, int imageLength, UsbUpgradeCallback callback,
                      int timeoutMs);
// Eight texts about the last upgrade that failed or was refused (empty texts when none). They stay
// valid until the calling thread calls again.
const char *const *UsbUpgradeC_GetLogs();
