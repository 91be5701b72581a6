#pragma once

#include "core/deviceallinfo.h"

#include <QByteArray>
#include <QString>
#include <QThread>

// The device service. Each start runs one pass on the object's own thread: when the selected
// device, its kind or its online state changed since the last pass (or a re-read was asked for)
// and the device page is showing, it shows the device's state at once (an online device announces
// a parameter update, an offline one fills the pages from its cached record or resets them), then
// starts the device library's server for the device with the device-event callback, tells the
// device the program is attached and asks for the whole configuration.
//
// The object itself lives on the GUI thread: its slots and its 1300 ms online-check timer, which
// waits for a device found offline and starts a pass when a re-read is due, run there.
class Worker : public QThread
{
    Q_OBJECT

public:
    // The parent is not passed on: the object is deleted explicitly (StopWorkerThread).
    explicit Worker(QObject *parent = nullptr);
    // Waits for a running pass to end (see FinishPass) before the thread object goes.
    ~Worker() override;

    // Waits up to timeoutMs for a running pass to end while the GUI thread keeps delivering the
    // blocking hub emissions the pass may be waiting on; true when no pass runs any more. GUI
    // thread only.
    bool FinishPass(int timeoutMs = 5000);

public slots:
    void SlotSelectMouseInfo(const DeviceAllInfo &device);
    void SlotMainPageChange();
    void SlotCheckOnline();

protected:
    // Runs on the worker's own thread: passes while passes are requested.
    void run() override;

private slots:
    // A request made after the last round checked for one, while the thread was ending, found it
    // still running: the thread starts again for it. GUI thread.
    void RestartForLateRequest();

private:
    // One pass. Runs on the worker's own thread.
    void Pass();

    // What DevicePath holds until a device path is known; it names no device.
    const QByteArray PathPlaceholder = QByteArrayLiteral("a");
    // The device at the last refreshing pass; only run() touches them.
    int LastPassKind = 0;
    QString LastPassPath;
};

// Every pass requested so far counts as served, so that a start that is still to come does
// nothing.
void ClearReadAllPending();

// Asks WorkerThread for a pass: one more request in ReadAllPending, then start. A pass that is
// under way runs another round for it. Does nothing without a WorkerThread.
void StartWorkerPass();

// Ends the device service for good: no more passes, the online check stops, a running pass is
// waited for (see Worker::FinishPass), and WorkerThread is deleted and cleared. GUI thread only.
void StopWorkerThread();
