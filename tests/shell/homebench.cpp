#include "tests/shell/homebench.h"

#include "core/blockingconnect.h"
#include "core/devicediscovery.h"
#include "core/devicelink.h"
#include "core/devicestate.h"
#include "core/firmwareimages.h"
#include "core/registryvalues.h"
#include "platform/appdir.h"
#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/simulationcontrol.h"
#include "platform/registry.h"
#include "shell/dialog.h"
#include "shell/dialogchange.h"
#include "shell/dialogmain.h"
#include "shell/dialogs/updataparam.h"
#include "shell/mytoolbuttonenter.h"
#include "tests/support/librarycallbacks.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QtEndian>

#include <cstring>

const QByteArray OneReceiverSet = "[R]\nType=Receiver\nKind=1\nVID=0x3D7A\nPID=0x1240\n"
                                  "ReceiverId=0x11, 0x22, 0x33\nVersion=0x0203\n"
                                  "[M]\nType=Mouse\nCid=12\nMid=10\nReceiver=R\nBattery=80\n"
                                  "Version=0x0105\nCableVID=0x3D7A\nCablePID=0x1201\n";

HomeBench::HomeBench(const QByteArray &deviceSet) : LinkBench(deviceSet)
{
    storeMouseVersion(QString());
    useAppFolder({QStringLiteral("Language"), QStringLiteral("Picture"),
                  QStringLiteral("usersetting"), QStringLiteral("driver_sensor.h")});
}

void HomeBench::makeFirmwareFolder()
{
    QDir().mkpath(appFolder() + QStringLiteral("/bin"));
}

void HomeBench::useShippedFirmware()
{
    QFile::link(QStringLiteral(ZR35_TEST_APP_DIR "/bin"), appFolder() + QStringLiteral("/bin"));
}

void HomeBench::writeImage(const QString &name, int target, quint32 version,
                           const QByteArray &modelName, int cid, int mid)
{
    makeFirmwareFolder();
    QByteArray data(FirmwareImages::HeaderSize, '\0');
    qToLittleEndian<quint32>(version, reinterpret_cast<uchar *>(data.data()) + 0x10);
    data[0x14] = char(target);
    data[0x15] = char(cid);
    data[0x16] = char(mid);
    data.replace(0x57, modelName.size(), modelName);
    QFile file(appFolder() + QStringLiteral("/bin/") + name);
    if (file.open(QIODevice::WriteOnly))
        file.write(data + name.toLatin1());
}

void HomeBench::storeMouseVersion(const QString &version)
{
    const QString name = RegistryValues::MouseVerName(QStringLiteral("12"), QStringLiteral("10"));
    if (version.isEmpty())
        Registry::remove(RegistryValues::UpdateKey(), name);
    else
        RegistryValues::SetMouseVer(name, version);
}

QWidget *tileButton(const DialogChange *page, int number)
{
    return page->TileButtons.value(number);
}

QLabel *offlineIcon(const DialogChange *page, int number)
{
    return page->OfflineLabels.value(number);
}

QLabel *connectionIcon(const DialogChange *page, int number)
{
    return page->ConnectionIcons.value(number);
}

bool waitForTiles(const DialogChange *page, int count, int timeoutMs)
{
    // The library's first hot-plug call comes on its own thread and reaches the page queued.
    return QTest::qWaitFor([&] { return page->TileButtons.size() == count; }, timeoutMs);
}

void clickTile(DialogMain &window, int number)
{
    static_cast<QToolButton *>(tileButton(window.homePage(), number))->click();
}

bool openDevicePage(DialogMain &window)
{
    window.show();
    if (!waitForTiles(window.homePage(), 1))
        return false;
    clickTile(window);
    const DeviceState *state = DeviceState::instance();
    return currentPage(window) == 1 &&
           QTest::qWaitFor([state] { return !state->OnlineCacheName.get().isEmpty(); }, 5000) &&
           followUpReadsHandled() &&
           QTest::qWaitFor([state] { return !state->ReadAllPending.pending(); }, 5000);
}

Dialog *openDevicePageSettled(DialogMain &window)
{
    window.show();
    if (!waitForTiles(window.homePage(), 1))
        return nullptr;
    clickTile(window);
    Dialog *page = window.devicePage();
    const auto battery = [page] {
        return page->findChild<QLabel *>(QStringLiteral("label_2"))->text() == "80%";
    };
    if (currentPage(window) != 1 || !QTest::qWaitFor(battery, 10000))
        return nullptr;
    // The parameter update ran and saw both pages take the device's record.
    if (!QTest::qWaitFor([page] { return !page->parameterDialog()->isVisible(); }, 15000))
        return nullptr;
    return page;
}

bool followUpReadsHandled(int timeoutMs)
{
    // Asked last, in the callback that took the record; the simulated mouse answers each read
    // with an event queued at once, so the fence after it covers all four answers.
    return QTest::qWaitFor(
               [] { return !SimulationControl::calls("UsbServer_ReadConfig").isEmpty(); },
               timeoutMs) &&
           waitForLibraryCallbacks(timeoutMs);
}

int currentPage(const DialogMain &window)
{
    return window.findChild<QStackedWidget *>(QStringLiteral("stackedWidgetMain"))->currentIndex();
}

int runEventLoop(const std::function<void()> &action, int timeoutMs)
{
    QTimer start;
    start.setSingleShot(true);
    QObject::connect(&start, &QTimer::timeout, action);
    start.start(0);
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, [] { QCoreApplication::exit(-7); });
    limit.start(timeoutMs);
    return QCoreApplication::exec();
}

WhilePagesFill::WhilePagesFill(std::function<void()> action) : m_action(std::move(action))
{
    ConnectBlocking(SIGNAL(SigUpDataLightUIButton(FlashDataMap)), this,
                    SLOT(SlotRecord(FlashDataMap)));
}

void WhilePagesFill::SlotRecord(const FlashDataMap &)
{
    if (m_fired)
        return;
    m_fired = true;
    m_action();
}
