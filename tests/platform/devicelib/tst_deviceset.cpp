#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/deviceset.h"
#include "platform/devicelib/factorysettings.h"
#include "platform/devicelib/modelconfig.h"
#include "platform/devicelib/simulationcontrol.h"
#include "tests/platform/devicelib/simfixture.h"
#include "tests/support/standarderror.h"
#include "tests/support/testmain.h"

#include <QDir>

class TestDeviceSet : public QObject
{
    Q_OBJECT
private slots:
    void readsEveryField()
    {
        SimulatedBench bench(oneMouseSet());
        DeviceSet set;
        QString error;
        const QByteArray text = oneMouseSet() + "[Cabled]\n"
                                                "Type=Mouse\n"
                                                "Cid=12\n"
                                                "Mid=11\n"
                                                "Online=false\n"
                                                "Charging=true\n"
                                                "Battery=5\n"
                                                "Profile=3\n"
                                                "Cable=true\n"
                                                "CableKind=3\n"
                                                "CableVID=0x3D7A\n"
                                                "CablePID=0x1201\n"
                                                "Pairing=true\n"
                                                "BootMode=true\n"
                                                "UpgradeFailsAt=40\n";
        QVERIFY2(DeviceSetFile::read(bench.writeFile("set.ini", text), &set, &error),
                 qPrintable(error));
        QCOMPARE(set.receivers.size(), 1);
        const VirtualReceiver &r = set.receivers.first();
        QCOMPARE(r.name, QStringLiteral("R"));
        QCOMPARE(int(r.kind), 1);
        QCOMPARE(r.vid, QByteArray("0x3D7A"));
        QCOMPARE(r.pid, QByteArray("0x1240"));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(r.id), 3),
                 QByteArray::fromHex("112233"));
        QCOMPARE(int(r.version), 0x0203);
        QCOMPARE(int(r.dongleRgb.at(0)), 2);
        QVERIFY(r.plugged);

        QCOMPARE(set.mice.size(), 2);
        const VirtualMouse &cabled = set.mice.at(0); // sections come in name order
        QCOMPARE(cabled.name, QStringLiteral("Cabled"));
        QCOMPARE(int(cabled.mid), 11);
        QVERIFY(!cabled.awake);
        QVERIFY(cabled.charging);
        QCOMPARE(cabled.battery, 5);
        QCOMPARE(cabled.profile, 3);
        QVERIFY(cabled.cablePlugged);
        QCOMPARE(int(cabled.cableKind), 3);
        QVERIFY(cabled.receiver.isEmpty());
        QVERIFY(cabled.pairing);
        QVERIFY(cabled.upgrade.bootMode);
        QCOMPARE(cabled.upgrade.failsAt, 40);
        QCOMPARE(cabled.upgrade.upgrades, 0);
        QVERIFY(!r.upgrade.bootMode);
        QCOMPARE(r.upgrade.failsAt, -1); // upgrades complete unless the set says otherwise
        const VirtualMouse &m = set.mice.at(1);
        QCOMPARE(m.receiver, QStringLiteral("R"));
        QCOMPARE(int(m.cid), 12);
        QCOMPARE(m.battery, 80);
        QVERIFY(m.awake);
        QVERIFY(!m.cablePlugged);
        QVERIFY(!m.pairing);
    }

    void refusesAWrongFile_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("problem");
        QTest::newRow("empty") << QByteArray() << "no device in the file";
        QTest::newRow("no type") << QByteArray("[A]\nKind=1\n") << "[A] Type is missing";
        QTest::newRow("odd type") << QByteArray("[A]\nType=Keyboard\n")
                                  << "[A] Type must be Receiver, Mouse or Screen";
        QTest::newRow("receiver kind") << QByteArray("[A]\nType=Receiver\nKind=3\nVID=a\nPID=b\n")
                                       << "[A] Kind must be 0, 4, 1 or 5";
        QTest::newRow("no vendor")
            << QByteArray("[A]\nType=Receiver\nPID=b\n") << "[A] VID is missing";
        QTest::newRow("misspelt key")
            << QByteArray("[M]\nType=Mouse\nBatery=50\n") << "[M] Batery is not a known key";
        QTest::newRow("battery") << QByteArray("[M]\nType=Mouse\nBattery=120\n")
                                 << "[M] Battery must be a number from 0 to 100";
        QTest::newRow("online") << QByteArray("[M]\nType=Mouse\nOnline=maybe\n")
                                << "[M] Online must be true or false";
        QTest::newRow("pairing") << QByteArray("[M]\nType=Mouse\nPairing=held\n")
                                 << "[M] Pairing must be true or false";
        QTest::newRow("unknown receiver") << QByteArray("[M]\nType=Mouse\nReceiver=Nope\n")
                                          << "[M] Receiver names no receiver of the file";
        QTest::newRow("cable kind of a receiver")
            << QByteArray("[M]\nType=Mouse\nCableKind=4\n")
            << "[M] CableKind must not be a receiver kind (0, 1, 4, 5)";
        QTest::newRow("cable without identifiers")
            << QByteArray("[M]\nType=Mouse\nCable=true\n") << "[M] CableVID is missing";
        QTest::newRow("receiver identifier")
            << QByteArray("[A]\nType=Receiver\nVID=a\nPID=b\nReceiverId=1, 2\n")
            << "[A] ReceiverId must hold 3 numbers";
        QTest::newRow("boot mode") << QByteArray("[M]\nType=Mouse\nBootMode=waiting\n")
                                   << "[M] BootMode must be true or false";
        QTest::newRow("upgrade failure percent")
            << QByteArray("[A]\nType=Receiver\nVID=a\nPID=b\nUpgradeFailsAt=101\n")
            << "[A] UpgradeFailsAt must be a number from 0 to 100";
        QTest::newRow("device name")
            << QByteArray("[My%20Mouse]\nType=Mouse\n")
            << "[My Mouse] is no valid device name (letters, digits, - and _)";
    }

    void refusesAWrongFile()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, problem);
        SimulatedBench bench(oneMouseSet());
        DeviceSet set;
        QString error;
        QVERIFY(!DeviceSetFile::read(bench.writeFile("set.ini", text), &set, &error));
        QCOMPARE(error, problem);
        QVERIFY(!SimulationControl::loadDeviceSet(bench.writeFile("set.ini", text)));
        // The bus keeps the devices it had.
        QCOMPARE(UsbFinderC_GetDeviceInfo(SimulationControl::receiverPath("R").constData()).Mid,
                 10);
    }

    void environmentNamesTheSet()
    {
        SimulatedBench bench(oneMouseSet());
        const QString file = bench.writeFile("mine.ini", "[Solo]\nType=Mouse\nCid=12\nMid=12\n"
                                                         "Cable=true\nCableVID=v\nCablePID=p\n");
        qputenv(DeviceSetFile::EnvironmentVariable, file.toLocal8Bit());
        DeviceSet set;
        QCOMPARE(standardError([&] { set = DeviceSetFile::fromEnvironment(); }), QByteArray());
        QCOMPARE(set.mice.size(), 1);
        QCOMPARE(set.mice.first().name, QStringLiteral("Solo"));
        qputenv(DeviceSetFile::EnvironmentVariable, QByteArray());
    }

    void aWrongFileGetsAMessageAndTheBuiltInSet_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("problem");
        QTest::newRow("missing") << QByteArray() << "no such file";
        QTest::newRow("bad value")
            << QByteArray("[M]\nType=Mouse\nMid=300\n") << "[M] Mid must be a number from 0 to 255";
    }

    void aWrongFileGetsAMessageAndTheBuiltInSet()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, problem);
        SimulatedBench bench(oneMouseSet());
        const QString file = text.isEmpty() ? bench.folder() + QStringLiteral("/absent.ini")
                                            : bench.writeFile("wrong.ini", text);
        qputenv(DeviceSetFile::EnvironmentVariable, file.toLocal8Bit());
        DeviceSet set;
        const QString message =
            QString::fromLocal8Bit(standardError([&] { set = DeviceSetFile::fromEnvironment(); }));
        qputenv(DeviceSetFile::EnvironmentVariable, QByteArray());
        QVERIFY2(message.startsWith(file + QStringLiteral(": ") + problem), qPrintable(message));
        QVERIFY2(message.contains(QStringLiteral("ZR35_DEVICES")), qPrintable(message));
        QVERIFY2(message.contains(QStringLiteral("built-in set")), qPrintable(message));
        QCOMPARE(set.mice.size(), DeviceSetFile::builtIn().mice.size());
        QCOMPARE(set.mice.first().name, QStringLiteral("Mouse1"));
    }

    // A value QSettings would decode as a serialized object reads as missing, so the device gets
    // its default; the rest of the file is read as written.
    void damagedValueReadsAsItsDefault()
    {
        SimulatedBench bench(oneMouseSet());
        const QString file =
            bench.writeFile("damaged.ini", "[Solo]\nType=Mouse\nCid=12\nMid=10\n"
                                           "Battery=@Variant(\\0\\0\\0G\\x7f\\xff\\xff\\xff)\n"
                                           "Profile=2\n");
        DeviceSet set;
        QString error;
        bool read = false;
        const QByteArray message =
            standardError([&] { read = DeviceSetFile::read(file, &set, &error); });
        QVERIFY2(read, qPrintable(error));
        QCOMPARE(set.mice.size(), 1);
        QCOMPARE(set.mice.first().battery, 100);
        QCOMPARE(set.mice.first().mid, 10);
        QCOMPARE(set.mice.first().profile, 2);
        QVERIFY2(message.startsWith(file.toLocal8Bit() + ": Solo/Battery "), message.constData());
    }

    // The device library reads the shipped model configuration itself, through the same reader.
    void damagedModelConfigurationReadsAsItsDefaults()
    {
        SimulatedBench bench(oneMouseSet());
        const QByteArray damaged = "@Variant(\\0\\0\\0G\\x7f\\xff\\xff\\xff)";
        const QByteArray message = standardError([&] {
            bench.useConfigIni("[Option]\nDeviceTotal=1\nCID=MTI=\nVID=" + damaged +
                               "\nUSB_PID=MHgxMjAx\n[Drive1]\nMID=10\nDPIMaxGrade=5\n"
                               "KeyParam1=" +
                               damaged + "\nKeyParam2=0x01,0x02\n");
        });
        QVERIFY2(message.contains("Option/VID"), message.constData());
        QVERIFY2(message.contains("Drive1/KeyParam1"), message.constData());
        const ModelConfig::Identifiers ids = ModelConfig::identifiers();
        QCOMPARE(ids.cid, 12);
        QVERIFY(ids.vids.isEmpty());
        QCOMPARE(ids.usbPids, QStringList{QStringLiteral("0x1201")});
        const ModelConfig::Model model = ModelConfig::model(10);
        QCOMPARE(model.dpiMaxGrade, 5);
        QVERIFY(model.keyParams.at(0).isEmpty());
        QCOMPARE(model.keyParams.at(1), (QStringList{"0x01", "0x02"}));
    }

    void builtInSetIsOneWirelessMouseOnItsReceiver()
    {
        const DeviceSet set = DeviceSetFile::builtIn();
        QCOMPARE(set.receivers.size(), 1);
        QCOMPARE(set.mice.size(), 1);
        QCOMPARE(int(set.receivers.first().kind), 1);
        QCOMPARE(set.mice.first().receiver, set.receivers.first().name);
        QVERIFY(set.mice.first().awake);
        QCOMPARE(set.mice.first().battery, 80);
    }

    // The built-in devices must be found and recognised with the shipped Config.ini.
    void builtInSetIsAmongTheShippedIdentifiers()
    {
        const ModelConfig::Identifiers ids = ModelConfig::identifiers();
        const QVector<int> models = ModelConfig::modelIds();
        QVERIFY(!models.isEmpty());
        const DeviceSet set = DeviceSetFile::builtIn();
        for (const VirtualReceiver &r : set.receivers) {
            QVERIFY(ids.vids.contains(QString::fromLatin1(r.vid)));
            const int receiverClass = r.kind == 0 ? 0 : r.kind == 4 ? 1 : r.kind == 1 ? 2 : 3;
            QVERIFY2(ids.wirelessPids[receiverClass].contains(QString::fromLatin1(r.pid)),
                     r.pid.constData());
        }
        for (const VirtualMouse &m : set.mice) {
            QCOMPARE(int(m.cid), ids.cid);
            QVERIFY(models.contains(m.mid));
            QVERIFY(ids.vids.contains(QString::fromLatin1(m.cableVid)));
            QVERIFY(ids.usbPids.contains(QString::fromLatin1(m.cablePid)));
        }
    }

    // The example sets shipped beside the library are read, loaded and found with the shipped
    // Config.ini, so that a user who names one gets the devices it describes.
    void exampleSetsAreUsable_data()
    {
        QTest::addColumn<QString>("file");
        const QDir examples(
            QStringLiteral(ZR35_TEST_SOURCE_DIR "/../../../platform/devicelib/examples"));
        const QStringList files = examples.entryList({QStringLiteral("*.ini")}, QDir::Files);
        QVERIFY(!files.isEmpty());
        for (const QString &name : files)
            QTest::newRow(qPrintable(name)) << examples.filePath(name);
    }
    void exampleSetsAreUsable()
    {
        QFETCH(QString, file);
        SimulatedBench bench(oneMouseSet());
        DeviceSet set;
        QString error;
        QVERIFY2(DeviceSetFile::read(file, &set, &error), qPrintable(error));
        QVERIFY2(SimulationControl::loadDeviceSet(file, &error), qPrintable(error));
        const ModelConfig::Identifiers ids = ModelConfig::identifiers();
        const QVector<int> models = ModelConfig::modelIds();
        int found = 0;
        for (const QString &vid : ids.vids) {
            for (const QStringList &pids : ids.wirelessPids) {
                for (const QString &pid : pids) {
                    int count = 0;
                    UsbFinderC_FindHidDevicesByDefaultDeviceId(vid.toLatin1().constData(),
                                                               pid.toLatin1().constData(), &count);
                    found += count;
                }
            }
        }
        QCOMPARE(found, set.receivers.size());
        for (const VirtualMouse &m : set.mice) {
            QCOMPARE(int(m.cid), ids.cid);
            QVERIFY(models.contains(m.mid));
        }
    }

    // Every model of the shipped file gives a factory record without a value the firmware could
    // not read; the first model's play/pause button gets its key record.
    void shippedModelsHaveReadableFactorySettings()
    {
        for (int mid : ModelConfig::modelIds()) {
            QStringList notes;
            QByteArray record;
            FactorySettings::restore(record, ModelConfig::model(mid), &notes);
            QVERIFY2(notes.isEmpty(), qPrintable(notes.join(QLatin1Char('\n'))));
        }
        const QByteArray first = FactorySettings::record(ModelConfig::model(10));
        QCOMPARE(first.mid(0x4A + 3 * 5, 3), QByteArray::fromHex("050000"));
        QCOMPARE(first.mid(0x7C + 52 * 5, 20),
                 QByteArray::fromHex("020000000002cd000a0000000102cd000a000000"));
        QCOMPARE(first.mid(0x4A + 3 * 10, 3), QByteArray::fromHex("040a03"));
        QCOMPARE(int(first.at(0x01)), 8);
    }
};

ZR35_TEST_MAIN(TestDeviceSet)
#include "tst_deviceset.moc"
