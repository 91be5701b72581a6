#include "tests/support/devicesetbench.h"

#include "platform/appdir.h"
#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/simulationcontrol.h"
#include "tests/support/librarycallbacks.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtGlobal>

bool loadDeviceSet(const QByteArray &deviceSet)
{
    // A callback of an earlier step must not run into the devices of the next.
    waitForLibraryCallbacks();
    SimulationControl::setLatency(0);
    bool loaded = true;
    if (deviceSet.isEmpty()) {
        SimulationControl::loadBuiltInDeviceSet();
    } else {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("devices.ini"));
        QFile file(path);
        loaded = file.open(QIODevice::WriteOnly) && file.write(deviceSet) == deviceSet.size();
        file.close();
        QString error;
        if (loaded && !SimulationControl::loadDeviceSet(path, &error)) {
            qWarning("device set: %s", qPrintable(error));
            loaded = false;
        }
    }
    SimulationControl::clearLog();
    return loaded;
}

DeviceSetBench::DeviceSetBench(const QByteArray &deviceSet)
    : m_deviceSet(deviceSet), m_serverStop(UsbServer_Exit)
{
    // Before the new set: a device of the test before stores nothing into this folder.
    waitForLibraryCallbacks();
    SimulationControl::setStateFolder(m_dir.filePath(QStringLiteral("state")));
    m_ok = m_dir.isValid() && loadDeviceSet(deviceSet);
}

DeviceSetBench::~DeviceSetBench()
{
    stop();
    // Later writes of the devices go to the isolated HOME of the test, not into a removed folder.
    SimulationControl::setStateFolder(QString());
    if (!m_previousAppFolder.isEmpty())
        AppDir::setOverride(m_previousAppFolder);
}

void DeviceSetBench::stop()
{
    m_serverStop();
    StopUsbChanged();
    waitForLibraryCallbacks();
}

QString DeviceSetBench::writeFile(const QString &name, const QByteArray &text) const
{
    const QString path = m_dir.filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(text);
    return path;
}

QString DeviceSetBench::appFolder() const
{
    return m_dir.filePath(QStringLiteral("app"));
}

QString DeviceSetBench::useAppFolder(const QStringList &shared)
{
    const QString app = appFolder();
    QDir().mkpath(app);
    if (m_previousAppFolder.isEmpty())
        m_previousAppFolder = AppDir::path();
    for (const QString &entry : shared)
        QFile::link(QDir(m_previousAppFolder).filePath(entry), QDir(app).filePath(entry));
    AppDir::setOverride(app);
    return app;
}

bool DeviceSetBench::reload()
{
    return loadDeviceSet(m_deviceSet);
}
