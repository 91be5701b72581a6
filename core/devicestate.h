#pragma once

#include "core/deviceallinfo.h"
#include "core/locked.h"
#include "core/record/flashdatamap.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QtGlobal>

#include <atomic>

class QTimer;
class UpDateRepair;
class Worker;

// Records the device library fills through a pointer. Sizes are what the library writes into
// them; the unnamed bytes are passed to and from the library untouched.
struct DongleRGB
{
    quint8 Mode; // receiver LED mode 1, 2 or 3
    quint8 Rest[9];
};
static_assert(sizeof(DongleRGB) == 10, "the library reads and writes 10 bytes");

struct BatteryStatus
{
    quint8 Level;    // percent
    quint8 Charging; // non-zero while charging
    quint8 Unused[2];
};
static_assert(sizeof(BatteryStatus) == 4, "the library writes 4 bytes");

struct StatusChangedFlags
{
    // Index of the item in Changed; a non-zero byte means the device changed that item.
    enum Item
    {
        DpiStage = 0,
        ReportRate = 1,
        Configuration = 2,
        DpiLight = 3,
        LedBar = 5,
        Battery = 6
    };
    quint8 Changed[7];
};
static_assert(sizeof(StatusChangedFlags) == 7, "the library writes 7 bytes");

struct OnlineStatus
{
    quint8 Bytes[10]; // byte 6: 1 = mouse online; bytes 7..9: receiver identifier
    bool online() const { return Bytes[6] == 1; }
    QList<quint8> receiverId() const { return {Bytes[7], Bytes[8], Bytes[9]}; }
};
static_assert(sizeof(OnlineStatus) == 10, "the library writes at most 10 bytes");

Q_DECLARE_METATYPE(DongleRGB *)

// The process-wide state of the selected device and the flags that coordinate the pages, the
// device service pass (its own thread) and the device library's callback threads. One instance,
// created on first use and never destroyed (library threads may still run while the process
// exits).
//
// Thread rules:
// - Flags and small numbers are atomics: read and write them from any thread.
// - The record, the device descriptions, the texts and the library cells are Locked values: take
//   a copy with get(), replace with set(), or change in place with with(). No lock is ever held
//   across a blocking hub emission or a library call that calls back.
// - DevicePath is the program's own copy of the path (there is no separate buffer to point into,
//   and never a pointer into a library array). Per-device library calls read it with get() and
//   call the library with the copy after the lock is released.
// Ordering the pages and the device service rely on:
// - a starter sets ReadAllPending before it starts WorkerThread;
// - the device-event callback fills CurrentFlashData completely before it emits copies;
// - pages receive records by value (a get() copy), never a pointer into CurrentFlashData;
// - the signals that carry records from the callback to the pages are blocking queued
//   (ConnectBlocking), so the callback waits until each page has filled itself.
class DeviceState
{
public:
    static DeviceState *instance();

    // Tests only: puts every value back to its initial value. Call it only while no other thread
    // uses the state (no device server, no service pass running).
    static void ResetForTest();

    // The selected device and its record.
    Locked<FlashDataMap> CurrentFlashData; // all zero until the first read
    Locked<DeviceAllInfo> CurrentDeviceInfo;
    Locked<QByteArray> DevicePath; // "" until the service object sets its placeholder "a"
    Locked<QString> DeviceCacheName;
    Locked<QString> OnlineCacheName;
    Locked<QList<qint32>> KeptKeySlots;

    // Library cells, zero-filled at start.
    Locked<DongleRGB> CurrentDongleRGB;
    Locked<BatteryStatus> BatteryCell;
    Locked<StatusChangedFlags> StatusChangedCell;
    Locked<OnlineStatus> HomeOnlineStatusCell;
    Locked<OnlineStatus> DeviceOnlineStatusCell;

    // Device service and device-event coordination.
    std::atomic<quint8> ReadAllPending{0};
    std::atomic<quint8> DeviceOnline{0};
    std::atomic<quint8> OnlineAtLastRead{0};
    std::atomic<quint8> LastPassOnline{0};
    std::atomic<quint8> RecheckOnline{0};
    std::atomic<quint8> RereadWhenOnline{0};
    std::atomic<quint8> RereadRequested{0};
    std::atomic<quint8> ResetClearPending{0};
    std::atomic<quint8> ResetSkipReceiverRead{0};
    std::atomic<quint8> ImportBusy{0};
    std::atomic<qint32> OnDevicePage{0};
    std::atomic<quint8> WriteEnabled{0};
    std::atomic<quint8> SensorFilling{0};
    std::atomic<quint8> ButtonFilling{0};
    std::atomic<quint8> LightFilling{0};
    std::atomic<quint8> SensorUiUpdated{0};
    std::atomic<quint8> ButtonUiUpdated{0};
    std::atomic<qint32> ShowBatteryValueSetting{0};
    std::atomic<Worker *> WorkerThread{nullptr};
    std::atomic<QTimer *> OnlineCheckTimer{nullptr};
    // Invalid (not started) until the service object starts it; QElapsedTimer is monotonic, so
    // a clock change cannot stretch or skip the 3000 ms re-read throttle.
    Locked<QElapsedTimer> ConfigRereadTimer;

    // Firmware update and repair.
    std::atomic<quint8> UpdateIdle{1};
    std::atomic<quint8> UpdateChecking{0};
    std::atomic<quint8> AutoRepairRunning{0};
    // Whether the last new-firmware check offered a receiver (mouse) image. Written by the callers
    // of CheckNewFirmware (the device page's hot-plug handling, the home page's selection, the
    // settings page), cleared when an update ends.
    std::atomic<quint8> ReceiverFirmwareNew{0};
    std::atomic<quint8> MouseFirmwareNew{0};
    // The update engine's run, shared with its library callback: each target's state (0 idle,
    // 1 upgrade running, 2 done, 3 failed, 4 nothing to install), the target (210 mouse, 211
    // receiver) of the upgrade last started, the receiver class (0, 1, 2, 4, 8) it names images
    // by, and how many targets (1 or 2) the update has, which splits the progress.
    std::atomic<qint32> MouseUpdateState{0};
    std::atomic<qint32> ReceiverUpdateState{0};
    std::atomic<qint32> UpdateTarget{0};
    std::atomic<qint32> ReceiverCode{0};
    std::atomic<qint32> UpdateStageCount{1};
    Locked<QString> UpdateWarningText;
    // The settings page's one update and repair dialog, held for the whole run. GUI thread only.
    UpDateRepair *UpdateDialog = nullptr;

    // Pairing from the home page: when PairDeviceSet is 1 the pairing dialog pairs PairDeviceInfo.
    std::atomic<quint8> PairDeviceSet{0};
    Locked<DeviceAllInfo> PairDeviceInfo;
    // The pairing under way, shared by the pairing dialog and its device-library callback:
    // PairResult 0 idle, 1 pairing, 2 paired, 3 failed (core/pairevent.h); PairActive while a
    // pairing request is outstanding; PairPageRestore while the pairing holds OnDevicePage at 0
    // and owes it back.
    std::atomic<qint32> PairResult{0};
    std::atomic<quint8> PairActive{0};
    std::atomic<quint8> PairPageRestore{0};

    // Main window, home page, notices and import.
    std::atomic<qint32> CurrentLanguage{0};
    std::atomic<quint8> MacroRecording{0};
    std::atomic<qint32> MouseOffLineMode{0};
    Locked<QString> HomeNoticeText;
    std::atomic<quint8> ImportDialogOpen{0};
    std::atomic<qint32> ImportResult{0};

private:
    DeviceState() = default;
    DeviceState(const DeviceState &) = delete;
    DeviceState &operator=(const DeviceState &) = delete;
};
