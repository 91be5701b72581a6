#include "core/worker.h"

#include "core/configini.h"
#include "core/devicecache.h"
#include "core/deviceeventcallback.h"
#include "core/devicestate.h"
#include "core/postmsg.h"
#include "platform/devicelib/devicelib.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDebug>
#include <QTimer>

namespace {

constexpr int OnlineCheckIntervalMs = 1300;

DeviceState &state()
{
    return *DeviceState::instance();
}

bool deviceAnswers()
{
    const QByteArray path = state().DevicePath.get();
    return UsbFinderC_GetDeviceOnLine(path.constData());
}

} // namespace

Worker::Worker(QObject *parent) : QThread(nullptr)
{
    Q_UNUSED(parent);
    DeviceState &s = state();
    s.ReadAllPending = 1;
    s.ConfigRereadTimer.with([](QElapsedTimer &timer) { timer.start(); });
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

    s.ShowBatteryValueSetting = ConfigIni::instance()->intValue(QStringLiteral("Option"),
                                                                QStringLiteral("ShowBatteryValue"));
}

Worker::~Worker()
{
    FinishPass();
    DeviceState &s = state();
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
            // Last resort when the GUI thread cannot serve the pass: dropping the queued calls
            // releases every emission that waits on one.
            QCoreApplication::removePostedEvents(nullptr, QEvent::MetaCall);
            return wait(1000);
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    }
    return true;
}

void Worker::SlotSelectMouseInfo(const DeviceAllInfo &device)
{
    state().CurrentDeviceInfo.set(device);
    state().DeviceCacheName.set(DeviceCacheFileName(device.Cid, device.Mid));
}

void Worker::SlotMainPageChange()
{
    // Back on the device page, the next pass must count as a change and refresh the pages.
    state().LastPassOnline = 0;
}

void Worker::SlotCheckOnline()
{
    DeviceState &s = state();
    if (s.RecheckOnline.load()) {
        if (s.OnDevicePage.load() == 0) {
            if (s.CurrentDeviceInfo.get().Kind != 0)
                s.RecheckOnline = 0;
        } else if (s.UpdateIdle.load() == 1) {
            const bool online = deviceAnswers();
            s.DeviceOnline = online ? 1 : 0;
            s.LastPassOnline = 0;
            if (!online)
                return;
            emit PostMsg::GetInstance()->SigCloseOffOnline();
            s.RecheckOnline = 0;
        }
    }
    if (s.DeviceOnline.load() && s.RereadWhenOnline.load()) {
        s.RereadWhenOnline = 0;
        s.ReadAllPending = 1;
        start();
    }
}

// Runs on the worker's own thread.
void Worker::run()
{
    DeviceState &s = state();
    if (!s.ReadAllPending.load())
        return;
    if (!s.DeviceOnline.load())
        s.DeviceOnline = deviceAnswers() ? 1 : 0;

    const DeviceAllInfo device = s.CurrentDeviceInfo.get();
    const bool changed = device.Path != LastPassPath || device.Kind != LastPassKind ||
                         s.DeviceOnline.load() != s.LastPassOnline.load() ||
                         s.RereadRequested.load();
    if (!changed || s.OnDevicePage.load() != 1) {
        s.OnlineAtLastRead = s.DeviceOnline.load();
        s.ReadAllPending = 0;
        return;
    }

    PostMsg *hub = PostMsg::GetInstance();
    if (deviceAnswers()) {
        s.CurrentDeviceInfo.with([](DeviceAllInfo &info) { info.Online = 1; });
        if (s.RereadRequested.exchange(0)) {
            emit hub->SigUpDataParam(1);
        } else if (!s.ImportBusy.load()) {
            emit hub->SigUpDataParam(0);
        }
    } else {
        s.RecheckOnline = 1;
        s.CurrentDeviceInfo.with([](DeviceAllInfo &info) { info.Online = 0; });
        // The pages show what the device held when it was last seen; the current record is left
        // alone, it is still the one the device will be written from.
        FlashDataMap cached{};
        if (LoadDeviceCache(s.DeviceCacheName.get(), &cached)) {
            emit hub->SigUpDataLightUIButton(FlashDataMap(cached));
            emit hub->SigUpDataLightLight(FlashDataMap(cached));
            emit hub->SigUpDataLightSensor(FlashDataMap(cached));
            emit hub->SigForm();
        } else {
            emit hub->SigFormReset();
        }
    }
    LastPassPath = device.Path;
    LastPassKind = device.Kind;

    // Started for an offline device too: its events come once it answers.
    const QByteArray path = s.DevicePath.get();
    UsbServerC_Start(path.constData(), path.constData(), DeviceEventCallback);
    qDebug() << "OnlinA";
    UsbServer_SetPCDriverStatus(1);
    UsbServer_ReadAllFlashData();
    s.LastPassOnline = s.DeviceOnline.load();
    qDebug() << "OnlinB";
    s.OnlineAtLastRead = s.DeviceOnline.load();
    s.ReadAllPending = 0;
}

void ClearReadAllPending()
{
    state().ReadAllPending = 0;
}

void StartWorkerPass()
{
    Worker *worker = state().WorkerThread.load();
    if (!worker)
        return;
    state().ReadAllPending = 1;
    worker->start(QThread::InheritPriority);
}

void StopWorkerThread()
{
    DeviceState &s = state();
    Worker *worker = s.WorkerThread.exchange(nullptr);
    if (!worker)
        return;
    s.ReadAllPending = 0;
    if (QTimer *timer = s.OnlineCheckTimer.load())
        timer->stop();
    delete worker;
}
