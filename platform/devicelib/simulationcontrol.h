#pragma once

#include "core/record/screenclock.h"
#include "platform/devicelib/calllog.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

// The test control of the simulated device library: what a tester does with the hardware in hand
// (plugging, waking, pressing buttons), what a faulty device does (no answer, empty replies,
// malformed events), and the log of what the program asked. Only tests use it. Devices are named
// by their section names in the device set (DEVICES.md); functions that take a name return false
// for a name that is not in the set. Safe from any thread.
namespace SimulationControl {

// --- The bus ---
// Replaces the devices by the set of an INI file; false (nothing changed) with *error set when
// the file cannot be used.
// Both end the following of a device set file.
bool loadDeviceSet(const QString &file, QString *error = nullptr);
void loadBuiltInDeviceSet();
// Loads the set of a file and follows the file as the program does: each change of it is applied
// to the devices a moment after it was saved (DEVICES.md). False, nothing changed, as for a load.
bool followDeviceSet(const QString &file, QString *error = nullptr);
// How many changed contents of a followed file have been read so far, used or refused: a test
// that changed the file waits until this has grown, then looks at the devices.
int deviceSetReadings();
// A restart of the simulated bus, as at the next start of the program: the devices of the current
// set come back with only their stored state; the server and the hot-plug registration end.
void restartBus();
// Where device state is stored; an empty text returns to the default folder. Takes effect at the
// next load or restart. Devices write their state a moment after it changes; both functions first
// wait until every change made so far is written, so the files can be read right after.
void setStateFolder(const QString &folder);
QString stateFolder();
// Transfer latency of every request and reply (a few milliseconds by default; tests use 0).
void setLatency(int milliseconds);
// Waits up to timeoutMs until no callback into the program runs or waits to run (device events,
// hot-plug), those of stopped servers included; true when none does. A test resets the program's
// state only then, and counts the events of a request once this is true. A callback may be
// waiting for the calling thread (a blocking emission): wait in short steps and serve it between.
bool waitUntilNoCallbackRuns(int timeoutMs);

// --- Paths of the USB entries ---
QByteArray receiverPath(const QString &receiver);
QByteArray cablePath(const QString &mouse);

// --- The hardware in hand ---
bool plugReceiver(const QString &receiver, bool plugged);
bool plugCable(const QString &mouse, bool plugged);
// Awake (online) or asleep on the wireless link.
bool setOnline(const QString &mouse, bool online);
// Each change below is followed by a status-change event (type 10) from the mouse.
bool setBattery(const QString &mouse, int level, bool charging);
bool pressDpiButton(const QString &mouse); // the next DPI stage, wrapping at DpiStageCount
bool setReportRate(const QString &mouse, int code);
bool setProfile(const QString &mouse, int profile);
bool setDpiLight(const QString &mouse, const QByteArray &block4); // record bytes 0x3F..0x42
bool setLightBar(const QString &mouse, const QByteArray &block7); // record bytes 0x43..0x49
// Unprompted events: the battery (type 4), the receiver LED (type 21, only receivers of kind 1),
// the long-range mode (type 23).
bool sendBatteryReport(const QString &mouse);
bool setReceiverLed(const QString &receiver, int mode);
bool setLongRange(const QString &receiver, bool on);
// Holds a mouse in its pairing state (its three buttons pressed) or lets it go.
bool setPairing(const QString &mouse, bool pairing);

// --- Pairing windows (back to the defaults at every load) ---
// How many status reads an open window answers "open" (1) before it can take a mouse; 2 by
// default.
void setPairStatusReads(int reads);
// How long a window waits for a mouse before a read answers "failed" (2); 10000 ms by default.
void setPairWindow(int milliseconds);
// The next status read of an open window answers "failed" and ends the window.
void failPairingAtNextRead();
// Open windows answer "open" for ever (true) or behave again (false).
void setPairingStaysOpen(bool open);

// --- Firmware upgrades (back to the defaults at every load) ---
// The next upgrade fails when its transfer reaches `percent` (-1: it does not).
void failNextUpgradeAt(int percent);
// Accepted upgrades report nothing, ever (true), or behave again (false).
void setUpgradeSilent(bool silent);
// The time between two progress reports of an upgrade (10 % each); 150 ms by default.
void setUpgradeStepDelay(int milliseconds);
// The firmware version word of the device of that name, and whether it waits in boot mode (1) or
// not (0); -1 for a name the set does not have.
int firmwareVersion(const QString &device);
int bootMode(const QString &device);

// --- A faulty device ---
// Any event, well-formed or not, to the running server's callback; false with no server.
bool injectEvent(const QByteArray &header, const QByteArray &payload);
// The next `times` calls of the operation (its library name, e.g. "UsbServer_ReadAllFlashData"
// or "UsbFinderC_GetLongRangeMode") get no answer: no event, outputs untouched. -1: every call;
// 0: answer again.
void setNoAnswer(const QString &operation, int times);
// The next `count` UsbFinderC_GetDeviceInfo calls on the path answer zero identifiers.
void setEmptyDeviceInfoReplies(const QByteArray &path, int count);

// --- Picture screens (back to the defaults at every load) ---
QByteArray screenPath(const QString &screen);
// The next `count` replies to clock packets a screen took carry a wrong checksum, or the day
// after the packet's.
void spoilScreenReplies(bool wrongDay, int count);
// The next `count` packets get no answer (-1: every one; 0: answer again).
void setScreenNoAnswer(int count);
// The clock of the screen of that name as the last packet it took set it; false when none did.
bool screenClock(const QString &screen, ScreenClock::Reading *reading);
// Packets handed to the screens since the last load.
int screenExchanges();

// --- What the device holds ---
QByteArray storedRecord(const QString &mouse); // 10428 bytes; empty for an unknown mouse
int profile(const QString &mouse);
bool batteryOptimize(const QString &mouse);
int driverStatus(); // the last UsbServer_SetPCDriverStatus

// --- The log ---
QVector<CallLog::Call> calls();
// Calls of one operation, in order.
QVector<CallLog::Call> calls(const QString &operation);
QVector<QByteArray> receivedRecords(); // every record ProtocolDataUpdate received
QStringList cutValues();               // every value a device cut to its limits
void clearLog();

} // namespace SimulationControl
