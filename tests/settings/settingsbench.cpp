#include "tests/settings/settingsbench.h"

#include "core/configini.h"
#include "core/devicediscovery.h"
#include "core/devicelink.h"
#include "core/devicestate.h"
#include "core/languageloader.h"
#include "core/languagetables.h"
#include "platform/appdir.h"
#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/simulationcontrol.h"
#include "platform/inifile.h"
#include "tests/linksupport/readdevice.h"
#include "tests/support/librarycallbacks.h"

#include <QDir>
#include <QFile>
#include <QWidget>

const QByteArray ReceiverWithMouse = "[R]\nType=Receiver\nKind=1\nVID=0x3D7A\nPID=0x1240\n"
                                     "ReceiverId=0x11, 0x22, 0x33\nVersion=0x0203\nLedMode=1\n"
                                     "[M]\nType=Mouse\nCid=12\nMid=10\nReceiver=R\nBattery=80\n"
                                     "Version=0x0105\nCableVID=0x3D7A\nCablePID=0x1201\n";

SettingsBench::SettingsBench(const QByteArray &deviceSet) : LinkBench(deviceSet)
{
    // The shipped language files, as the main window loads them at start.
    if (FormSettingTexts.rowCount() == 0)
        LoadLanguageFiles();
    DeviceState::instance()->WriteEnabled = 1;
    QStringList shared = QDir(AppDir::path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    shared.removeAll(QStringLiteral("bin"));
    useAppFolder(shared);
}

SettingsBench::~SettingsBench()
{
    // The devices are quiet before the shipped Config.ini comes back.
    stop();
    if (m_ownConfig)
        ConfigIni::resetForTests(QString());
}

void SettingsBench::useShippedFirmware()
{
    QFile::link(QStringLiteral(ZR35_TEST_APP_DIR "/bin"), appFolder() + QStringLiteral("/bin"));
}

void SettingsBench::useConfigIni(const QByteArray &configIni)
{
    ConfigIni::resetForTests(writeFile(QStringLiteral("Config.ini"), configIni));
    m_ownConfig = true;
}

DeviceAllInfo SettingsBench::select(const QByteArray &path, int kind, int driveIndex)
{
    DeviceAllInfo info;
    info.Path = QString::fromLatin1(path);
    info.Vid = QStringLiteral("0x3D7A");
    info.Pid = DeviceAllInfo::WiredFromKind(quint8(kind)) ? QStringLiteral("0x1201")
                                                          : QStringLiteral("0x1240");
    info.Cid = 12;
    info.Mid = 10;
    info.Kind = quint8(kind);
    info.Wired = DeviceAllInfo::WiredFromKind(quint8(kind));
    info.DriveIndex = driveIndex;
    info.Online = 1;
    DeviceState &s = *DeviceState::instance();
    s.CurrentDeviceInfo.set(info);
    s.DevicePath.set(path);
    s.OnDevicePage = 1;
    return info;
}

bool SettingsBench::readDevice()
{
    return SelectAndReadDevice(DeviceState::instance()->CurrentDeviceInfo.get());
}

QByteArray receiverPath(const char *name)
{
    return SimulationControl::receiverPath(QLatin1String(name));
}

namespace {
QVariant storedReceiverValue(const char *name, const char *key)
{
    // Asking for the folder waits until every change so far is written.
    const QString file = SimulationControl::stateFolder() + QStringLiteral("/receiver-") +
                         QLatin1String(name) + QStringLiteral(".ini");
    return IniFile(file).value(QStringLiteral("Receiver/") + QLatin1String(key));
}
} // namespace

int receiverLedMode(const char *name)
{
    const QByteArray rgb =
        QByteArray::fromHex(storedReceiverValue(name, "DongleRgb").toString().toLatin1());
    return rgb.isEmpty() ? -1 : quint8(rgb.at(0));
}

int receiverLongRange(const char *name)
{
    bool ok = false;
    const int mode = storedReceiverValue(name, "LongRange").toInt(&ok);
    return ok ? mode : -1;
}
