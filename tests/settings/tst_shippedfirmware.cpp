#include "core/devicediscovery.h"
#include "core/devicestate.h"
#include "core/firmwareimages.h"
#include "core/startup.h"
#include "platform/appdir.h"
#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/deviceset.h"
#include "platform/devicelib/modelconfig.h"
#include "platform/devicelib/simulationcontrol.h"
#include "platform/inifile.h"
#include "settings/formsetting.h"
#include "tests/settings/updatebench.h"
#include "tests/support/testmain.h"

#include <QDir>
#include <QFile>
#include <QSet>

namespace {

constexpr auto &state = State;

QDir shippedBin()
{
    return QDir(QStringLiteral(ZR35_TEST_APP_DIR "/bin"));
}

QString storedValue(const QString &file, const QString &key)
{
    return IniFile(SimulationControl::stateFolder() + QLatin1Char('/') + file)
        .value(key)
        .toString();
}

} // namespace

// The firmware images the build writes into the app folder, and what the program and the
// simulated devices make of them.
class TestShippedFirmware : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { PrepareUserFolder(); }

    // Every image passes the device's own check and names a model of the shipped Config.ini: per
    // model one mouse image and one receiver image per receiver name, no two for the same model,
    // target and name (the offer would then never end), each with the version of the built-in
    // device of its target.
    void imagesPassTheDevicesCheck()
    {
        const DeviceSet builtIn = DeviceSetFile::builtIn();
        QSet<QString> seen;
        int count = 0;
        for (const QString &name : shippedBin().entryList({QStringLiteral("*.bin")}, QDir::Files)) {
            QFile file(shippedBin().filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray image = file.readAll();
            const auto *bytes = reinterpret_cast<const std::uint8_t *>(image.constData());
            QCOMPARE(FirmwareHeader::Verify(bytes, std::size_t(image.size())),
                     FirmwareHeader::Check::Ok);
            QVERIFY(image.size() >= int(FirmwareHeader::Size) + 16 * 1024);
            QVERIFY(image.size() <= int(FirmwareHeader::Size) + 64 * 1024);
            FirmwareHeader header;
            QVERIFY(FirmwareHeader::Read(bytes, std::size_t(image.size()), &header));
            const ModelConfig::Model model = ModelConfig::model(header.Mid);
            QVERIFY2(model.section != 0, qPrintable(name));
            QCOMPARE(int(header.Cid), ModelConfig::identifiers().cid);
            const QString modelName = QString::fromStdString(header.ModelName);
            if (header.Target == FirmwareHeader::MouseTarget) {
                QCOMPARE(modelName, model.mouseImageName);
                QCOMPARE(header.Version, quint32(builtIn.mice.first().version));
            } else {
                QCOMPARE(int(header.Target), int(FirmwareHeader::ReceiverTarget));
                QVERIFY(std::find(std::begin(model.receiverImageNames),
                                  std::end(model.receiverImageNames),
                                  modelName) != std::end(model.receiverImageNames));
                QCOMPARE(header.Version, quint32(builtIn.receivers.first().version));
            }
            const QString key =
                QStringLiteral("%1/%2/%3").arg(header.Mid).arg(header.Target).arg(modelName);
            QVERIFY2(!seen.contains(key), qPrintable(key));
            seen.insert(key);
            ++count;
        }
        QCOMPARE(count, ModelConfig::modelIds().size() * 5);
    }

    // For each built-in device the images hold nothing new: a normal start offers no update.
    void builtInDevicesAreUpToDate()
    {
        const DeviceSet builtIn = DeviceSetFile::builtIn();
        const QString cid = QString::number(ModelConfig::identifiers().cid);
        for (const VirtualMouse &mouse : builtIn.mice) {
            const ModelConfig::Model model = ModelConfig::model(mouse.mid);
            QVERIFY(!FirmwareImages::HasNewFirmware(
                FirmwareImages::MouseTarget, FirmwareImages::FirmwareVersionText(mouse.version),
                model.mouseImageName, cid.toInt(), mouse.mid));
        }
        for (const VirtualReceiver &receiver : builtIn.receivers) {
            const QString name =
                ModelConfig::model(builtIn.mice.first().mid)
                    .receiverImageNames[ModelConfig::receiverClassIndex(receiver.kind)];
            QVERIFY(!name.isEmpty());
            QVERIFY(!FirmwareImages::HasNewFirmware(
                FirmwareImages::ReceiverTarget,
                FirmwareImages::FirmwareVersionText(receiver.version), name, cid.toInt(),
                builtIn.mice.first().mid));
        }
    }

    // Over the shipped images, the mouse's version reply offers an update only for devices older
    // than the images.
    void versionReplyOffersAnUpdate_data()
    {
        QTest::addColumn<QByteArray>("deviceSet");
        QTest::addColumn<bool>("offered");
        QFile builtIn(
            QStringLiteral(ZR35_TEST_SOURCE_DIR "/../../platform/devicelib/builtin-devices.ini"));
        QVERIFY(builtIn.open(QIODevice::ReadOnly));
        QTest::newRow("built-in devices") << builtIn.readAll() << false;
        QTest::newRow("older-firmware.ini") << exampleSet("older-firmware.ini") << true;
    }
    void versionReplyOffersAnUpdate()
    {
        QFETCH(QByteArray, deviceSet);
        QFETCH(bool, offered);
        UpdateBench b(deviceSet, true);
        QVERIFY(b.bench.ok());
        QVERIFY(b.open(SimulationControl::receiverPath(QStringLiteral("Receiver1")), 1));
        QCOMPARE(b.hub->frames, QList<bool>{offered});
        QCOMPARE(state().ReceiverFirmwareNew.load() == 1, offered);
        QCOMPARE(state().MouseFirmwareNew.load() == 1, offered);
    }

    // The update of the older-firmware.ini devices: the receiver, then the mouse on its cable;
    // both keep the images' versions across a restart.
    void olderFirmwareUpdatesBothStages()
    {
        UpdateBench b(exampleSet("older-firmware.ini"), true, 20);
        QVERIFY(b.bench.ok());
        QVERIFY(b.open(SimulationControl::cablePath(QStringLiteral("Mouse1")), 2));
        state().UpdateStageCount = 2;
        b.page->on_Receive_clicked();
        QVERIFY(b.waitForEnd());
        QCOMPARE(state().ReceiverUpdateState.load(), 2);
        QCOMPARE(state().MouseUpdateState.load(), 2);
        QCOMPARE(b.hub->progress.last(), qMakePair(0, 2));

        SimulationControl::restartBus();
        QCOMPARE(storedValue(QStringLiteral("receiver-Receiver1.ini"),
                             QStringLiteral("Receiver/Version")),
                 QStringLiteral("0x0102"));
        QCOMPARE(storedValue(QStringLiteral("mouse-Mouse1.ini"), QStringLiteral("Mouse/Version")),
                 QStringLiteral("0x0105"));
        QCOMPARE(SimulationControl::firmwareVersion(QStringLiteral("Receiver1")), 0x0102);
        QCOMPARE(SimulationControl::firmwareVersion(QStringLiteral("Mouse1")), 0x0105);
    }

    // The failing-upgrade.ini receiver stops at 40 % and still waits in boot mode after a
    // restart.
    void failingUpgradeStopsAt40()
    {
        UpdateBench b(exampleSet("failing-upgrade.ini"), true, 20);
        QVERIFY(b.bench.ok());
        QVERIFY(b.open(SimulationControl::cablePath(QStringLiteral("Mouse1")), 2));
        state().UpdateStageCount = 1;
        b.page->on_Receive_clicked();
        QVERIFY(b.waitForEnd());
        QCOMPARE(state().ReceiverUpdateState.load(), 3);
        QCOMPARE(b.hub->percents().last(), 40);
        QCOMPARE(b.hub->progress.last(), qMakePair(0, 1));

        SimulationControl::restartBus();
        QCOMPARE(SimulationControl::bootMode(QStringLiteral("Receiver1")), 1);
        QCOMPARE(storedValue(QStringLiteral("receiver-Receiver1.ini"),
                             QStringLiteral("Receiver/BootMode")),
                 QStringLiteral("1"));
        int waiting = 0;
        const QByteArray image = FirmwareImages::FirmwareImageList().value(0);
        UsbUpgradeC_FindBootDevices(reinterpret_cast<const unsigned char *>(image.constData()),
                                    image.size(), &waiting);
        QCOMPARE(waiting, 1);
    }
};

ZR35_TEST_MAIN(TestShippedFirmware)
#include "tst_shippedfirmware.moc"
