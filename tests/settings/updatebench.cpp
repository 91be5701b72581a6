#include "tests/settings/updatebench.h"

#include "core/devicediscovery.h"
#include "core/deviceeventcallback.h"
#include "core/devicestate.h"
#include "core/hotplug.h"
#include "core/postmsg.h"
#include "core/record/firmwareheader.h"
#include "platform/appdir.h"
#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/simulationcontrol.h"
#include "settings/formsetting.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTest>

UpdateSignals::UpdateSignals()
{
    PostMsg *hub = PostMsg::GetInstance();
    // Emitted on the library's upgrade thread as well: this object lives on the GUI thread, so
    // the lists are only ever touched there.
    connect(hub, &PostMsg::SigProgress, this, [this](int value, int type) {
        progress.append({value, type});
    });
    connect(hub, &PostMsg::SigLabelText, this, [this](int which, const QString &version) {
        labels.append(QStringLiteral("%1 %2").arg(which).arg(version));
    });
    connect(hub, &PostMsg::SigUpdateFrame, this, [this](bool show) { frames.append(show); });
}

QList<int> UpdateSignals::percents() const
{
    QList<int> values;
    for (const auto &p : progress) {
        if (p.second == 0)
            values << p.first;
    }
    return values;
}

int UpdateSignals::count(int type) const
{
    int n = 0;
    for (const auto &p : progress)
        n += p.second == type ? 1 : 0;
    return n;
}

UpdateBench::UpdateBench(const QByteArray &deviceSet, bool shippedFirmware, int stepMs)
    : bench(deviceSet)
{
    if (shippedFirmware)
        bench.useShippedFirmware();
    SimulationControl::setUpgradeStepDelay(stepMs);
    page.reset(new FormSetting);
    hub.reset(new UpdateSignals);
}

UpdateBench::~UpdateBench()
{
    StopUsbChanged();
    UsbServer_Exit();
    hub.reset();
    page.reset();
}

bool UpdateBench::open(const QByteArray &path, int kind)
{
    SettingsBench::select(path, kind);
    StartUsbChanged(DeviceUsbChanged, 600);
    // The first hot-plug call lists what is plugged in.
    if (!QTest::qWaitFor([] { return !DeviceLists::instance()->DevicePageList.get().isEmpty(); }))
        return false;
    if (!SettingsBench::readDevice() || !UsbServer_ReadVersion())
        return false;
    QLabel *mouseVersion = child<QLabel>(page.get(), "label_7");
    return QTest::qWaitFor([mouseVersion] { return !mouseVersion->text().isEmpty(); });
}

bool UpdateBench::waitForEnd(int timeoutMs)
{
    return QTest::qWaitFor([] { return DeviceState::instance()->UpdateChecking.load() == 0; },
                           timeoutMs);
}

QByteArray exampleSet(const char *name)
{
    QFile file(QStringLiteral(ZR35_TEST_SOURCE_DIR "/../../platform/devicelib/examples/") +
               QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray updateLog()
{
    QFile file(UserDir::filePath(QStringLiteral("Exception/UpDateLog.txt")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFirmwareImage(const QString &appFolder, const QString &fileName, int target,
                        quint32 version, const QByteArray &modelName, int cid, int mid)
{
    FirmwareHeader header;
    header.Version = version;
    header.Target = std::uint8_t(target);
    header.Cid = std::uint8_t(cid);
    header.Mid = std::uint8_t(mid);
    header.ModelName = modelName.toStdString();
    // A payload of its own per file: two images of one model differ beyond their headers.
    const std::vector<std::uint8_t> payload(4096, std::uint8_t(qHash(fileName)));
    const std::vector<std::uint8_t> image = header.Write(payload.data(), payload.size());
    QDir().mkpath(appFolder + QStringLiteral("/bin"));
    QFile file(appFolder + QStringLiteral("/bin/") + fileName);
    if (file.open(QIODevice::WriteOnly))
        file.write(reinterpret_cast<const char *>(image.data()), qint64(image.size()));
}
