#include "core/configini.h"
#include "core/devicecache.h"
#include "core/devicelink.h"
#include "core/devicestate.h"
#include "core/languagetables.h"
#include "core/postmsg.h"
#include "core/settingsfile.h"
#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/simulationcontrol.h"
#include "shell/dialogs/updataparam.h"
#include "tests/linksupport/readdevice.h"
#include "tests/shell/dialogs/noticetexts.h"
#include "tests/support/modaldriver.h"
#include "tests/support/records.h"
#include "tests/support/testmain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

namespace {

const QString Mouse = QStringLiteral("Mouse1");
const QString Sensor = QStringLiteral("PAW3395");
constexpr int MaxGrade = 6;

// The dialog's delays run at a quarter of the program's: each case keeps its order of events,
// and no case waits real seconds.
constexpr double DelayScale = 0.25;

int scaled(int ms)
{
    return qRound(ms * DelayScale);
}

// The model the tests select: Drive1, whose sensor and DPI limit the import is judged against.
const QByteArray ConfigText = "[Option]\n"
                              "LabelColor=\"255,255,255\"\n"
                              "[Drive1]\n"
                              "MID=10\n"
                              "Sensor=UEFXMzM5NQ==\n"
                              "DPIMaxGrade=6\n";

FlashDataMap filledRecord(std::uint8_t seed, int stages = 3)
{
    return plausibleRecord(seed, stages);
}

// Every hub signal the dialog may send, counted.
struct HubSpies
{
    PostMsg *hub = PostMsg::GetInstance();
    QSignalSpy setver{hub, &PostMsg::SigSetver};
    QSignalSpy offline{hub, &PostMsg::SigMouseOffLineo};
    QSignalSpy light{hub, &PostMsg::SigUpDataLightUIA};
    QSignalSpy sensor{hub, &PostMsg::SigUpDataSensorUIB};
    QSignalSpy button{hub, &PostMsg::SigUpDataButtonUIC};
    QSignalSpy formB{hub, &PostMsg::SigFormB};

    QByteArray recordSentToButtonPage() const
    {
        return button.isEmpty() ? QByteArray()
                                : recordBytes(button.at(0).at(0).value<FlashDataMap>());
    }
};

} // namespace

class TestUpDataParam : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir dir;
    DeviceState *state = DeviceState::instance();
    QByteArray mousePath;

    QString writeSettingsFile(const QString &name, const FlashDataMap &record,
                              const QString &sensor = Sensor)
    {
        const QString path = dir.filePath(name);
        SettingsFile::Write(path, record, sensor);
        return path;
    }

    // Runs a fresh dialog the way the button page runs its import, until it closes itself.
    void runImport(const QString &path)
    {
        UpDataParam dialog;
        dialog.StartUpData();
        dialog.ImportMode = 1;
        dialog.ImportPath = path;
        dialog.exec();
        QCOMPARE(dialog.ImportMode, quint8(0));
    }

private slots:
    void initTestCase()
    {
        QFile config(dir.filePath(QStringLiteral("Config.ini")));
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write(ConfigText);
        config.close();
        ConfigIni::resetForTests(config.fileName());
        // The start-up makes the cache folder; these tests start no program.
        QVERIFY(QDir().mkpath(QFileInfo(DeviceCachePath(QStringLiteral("x"))).absolutePath()));
        UpDataParam::SetDelayScaleForTests(DelayScale);
        FillNoticeTexts();
        UpDataParamTexts.clear();
        UpDataParamTexts.appendRow({QStringLiteral("en updating"), QStringLiteral("en importing")});
        UpDataParamTexts.appendRow({QStringLiteral("uk updating"), QStringLiteral("uk importing")});

        SimulationControl::setLatency(0);
        SimulationControl::setStateFolder(dir.filePath(QStringLiteral("devices")));
        SimulationControl::loadBuiltInDeviceSet();
        mousePath = SimulationControl::receiverPath(QStringLiteral("Receiver1"));
        QVERIFY(!mousePath.isEmpty());
    }
    void cleanupTestCase() { DeviceLink::StopServer(); }

    void init()
    {
        SimulationControl::setOnline(Mouse, true);
        SimulationControl::setNoAnswer(QStringLiteral("ProtocolDataUpdate"), 0);
        // The mouse as the device page opens it: selected, and its record read.
        DeviceAllInfo device;
        device.Path = QString::fromLatin1(mousePath);
        device.DriveIndex = 0;
        QVERIFY(SelectAndReadDevice(device));
        SimulationControl::clearLog();
        state->OnDevicePage = 1;
        state->ImportDialogOpen = 0;
        state->ImportResult = 0;
        state->SensorUiUpdated = 0;
        state->ButtonUiUpdated = 0;
        state->RecheckOnline = 0;
        state->RereadWhenOnline = 0;
        state->CurrentLanguage = 0;
    }

    void labelFollowsTheImportFlag_data()
    {
        QTest::addColumn<int>("importOpen");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("text");
        QTest::newRow("update") << 0 << 0 << QStringLiteral("en updating");
        QTest::newRow("import") << 1 << 1 << QStringLiteral("uk importing");
    }
    void labelFollowsTheImportFlag()
    {
        QFETCH(int, importOpen);
        QFETCH(int, language);
        QFETCH(QString, text);
        state->ImportDialogOpen = quint8(importOpen);
        state->CurrentLanguage = language;
        UpDataParam dialog;
        QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("label"))->text(), text);
    }

    void acceptedImportReachesDeviceAndPages()
    {
        const FlashDataMap imported = filledRecord(0x11, MaxGrade);
        const QString path = writeSettingsFile(QStringLiteral("good.bin"), imported);
        HubSpies spies;
        runImport(path);

        QCOMPARE(state->ImportResult.load(), 0);
        COMPARE_RECORDS(state->CurrentFlashData.get(), imported);
        const QVector<QByteArray> sent = SimulationControl::receivedRecords();
        QCOMPARE(sent.size(), 1);
        COMPARE_RECORDS(sent.at(0), recordBytes(imported));
        QCOMPARE(spies.setver.size(), 1);
        QCOMPARE(spies.setver.at(0).at(0).toInt(), 4);
        QCOMPARE(spies.light.size(), 1);
        QCOMPARE(spies.sensor.size(), 1);
        COMPARE_RECORDS(spies.recordSentToButtonPage(), recordBytes(imported));
        QCOMPARE(spies.formB.size(), 1);
        QCOMPARE(spies.offline.size(), 0);
    }

    // A good file whose record the mouse does not take (it sleeps, or the send is lost): nothing
    // of the import is applied or shown, the user is told the mouse is offline, and the mouse's
    // own record is read again once it answers.
    void importTheMouseDoesNotTakeIsNotApplied_data()
    {
        QTest::addColumn<bool>("asleep");
        QTest::newRow("mouse asleep") << true;
        QTest::newRow("send refused") << false;
    }
    void importTheMouseDoesNotTakeIsNotApplied()
    {
        QFETCH(bool, asleep);
        const FlashDataMap imported = filledRecord(0x22, 2);
        const QString path = writeSettingsFile(QStringLiteral("nottaken.bin"), imported);
        const QByteArray before = recordBytes(state->CurrentFlashData.get());
        const QByteArray onMouse = SimulationControl::storedRecord(Mouse);
        if (asleep)
            QVERIFY(SimulationControl::setOnline(Mouse, false));
        else
            SimulationControl::setNoAnswer(QStringLiteral("ProtocolDataUpdate"), 1);
        state->RereadWhenOnline = 0;
        HubSpies spies;
        runImport(path);

        QCOMPARE(SimulationControl::storedRecord(Mouse), onMouse);
        COMPARE_RECORDS(recordBytes(state->CurrentFlashData.get()), before);
        QCOMPARE(spies.light.size() + spies.sensor.size() + spies.button.size(), 0);
        QCOMPARE(spies.formB.size(), 0);
        QCOMPARE(spies.offline.size(), 1);
        QCOMPARE(spies.offline.at(0).at(0).toInt(), 0);
        QCOMPARE(state->ImportResult.load(), UpDataParam::ImportNotTaken);
        QCOMPARE(state->RereadWhenOnline.load(), quint8(1));
    }

    void refusedImportTellsWhyAndSendsNothing_data()
    {
        QTest::addColumn<QByteArray>("contents"); // empty: the file is not there
        QTest::addColumn<int>("result");
        QByteArray damaged;
        {
            QFile file(writeSettingsFile(QStringLiteral("source.bin"), filledRecord(1)));
            file.open(QIODevice::ReadOnly);
            damaged = file.readAll();
        }
        QTest::newRow("missing file") << QByteArray() << 1;
        QTest::newRow("record cut short") << damaged.left(damaged.size() - 100) << 1;
        QByteArray otherTag = damaged;
        otherTag[4] = 't';
        QTest::newRow("other tag") << otherTag << 1;
        QByteArray otherSensor = damaged;
        otherSensor[20] = 'X';
        QTest::newRow("other sensor") << otherSensor << 2;
        QByteArray tooManyStages = damaged;
        tooManyStages[37] = MaxGrade + 1;
        QTest::newRow("more DPI stages than the model") << tooManyStages << 2;
    }
    void refusedImportTellsWhyAndSendsNothing()
    {
        QFETCH(QByteArray, contents);
        QFETCH(int, result);
        const QString path = dir.filePath(QStringLiteral("refused.bin"));
        QFile::remove(path);
        if (!contents.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(contents);
        }
        const QByteArray before = recordBytes(state->CurrentFlashData.get());
        QString shown;
        ModalDriver driver(
            [&shown](QWidget *modal) {
                if (!modal->inherits("InportFail"))
                    return false;
                shown = modal->findChild<QLabel *>(QStringLiteral("label"))->text();
                return true;
            },
            QStringLiteral("NewHong"), 10000);
        HubSpies spies;
        runImport(path);

        QVERIFY2(driver.fired(), qPrintable(driver.failure()));
        QCOMPARE(state->ImportResult.load(), result);
        QCOMPARE(shown, noticeText(0, QStringLiteral("InportFailTexts"), result - 1));
        QVERIFY(SimulationControl::receivedRecords().isEmpty());
        COMPARE_RECORDS(recordBytes(state->CurrentFlashData.get()), before);
        QCOMPARE(spies.button.size(), 0);
        QCOMPARE(spies.formB.size(), 0);
    }

    void reloadShowsTheCachedRecord_data()
    {
        QTest::addColumn<bool>("cached");
        QTest::newRow("cache") << true;
        QTest::newRow("no cache") << false;
    }
    void reloadShowsTheCachedRecord()
    {
        QFETCH(bool, cached);
        const QString name = QStringLiteral("Device_CID0C_MID0A.bin");
        const FlashDataMap record = filledRecord(0x33);
        QFile::remove(DeviceCachePath(name));
        if (cached)
            QVERIFY(SaveDeviceCache(name, record));
        state->DeviceCacheName.set(name);
        state->OnlineAtLastRead = 0;
        const QByteArray current = recordBytes(state->CurrentFlashData.get());
        HubSpies spies;
        UpDataParam dialog;
        dialog.StartUpData();
        dialog.exec();

        COMPARE_RECORDS(spies.recordSentToButtonPage(),
                        cached ? recordBytes(record) : QByteArray());
        QCOMPARE(spies.formB.size(), cached ? 1 : 0);
        QCOMPARE(spies.offline.size(), 1);
        QCOMPARE(spies.offline.at(0).at(0).toInt(), 0);
        COMPARE_RECORDS(recordBytes(state->CurrentFlashData.get()), current);
    }

    // The pages report their refresh while the dialog waits; the device's first cache is saved.
    void refreshThatCompletes()
    {
        const QString name = QStringLiteral("Device_CID0C_MID0B.bin");
        QFile::remove(DeviceCachePath(name));
        state->DeviceCacheName.set(name);
        state->OnlineCacheName.set(name);
        state->OnlineAtLastRead = 1;
        state->DeviceOnline = 1;
        HubSpies spies;
        UpDataParam dialog;
        dialog.StartUpData();
        QTimer::singleShot(scaled(3500), [this] {
            state->SensorUiUpdated = 1;
            state->ButtonUiUpdated = 1;
        });
        dialog.exec();

        QCOMPARE(spies.offline.size(), 0);
        QCOMPARE(state->SensorUiUpdated.load(), quint8(0));
        QCOMPARE(state->ButtonUiUpdated.load(), quint8(0));
        FlashDataMap saved;
        QVERIFY(LoadDeviceCache(name, &saved));
        COMPARE_RECORDS(saved, state->CurrentFlashData.get());
        state->DeviceOnline = 0;
    }

    // The user goes back to the home page while the device page's notice waits for the pages:
    // the notice ends at once and reports nothing there.
    void leavingTheDevicePageEndsTheWaitQuietly_data()
    {
        QTest::addColumn<bool>("waitMode");
        QTest::newRow("refresh") << false;
        QTest::newRow("wait") << true;
    }
    void leavingTheDevicePageEndsTheWaitQuietly()
    {
        QFETCH(bool, waitMode);
        state->OnlineAtLastRead = 1;
        HubSpies spies;
        UpDataParam dialog;
        dialog.StartUpData();
        dialog.WaitMode = waitMode;
        // Shortly after the work has begun to wait.
        QTimer::singleShot(scaled(3000), [this] { state->OnDevicePage = 0; });
        QElapsedTimer shown;
        shown.start();
        dialog.exec();
        // Well before the waits would have run out (8500 ms and more, scaled).
        QVERIFY2(shown.elapsed() < scaled(5000), qPrintable(QString::number(shown.elapsed())));
        QCOMPARE(spies.offline.size(), 0);
    }

    void refreshThatTimesOut()
    {
        state->OnlineAtLastRead = 1;
        HubSpies spies;
        UpDataParam dialog;
        dialog.StartUpData();
        dialog.exec();
        QCOMPARE(spies.offline.size(), 1);
        QCOMPARE(spies.offline.at(0).at(0).toInt(), 1);
    }

    void waitModeReportsATimeOutAsOffline_data()
    {
        QTest::addColumn<bool>("refreshed");
        QTest::newRow("pages refreshed") << true;
        QTest::newRow("pages silent") << false;
    }
    void waitModeReportsATimeOutAsOffline()
    {
        QFETCH(bool, refreshed);
        state->SensorUiUpdated = refreshed;
        state->ButtonUiUpdated = refreshed;
        // The wait branch is taken whatever else is set.
        state->OnlineAtLastRead = 0;
        HubSpies spies;
        UpDataParam dialog;
        dialog.StartUpData();
        dialog.WaitMode = 1;
        dialog.ImportMode = 1;
        dialog.exec();
        QCOMPARE(spies.offline.size(), refreshed ? 0 : 1);
        if (!refreshed)
            QCOMPARE(spies.offline.at(0).at(0).toInt(), 0);
        QCOMPARE(spies.button.size(), 0);
        // The flags stay as the pages left them.
        QCOMPARE(state->SensorUiUpdated.load(), quint8(refreshed));
        QCOMPARE(dialog.WaitMode, quint8(1));
    }
};

ZR35_TEST_MAIN(TestUpDataParam)
#include "tst_updataparam.moc"
