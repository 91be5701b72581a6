#include "tests/platform/devicelib/simfixture.h"

#include "platform/appdir.h"
#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/simulationcontrol.h"
#include "tests/support/librarycallbacks.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <QTest>

namespace {
// Never destroyed: a server's thread may still deliver an event while the process exits.
struct Recorder
{
    QMutex mutex;
    QVector<EventRecorder::Event> recorded;
    std::function<void(const EventRecorder::Event &)> hook;
};
Recorder &recorder()
{
    static Recorder *const instance = new Recorder;
    return *instance;
}
} // namespace

QByteArray oneMouseSet()
{
    return "[R]\n"
           "Type=Receiver\n"
           "Kind=1\n"
           "VID=0x3D7A\n"
           "PID=0x1240\n"
           "ReceiverId=0x11, 0x22, 0x33\n"
           "Version=0x0203\n"
           "LedMode=2\n"
           "[M]\n"
           "Type=Mouse\n"
           "Cid=12\n"
           "Mid=10\n"
           "Receiver=R\n"
           "Battery=80\n"
           "Version=0x0A03\n"
           "CableVID=0x3D7A\n"
           "CablePID=0x1201\n";
}

void EventRecorder::reset()
{
    QMutexLocker lock(&recorder().mutex);
    recorder().recorded.clear();
    recorder().hook = nullptr;
}

void EventRecorder::callback(const unsigned char *header, int headerLength,
                             const unsigned char *payload, int payloadLength)
{
    const Event event{QByteArray(reinterpret_cast<const char *>(header), headerLength),
                      QByteArray(reinterpret_cast<const char *>(payload), payloadLength),
                      QThread::currentThreadId()};
    std::function<void(const Event &)> hook;
    {
        QMutexLocker lock(&recorder().mutex);
        hook = recorder().hook;
    }
    if (hook)
        hook(event);
    QMutexLocker lock(&recorder().mutex);
    recorder().recorded.append(event);
}

void EventRecorder::setHook(std::function<void(const Event &)> hook)
{
    QMutexLocker lock(&recorder().mutex);
    recorder().hook = std::move(hook);
}

QVector<EventRecorder::Event> EventRecorder::events()
{
    QMutexLocker lock(&recorder().mutex);
    // A copy of the reader's own: the callback appends in place while the reader looks at it.
    QVector<EventRecorder::Event> copy = recorder().recorded;
    copy.detach();
    return copy;
}

bool EventRecorder::waitForCount(int count, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (events().size() < count) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QThread::msleep(1);
    }
    return true;
}

int EventRecorder::settledCount()
{
    // A request posts its events as it is made, and a callback's own requests are posted before
    // it ends: once no callback runs or waits to run, nothing more is on its way.
    if (!waitForLibraryCallbacks())
        return -1;
    return events().size();
}

SimulatedBench::SimulatedBench(const QByteArray &deviceSet) : DeviceSetBench(deviceSet)
{
    EventRecorder::reset();
}

SimulatedBench::~SimulatedBench()
{
    // No event of this test reaches the recorder after it is emptied.
    stop();
    EventRecorder::reset();
}

void SimulatedBench::useConfigIni(const QByteArray &text)
{
    useAppFolder({});
    writeFile(QStringLiteral("app/usersetting/Config.ini"), text);
    reload();
}
