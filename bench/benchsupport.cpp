#include "bench/benchsupport.h"

#include "core/startup.h"
#include "platform/appdir.h"
#include "platform/devicelib/simulationcontrol.h"
#include "tests/support/isolatedhome.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

namespace BenchSupport {

const QByteArray OneReceiverSet = "[R]\nType=Receiver\nKind=1\nVID=0x3D7A\nPID=0x1240\n"
                                  "ReceiverId=0x11, 0x22, 0x33\nVersion=0x0203\n"
                                  "[M]\nType=Mouse\nCid=12\nMid=10\nReceiver=R\nBattery=80\n"
                                  "Version=0x0105\n";

void prepareProcess()
{
    // Lives as long as the process: the benchmarks' files go with it.
    static IsolatedHome *home = new IsolatedHome;
    Q_UNUSED(home);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

void prepareApplication()
{
    AppDir::setOverride(QStringLiteral(ZR35_APP_DIR));
    PrepareUserFolder();
}

bool loadDevices(const QByteArray &ini, int latencyMs)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("devices.ini"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(ini) != ini.size())
        return false;
    file.close();
    SimulationControl::setLatency(latencyMs);
    QString error;
    if (!SimulationControl::loadDeviceSet(path, &error)) {
        qWarning("device set: %s", qPrintable(error));
        return false;
    }
    SimulationControl::clearLog();
    return true;
}

bool serveUntil(const std::function<bool()> &done, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    // Wakes the wait below now and then, so that the time limit is seen without any event.
    QTimer tick;
    tick.start(100);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        // Sleeps until the next event: a blocking emission of a library thread wakes it at once.
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

} // namespace BenchSupport
