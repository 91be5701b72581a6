#include "tests/lighting/lightbench.h"

#include "core/devicediscovery.h"
#include "core/devicelink.h"
#include "core/devicestate.h"
#include "core/languageloader.h"
#include "core/languagetables.h"
#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/simulationcontrol.h"
#include "tests/linksupport/readdevice.h"
#include "tests/support/records.h"

#include <QFile>
#include <QWidget>

namespace {

const QByteArray MouseOnReceiver = "[R]\nType=Receiver\nKind=1\nVID=0x3D7A\nPID=0x1240\n"
                                   "[M]\nType=Mouse\nCid=12\nMid=10\nReceiver=R\n";

} // namespace

LightBench::LightBench() : LinkBench(MouseOnReceiver)
{
    if (LightTexts.rowCount() == 0)
        LoadLanguageFiles();
    DeviceState::instance()->WriteEnabled = 1;
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
    return mouseRecord(QStringLiteral("M"));
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
