#include "platform/devicelib/configurationimage.h"
#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/simulationcontrol.h"
#include "tests/platform/devicelib/simfixture.h"
#include "tests/support/testmain.h"

#include <QDir>
#include <QFile>

namespace {

QByteArray r()
{
    return SimulationControl::receiverPath(QStringLiteral("R"));
}

const FlashDataMap *record(const QByteArray &a)
{
    return reinterpret_cast<const FlashDataMap *>(a.constData());
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
