#pragma once

#include "core/record/firmwareheader.h"
#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/virtualdevices.h"

#include <QByteArray>
#include <QHash>
#include <QMutex>
#include <QSet>
#include <QStringList>

#include <atomic>
#include <memory>

class CallbackThread;

// The simulated USB bus: the virtual devices, the device server and the hot-plug notification.
// Every public operation is safe from any thread. One mutex guards the devices; it is never held
// while a callback runs (callbacks run on the library threads of CallbackThread, which take no
// lock of the bus), so a callback may call any operation again and may wait for a thread that is
// itself calling one.
//
// simulatedbus.cpp holds the devices, the queries and the hot-plug side; busserver.cpp the device
// server, its requests and the events; buspairing.cpp the receivers' pairing windows;
// busupgrade.cpp the firmware upgrades.
class SimulatedBus
{
public:
    enum class Request
    {
        ReadAllFlashData,
        ReadBatteryLevel,
        ReadConfig,
        ReadVersion,
        ReadCurrentDpi,
        ReadReportRate,
        ReadDpiLed,
        ReadLedBar,
    };

    // The one bus, made with the device set of the environment on first use; never destroyed, as
    // library threads may use it while the process exits.
    static SimulatedBus &instance();

    // --- Device set and lifetime ---
    // Replaces every device by those of set, each with its stored state; stops the server and the
    // following of a device set file.
    void load(const DeviceSet &set);
    // A restart: the devices of the current set come back from their definitions and stored state
    // only; the server and the hot-plug registration end.
    void restart();
    // Loads the set of a device set file and follows the file from then on: each change of it
    // comes to the devices as changeDeviceSet() (devicesetfollower.h). A load ends the following.
    void follow(const QString &file, const DeviceSet &set);
    // The difference of `set` to the set loaded or followed last, as it shows on real hardware: a
    // device that left is unplugged, one that came is plugged in with its stored state, and a
    // change of Online, Cable or Plugged wakes, sends to sleep, plugs or pulls as the test control
    // does. Other keys count from the next start. Dropped when the set has been loaded since the
    // following of `following` began (busdeviceset.cpp).
    void changeDeviceSet(const DeviceSet &set, int following);
    void setLatency(int milliseconds);
    int latency() const { return m_latencyMs.load(); }
    // Sleeps for the transfer latency (outside any lock).
    void transfer() const;

    // --- Queries (the finder operations) ---
    QVector<QByteArray> find(const QByteArray &vid, const QByteArray &pid);
    UsbDeviceInfo deviceInfo(const QByteArray &path);
    bool usbVersion(const QByteArray &path, quint16 *version);
    bool online(const QByteArray &path);
    bool onlineStatus(const QByteArray &path, unsigned char *status);
    int mouseVersion(const QByteArray &path);
    bool receiverVersion(const QByteArray &path, int *version);
    bool dongleRgb(const QByteArray &path, unsigned char *rgb);
    bool setDongleRgb(const QByteArray &path, const unsigned char *rgb);
    bool longRange(const QByteArray &path, unsigned char *mode);
    bool setLongRange(const QByteArray &path, unsigned char mode);

    // --- Hot-plug ---
    void startHotPlug(UsbChangedCallback callback);
    void stopHotPlug();

    // --- Device server (busserver.cpp) ---
    bool startServer(const QByteArray &path, UsbServerEventCallback callback);
    void exitServer();
    bool request(Request request);
    bool setDriverStatus(unsigned char attached);
    bool setBatteryOptimize(unsigned char enable);
    bool clearSettings();
    bool setCurrentConfig(unsigned char profile);
    bool update(const unsigned char *record);
    bool injectEvent(const QByteArray &header, const QByteArray &payload);

    // --- Pairing (buspairing.cpp) ---
    bool enterPairing(unsigned char cid);
    bool readPairStatus();
    bool setPairing(const QString &mouse, bool pairing);
    void setPairStatusReads(int reads);
    void setPairWindow(int milliseconds);
    void failPairingAtNextRead();
    void setPairingStaysOpen(bool open);

    // --- Firmware upgrade (busupgrade.cpp) ---
    // The plugged devices in boot mode that the image is for; 0 for an image shorter than a
    // header.
    int countBootDevices(const QByteArray &image);
    // Checks the image, picks its device and starts the transfer on the upgrade thread; false
    // (nothing changed, the log says why) when the image or the device will not do.
    bool startUpgrade(const QByteArray &image, UsbUpgradeCallback callback);
    // The eight lines on the last upgrade that failed or was refused.
    QVector<QByteArray> upgradeLog() const;
    void failNextUpgradeAt(int percent);
    void setUpgradeSilent(bool silent);
    void setUpgradeStepDelay(int milliseconds);
    // Of the device of that name: its firmware version word and whether it waits in boot mode;
    // -1 for a name the set does not have.
    int firmwareVersion(const QString &device) const;
    int bootMode(const QString &device) const;

    // --- Changes on the device side (the test control) ---
    bool plugReceiver(const QString &name, bool plugged);
    bool plugCable(const QString &mouse, bool plugged);
    bool setAwake(const QString &mouse, bool awake);
    bool setBattery(const QString &mouse, int level, bool charging);
    bool reportBattery(const QString &mouse);
    bool pressDpiButton(const QString &mouse);
    bool setReportRateOnDevice(const QString &mouse, unsigned char code);
    bool setProfileOnDevice(const QString &mouse, int profile);
    bool setDpiLightOnDevice(const QString &mouse, const QByteArray &block);
    bool setLedBarOnDevice(const QString &mouse, const QByteArray &block);
    bool setReceiverLedOnDevice(const QString &receiver, unsigned char mode);
    bool setLongRangeOnDevice(const QString &receiver, bool on);
    void setNoAnswer(const QString &operation, int times);
    void setEmptyDeviceInfoReplies(const QByteArray &path, int count);
    QByteArray storedRecord(const QString &mouse) const;
    int profile(const QString &mouse) const;
    bool batteryOptimize(const QString &mouse) const;
    int driverStatus() const;

    // Waits until every change of device state made so far is in the device store. Never call it
    // with m_mutex or m_storeMutex held or on the store thread.
    void waitForStore();

private:
    SimulatedBus();

    // The body of load() and restart().
    void replaceDevices(const DeviceSet &set);

    // What a path reaches. Only valid while m_mutex is held.
    struct Target
    {
        VirtualReceiver *receiver = nullptr; // the path is this receiver
        VirtualMouse *mouse = nullptr;       // the mouse behind the path (paired or on the cable)
        bool reachable = false;              // the mouse answers
    };
    Target resolve(const QByteArray &path);
    VirtualMouse *mouseNamed(const QString &name);
    VirtualReceiver *receiverNamed(const QString &name);
    VirtualReceiver *pairedReceiver(const VirtualMouse &mouse);
    bool anyPlugged() const;
    // The changes on the device side, for the test control and for a followed device set file
    // (m_mutex held).
    void plugLocked(VirtualReceiver &receiver, bool plugged);
    void plugCableLocked(VirtualMouse &mouse, bool plugged);
    void setAwakeLocked(VirtualMouse &mouse, bool awake);
    // A device that leaves the set (busdeviceset.cpp; m_storeMutex and m_mutex held): what it has
    // not written yet is written first, as a device's flash keeps what it was told before its
    // plug was pulled.
    void removeReceiver(const QString &name);
    void removeMouse(const QString &name);
    void addReceiver(const VirtualReceiver &receiver);
    void addMouse(const VirtualMouse &mouse);
    // Takes one pending "no answer" of the operation (m_mutex held).
    bool noAnswer(const char *operation);
    void prepare(VirtualMouse &mouse);
    void prepare(VirtualReceiver &receiver);
    // Queue a write of the device's state to the device store (m_mutex held). The store thread
    // writes it shortly after, as a device writes its flash after the transfer that changed it:
    // the caller does not wait for the disk. For what the device changes on its own.
    void persist(const VirtualMouse &mouse);
    void persist(const VirtualReceiver &receiver);
    // Writes the device's state as it will be once a write the program sent is taken, before it is
    // taken (m_storeMutex, then m_mutex held): false when the store cannot hold it, and the device
    // then refuses the write and keeps its state, as a device whose flash write failed. The
    // program's writes so wait until the file holds the state (a crash of the program cannot lose
    // it), not for the disk's sync: that follows on the store thread (syncSoon), as a device's
    // flash cell settles after its write. image: the configuration image of mouse.record, when
    // at hand.
    bool storeNow(const VirtualMouse &mouse, const QByteArray &image = {});
    bool storeNow(const VirtualReceiver &receiver);
    void syncSoon();
    // On the store thread: writes the state of every device changed since its last write, then
    // syncs what was written.
    void writeStore();

    // Queues a hot-plug call (m_mutex held).
    void notifyPlugChange();
    // Queues an event of the server's device (m_mutex held). Only while the server's path reaches
    // this mouse and the mouse answers, or, for receiver events, when the server's path is this
    // receiver.
    void sendFromMouse(const VirtualMouse &mouse, unsigned char type, unsigned char command,
                       const QByteArray &payload);
    void sendFromReceiver(const VirtualReceiver &receiver, unsigned char type,
                          const QByteArray &payload);
    void post(unsigned char type, unsigned char command, const QByteArray &payload);
    void postRaw(const QByteArray &header, const QByteArray &payload);
    bool changeOnDevice(const QString &mouse, int offset, const QByteArray &bytes, int item);
    void stopServerLocked();
    // The mouse a pairing window for cid takes (m_mutex held); null when none is in its pairing
    // state.
    VirtualMouse *pairingMouse(unsigned char cid);
    // The receiver plugged in at the server's path (m_mutex held); null without one.
    VirtualReceiver *serverReceiver();
    void pair(VirtualReceiver &receiver, VirtualMouse &mouse);
    // The device an upgrade with this image would write (m_mutex held); *problem says why there
    // is none.
    struct UpgradeDevice
    {
        VirtualReceiver *receiver = nullptr;
        VirtualMouse *mouse = nullptr;
        UpgradeState *state() const { return receiver ? &receiver->upgrade : &mouse->upgrade; }
        QString name() const { return receiver ? receiver->name : mouse->name; }
    };
    // An image's header with the model it names in the shipped Config.ini (busupgrade.cpp).
    struct ImageTarget;
    UpgradeDevice upgradeDevice(const ImageTarget &image, QString *problem);
    UpgradeDevice upgradingDevice(); // the device of m_upgrade; empty when it left the set
    // The running transfer's next step and its end, on the upgrade thread.
    void postUpgradeStep(int generation);
    void upgradeStep(int generation);
    void upgradeEnd(int generation, const QString &failure);

    mutable QMutex m_mutex;
    DeviceSet m_definitions; // the set as loaded or last followed, for a restart
    // Counts the loads and followings: a change read from a file followed before the last one is
    // dropped.
    int m_following = 0;
    QVector<VirtualReceiver> m_receivers;
    QVector<VirtualMouse> m_mice;
    QHash<QString, int> m_noAnswer;     // operation -> calls left without answer (-1 all)
    QHash<QByteArray, int> m_emptyInfo; // path -> empty device-info replies left
    std::atomic<int> m_latencyMs{4};

    // How the receivers' pairing windows behave (the test control); back to these at every load.
    struct PairingControls
    {
        int readsAtOpen = 2; // status reads answered "open" before a mouse can be taken
        int windowMs = 10000;
        bool failNextRead = false;
        bool staysOpen = false;
    };
    PairingControls m_pairing;

    struct Server
    {
        QByteArray path;
        UsbServerEventCallback callback = nullptr;
        std::shared_ptr<CallbackThread> thread;
        unsigned char sequence = 0;
        int driverStatus = 0;
    };
    std::unique_ptr<Server> m_server;

    // The upgrade under way, and how upgrades behave (the test control; back to these at every
    // load). A load ends the transfer: its device stays in boot mode, as after a power cut.
    struct Upgrade
    {
        int generation = 0;
        QString device;
        bool receiver = false;
        FirmwareHeader header;
        int imageSize = 0;
        quint32 payloadCrc = 0;
        quint16 versionBefore = 0;
        bool startedInBootMode = false;
        int percent = 0;
        int failsAt = -1;
        UsbUpgradeCallback callback = nullptr;
    };
    std::unique_ptr<Upgrade> m_upgrade;
    int m_upgradeGeneration = 0;
    struct UpgradeControls
    {
        int failNextAt = -1;
        bool silent = false;
        int stepMs = 150;
    };
    UpgradeControls m_upgradeControls;
    QVector<QByteArray> m_upgradeLog;
    std::shared_ptr<CallbackThread> m_upgradeThread;
    int m_driverStatus = 0;

    // While a changed device set is applied: its plug changes are gathered into one hot-plug call,
    // as devices plugged in together make one report.
    bool m_gatheringPlugChanges = false;
    bool m_plugChangeGathered = false;
    UsbChangedCallback m_hotPlugCallback = nullptr;
    std::shared_ptr<CallbackThread> m_hotPlugThread;

    // Every write of the store holds it, taken before m_mutex: the store thread writes a state it
    // copied earlier, and must not write it over a newer one written meanwhile.
    QMutex m_storeMutex;
    // Names of the devices whose state has changed since the store thread last wrote it.
    QSet<QString> m_unsavedMice;
    QSet<QString> m_unsavedReceivers;
    std::shared_ptr<CallbackThread> m_storeThread;
};
