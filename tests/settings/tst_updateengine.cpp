#include "core/devicestate.h"
#include "core/firmwareimages.h"
#include "core/postmsg.h"
#include "core/registryvalues.h"
#include "core/startup.h"
#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/simulationcontrol.h"
#include "settings/formsetting.h"
#include "settings/updaterun.h"
#include "settings/upgradewatchdog.h"
#include "shell/dialogs/updatewarning.h"
#include "tests/settings/updatebench.h"
#include "tests/support/filesizelimit.h"
#include "tests/support/screens.h"
#include "tests/support/testmain.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMap>
#include <QToolButton>

namespace {

constexpr auto &state = State;

// Receiver "R" (kind 1, class 4) one version older than the shipped receiver image, with the mouse
// "M" of the first model paired to it, plugged in by its cable and one version older than the
// shipped mouse image unless `mouseVersion` says otherwise.
QByteArray olderDevices(const QByteArray &mouseVersion = "0x0104",
                        const QByteArray &receiverKeys = QByteArray())
{
    return "[R]\nType=Receiver\nKind=1\nVID=0x3D7A\nPID=0x1240\nReceiverId=0x11, 0x22, 0x33\n"
           "Version=0x0101\n" +
           receiverKeys + "[M]\nType=Mouse\nCid=12\nMid=10\nReceiver=R\nVersion=" + mouseVersion +
           "\nCable=true\nCableVID=0x3D7A\nCablePID=0x1201\n";
}

QByteArray cable()
{
    return SimulationControl::cablePath(QStringLiteral("M"));
}

// Kind 2: the mouse on its cable, as the device page switches to it.
constexpr int CableKind = 2;
const QString ReceiverFailure = QStringLiteral("211,4,12,10");

int targetStateOf(bool mouse)
{
    return mouse ? state().MouseUpdateState.load() : state().ReceiverUpdateState.load();
}

QString mouseVer()
{
    return RegistryValues::MouseVer(RegistryValues::MouseVerNameOfModel(0));
}

QList<int> steps(int from, int to, int by)
{
    QList<int> values;
    for (int v = from; v <= to; v += by)
        values << v;
    return values;
}

// A receiver image for the shipped receiver's class whose firmware no longer matches its
// checksum: found by the program, which reads no integrity fields, refused by the device.
void writeDamagedReceiverImage(const QString &appFolder)
{
    FirmwareHeader header;
    header.Version = 0x0102;
    header.Target = FirmwareHeader::ReceiverTarget;
    header.Cid = 12;
    header.Mid = 10;
    header.ModelName = "ZR35_RX4K";
    const std::vector<std::uint8_t> payload(2048, 0x5A);
    std::vector<std::uint8_t> image = header.Write(payload.data(), payload.size());
    image.back() ^= 0xFF;
    QDir().mkpath(appFolder + QStringLiteral("/bin"));
    QFile file(appFolder + QStringLiteral("/bin/damaged.bin"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char *>(image.data()), qint64(image.size()));
}

} // namespace

class TestUpdateEngine : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { PrepareUserFolder(); }
    void init()
    {
        RegistryValues::RemoveUpdateFailInfo();
        QFile::remove(UserDir::filePath(QStringLiteral("Exception/UpDateLog.txt")));
    }

    // Both images wait: the receiver goes first, then the mouse follows on its own. The progress
    // runs to 50 during the receiver and on to 100 during the mouse; only the mouse's success
    // ends the dialog's progress. Each upgrade ends long before the next tick of the engine, and
    // is seen all the same.
    void twoStages()
    {
        UpdateBench b(olderDevices(), true);
        QVERIFY(b.bench.ok());
        QVERIFY(b.open(cable(), CableKind));
        QCOMPARE(child<QLabel>(b.page.get(), "label_5")->text(), QStringLiteral("v1.01"));
        QCOMPARE(child<QLabel>(b.page.get(), "label_7")->text(), QStringLiteral("v1.04"));
        QCOMPARE(b.hub->frames, QList<bool>{true});
        QCOMPARE(int(state().ReceiverFirmwareNew.load()), 1);
        QCOMPARE(int(state().MouseFirmwareNew.load()), 1);
        // A failure record of an earlier update goes with the success.
        RegistryValues::SetUpdateFailInfo(ReceiverFailure);
        state().UpdateStageCount = 2; // the update check's count

        b.page->on_Receive_clicked();
        QCOMPARE(int(state().UpdateIdle.load()), 0);
        QVERIFY(b.waitForEnd());

        QCOMPARE(state().ReceiverUpdateState.load(), 2);
        QCOMPARE(state().MouseUpdateState.load(), 2);
        QCOMPARE(b.hub->percents(), steps(5, 100, 5));
        QCOMPARE(b.hub->count(2), 1);
        QCOMPARE(b.hub->progress.last(), qMakePair(0, 2));
        QCOMPARE(b.hub->count(1), 0);
        QCOMPARE(b.hub->labels, (QStringList{"0 v1.02", "1 v1.05"}));
        QCOMPARE(mouseVer(), QStringLiteral("v1.05"));
        QVERIFY(RegistryValues::UpdateFailInfo().isEmpty());
        QCOMPARE(int(state().ReceiverFirmwareNew.load()), 0);
        QCOMPARE(int(state().MouseFirmwareNew.load()), 0);
        QCOMPARE(int(state().UpdateIdle.load()), 1);
        QVERIFY(!b.page->ReceiverUpdateRunning && !b.page->MouseUpdateRunning);

        // The devices report the new versions themselves.
        QCOMPARE(SimulationControl::firmwareVersion(QStringLiteral("R")), 0x0102);
        QCOMPARE(SimulationControl::firmwareVersion(QStringLiteral("M")), 0x0105);
        int word = 0;
        QVERIFY(
            UsbFinderC_GetSlaveVersion(SimulationControl::receiverPath("R").constData(), &word));
        QCOMPARE(word, 0x0102);
        QTRY_COMPARE(UsbFinderC_GetVersion(cable().constData()), 0x0105);
        QCOMPARE(child<QLabel>(b.page.get(), "label_5")->text(), QStringLiteral("v1.02"));
        QCOMPARE(child<QLabel>(b.page.get(), "label_7")->text(), QStringLiteral("v1.05"));
    }

    // One target: its progress is the whole bar, and its success ends it. Whether the upgrade
    // ends before the engine's next tick or runs over several, the result is the same. A receiver
    // that holds the image's version has nothing to install, unless it does not tell its version:
    // then any image for it is installed.
    void receiverOnly_data()
    {
        QTest::addColumn<int>("stepMs");
        QTest::addColumn<QByteArray>("receiverVersion");
        QTest::addColumn<bool>("versionSilent");
        QTest::addColumn<int>("result");
        QTest::newRow("ends before the next tick") << 0 << QByteArray("0x0101") << false << 2;
        QTest::newRow("runs over several ticks") << 250 << QByteArray("0x0101") << false << 2;
        QTest::newRow("holds the image's version") << 0 << QByteArray("0x0102") << false << 4;
        QTest::newRow("does not tell its version") << 0 << QByteArray("0x0102") << true << 2;
    }
    void receiverOnly()
    {
        QFETCH(int, stepMs);
        QFETCH(QByteArray, receiverVersion);
        QFETCH(bool, versionSilent);
        QFETCH(int, result);
        UpdateBench b(
            olderDevices("0x0105").replace("Version=0x0101", "Version=" + receiverVersion), true,
            stepMs);
        QVERIFY(b.bench.ok());
        QVERIFY(b.open(cable(), CableKind));
        QCOMPARE(int(state().MouseFirmwareNew.load()), 0);
        state().UpdateStageCount = 1;
        if (versionSilent)
            SimulationControl::setNoAnswer(QStringLiteral("UsbFinderC_GetSlaveVersion"), -1);

        b.page->on_Receive_clicked();
        QVERIFY(b.waitForEnd());
        QCOMPARE(state().ReceiverUpdateState.load(), result);
        QCOMPARE(state().MouseUpdateState.load(), 0); // no mouse stage
        QCOMPARE(SimulationControl::firmwareVersion(QStringLiteral("R")), 0x0102);
        if (result == 4) {
            QVERIFY(b.hub->progress.isEmpty());
            QVERIFY(b.page->ReceiverUpToDate);
            QCOMPARE(SimulationControl::calls(QStringLiteral("UsbUpgrade_Start")).size(), 0);
            return;
        }
        QCOMPARE(b.hub->percents(), steps(10, 100, 10));
        QCOMPARE(b.hub->progress.last(), qMakePair(0, 2));
        QCOMPARE(b.hub->labels, QStringList{"0 v1.02"});
        QVERIFY(!b.page->ReceiverUpToDate);
    }

    // From the moment the library takes an image, the device waits in boot mode, also through a
    // crash or a power cut: while each stage's transfer runs, the record names that stage's
    // device for the repair. The success leaves none.
    void recordWhileTheTransferRuns()
    {
        UpdateBench b(olderDevices(), true, 100);
        QVERIFY(b.bench.ok());
        QVERIFY(b.open(cable(), CableKind));
        state().UpdateStageCount = 2;
        QMap<int, QString> records;
        // Read as the library reports, half way through the receiver's transfer and through the
        // mouse's.
        const QMetaObject::Connection probe = connect(
            PostMsg::GetInstance(), &PostMsg::SigProgress, this,
            [&records](int value, int type) {
                if (type == 0 && (value == 25 || value == 75))
                    records[value] = RegistryValues::UpdateFailInfo();
            },
            Qt::DirectConnection);

        b.page->on_Receive_clicked();
        QVERIFY(b.waitForEnd());
        disconnect(probe);
        QCOMPARE(state().MouseUpdateState.load(), 2);
        QCOMPARE(records.value(25), ReceiverFailure);
        QCOMPARE(records.value(75), QStringLiteral("210,4,12,10"));
        QVERIFY(RegistryValues::UpdateFailInfo().isEmpty());
    }

    // The disk is full when the update log is written: the last log stays as it was.
    void fullDiskKeepsTheLastLog()
    {
        const QString path = UserDir::filePath(QStringLiteral("Exception/UpDateLog.txt"));
        QFile last(path);
        QVERIFY(last.open(QIODevice::WriteOnly));
        last.write("the last log\n");
        last.close();
        const QString failure =
            FailedSaveKeepsTheFile(path, 4, [] { return UpdateRun::WriteLog(); });
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }

    // The device refuses the image: the receiver's update fails at once and the log says why, but
    // the failure record is as before the start, since the device holds nothing new; it keeps its
    // firmware.
    void refusedStart_data()
    {
        QTest::addColumn<QString>("before");
        QTest::newRow("no record") << QString();
        QTest::newRow("the mouse's record") << QStringLiteral("210,4,12,10");
    }
    void refusedStart()
    {
        QFETCH(QString, before);
        if (!before.isEmpty())
            RegistryValues::SetUpdateFailInfo(before);
        UpdateBench b(olderDevices("0x0105"), false);
        QVERIFY(b.bench.ok());
        writeDamagedReceiverImage(b.bench.appFolder());
        QVERIFY(b.open(cable(), CableKind));
        QCOMPARE(int(state().ReceiverFirmwareNew.load()), 1);

        b.page->on_Receive_clicked();
        QVERIFY(b.waitForEnd(10000));
        QCOMPARE(state().ReceiverUpdateState.load(), 3);
        QCOMPARE(b.hub->progress, (QList<QPair<int, int>>{{0, 1}}));
        QCOMPARE(RegistryValues::UpdateFailInfo(), before);
        const QList<QByteArray> log = updateLog().split('\n');
        QCOMPARE(log.size(), UpgradeLogLines + 1); // eight lines, each ended
        QCOMPARE(log.first(), QByteArray("Upgrade refused"));
        QVERIFY(log.contains("Cause: firmware checksum wrong"));
        QCOMPARE(SimulationControl::firmwareVersion(QStringLiteral("R")), 0x0101);
        QCOMPARE(SimulationControl::bootMode(QStringLiteral("R")), 0);
        QCOMPARE(int(state().UpdateIdle.load()), 1);
        QVERIFY(!b.page->ReceiverUpdateRunning);
    }

    // The receiver's upgrade fails at 40 %: the update log holds the library's eight lines, the
    // failure record names the receiver and the mouse stage never starts; the receiver waits in
    // boot mode.
    void receiverFailure()
    {
        UpdateBench b(olderDevices("0x0104", "UpgradeFailsAt=40\n"), true);
        QVERIFY(b.bench.ok());
        QVERIFY(b.open(cable(), CableKind));
        state().UpdateStageCount = 2;

        b.page->on_Receive_clicked();
        QVERIFY(b.waitForEnd());
        QCOMPARE(state().ReceiverUpdateState.load(), 3);
        QCOMPARE(state().MouseUpdateState.load(), 0);
        QCOMPARE(b.hub->percents(), steps(5, 20, 5));
        QCOMPARE(b.hub->count(1), 1);
        QCOMPARE(b.hub->count(2), 0);
        QVERIFY(b.hub->labels.isEmpty());
        QCOMPARE(RegistryValues::UpdateFailInfo(), ReceiverFailure);
        const QByteArray log = updateLog();
        QCOMPARE(log.count('\n'), UpgradeLogLines);
        QVERIFY(log.endsWith('\n') && !log.contains('\r'));
        QVERIFY(log.contains("Transfer stopped at 40 %"));
        QCOMPARE(SimulationControl::bootMode(QStringLiteral("R")), 1);
        QCOMPARE(SimulationControl::firmwareVersion(QStringLiteral("M")), 0x0104);
    }

    // Not exactly one device to update: nothing is written. Asked by the user, the marker beside
    // the version says why (1 none found, 2 several); on its own (a second stage), the page's
    // notice says it instead.
    void notExactlyOneDevice_data()
    {
        QTest::addColumn<QByteArray>("devices");
        QTest::addColumn<bool>("mouse");
        QTest::addColumn<bool>("automatic");
        QTest::addColumn<int>("reason");
        QTest::addColumn<QString>("screen");
        const QByteArray wireless = "[R]\nType=Receiver\nKind=1\nVID=0x3D7A\nPID=0x1240\n"
                                    "ReceiverId=0x11, 0x22, 0x33\nVersion=0x0101\n"
                                    "[M]\nType=Mouse\nCid=12\nMid=10\nReceiver=R\n"
                                    "Version=0x0104\n";
        QTest::newRow("mouse without its cable")
            << wireless << true << false << 1 << "update-marker-no-device";
        QTest::newRow("mouse without its cable, on its own")
            << wireless << true << true << 1 << "update-notice-no-mouse";
        // Beside a mouse on its cable, every receiver listed counts.
        QTest::newRow("two receivers beside the mouse on its cable")
            << olderDevices() + "[S]\nType=Receiver\nKind=1\nVID=0x3D7A\nPID=0x1240\n"
                                "ReceiverId=0x44, 0x55, 0x66\n"
            << false << false << 2 << "update-marker-several";
    }
    void notExactlyOneDevice()
    {
        QFETCH(QByteArray, devices);
        QFETCH(bool, mouse);
        QFETCH(bool, automatic);
        QFETCH(int, reason);
        QFETCH(QString, screen);
        // The device page's field behind the page; it outlives the bench, which deletes the page.
        QWidget host;
        host.setObjectName(QStringLiteral("host"));
        host.setAttribute(Qt::WA_StyledBackground);
        host.setStyleSheet(QStringLiteral("#host{background-color: rgb(24,26,30);}"));
        host.resize(883, 630);
        UpdateBench b(devices, true);
        QVERIFY(b.bench.ok());
        b.page->setParent(&host);
        host.show();
        const bool onCable = devices.contains("Cable=true");
        QVERIFY(onCable ? b.open(cable(), CableKind)
                        : b.open(SimulationControl::receiverPath("R"), 1));

        b.page->AutoContinue = automatic;
        if (mouse)
            b.page->on_Mouse_clicked();
        else
            b.page->on_Receive_clicked();
        QVERIFY(b.waitForEnd(10000));
        QToolButton *marker =
            child<QToolButton>(b.page.get(), mouse ? "toolButton_3" : "toolButton_2");
        QCOMPARE(marker->isVisible(), !automatic);
        QCOMPARE(mouse ? b.page->MouseMarkerReason : b.page->ReceiverMarkerReason,
                 automatic ? 0 : reason);
        QCOMPARE(targetStateOf(mouse), 0);
        QVERIFY(!b.page->AutoContinue);
        QVERIFY(b.hub->progress.isEmpty());
        UpDateWarning *notice = nullptr;
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *warning = qobject_cast<UpDateWarning *>(widget);
                warning && warning->isVisible())
                notice = warning;
        }
        QCOMPARE(notice != nullptr, automatic);
        if (notice) {
            QCOMPARE(child<QLabel>(notice, "label")->text(), state().UpdateWarningText.get());
            ZR35_SAVE_SCREEN(notice, screen);
            notice->close();
        } else {
            ZR35_SAVE_SCREEN(&host, screen);
        }
        QCOMPARE(SimulationControl::firmwareVersion(QStringLiteral("R")), 0x0101);
    }

    // The library takes the image and then never reports again: after the silence limit the
    // upgrade counts as failed, with the failure record, as the device may be half-written.
    void silentLibraryFails()
    {
        UpdateBench b(olderDevices("0x0105"), true);
        QVERIFY(b.bench.ok());
        QVERIFY(b.open(cable(), CableKind));
        SimulationControl::setUpgradeSilent(true);
        state().UpdateStageCount = 1;

        QElapsedTimer clock;
        clock.start();
        b.page->on_Receive_clicked();
        QTRY_COMPARE_WITH_TIMEOUT(state().ReceiverUpdateState.load(), 1, 5000);
        QVERIFY(b.waitForEnd(UpgradeWatchdog::LimitMs + 15000));
        QVERIFY(clock.elapsed() >= UpgradeWatchdog::LimitMs);
        QCOMPARE(state().ReceiverUpdateState.load(), 3);
        QCOMPARE(b.hub->progress, (QList<QPair<int, int>>{{0, 1}}));
        QCOMPARE(RegistryValues::UpdateFailInfo(), ReceiverFailure);
        QCOMPARE(updateLog().count('\n'), UpgradeLogLines);
        QCOMPARE(int(state().ReceiverFirmwareNew.load()), 0);
        QCOMPARE(int(state().UpdateIdle.load()), 1);
    }
};

ZR35_TEST_MAIN(TestUpdateEngine)
#include "tst_updateengine.moc"
