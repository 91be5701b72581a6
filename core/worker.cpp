#include "core/worker.h"

#include "core/blockingconnect.h"
#include "core/configini.h"
#include "core/deviceanswers.h"
#include "core/devicecache.h"
#include "core/devicelink.h"
#include "core/devicestate.h"
#include "core/postmsg.h"
#include "platform/devicelib/devicelib.h"
#include "platform/diagnostics.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>

namespace {

constexpr int OnlineCheckIntervalMs = 1300;

// The signals a pass waits in: their receivers' queued calls are the pass's own.
const char *const PassBlockingSignals[] = {
    SIGNAL(SigUpDataLightUIButton(FlashDataMap)), SIGNAL(SigUpDataLightLight(FlashDataMap)),
    SIGNAL(SigUpDataLightSensor(FlashDataMap)), SIGNAL(SigForm()), SIGNAL(SigFormReset())};

// Delivers (or, with drop, throws away) the queued calls of the receivers of the signals a pass
// waits in, and nothing else: hot-plug notices and the other work of the GUI thread keep their
// turn. GUI thread.
void servePassCalls(bool drop)
{
    for (const char *signal : PassBlockingSignals) {
        for (QObject *receiver : BlockingReceivers(signal)) {
            if (drop)
                QCoreApplication::removePostedEvents(receiver, QEvent::MetaCall);
            else
                QCoreApplication::sendPostedEvents(receiver, QEvent::MetaCall);
        }
    }
}

} // namespace

Worker::Worker(QObject *parent) : QThread(nullptr)
{
    Q_UNUSED(parent);
    DeviceState &s = State();
    s.ReadAllPending.request();
    s.ConfigRereadTimer.with([](ThrottleClock &timer) { timer.start(); });
    s.DevicePath.set(PathPlaceholder);
    s.DeviceOnline = 0;

    auto *timer = new QTimer(this);
    connect(timer, SIGNAL(timeout()), this, SLOT(SlotCheckOnline()));
    timer->setInterval(OnlineCheckIntervalMs);
    timer->start();
    s.OnlineCheckTimer = timer;

    connect(PostMsg::GetInstance(), SIGNAL(SigSelectMouseInfo(DeviceAllInfo)), this,
            SLOT(SlotSelectMouseInfo(DeviceAllInfo)));
    connect(PostMsg::GetInstance(), SIGNAL(SigMainPageChange()), this, SLOT(SlotMainPageChange()));
    // Queued by name so that Qt takes the signal's (empty) argument list now. Otherwise the
    // ending thread looks it up through this object's meta-object as it emits, a read that only
    // Qt's own lock orders before StopWorkerThread's wait() returns and the object is deleted.
    connect(this, SIGNAL(finished()), this, SLOT(RestartForLateRequest()), Qt::QueuedConnection);

    s.ShowBatteryValueSetting = ConfigIni::instance()->intValue(QStringLiteral("Option"),
                                                                QStringLiteral("ShowBatteryValue"));
}

Worker::~Worker()
{
    FinishPass();
    DeviceState &s = State();
    if (s.OnlineCheckTimer.load() && s.OnlineCheckTimer.load()->parent() == this)
        s.OnlineCheckTimer = nullptr;
    Worker *self = this;
    s.WorkerThread.compare_exchange_strong(self, nullptr);
}

bool Worker::FinishPass(int timeoutMs)
{
    // The pass may be waiting for a page's slot on this very thread (a blocking emission); only
    // delivering those calls lets it go on to its end.
    QDeadlineTimer deadline(timeoutMs);
    while (!wait(10)) {
        if (deadline.hasExpired()) {
            // Last resort when the GUI thread cannot serve the pass: dropping its queued calls
            // releases the emission it waits in.
            servePassCalls(true);
            return wait(1000);
        }
        servePassCalls(false);
    }
    return true;
}

void Worker::RestartForLateRequest()
{
    if (State().WorkerThread.load() == this && State().ReadAllPending.pending())
        start(QThread::InheritPriority);
}

void Worker::SlotSelectMouseInfo(const DeviceAllInfo &device)
{
    // The description and the path change together: a pass never judges one device and opens
    // another.
    State().Selection.select(device);
    State().DeviceCacheName.set(DeviceCacheFileName(device.Cid, device.Mid));
}

void Worker::SlotMainPageChange()
{
    // Back on the device page, the next pass must count as a change and refresh the pages.
    State().LastPassOnline = 0;
}

void Worker::SlotCheckOnline()
{
    DeviceState &s = State();
    if (s.RecheckOnline.load()) {
        if (s.OnDevicePage.load() == 0) {
            if (s.CurrentDeviceInfo.get().Kind != 0)
                s.RecheckOnline = 0;
        } else if (s.UpdateIdle.load() == 1) {
            const bool online = SelectedDeviceAnswers();
            s.DeviceOnline = online ? 1 : 0;
            s.LastPassOnline = 0;
            if (!online)
                return;
            // A notice about a refused write is not about the device being away.
            if (!s.KeepOfflineNotice.load())
                emit PostMsg::GetInstance()->SigCloseOffOnline();
            s.RecheckOnline = 0;
        }
    }
    if (s.DeviceOnline.load() && s.RereadWhenOnline.load()) {
        s.RereadWhenOnline = 0;
        StartWorkerPass();
    }
}

// Runs on the worker's own thread.
void Worker::run()
{
    PassRequests &requests = State().ReadAllPending;
    // Each round serves the requests made before it began; one made meanwhile gets a round of
    // its own.
    while (requests.pending()) {
        const quint64 serving = requests.begin();
        Pass();
        requests.served(serving);
    }
}

// Runs on the worker's own thread.
void Worker::Pass()
{
    DeviceState &s = State();
    // Read once, whole: the device judged is the device opened.
    const DeviceSelection::Snapshot selection = s.Selection.get();
    // The user may leave the page, or pick another device, while the pages take their time.
    const auto stillWanted = [&] {
        return s.OnDevicePage.load() == 1 && s.Selection.generation() == selection.Generation;
    };
    if (!s.DeviceOnline.load())
        s.DeviceOnline = DeviceAnswers(selection.Path) ? 1 : 0;

    const DeviceAllInfo &device = selection.Info;
    const bool changed = device.Path != LastPassPath || device.Kind != LastPassKind ||
                         s.DeviceOnline.load() != s.LastPassOnline.load() ||
                         s.RereadRequested.load();
    if (!changed || s.OnDevicePage.load() != 1) {
        s.OnlineAtLastRead = s.DeviceOnline.load();
        return;
    }

    PostMsg *hub = PostMsg::GetInstance();
    if (DeviceAnswers(selection.Path)) {
        s.Selection.updateIf(selection.Generation, [](DeviceAllInfo &info) { info.Online = 1; });
        if (s.RereadRequested.exchange(0)) {
            emit hub->SigUpDataParam(1);
        } else if (!s.ImportBusy.load()) {
            emit hub->SigUpDataParam(0);
        }
    } else {
        s.RecheckOnline = 1;
        // Nothing is read from a device that sleeps: once it answers, a pass reads it, so that
        // what is written to it is its own record.
        s.RereadWhenOnline = 1;
        s.Selection.updateIf(selection.Generation, [](DeviceAllInfo &info) { info.Online = 0; });
        // The pages show what the device held when it was last seen; the current record is left
        // alone.
        FlashDataMap cached{};
        if (LoadDeviceCache(s.DeviceCacheName.get(), &cached)) {
            emit hub->SigUpDataLightUIButton(FlashDataMap(cached));
            if (!stillWanted())
                return;
            emit hub->SigUpDataLightLight(FlashDataMap(cached));
            if (!stillWanted())
                return;
            emit hub->SigUpDataLightSensor(FlashDataMap(cached));
            if (!stillWanted())
                return;
            emit hub->SigForm();
        } else {
            emit hub->SigFormReset();
            // With nothing on record the pages show their defaults, which are not the device's
            // settings: the user is told that the device is offline before taking them for its
            // own. The notice closes itself once the device answers.
            if (!stillWanted())
                return;
            emit hub->SigMouseOffLineo(0);
        }
    }
    // A server the pass starts belongs to the page the user is on.
    if (!stillWanted())
        return;
    LastPassPath = device.Path;
    LastPassKind = device.Kind;

    // Started for an offline device too: its events come once it answers.
    const quint64 server = DeviceLink::StartServer(selection.Path, selection.Generation);
    if (!server)
        return;
    qCDebug(lcDiagnostics) << "OnlinA";
    UsbServer_SetPCDriverStatus(1);
    DeviceLink::RequestFullRead();
    if (!stillWanted()) {
        // Left while the server started: the device must not stay told that the program is
        // attached, and nothing of it may reach the record.
        DeviceLink::AbandonServer(server);
        return;
    }
    s.LastPassOnline = s.DeviceOnline.load();
    qCDebug(lcDiagnostics) << "OnlinB";
    s.OnlineAtLastRead = s.DeviceOnline.load();
}

void ClearReadAllPending()
{
    State().ReadAllPending.clear();
}

void StartWorkerPass()
{
    Worker *worker = State().WorkerThread.load();
    if (!worker)
        return;
    State().ReadAllPending.request();
    worker->start(QThread::InheritPriority);
}

void StopWorkerThread()
{
    DeviceState &s = State();
    Worker *worker = s.WorkerThread.exchange(nullptr);
    if (!worker)
        return;
    s.ReadAllPending.clear();
    // A running pass gives up at its next step instead of starting a server for a page that goes.
    DeviceLink::PageLeft();
    if (QTimer *timer = s.OnlineCheckTimer.load())
        timer->stop();
    delete worker;
}
