#include "tests/lighting/lightbench.h"

#include "core/devicediscovery.h"
#include "core/devicelink.h"
#include "core/devicestate.h"
#include "core/languageloader.h"
#include "core/languagetables.h"
#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/simulationcontrol.h"
#include "tests/linksupport/readdevice.h"
#include "tests/support/librarycallbacks.h"

#include <QFile>
#include <QWidget>

namespace {

const QByteArray MouseOnReceiver = "[R]\nType=Receiver\nKind=1\nVID=0x3D7A\nPID=0x1240\n"
                                   "[M]\nType=Mouse\nCid=12\nMid=10\nReceiver=R\n";

} // namespace

LightBench::LightBench()
{
    if (LightTexts.rowCount() == 0)
        LoadLanguageFiles();
    // A callback of the test before must not find the state half made.
    waitForLibraryCallbacks();
    DeviceState::ResetForTest();
    DeviceLists::ResetForTest();
    DeviceState::instance()->WriteEnabled = 1;
    SimulationControl::setLatency(0);
    SimulationControl::setStateFolder(m_dir.path() + QStringLiteral("/state"));
    const QString setFile = m_dir.path() + QStringLiteral("/devices.ini");
    QFile file(setFile);
    m_ok = file.open(QIODevice::WriteOnly) && file.write(MouseOnReceiver) == MouseOnReceiver.size();
    file.close();
    m_ok = m_ok && SimulationControl::loadDeviceSet(setFile);
    SimulationControl::clearLog();
}

LightBench::~LightBench()
{
    DeviceLink::StopServer();
    StopUsbChanged();
    waitForLibraryCallbacks();
    SimulationControl::setStateFolder(QString());
}

bool LightBench::selectMouse()
{
    DeviceAllInfo info;
    info.Path = QString::fromLatin1(SimulationControl::receiverPath(QStringLiteral("R")));
    info.Vid = QStringLiteral("0x3D7A");
    info.Pid = QStringLiteral("0x1240");
    info.Cid = 12;
    info.Mid = 10;
    info.Kind = 1;
    info.Online = 1;
    DeviceState::instance()->OnDevicePage = 1;
    const bool read = SelectAndReadDevice(info);
    SimulationControl::clearLog();
    return read;
}

FlashDataMap LightBench::stored()
{
    FlashDataMap record{};
    const QByteArray bytes = SimulationControl::storedRecord(QStringLiteral("M"));
    if (bytes.size() == int(sizeof record))
        memcpy(record.bytes(), bytes.constData(), sizeof record);
    return record;
}

QVector<FlashDataMap> LightBench::sent()
{
    QVector<FlashDataMap> records;
    for (const QByteArray &bytes : SimulationControl::receivedRecords()) {
        FlashDataMap record{};
        if (bytes.size() == int(sizeof record))
            memcpy(record.bytes(), bytes.constData(), sizeof record);
        records.append(record);
    }
    return records;
}

FlashDataMap LightBench::record(const std::function<void(FlashDataMap &)> &change)
{
    FlashDataMap record = stored();
    change(record);
    return record;
}
