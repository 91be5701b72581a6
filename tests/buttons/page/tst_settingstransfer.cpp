#include "buttons/page/buttoninterface.h"
#include "core/devicelink.h"
#include "core/devicestate.h"
#include "core/devicewrite.h"
#include "core/languagetables.h"
#include "core/postmsg.h"
#include "platform/desktop/filedialogs.h"
#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/factorysettings.h"
#include "platform/devicelib/simulationcontrol.h"
#include "sensor/sensor.h"
#include "shell/dialogs/updataparam.h"
#include "tests/buttons/simulatedmouse.h"
#include "tests/support/filesizelimit.h"
#include "tests/support/modaldriver.h"
#include "tests/support/records.h"
#include "tests/support/testmain.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolButton>

#include <cstddef>
#include <memory>

namespace {

const QString Mouse = QStringLiteral("Mouse1");

constexpr auto &state = State;

// Four DPI stages: the shipped first model takes up to 8.
FlashDataMap recordWithSeed(std::uint8_t seed)
{
    return plausibleRecord(seed, 4);
}

// Stands in for the user at the file dialogs: answers `path` and remembers what was asked.
struct FileChooser
{
    QList<FileDialogs::Request> asked;
    explicit FileChooser(const QString &path)
    {
        FileDialogs::setHandler([this, path](const FileDialogs::Request &request) {
            asked << request;
            return path;
        });
    }
    ~FileChooser() { FileDialogs::setHandler(nullptr); }
};

} // namespace

// The button page's export, import and reset, driven as a user does, against the simulated mouse
// of the shipped first model.
class TestSettingsTransfer : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir dir;

    QByteArray mousePath;

    bool selectMouse() { return SimulatedMouse::select(mousePath); }

    static void click(Buttoninterface &page, const char *name)
    {
        page.findChild<QToolButton *>(QLatin1String(name))->click();
    }

private slots:
    void initTestCase()
    {
        mousePath = SimulatedMouse::start(dir.filePath(QStringLiteral("devices")));
        InportFailTexts.clear();
        InportFailTexts.appendRow(
            {QStringLiteral("not a settings file"), QStringLiteral("another model")});
    }
    void cleanupTestCase() { DeviceLink::StopServer(); }

    void init() { SimulatedMouse::resetForTest(); }

    void exportedSettingsImportAgain()
    {
        Buttoninterface page;
        QVERIFY(selectMouse());
        // The mouse holds a record with every byte set, and the program holds it as read through
        // a whole reply, as a user's export finds it.
        QVERIFY(DeviceLink::WriteRecord([](FlashDataMap &record) { record = recordWithSeed(7); }) ==
                DeviceLink::Write::Sent);
        QVERIFY(selectMouse());
        const FlashDataMap saved = state().CurrentFlashData.get();
        COMPARE_RECORDS(saved, mouseRecord(Mouse));
        const QString path = dir.filePath(QStringLiteral("saved.bin"));
        {
            FileChooser chooser(path);
            click(page, "OutputData");
            QCOMPARE(chooser.asked.size(), 1);
            QCOMPARE(chooser.asked.at(0).kind, FileDialogs::Request::Kind::Save);
            QCOMPARE(chooser.asked.at(0).filter, QStringLiteral("File(*.bin)"));
        }
        QCOMPARE(QFileInfo(path).size(), qint64(10464));

        // The mouse's settings change before the file comes back.
        QVERIFY(DeviceLink::WriteRecord([](FlashDataMap &record) {
                    record = recordWithSeed(99);
                }) == DeviceLink::Write::Sent);
        QVERIFY(!sameRecord(mouseRecord(Mouse), saved));
        SimulationControl::clearLog();
        {
            FileChooser chooser(path);
            click(page, "ImportData");
        }
        COMPARE_RECORDS(state().CurrentFlashData.get(), saved);
        COMPARE_RECORDS(page.ShownRecord(), saved);
        const QVector<QByteArray> sent = SimulationControl::receivedRecords();
        QCOMPARE(sent.size(), 1);
        COMPARE_RECORDS(sent.at(0), recordBytes(saved));
        COMPARE_RECORDS(mouseRecord(Mouse), saved);
        QCOMPARE(state().ImportBusy.load(), quint8(0));
        QCOMPARE(state().ImportDialogOpen.load(), quint8(0));
    }

    // A file cut short, or one whose record holds what no page can set (sent whole, the mouse
    // would hold it and the pages show something else): "not a settings file", nothing sent.
    void damagedFileIsRefusedAndNothingSent_data()
    {
        QTest::addColumn<int>("damage");
        QTest::newRow("cut short") << 0;
        QTest::newRow("no DPI stage") << 1;
        QTest::newRow("current stage 200") << 2;
        QTest::newRow("report rate code 0xEE") << 3;
        QTest::newRow("debounce 20 ms") << 4;
    }
    void damagedFileIsRefusedAndNothingSent()
    {
        QFETCH(int, damage);
        Buttoninterface page;
        QVERIFY(selectMouse());
        const QString path = dir.filePath(QStringLiteral("damaged.bin"));
        const FlashDataMap current = state().CurrentFlashData.get();
        FlashDataMap saved = recordWithSeed(3);
        switch (damage) {
        case 1:
            saved.DpiStageCount = saved.CurrentDpiStage = 0;
            break;
        case 2:
            saved.CurrentDpiStage = 200;
            break;
        case 3:
            saved.ReportRate = 0xEE;
            break;
        case 4:
            saved.DebounceTime = 20;
            break;
        }
        state().CurrentFlashData.set(saved);
        {
            FileChooser chooser(path);
            click(page, "OutputData");
        }
        state().CurrentFlashData.set(current);
        if (damage == 0) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.resize(6000));
        }
        const QByteArray before = recordBytes(state().CurrentFlashData.get());
        QString shown;
        ModalDriver notice(
            [&shown](QWidget *modal) {
                if (!modal->inherits("InportFail"))
                    return false;
                shown = modal->findChild<QLabel *>(QStringLiteral("label"))->text();
                return true;
            },
            QStringLiteral("NewHong"), 10000);
        {
            FileChooser chooser(path);
            click(page, "ImportData");
        }
        QVERIFY2(notice.fired(), qPrintable(notice.failure()));
        QCOMPARE(shown, QStringLiteral("not a settings file"));
        QVERIFY(SimulationControl::receivedRecords().isEmpty());
        COMPARE_RECORDS(recordBytes(state().CurrentFlashData.get()), before);
    }

    void importAsksNothingOfAnOfflineMouse()
    {
        Buttoninterface page;
        QVERIFY(selectMouse());
        QVERIFY(SimulationControl::setOnline(Mouse, false));
        QSignalSpy offline(PostMsg::GetInstance(), &PostMsg::SigMouseOffLineo);
        FileChooser chooser(dir.filePath(QStringLiteral("saved.bin")));
        click(page, "ImportData");
        QVERIFY(chooser.asked.isEmpty());
        QCOMPARE(offline.size(), 1);
        QCOMPARE(offline.at(0).at(0).toInt(), 0);
    }

    void cancelledImportLeavesNothingBusy()
    {
        Buttoninterface page;
        QVERIFY(selectMouse());
        ModalDriver anyDialog([](QWidget *) { return true; }, QStringLiteral("NewHong"), 3000);
        FileChooser chooser{QString()};
        click(page, "ImportData");
        QCOMPARE(chooser.asked.size(), 1);
        QCOMPARE(chooser.asked.at(0).caption, QStringLiteral("SelectFile"));
        QVERIFY(!anyDialog.fired());
        QCOMPARE(state().ImportBusy.load(), quint8(0));
    }

    void resetAsksThenRestoresTheFactorySettings_data()
    {
        QTest::addColumn<bool>("confirm");
        QTest::newRow("confirmed") << true;
        QTest::newRow("cancelled") << false;
    }
    void resetAsksThenRestoresTheFactorySettings()
    {
        QFETCH(bool, confirm);
        Buttoninterface page;
        QVERIFY(selectMouse());
        Sensor sensorPage;
        QVERIFY(selectMouse());
        QVERIFY(WriteSleepTime(123)); // so that a reset shows
        const QByteArray before = SimulationControl::storedRecord(Mouse);
        SimulationControl::clearLog();
        ModalDriver question(ModalDriver::named(QStringLiteral("ContainReset")),
                             confirm ? QStringLiteral("OK") : QStringLiteral("Cancel"));
        click(page, "Reset");
        QVERIFY(question.fired());
        QStringList requests;
        for (const CallLog::Call &call : SimulationControl::calls()) {
            if (call.operation == QLatin1String("UsbServer_SetBatteryOptimizeEnable") ||
                call.operation == QLatin1String("ProtocolDataUpdate") ||
                call.operation == QLatin1String("UsbServer_SetClearSetting"))
                requests << call.operation;
        }
        // (The mouse's answers to the reset follow: the program reads and writes it again.)
        if (confirm)
            QCOMPARE(requests.mid(0, 3),
                     (QStringList{QStringLiteral("UsbServer_SetBatteryOptimizeEnable"),
                                  QStringLiteral("ProtocolDataUpdate"),
                                  QStringLiteral("UsbServer_SetClearSetting")}));
        else
            QVERIFY(requests.isEmpty());
        QCOMPARE(state().ImportBusy.load(), quint8(0));

        if (confirm) {
            // The settings (everything before the key records and macros) are the model's
            // factory settings on the mouse, and the page shows what the mouse holds.
            const int settings = int(offsetof(FlashDataMap, Reserved7A));
            const QByteArray factory =
                FactorySettings::record(ModelConfig::model(10)).left(settings);
            QTRY_COMPARE(SimulationControl::storedRecord(Mouse).left(settings), factory);
            QTRY_VERIFY2(recordBytes(page.ShownRecord()) == SimulationControl::storedRecord(Mouse),
                         qPrintable(recordDifference(recordBytes(page.ShownRecord()),
                                                     SimulationControl::storedRecord(Mouse))));
        } else {
            COMPARE_RECORDS(SimulationControl::storedRecord(Mouse), before);
        }
        COMPARE_RECORDS(recordBytes(state().CurrentFlashData.get()),
                        SimulationControl::storedRecord(Mouse));
    }

    // The mouse does not take the record the reset sends first: there is no reset, the user is
    // told the mouse is offline, and the mouse's record is read once it answers.
    void resetTheMouseDoesNotTakeStartsNoReset()
    {
        Buttoninterface page;
        QVERIFY(selectMouse());
        QVERIFY(WriteSleepTime(123)); // so that a reset would show
        const QByteArray onMouse = SimulationControl::storedRecord(Mouse);
        SimulationControl::setNoAnswer(QStringLiteral("ProtocolDataUpdate"), 1);
        state().RereadWhenOnline = 0;
        QSignalSpy offline(PostMsg::GetInstance(), &PostMsg::SigMouseOffLineo);
        ModalDriver question(ModalDriver::named(QStringLiteral("ContainReset")),
                             QStringLiteral("OK"));
        click(page, "Reset");
        QVERIFY(question.fired());

        QVERIFY(SimulationControl::calls(QStringLiteral("UsbServer_SetClearSetting")).isEmpty());
        QCOMPARE(SimulationControl::storedRecord(Mouse), onMouse);
        QCOMPARE(offline.size(), 1);
        QCOMPARE(offline.at(0).at(0).toInt(), 0);
        QCOMPARE(state().RereadWhenOnline.load(), quint8(1));
        QCOMPARE(state().ImportBusy.load(), quint8(0));
        QVERIFY(SimulationControl::batteryOptimize(Mouse));
    }

    // An export that cannot be written says so; whatever was at the path stays as it was.
    void failedExportShowsTheNotice_data()
    {
        QTest::addColumn<QString>("cause");
        QTest::newRow("read-only folder") << "locked";
        QTest::newRow("folder is a file") << "plain";
        // The export's 10464 bytes came out 4096 long and replaced the earlier file, unnoticed.
        QTest::newRow("full disk") << "full";
    }
    void failedExportShowsTheNotice()
    {
        QFETCH(QString, cause);
        Buttoninterface page;
        QVERIFY(selectMouse());
        const QString folder = dir.filePath(cause);
        const QString path = folder + QStringLiteral("/saved.bin");
        const bool keepsOld = cause != QLatin1String("plain");
        if (keepsOld) {
            QVERIFY(QDir().mkpath(folder));
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("old settings");
            old.close();
        } else {
            QFile plain(folder);
            QVERIFY(plain.open(QIODevice::WriteOnly));
        }
        if (cause == QLatin1String("locked")) {
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
            QFile probe(folder + QStringLiteral("/probe"));
            if (probe.open(QIODevice::WriteOnly)) {
                probe.remove();
                QFile::setPermissions(folder,
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
                QSKIP("this user writes into read-only folders");
            }
        }
        ModalDriver notice(ModalDriver::named(QStringLiteral("UpDateWarning")),
                           QStringLiteral("NewHong"));
        {
            FileChooser chooser(path);
            std::unique_ptr<FileSizeLimit> full;
            if (cause == QLatin1String("full"))
                full = std::make_unique<FileSizeLimit>(4096);
            QVERIFY(!full || full->ok());
            click(page, "OutputData");
        }
        QVERIFY(notice.fired());
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (keepsOld) {
            QFile old(path);
            QVERIFY(old.open(QIODevice::ReadOnly));
            QCOMPARE(old.readAll(), QByteArray("old settings"));
            QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{"saved.bin"});
        }
    }

    // A reset the mouse never answers ends with the offline notice, even though the last filling
    // of both pages had reported them refreshed.
    // The mouse takes the reset request but never reports it done. Whether it is awake when the
    // wait gives up or only answers later, it gets its battery optimisation back.
    void unansweredResetEndsOffline_data()
    {
        QTest::addColumn<bool>("asleepAtTheEnd");
        QTest::newRow("awake") << false;
        QTest::newRow("asleep, then awake") << true;
    }
    void unansweredResetEndsOffline()
    {
        QFETCH(bool, asleepAtTheEnd);
        Buttoninterface page;
        QVERIFY(selectMouse());
        QVERIFY(SimulationControl::batteryOptimize(Mouse));
        UpDataParam::SetDelayScaleForTests(0.1);
        state().OnDevicePage = 1; // the user stays on the device's pages meanwhile
        state().ButtonUiUpdated = 1;
        state().SensorUiUpdated = 1;
        SimulationControl::setNoAnswer(QStringLiteral("UsbServer_SetClearSetting"), -1);
        SimulationControl::setNoAnswer(QStringLiteral("UsbServer_ReadAllFlashData"), -1);
        QSignalSpy offline(PostMsg::GetInstance(), &PostMsg::SigMouseOffLineo);
        // The wait's offline notice comes just before the page gives up on the reset.
        QMetaObject::Connection sleeps;
        if (asleepAtTheEnd)
            sleeps = connect(PostMsg::GetInstance(), &PostMsg::SigMouseOffLineo, this,
                             [] { SimulationControl::setOnline(Mouse, false); });
        ModalDriver question(ModalDriver::named(QStringLiteral("ContainReset")),
                             QStringLiteral("OK"));
        click(page, "Reset");
        QVERIFY(question.fired());
        disconnect(sleeps);
        SimulationControl::setNoAnswer(QStringLiteral("UsbServer_SetClearSetting"), 0);
        SimulationControl::setNoAnswer(QStringLiteral("UsbServer_ReadAllFlashData"), 0);
        UpDataParam::SetDelayScaleForTests(1.0);
        state().OnDevicePage = 0;
        QCOMPARE(offline.size(), 1);
        QCOMPARE(offline.at(0).at(0).toInt(), 0);
        QCOMPARE(state().ImportBusy.load(), quint8(0));
        QCOMPARE(SimulationControl::batteryOptimize(Mouse), !asleepAtTheEnd);
        if (asleepAtTheEnd) {
            // Awake again, the mouse answers the next read with its record.
            QVERIFY(SimulationControl::setOnline(Mouse, true));
            QVERIFY(UsbServer_ReadAllFlashData());
            QTRY_VERIFY_WITH_TIMEOUT(SimulationControl::batteryOptimize(Mouse), 5000);
        }
        QVERIFY(state().BatteryOptimizeOwedBy.get().isEmpty());
    }
};

ZR35_TEST_MAIN(TestSettingsTransfer)
#include "tst_settingstransfer.moc"
