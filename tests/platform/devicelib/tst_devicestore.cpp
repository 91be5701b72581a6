#include "platform/devicelib/configurationimage.h"
#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/simulationcontrol.h"
#include "tests/platform/devicelib/simfixture.h"
#include "tests/support/filesizelimit.h"
#include "tests/support/standarderror.h"
#include "tests/support/testmain.h"

#include <QDir>
#include <QFile>

#include <memory>

namespace {

QByteArray r()
{
    return SimulationControl::receiverPath(QStringLiteral("R"));
}

const FlashDataMap *record(const QByteArray &a)
{
    return reinterpret_cast<const FlashDataMap *>(a.constData());
}

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What a user does in one run: a changed record, a receiver LED mode, long range, a profile.
QByteArray useTheMouse()
{
    UsbServerC_Start(r().constData(), r().constData(), &EventRecorder::callback);
    QByteArray changed = SimulationControl::storedRecord(QStringLiteral("M"));
    changed[0x00] = 2;
    changed.replace(0x3BC + 592 * 5, 7, QByteArray::fromHex("05") + "Reload");
    ProtocolDataUpdate(record(changed));
    unsigned char rgb[DongleRgbSize] = {3};
    UsbFinderC_Set4KDongleRGB(r().constData(), rgb);
    UsbFinderC_SetLongRangeMode(r().constData(), 1);
    UsbServer_SetCurrentConfig(2);
    return changed;
}

// What the devices hold, as the program can ask it.
QByteArray held()
{
    unsigned char rgb[DongleRgbSize] = {};
    unsigned char mode = 's';
    UsbFinderC_Get4KDongleRGBValue(r().constData(), rgb);
    UsbFinderC_GetLongRangeMode(r().constData(), &mode);
    return SimulationControl::storedRecord(QStringLiteral("M")) +
           QByteArray::number(SimulationControl::profile(QStringLiteral("M"))) +
           QByteArray(reinterpret_cast<const char *>(rgb), DongleRgbSize) + char(mode);
}

// One write the program sends, of each kind the devices store.
using Send = bool (*)();

bool sendRecord()
{
    QByteArray changed = SimulationControl::storedRecord(QStringLiteral("M"));
    changed[0x00] = char(changed.at(0x00) + 1);
    return ProtocolDataUpdate(record(changed));
}

bool sendProfile()
{
    return UsbServer_SetCurrentConfig(1);
}

bool sendFactoryReset()
{
    return UsbServer_SetClearSetting();
}

bool sendLedMode()
{
    unsigned char rgb[DongleRgbSize] = {1};
    return UsbFinderC_Set4KDongleRGB(r().constData(), rgb);
}

bool sendLongRange()
{
    return UsbFinderC_SetLongRangeMode(r().constData(), 0);
}

} // namespace

class TestDeviceStore : public QObject
{
    Q_OBJECT
private slots:
    void stateSurvivesARestart()
    {
        SimulatedBench bench(oneMouseSet());
        const QByteArray factory = SimulationControl::storedRecord(QStringLiteral("M"));
        const QByteArray changed = useTheMouse();
        QVERIFY(changed != factory);

        SimulationControl::restartBus();
        QCOMPARE(SimulationControl::storedRecord(QStringLiteral("M")), changed);
        QCOMPARE(SimulationControl::profile(QStringLiteral("M")), 2);
        unsigned char rgb[DongleRgbSize] = {};
        QVERIFY(UsbFinderC_Get4KDongleRGBValue(r().constData(), rgb));
        QCOMPARE(rgb[0], 3);
        unsigned char mode = 's';
        QVERIFY(UsbFinderC_GetLongRangeMode(r().constData(), &mode));
        QCOMPARE(mode, 1);
        // The restart ended the server, as a new start of the program would.
        QVERIFY(!UsbServer_ReadAllFlashData());

        const QStringList files = QDir(SimulationControl::stateFolder()).entryList(QDir::Files);
        QCOMPARE(files, (QStringList{"mouse-M.ini", "receiver-R.ini"}));
    }

    void stateOfAnotherModelIsNotUsed()
    {
        SimulatedBench bench(oneMouseSet());
        const QByteArray factory = SimulationControl::storedRecord(QStringLiteral("M"));
        useTheMouse();
        QByteArray otherModel = oneMouseSet();
        otherModel.replace("Mid=10", "Mid=11");
        QVERIFY(SimulationControl::loadDeviceSet(bench.writeFile("other.ini", otherModel)));
        const QByteArray fresh = SimulationControl::storedRecord(QStringLiteral("M"));
        QCOMPARE(fresh.size(), factory.size());
        QCOMPARE(fresh.at(0x00), factory.at(0x00));
        QCOMPARE(fresh.mid(0x3BC), factory.mid(0x3BC));
    }

    void aDamagedImageIsNotUsed()
    {
        SimulatedBench bench(oneMouseSet());
        const QByteArray factory = SimulationControl::storedRecord(QStringLiteral("M"));
        useTheMouse();
        const QString path = QDir(SimulationControl::stateFolder()).filePath("mouse-M.ini");
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QByteArray text = file.readAll();
        file.close();
        const int image = text.indexOf("Image=") + 6;
        text[image + 10] = text.at(image + 10) == 'A' ? 'B' : 'A';
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
        file.close();

        SimulationControl::restartBus();
        QCOMPARE(SimulationControl::storedRecord(QStringLiteral("M")), factory);
    }

    // A stored value QSettings would decode as a serialized object reads as missing: the device
    // keeps that value's default and takes everything else it stored.
    void damagedValueReadsAsItsDefault()
    {
        SimulatedBench bench(oneMouseSet());
        const QByteArray changed = useTheMouse();
        const QString path = QDir(SimulationControl::stateFolder()).filePath("mouse-M.ini");
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QByteArray text = file.readAll();
        file.close();
        QVERIFY(text.contains("Profile=2\n"));
        text.replace("Profile=2\n", "Profile=@Variant(\\0\\0\\0G\\x7f\\xff\\xff\\xff)\n");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
        file.close();

        SimulationControl::restartBus();
        QCOMPARE(SimulationControl::storedRecord(QStringLiteral("M")), changed);
        QCOMPARE(SimulationControl::profile(QStringLiteral("M")), 0);
    }

    // A device whose flash cannot take a write refuses it: the operation fails, the device keeps
    // what it held, and its state file stays as it was.
    void aWriteTheStoreCannotHoldIsRefused_data()
    {
        QTest::addColumn<void *>("send");
        QTest::addColumn<QString>("file");
        QTest::newRow("record") << reinterpret_cast<void *>(&sendRecord) << "mouse-M.ini";
        QTest::newRow("profile") << reinterpret_cast<void *>(&sendProfile) << "mouse-M.ini";
        QTest::newRow("factory reset")
            << reinterpret_cast<void *>(&sendFactoryReset) << "mouse-M.ini";
        QTest::newRow("receiver LED") << reinterpret_cast<void *>(&sendLedMode) << "receiver-R.ini";
        QTest::newRow("long range") << reinterpret_cast<void *>(&sendLongRange) << "receiver-R.ini";
    }
    void aWriteTheStoreCannotHoldIsRefused()
    {
        QFETCH(void *, send);
        QFETCH(QString, file);
        SimulatedBench bench(oneMouseSet());
        useTheMouse();
        const QString path = QDir(SimulationControl::stateFolder()).filePath(file);
        const QByteArray before = held();
        const QString failure = FailedSaveKeepsTheFile(path, 64, reinterpret_cast<Send>(send));
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QCOMPARE(held(), before);
        // Taken again once the store can hold it.
        QVERIFY(reinterpret_cast<Send>(send)());
        QVERIFY(held() != before);
    }

    // A write of the state the device holds stores nothing (the device page sends back every
    // record it reads), so a full disk does not refuse it; a state file that someone else changed
    // or removed meanwhile is written again.
    void aWriteOfTheHeldStateStoresNothing_data()
    {
        QTest::addColumn<QString>("meanwhile");
        QTest::newRow("the disk filled") << "full";
        QTest::newRow("the file changed") << "changed";
        QTest::newRow("the file removed") << "removed";
    }
    void aWriteOfTheHeldStateStoresNothing()
    {
        QFETCH(QString, meanwhile);
        SimulatedBench bench(oneMouseSet());
        const QByteArray changed = useTheMouse();
        const QString path = QDir(SimulationControl::stateFolder()).filePath("mouse-M.ini");
        const QByteArray text = contentOf(path);
        QVERIFY(text.contains("Profile=2\n"));
        std::unique_ptr<FileSizeLimit> full;
        if (meanwhile == "full") {
            full = std::make_unique<FileSizeLimit>(64);
            QVERIFY(full->ok());
        } else if (meanwhile == "changed") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(text).replace("Profile=2\n", "Profile=3\n"));
        } else {
            QVERIFY(QFile::remove(path));
        }
        QVERIFY(ProtocolDataUpdate(record(changed)));
        QVERIFY(UsbServer_SetCurrentConfig(2));
        full.reset();
        QCOMPARE(contentOf(path), text);
    }

    // A state folder the user cannot write: one line names the file, however often the device is
    // sent a write, and the device keeps its state across a restart.
    void aReadOnlyStateFolderIsToldOnce()
    {
        SimulatedBench bench(oneMouseSet());
        const QByteArray before = useTheMouse();
        const QString folder = SimulationControl::stateFolder();
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        QFile probe(folder + QStringLiteral("/probe"));
        if (probe.open(QIODevice::WriteOnly)) {
            probe.remove();
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QSKIP("this user writes into read-only folders");
        }
        const QByteArray message = standardError([] {
            QVERIFY(!sendRecord());
            QVERIFY(!sendRecord());
            QVERIFY(!sendProfile());
        });
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(message.count('\n'), 1);
        const QString path = QDir(folder).filePath(QStringLiteral("mouse-M.ini"));
        QVERIFY2(message.startsWith(QDir::toNativeSeparators(path).toLocal8Bit() + ": "),
                 message.constData());
        SimulationControl::restartBus();
        QCOMPARE(SimulationControl::storedRecord(QStringLiteral("M")), before);
        QCOMPARE(SimulationControl::profile(QStringLiteral("M")), 2);
    }

    void defaultFolderIsInTheUsersStateFolder()
    {
        SimulationControl::setStateFolder(QString());
        QCOMPARE(SimulationControl::stateFolder(),
                 qEnvironmentVariable("XDG_STATE_HOME") +
                     QStringLiteral("/ZR35 Mouse Software/simulation"));
    }
};

ZR35_TEST_MAIN(TestDeviceStore)
#include "tst_devicestore.moc"
