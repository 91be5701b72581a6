#pragma once

#include "core/deviceallinfo.h"
#include "core/locked.h"
#include "core/record/flashdatamap.h"
#include "core/throttleclock.h"

#include <QByteArray>
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

Q_DECLARE_METATYPE(DongleRGB)

// The selected device: its description and the path the device library reaches it by, kept
// under one lock so that nobody reads the description of one device with the path of another,
// and the generation of the selection. The generation changes with every new selection (a set
// that changes the path is one) and when the device page is left: what the device service pass,
// the device's events and the current record were doing under an older generation no longer
// counts for the device the user now looks at.
class DeviceSelection
{
public:
    struct Snapshot
    {
        DeviceAllInfo Info;
        QByteArray Path;
        quint64 Generation = 0;
    };

    Snapshot get() const;
    quint64 generation() const { return m_generation.load(); }
    // A new selection: the description, its path and a new generation in one step.
    void select(const DeviceAllInfo &device);
    // The same device under a new generation.
    void renew();
    // Runs f on the description, but only while the selection is still `generation`.
    template <typename F>
    bool updateIf(quint64 generation, F &&f)
    {
        QMutexLocker locker(&m_mutex);
        if (m_generation.load() != generation)
            return false;
        const PathWatch watch(*this);
        std::forward<F>(f)(m_info);
        return true;
    }

    // The two halves under their own names, each with the get/set/with of a Locked value.
    class InfoView
    {
    public:
        explicit InfoView(DeviceSelection &selection) : m_selection(selection) {}
        DeviceAllInfo get() const;
        void set(DeviceAllInfo info);
        template <typename F>
        auto with(F &&f)
        {
            QMutexLocker locker(&m_selection.m_mutex);
            const PathWatch watch(m_selection);
            return std::forward<F>(f)(m_selection.m_info);
        }

    private:
        DeviceSelection &m_selection;
    };

    class PathView
    {
    public:
        explicit PathView(DeviceSelection &selection) : m_selection(selection) {}
        QByteArray get() const;
        void set(QByteArray path);

    private:
        DeviceSelection &m_selection;
    };

private:
    // Starts a new generation when the description's path changed while it lived (the lock held).
    class PathWatch
    {
    public:
        explicit PathWatch(DeviceSelection &selection)
            : m_selection(selection), m_path(selection.m_info.Path)
        {}
        ~PathWatch()
        {
            if (m_selection.m_info.Path != m_path)
                m_selection.m_generation.fetch_add(1);
        }

    private:
        DeviceSelection &m_selection;
        const QString m_path;
    };

    mutable QMutex m_mutex;
    DeviceAllInfo m_info;
    QByteArray m_path;
    // Starts at 1: 0 stands for "read under no selection".
    std::atomic<quint64> m_generation{1};
};

// Requests for a device service pass. Every request counts: a pass serves the requests made
// before it began, and the service runs again while more have been made since, so no request is
// lost to a pass that was already under way. Any thread.
class PassRequests
{
public:
    void request() { m_requested.fetch_add(1); }
    bool pending() const { return m_served.load() < m_requested.load(); }
    // What a pass that begins now serves.
    quint64 begin() const { return m_requested.load(); }
    void served(quint64 upTo);
    // Every request made until now counts as served.
    void clear() { served(m_requested.load()); }

private:
    std::atomic<quint64> m_requested{0};
    std::atomic<quint64> m_served{0};
};

// What the device link knows of its server, its reads and its writes. core/devicelink.h keeps
// it; nobody else reads or writes it.
struct DeviceLinkBook
{
    // Changes with every start and stop of the device server.
    quint64 ServerGeneration = 0;
    bool ServerRunning = false;
    // The selection generation the running server serves.
    quint64 ServerSelection = 0;
    // The selection generation CurrentFlashData was last read under; 0: never read.
    quint64 RecordReadFrom = 0;
    // Every change of CurrentFlashData, to tell whether a send carried the latest record.
    quint64 RecordVersion = 0;
    // Sends of the record begun and ended (written or refused).
    quint64 WritesStarted = 0;
    quint64 WritesDone = 0;
    // WritesStarted when the last whole reply was taken: what a reply to a read asked outside
    // the link is judged by.
    quint64 WritesAtLastRead = 0;
    // For each whole read asked and not yet answered, in order: WritesDone when it was asked.
    QList<quint64> PendingReads;
};

// The process-wide state of the selected device and the flags that coordinate the pages, the
// device service pass (its own thread) and the device library's callback threads. One instance,
// created on first use and never destroyed (library threads may still run while the process
// exits).
//
// Thread rules:
// - Flags and small numbers are atomics: read and write them from any thread.
// - The record, the device descriptions, the texts and the library cells are Locked values: take
//   a copy with get(), replace with set(), or change in place with with(). No lock is ever held
//   across a blocking hub emission or a library call.
// - CurrentDeviceInfo and DevicePath are the two halves of one Selection. DevicePath is the
//   program's own copy of the path (never a pointer into a library array). A pass reads the
//   selection once, whole, with Selection.get().
// - The record is changed and sent only through core/devicelink.h, which knows which device it
//   was read from and which writes it carries.
// Ordering the pages and the device service rely on:
// - a starter requests a pass (ReadAllPending) before it starts WorkerThread;
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
    DeviceSelection Selection;
    DeviceSelection::InfoView CurrentDeviceInfo{Selection};
    DeviceSelection::PathView DevicePath{
        Selection}; // "" until the service sets its placeholder "a"
    Locked<DeviceLinkBook> Link;
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
    PassRequests ReadAllPending;
    std::atomic<quint8> DeviceOnline{0};
    std::atomic<quint8> OnlineAtLastRead{0};
    std::atomic<quint8> LastPassOnline{0};
    std::atomic<quint8> RecheckOnline{0};
    std::atomic<quint8> RereadWhenOnline{0};
    // Set while the offline notice shown is about a write the device answered for but did not
    // take: its answering again is no news, so the online check leaves that notice to the user.
    // Cleared when the notice closes.
    std::atomic<quint8> KeepOfflineNotice{0};
    std::atomic<quint8> RereadRequested{0};
    std::atomic<quint8> ResetClearPending{0};
    // The path of the device a reset left with its battery optimisation off (core/
    // batteryoptimize.h); empty when no device owes it.
    Locked<QByteArray> BatteryOptimizeOwedBy;
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
    // Invalid (not started) until the service object starts it; monotonic, so a clock change
    // cannot stretch or skip the 3000 ms re-read throttle.
    Locked<ThrottleClock> ConfigRereadTimer;

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

// The one DeviceState, as every page and the device side reach it. Any thread.
inline DeviceState &State()
{
    return *DeviceState::instance();
}
