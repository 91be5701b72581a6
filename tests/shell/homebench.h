#pragma once

#include "core/record/flashdatamap.h"
#include "tests/linksupport/linkbench.h"
#include "tests/support/records.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>

class Dialog;
class DialogChange;
class DialogMain;
class QLabel;
class QWidget;

// A fresh simulated bus and a fresh device state for one test of the home page (a LinkBench of
// the given device set), no mouse firmware version stored by an earlier run, and an app folder of
// its own that shares the build's language files, pictures, Config.ini and sensor header, and may
// get a firmware folder.
class HomeBench : public LinkBench
{
public:
    explicit HomeBench(const QByteArray &deviceSet);

    // Firmware image `name` in <app>/bin: its header's target, version word, customer, model and
    // model name (the Config.ini name, e.g. "ZR35_M10").
    void writeImage(const QString &name, int target, quint32 version, const QByteArray &modelName,
                    int cid = 12, int mid = 10);
    // An empty <app>/bin.
    void makeFirmwareFolder();
    // The build's firmware images as <app>/bin: whole images, which the simulated devices take.
    void useShippedFirmware();
    // The mouse firmware version the program last stored for model Drive1 (CID 12, MID 10); an
    // empty text removes it.
    static void storeMouseVersion(const QString &version);
};

// A receiver of kind 1 ("R", PID 0x1240) with the mouse "M" of model Drive1 on it, awake; the
// mouse can be plugged in by cable (PID 0x1201).
extern const QByteArray OneReceiverSet;

// The widgets of tile `number` of the home page; null when there is no such tile.
QWidget *tileButton(const DialogChange *page, int number);
QLabel *offlineIcon(const DialogChange *page, int number);
QLabel *connectionIcon(const DialogChange *page, int number);
// The main window's page: 0 the home page, 1 the device page.
int currentPage(const DialogMain &window);

// Waits until the home page shows `count` tiles; false on time-out.
bool waitForTiles(const DialogChange *page, int count, int timeoutMs = 5000);

// Clicks tile `number` of the home page, as a user does; the tile must be there.
void clickTile(DialogMain &window, int number = 0);
// Shows the window and opens the device page from the home page's only tile, as a user does;
// then waits until the device link has read the device: its record taken, the reads that follow
// it handled and no pass asked for any more. False when it does not get there.
bool openDevicePage(DialogMain &window);
// Shows the window, opens the device page from the home page's only tile and waits until the page
// shows the mouse's battery (80 % in the device sets here) and the parameter update is over; null
// when it does not get there.
Dialog *openDevicePageSettled(DialogMain &window);

// The reads that follow a whole record of the device page (DPI light, battery, version, profile)
// have been asked and their answers handled: the last of them asked, then no library callback left
// to run. False on time-out.
bool followUpReadsHandled(int timeoutMs = 5000);

// Runs the application's event loop, as the program does, with `action` as its first event;
// returns the loop's result, or -7 when the loop was still running after timeoutMs.
int runEventLoop(const std::function<void()> &action, int timeoutMs = 5000);

// Calls `action` once, on the GUI thread, while the device link (the service pass or the
// device-event callback) waits in its first blocking emission of a record, the button page's copy,
// for the pages to fill themselves.
class WhilePagesFill : public QObject
{
    Q_OBJECT
public:
    explicit WhilePagesFill(std::function<void()> action);
    bool fired() const { return m_fired; }

private slots:
    void SlotRecord(const FlashDataMap &record);

private:
    std::function<void()> m_action;
    bool m_fired = false;
};
