#include "tests/platform/devicelib/simfixture.h"

#include "platform/appdir.h"
#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/simulationcontrol.h"

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
    QThread::msleep(50);
    return events().size();
}

SimulatedBench::SimulatedBench(const QByteArray &deviceSet) : m_deviceSet(deviceSet)
{
    EventRecorder::reset();
    SimulationControl::setLatency(0);
    SimulationControl::setStateFolder(m_dir.path() + QStringLiteral("/state"));
    if (deviceSet.isEmpty()) {
        SimulationControl::loadBuiltInDeviceSet();
        m_ok = true;
    } else {
        m_ok =
            SimulationControl::loadDeviceSet(writeFile(QStringLiteral("devices.ini"), deviceSet));
    }
    SimulationControl::clearLog();
}

SimulatedBench::~SimulatedBench()
{
    UsbServer_Exit();
    StopUsbChanged();
    EventRecorder::reset();
    // Later writes of the devices go to the isolated HOME of the test, not into a removed folder.
    SimulationControl::setStateFolder(QString());
    AppDir::setOverride(QStringLiteral(ZR35_TEST_APP_DIR));
}

QString SimulatedBench::writeFile(const QString &name, const QByteArray &text) const
{
    const QString path = QDir(m_dir.path()).filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(text);
    return path;
}

void SimulatedBench::useConfigIni(const QByteArray &text)
{
    writeFile(QStringLiteral("app/usersetting/Config.ini"), text);
    AppDir::setOverride(m_dir.path() + QStringLiteral("/app"));
    if (m_deviceSet.isEmpty())
        SimulationControl::loadBuiltInDeviceSet();
    else
        SimulationControl::loadDeviceSet(
            QDir(m_dir.path()).filePath(QStringLiteral("devices.ini")));
    SimulationControl::clearLog();
}
