#include "core/record/firmwareheader.h"
#include "platform/appdir.h"
#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/simulationcontrol.h"
#include "platform/inifile.h"
#include "tests/platform/devicelib/simfixture.h"
#include "tests/support/testmain.h"

#include <QDir>
#include <QMutex>
#include <QMutexLocker>
#include <QSemaphore>

#include <atomic>

namespace {

// Receiver "R" (kind 1: class 4, image name ZR35_RX4K) with the mouse "M" of the first model
// (customer 12, model 10, image name ZR35_M10) paired to it and plugged in by its cable; both one
// version older than the images the program ships. `extra` is appended to the receiver's section.
QByteArray olderDevices(const QByteArray &receiverKeys = QByteArray(),
                        const QByteArray &mouseKeys = QByteArray())
{
    return "[R]\nType=Receiver\nKind=1\nVID=0x3D7A\nPID=0x1240\nVersion=0x0101\n" + receiverKeys +
           "[M]\nType=Mouse\nCid=12\nMid=10\nReceiver=R\nVersion=0x0104\nCable=true\n"
           "CableVID=0x3D7A\nCablePID=0x1201\n" +
           mouseKeys;
}

constexpr quint32 ShippedReceiverVersion = 0x0102;
constexpr quint32 ShippedMouseVersion = 0x0105;

// An image made by the header's writer, with a payload of `payloadSize` counting bytes.
QByteArray makeImage(int target, quint32 version, const char *name, int cid = 12, int mid = 10,
                     int payloadSize = 4096)
{
    FirmwareHeader header;
    header.Version = version;
    header.Target = std::uint8_t(target);
    header.Cid = std::uint8_t(cid);
    header.Mid = std::uint8_t(mid);
    header.ModelName = name;
    QByteArray payload(payloadSize, '\0');
    for (int i = 0; i < payloadSize; ++i)
        payload[i] = char(i * 7 + 3);
    const std::vector<std::uint8_t> image = header.Write(bytesOf(payload), payload.size());
    return QByteArray(reinterpret_cast<const char *>(image.data()), int(image.size()));
}

// The image the build's firmware tool made for that target, model and name.
QByteArray shippedImage(int target, int mid, const std::string &name)
{
    const QDir bin(AppDir::filePath(QStringLiteral("bin")));
    for (const QString &file : bin.entryList({QStringLiteral("*.bin")}, QDir::Files)) {
        QFile f(bin.filePath(file));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QByteArray data = f.readAll();
        FirmwareHeader header;
        if (FirmwareHeader::Read(bytesOf(data), data.size(), &header) && header.Target == target &&
            header.Mid == mid && header.ModelName == name)
            return data;
    }
    return QByteArray();
}

QByteArray receiverImage()
{
    return shippedImage(FirmwareHeader::ReceiverTarget, 10, "ZR35_RX4K");
}

QByteArray mouseImage()
{
    return shippedImage(FirmwareHeader::MouseTarget, 10, "ZR35_M10");
}

// What the upgrade callback received: the messages in order, the thread they came on, and a
// semaphore released by each end message.
namespace Upgrades {
struct Message
{
    int kind;
    int value;
    Qt::HANDLE thread;
};
QMutex mutex;
QVector<Message> messages;
QSemaphore ends;
// Started from inside the callback when the first upgrade ends with success.
QByteArray nextImage;
std::atomic<bool> nextStarted{false};

void reset()
{
    QMutexLocker lock(&mutex);
    messages.clear();
    ends.acquire(ends.available());
    nextImage.clear();
    nextStarted = false;
}

int callback(unsigned char *message)
{
    {
        QMutexLocker lock(&mutex);
        messages.append(
            {message[0] == 7 ? message[1] : -1, message[2], QThread::currentThreadId()});
    }
    if (message[1] == 2) {
        if (message[2] == 1 && !nextImage.isEmpty() && !nextStarted.exchange(true))
            UsbUpgrade_Start(bytesOf(nextImage), nextImage.size(), &callback, 10000);
        ends.release();
    }
    return 0;
}

// A copy of its own, made under the lock. A copy sharing its block with `messages` is read outside
// the lock, and once it has let go of the block the callback appends to it in place: Qt's test for
// sharing orders nothing, so the thread checker sees the two touch the block unordered.
const QVector<Message> all()
{
    QMutexLocker lock(&mutex);
    return QVector<Message>(messages.cbegin(), messages.cend());
}

QList<int> progress()
{
    QList<int> percents;
    for (const Message &m : all()) {
        if (m.kind == 1)
            percents << m.value;
    }
    return percents;
}

QList<int> results()
{
    QList<int> ends;
    for (const Message &m : all()) {
        if (m.kind == 2)
            ends << m.value;
    }
    return ends;
}

bool waitForEnds(int count, int timeoutMs = 10000)
{
    return ends.tryAcquire(count, timeoutMs);
}

bool start(const QByteArray &image)
{
    return UsbUpgrade_Start(image.isEmpty() ? nullptr : bytesOf(image), image.size(), &callback,
                            10000);
}
} // namespace Upgrades

int bootDevices(const QByteArray &image)
{
    int count = -1;
    UsbUpgradeC_FindBootDevices(image.isEmpty() ? nullptr : bytesOf(image), image.size(), &count);
    return count;
}

QStringList logLines()
{
    const char *const *lines = UsbUpgradeC_GetLogs();
    QStringList texts;
    for (int i = 0; i < UpgradeLogLines; ++i)
        texts << QString::fromLatin1(lines[i]);
    return texts;
}

// The paths the program's enumeration finds for the receiver's and the cable's identifiers.
QStringList listed()
{
    QStringList paths;
    for (const char *pid : {"0x1240", "0x1201"}) {
        int count = 0;
        const char *const *found = UsbFinderC_FindHidDevicesByDeviceId("0x3D7A", pid, 1, 5, &count);
        for (int i = 0; i < count; ++i)
            paths << QString::fromLatin1(found[i]);
    }
    return paths;
}

QString storedVersion(const QString &file)
{
    return IniFile(SimulationControl::stateFolder() + QLatin1Char('/') + file)
        .value(file.startsWith(QLatin1String("mouse")) ? QStringLiteral("Mouse/Version")
                                                       : QStringLiteral("Receiver/Version"))
        .toString();
}

std::atomic<int> plugChanges{0};
void countPlugChange()
{
    ++plugChanges;
}

QByteArray damaged(QByteArray image, const QString &how)
{
    if (how == QLatin1String("short"))
        return image.left(100);
    if (how == QLatin1String("header only"))
        return image.left(int(FirmwareHeader::Size));
    if (how == QLatin1String("bad mark"))
        image[1] = 'X';
    else if (how == QLatin1String("header checksum"))
        image[int(FirmwareHeader::ModelNameOffset) + 40] = 'x'; // inside the name field's padding
    else if (how == QLatin1String("firmware checksum"))
        image[image.size() - 1] = char(image.at(image.size() - 1) ^ 0x01);
    else if (how == QLatin1String("longer than its header says"))
        image.append('x');
    else if (how == QLatin1String("shorter than its header says"))
        image.chop(1);
    return image;
}

} // namespace

class TestDeviceLibUpgrade : public QObject
{
    Q_OBJECT
private slots:
    void init() { Upgrades::reset(); }

    // The firmware tool's images for the built-in models: the receiver takes its image, then the
    // mouse on its cable; during the transfer the device is in boot mode and not listed, and the
    // new version holds after a restart.
    void toolMadeImageUpgrades_data()
    {
        QTest::addColumn<bool>("receiver");
        QTest::newRow("receiver") << true;
        QTest::newRow("mouse on its cable") << false;
    }
    void toolMadeImageUpgrades()
    {
        QFETCH(bool, receiver);
        SimulatedBench bench(olderDevices());
        QVERIFY(bench.ok());
        SimulationControl::setUpgradeStepDelay(20);
        const QString device = receiver ? QStringLiteral("R") : QStringLiteral("M");
        const QString path = QString::fromLatin1(receiver ? SimulationControl::receiverPath(device)
                                                          : SimulationControl::cablePath(device));
        const QByteArray image = receiver ? receiverImage() : mouseImage();
        QVERIFY2(!image.isEmpty(), "the build's app folder holds the tool's images");
        const quint32 version = receiver ? ShippedReceiverVersion : ShippedMouseVersion;
        plugChanges = 0;
        StartUsbChanged(&countPlugChange, 600);
        QTRY_VERIFY(plugChanges.load() >= 1); // the first call after registration
        plugChanges = 0;

        QVERIFY(listed().contains(path));
        QVERIFY(Upgrades::start(image));
        QCOMPARE(SimulationControl::bootMode(device), 1);
        QVERIFY(!listed().contains(path));
        QVERIFY(Upgrades::waitForEnds(1));

        QCOMPARE(Upgrades::progress(), (QList<int>{10, 20, 30, 40, 50, 60, 70, 80, 90, 100}));
        QCOMPARE(Upgrades::results(), QList<int>{1});
        for (const Upgrades::Message &m : Upgrades::all())
            QVERIFY(m.thread != QThread::currentThreadId());
        QCOMPARE(SimulationControl::bootMode(device), 0);
        QCOMPARE(SimulationControl::firmwareVersion(device), int(version));
        QVERIFY(listed().contains(path));
        QTRY_VERIFY(plugChanges.load() >= 2); // it left enumeration and came back
        QCOMPARE(bootDevices(image), 0);

        SimulationControl::restartBus();
        QCOMPARE(SimulationControl::firmwareVersion(device), int(version));
        QCOMPARE(storedVersion((receiver ? QStringLiteral("receiver-") : QStringLiteral("mouse-")) +
                               device + QStringLiteral(".ini")),
                 QStringLiteral("0x0") + QString::number(version, 16).toUpper());
        StopUsbChanged();
    }

    // A damaged image, or one that is for no device plugged in, is refused before anything
    // happens: no message, both devices keep their versions and stay listed, and the log says
    // why.
    void refusedImageChangesNothing_data()
    {
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<QString>("cause");
        const QByteArray good = makeImage(FirmwareHeader::ReceiverTarget, 0x0102, "ZR35_RX4K");
        QTest::newRow("short") << damaged(good, "short") << "shorter than its header";
        QTest::newRow("header only")
            << makeImage(FirmwareHeader::ReceiverTarget, 0x0102, "ZR35_RX4K", 12, 10, 0)
            << "holds no firmware";
        QTest::newRow("cut after its header") << damaged(good, "header only") << "length differs";
        QTest::newRow("bad mark") << damaged(good, "bad mark") << "no firmware image mark";
        QTest::newRow("header checksum")
            << damaged(good, "header checksum") << "header checksum wrong";
        QTest::newRow("firmware checksum")
            << damaged(good, "firmware checksum") << "firmware checksum wrong";
        QTest::newRow("longer than its header says")
            << damaged(good, "longer than its header says") << "length differs";
        QTest::newRow("shorter than its header says")
            << damaged(good, "shorter than its header says") << "length differs";
        QTest::newRow("no target of ours")
            << makeImage(0xD4, 0x0102, "ZR35_RX4K") << "no device for the image";
        QTest::newRow("mouse image with a receiver's name")
            << makeImage(FirmwareHeader::MouseTarget, 0x0102, "ZR35_RX4K")
            << "no device for the image";
        QTest::newRow("another customer")
            << makeImage(FirmwareHeader::ReceiverTarget, 0x0102, "ZR35_RX4K", 13)
            << "no device for the image";
        QTest::newRow("another receiver class")
            << makeImage(FirmwareHeader::ReceiverTarget, 0x0102, "ZR35_RX8K")
            << "no device for the image";
        QTest::newRow("a model the file does not have")
            << makeImage(FirmwareHeader::ReceiverTarget, 0x0102, "ZR35_RX4K", 12, 99)
            << "no device for the image";
        QTest::newRow("mouse of another model")
            << makeImage(FirmwareHeader::MouseTarget, 0x0105, "ZR35_M11", 12, 11)
            << "no device for the image";
        QTest::newRow("no image") << QByteArray() << "shorter than its header";
    }
    void refusedImageChangesNothing()
    {
        QFETCH(QByteArray, image);
        QFETCH(QString, cause);
        SimulatedBench bench(olderDevices());
        QVERIFY(bench.ok());
        SimulationControl::setUpgradeStepDelay(0);
        QCOMPARE(listed().size(), 2);

        QVERIFY(!Upgrades::start(image));
        const QStringList log = logLines();
        QCOMPARE(log.size(), UpgradeLogLines);
        QVERIFY2(log.join(QLatin1Char('\n')).contains(cause), qPrintable(log.join(" | ")));
        QCOMPARE(listed().size(), 2);
        QCOMPARE(SimulationControl::firmwareVersion(QStringLiteral("M")), 0x0104);
        QCOMPARE(SimulationControl::bootMode(QStringLiteral("M")), 0);

        // A well-formed image that does start shows the upgrade thread is alive, and acts as the
        // fence: had the refused one started, its messages would have come first.
        QVERIFY(Upgrades::start(mouseImage()));
        QVERIFY(Upgrades::waitForEnds(1));
        QCOMPARE(Upgrades::results(), QList<int>{1});
        QCOMPARE(Upgrades::progress().size(), 10);
        QCOMPARE(SimulationControl::firmwareVersion(QStringLiteral("R")), 0x0101);
        QCOMPARE(SimulationControl::bootMode(QStringLiteral("R")), 0);
        QVERIFY(listed().contains(QString::fromLatin1(SimulationControl::receiverPath("R"))));
    }

    // A transfer that fails at a percent, or whose device is unplugged, ends with result 0 and
    // leaves the device in boot mode: not listed, counted for the image, still so after a
    // restart; the log has eight lines on the transfer; the next upgrade recovers the device.
    void failedTransferLeavesBootMode_data()
    {
        QTest::addColumn<QByteArray>("receiverKeys");
        QTest::addColumn<int>("controlPercent"); // -1: no control
        QTest::addColumn<bool>("unplug");
        QTest::addColumn<int>("stoppedAt");
        QTest::newRow("first upgrade fails at 40 %")
            << QByteArray("UpgradeFailsAt=40\n") << -1 << false << 40;
        QTest::newRow("control fails it at 75 %") << QByteArray() << 75 << false << 75;
        QTest::newRow("unplugged mid-transfer") << QByteArray() << -1 << true << -1;
    }
    void failedTransferLeavesBootMode()
    {
        QFETCH(QByteArray, receiverKeys);
        QFETCH(int, controlPercent);
        QFETCH(bool, unplug);
        QFETCH(int, stoppedAt);
        SimulatedBench bench(olderDevices(receiverKeys));
        QVERIFY(bench.ok());
        SimulationControl::setUpgradeStepDelay(unplug ? 100 : 5);
        SimulationControl::failNextUpgradeAt(controlPercent);
        const QByteArray image = receiverImage();
        const QString path = QString::fromLatin1(SimulationControl::receiverPath("R"));
        QCOMPARE(bootDevices(image), 0);

        QVERIFY(Upgrades::start(image));
        if (unplug) {
            QTRY_VERIFY(!Upgrades::progress().isEmpty());
            QVERIFY(SimulationControl::plugReceiver(QStringLiteral("R"), false));
        }
        QVERIFY(Upgrades::waitForEnds(1));
        QCOMPARE(Upgrades::results(), QList<int>{0});
        if (stoppedAt >= 0)
            QCOMPARE(Upgrades::progress().last(), stoppedAt);
        else
            stoppedAt = Upgrades::progress().last();
        QVERIFY(stoppedAt < 100);
        const QStringList log = logLines();
        QCOMPARE(log.size(), UpgradeLogLines);
        for (const QString &line : log)
            QVERIFY2(!line.isEmpty(), qPrintable(log.join(" | ")));
        QVERIFY(log.contains(QStringLiteral("Transfer stopped at %1 %").arg(stoppedAt)));
        QVERIFY(log.join(QLatin1Char('\n'))
                    .contains(unplug ? QStringLiteral("unplugged") : QStringLiteral("stopped")));

        // Only plugged devices count; the restart plugs the receiver in again, as the set has it.
        QCOMPARE(bootDevices(image), unplug ? 0 : 1);
        SimulationControl::restartBus();
        QCOMPARE(SimulationControl::bootMode(QStringLiteral("R")), 1);
        QCOMPARE(SimulationControl::firmwareVersion(QStringLiteral("R")), 0x0101);
        QCOMPARE(bootDevices(image), 1);
        QCOMPARE(bootDevices(QByteArray()), 0);
        QCOMPARE(bootDevices(mouseImage()), 0);
        QVERIFY(!listed().contains(path));
        // Its mouse is out of reach while the receiver waits.
        QVERIFY(!UsbFinderC_GetDeviceOnLine(path.toLatin1().constData()));

        Upgrades::reset();
        SimulationControl::setUpgradeStepDelay(0);
        QVERIFY(Upgrades::start(image));
        QVERIFY(Upgrades::waitForEnds(1));
        QCOMPARE(Upgrades::results(), QList<int>{1});
        QCOMPARE(SimulationControl::bootMode(QStringLiteral("R")), 0);
        QCOMPARE(SimulationControl::firmwareVersion(QStringLiteral("R")),
                 int(ShippedReceiverVersion));
        QCOMPARE(bootDevices(image), 0);
        QVERIFY(listed().contains(path));
    }

    // A device the set starts in boot mode waits for its image like one a failure left behind;
    // with one waiting, the upgrade goes to it, not to the device of the same kind in normal mode.
    void bootModeFromTheSetGoesFirst()
    {
        SimulatedBench bench(olderDevices() +
                             "[W]\nType=Receiver\nKind=1\nVID=0x3D7A\nPID=0x1240\nBootMode=true\n"
                             "Version=0x0100\n");
        QVERIFY(bench.ok());
        SimulationControl::setUpgradeStepDelay(0);
        const QByteArray image = receiverImage();
        QCOMPARE(bootDevices(image), 1);
        QCOMPARE(listed().size(), 2);
        QVERIFY(Upgrades::start(image));
        QVERIFY(Upgrades::waitForEnds(1));
        QCOMPARE(SimulationControl::firmwareVersion(QStringLiteral("W")),
                 int(ShippedReceiverVersion));
        QCOMPARE(SimulationControl::firmwareVersion(QStringLiteral("R")), 0x0101);
        QCOMPARE(listed().size(), 3);

        // Two receivers in normal mode: the image has no one device to go to.
        Upgrades::reset();
        QVERIFY(!Upgrades::start(image));
        QVERIFY(logLines().join(QLatin1Char('\n')).contains(QStringLiteral("2 devices")));
    }

    // The callback of a completed upgrade starts the next one; it runs once the callback has
    // returned, on the same upgrade thread.
    void startFromInsideTheCallback()
    {
        SimulatedBench bench(olderDevices());
        QVERIFY(bench.ok());
        SimulationControl::setUpgradeStepDelay(0);
        Upgrades::nextImage = mouseImage();
        QVERIFY(Upgrades::start(receiverImage()));
        QVERIFY(Upgrades::waitForEnds(2));
        QVERIFY(Upgrades::nextStarted.load());
        QCOMPARE(Upgrades::results(), (QList<int>{1, 1}));
        QCOMPARE(Upgrades::progress().size(), 20);
        QCOMPARE(SimulationControl::firmwareVersion(QStringLiteral("R")),
                 int(ShippedReceiverVersion));
        QCOMPARE(SimulationControl::firmwareVersion(QStringLiteral("M")), int(ShippedMouseVersion));
    }
};

ZR35_TEST_MAIN(TestDeviceLibUpgrade)
#include "tst_devicelibupgrade.moc"
