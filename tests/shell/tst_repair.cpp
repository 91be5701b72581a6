#include "core/devicestate.h"
#include "core/firmwareimages.h"
#include "core/postmsg.h"
#include "core/registryvalues.h"
#include "platform/devicelib/simulationcontrol.h"
#include "settings/repairrun.h"
#include "settings/updaterepair.h"
#include "shell/dialogchange.h"
#include "shell/dialogmain.h"
#include "tests/shell/homebench.h"
#include "tests/support/librarycallbacks.h"
#include "tests/support/modaldriver.h"
#include "tests/support/testmain.h"

#include <QDir>
#include <QLabel>
#include <QMap>
#include <QMutex>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>

namespace {

constexpr auto &state = State;

PostMsg *hub()
{
    return PostMsg::GetInstance();
}

// The receiver "R" of kind 1 (class 4: the model's D4M image is its) one version older than the
// shipped receiver image, and the mouse "M" of the first model paired to it, one version older
// than the shipped mouse image. Each set adds what a failed update left behind.
const QByteArray Receiver = "[R]\nType=Receiver\nKind=1\nVID=0x3D7A\nPID=0x1240\n"
                            "ReceiverId=0x11, 0x22, 0x33\nVersion=0x0101\n";
const QByteArray Mouse = "[M]\nType=Mouse\nCid=12\nMid=10\nReceiver=R\nVersion=0x0104\n"
                         "CableVID=0x3D7A\nCablePID=0x1201\n";
// The mouse's update failed: it waits in boot mode on its cable; the receiver is listed.
const QByteArray MouseFailed = Receiver + Mouse + "Cable=true\nBootMode=true\n";
// The receiver's update failed: it waits in boot mode; the mouse is listed on its cable.
const QByteArray ReceiverFailed = Receiver + "BootMode=true\n" + Mouse + "Cable=true\n";
const QString MouseRecord = QStringLiteral("210,4,12,10");
const QString ReceiverRecord = QStringLiteral("211,4,12,10");

QString message(const UpDateRepair *dialog)
{
    return dialog->findChild<QLabel *>(QStringLiteral("ToolText_2"))->text();
}

QToolButton *button(const UpDateRepair *dialog, const char *name)
{
    return dialog->findChild<QToolButton *>(QLatin1String(name));
}

QPushButton *repairButton(const DialogMain &window)
{
    return window.homePage()->findChild<QPushButton *>(QStringLiteral("Repair"));
}

QList<int> steps(int from, int to, int by)
{
    QList<int> values;
    for (int v = from; v <= to; v += by)
        values << v;
    return values;
}

// The home page with one tile, its Repair button clicked: the settings page's update dialog shows
// the repair check's result.
UpDateRepair *openRepair(const DialogMain &window)
{
    if (!waitForTiles(window.homePage(), 1) || !repairButton(window)->isVisible())
        return nullptr;
    repairButton(window)->click();
    UpDateRepair *dialog = state().UpdateDialog;
    return dialog && dialog->isVisible() ? dialog : nullptr;
}

// How the repair ended, as the hub told the pages. Written down as each signal is emitted, on the
// library's upgrade thread, and read on the GUI thread: under a lock of its own.
class Ends : public QObject
{
public:
    Ends()
    {
        connect(
            hub(), &PostMsg::SigAutoRepair, this,
            [this](int result) {
                QMutexLocker lock(&m_mutex);
                m_repaired << result;
            },
            Qt::DirectConnection);
        connect(
            hub(), &PostMsg::SigProgress, this,
            [this](int, int kind) {
                QMutexLocker lock(&m_mutex);
                m_done = m_done || kind == 2;
            },
            Qt::DirectConnection);
    }
    // The results SigAutoRepair carried, in order.
    QList<int> repaired() const
    {
        QMutexLocker lock(&m_mutex);
        return m_repaired;
    }
    // A progress report of kind 2, the end of a run that went through, came.
    bool done() const
    {
        QMutexLocker lock(&m_mutex);
        return m_done;
    }

private:
    mutable QMutex m_mutex;
    QList<int> m_repaired;
    bool m_done = false;
};

bool flagsRestored()
{
    return state().AutoRepairRunning.load() == 0 && state().UpdateIdle.load() == 1 &&
           !RepairRun::Busy();
}

} // namespace

class TestRepair : public QObject
{
    Q_OBJECT
private slots:
    void init() { RegistryValues::RemoveUpdateFailInfo(); }
    void cleanup()
    {
        RegistryValues::RemoveUpdateFailInfo();
        RepairRun::SetSilenceLimitMsForTest(30000);
    }

    // The record of a failed update, the failed device waiting in boot mode and the other one
    // listed: the home page offers Repair, the check finds the devices ready, and the repair writes
    // the receiver and then the mouse (the bar runs to 50 for the receiver, on to 100 for the
    // mouse, and nothing closes the dialog meanwhile). Then the record is gone, Repair is no
    // longer offered, and at the next start the failed device is out of boot mode.
    void repairBothStages_data()
    {
        QTest::addColumn<QByteArray>("devices");
        QTest::addColumn<QString>("record");
        QTest::addColumn<QString>("failed");
        QTest::newRow("the mouse failed") << MouseFailed << MouseRecord << "M";
        QTest::newRow("the receiver failed") << ReceiverFailed << ReceiverRecord << "R";
    }
    void repairBothStages()
    {
        QFETCH(QByteArray, devices);
        QFETCH(QString, record);
        QFETCH(QString, failed);
        RegistryValues::SetUpdateFailInfo(record);
        HomeBench bench(devices);
        QVERIFY(bench.ok());
        bench.useShippedFirmware();
        SimulationControl::setUpgradeStepDelay(100);
        {
            DialogMain window;
            window.show();
            UpDateRepair *dialog = openRepair(window);
            QVERIFY(dialog);
            QCOMPARE(message(dialog), dialog->ReadyText);

            QList<int> percents;
            bool writingHeld = false;
            QMap<int, QString> records;
            QMetaObject::Connection probe =
                connect(hub(), &PostMsg::SigAutoRepairProgress, this, [&](int value) {
                    percents << value;
                    // The first report of the mouse stage: the repair has not ended in between.
                    if (value == 55)
                        writingHeld = state().UpdateIdle.load() == 0 &&
                                      state().AutoRepairRunning.load() == 1 && RepairRun::Busy();
                });
            // Read as the library reports, half way through each stage's transfer.
            const QMetaObject::Connection recorder = connect(
                hub(), &PostMsg::SigAutoRepairProgress, this,
                [&records](int value) {
                    if (value == 25 || value == 75)
                        records[value] = RegistryValues::UpdateFailInfo();
                },
                Qt::DirectConnection);
            Ends ends;
            button(dialog, "NewHong_2")->click();
            QCOMPARE(message(dialog), dialog->RunningText);
            QVERIFY(!button(dialog, "CloseButton")->isEnabled());
            QTest::keyClick(dialog, Qt::Key_Escape);
            QVERIFY(dialog->isVisible());

            QTRY_COMPARE_WITH_TIMEOUT(message(dialog), dialog->RepairDoneText, 20000);
            disconnect(probe);
            disconnect(recorder);
            QCOMPARE(percents, steps(5, 100, 5));
            QVERIFY(writingHeld);
            // Each stage's device waits in boot mode while its transfer runs: the record names it,
            // whichever record the repair began with.
            QCOMPARE(records.value(25), ReceiverRecord);
            QCOMPARE(records.value(75), MouseRecord);
            QCOMPARE(ends.repaired().count(), 1);
            QCOMPARE(ends.repaired().first(), 0);
            QVERIFY(ends.done());
            QVERIFY(RegistryValues::UpdateFailInfo().isEmpty());
            QTRY_VERIFY(!repairButton(window)->isVisible());
            QVERIFY(flagsRestored());
            QCOMPARE(dialog->findChild<QProgressBar *>(QStringLiteral("progressBar_2"))->value(),
                     100);
            QCOMPARE(button(dialog, "NewHong_2")->text(), dialog->OkText);
            QSignalSpy current(hub(), SIGNAL(SigSetNewVer()));
            button(dialog, "NewHong_2")->click();
            QVERIFY(!dialog->isVisible());
            QCOMPARE(current.count(), 1);
        }
        SimulationControl::restartBus();
        QCOMPARE(SimulationControl::bootMode(failed), 0);
        QCOMPARE(SimulationControl::firmwareVersion(QStringLiteral("R")), 0x0102);
        QCOMPARE(SimulationControl::firmwareVersion(QStringLiteral("M")), 0x0105);
    }

    // The Space key on the home page with a receiver whose image differs from its firmware and a
    // confirmed question: the main window's own dialog repairs that receiver, which no check has
    // looked at, with the image the main window found for it. A mouse that waits in boot mode
    // (not on the list, so the repair does not reach it) keeps its record, and Repair stays
    // offered for it. An image the receiver refuses leaves it untouched: the record the repair
    // wrote for it goes again, and the one found before (or none) is back.
    void forcedRepair_data()
    {
        QTest::addColumn<QByteArray>("devices");
        QTest::addColumn<QString>("record");
        QTest::addColumn<int>("mouseBootMode");
        QTest::addColumn<bool>("refused");
        QTest::newRow("nothing waits") << Receiver + Mouse << QString() << 0 << false;
        QTest::newRow("the mouse waits in boot mode") << MouseFailed << MouseRecord << 1 << false;
        QTest::newRow("image refused, nothing waits") << Receiver + Mouse << QString() << 0 << true;
        QTest::newRow("image refused, the mouse waits in boot mode")
            << MouseFailed << MouseRecord << 1 << true;
    }
    void forcedRepair()
    {
        QFETCH(QByteArray, devices);
        QFETCH(QString, record);
        QFETCH(int, mouseBootMode);
        QFETCH(bool, refused);
        if (!record.isEmpty())
            RegistryValues::SetUpdateFailInfo(record);
        HomeBench bench(devices);
        QVERIFY(bench.ok());
        if (refused) {
            // Found by its header, refused by the device: it carries no integrity fields.
            bench.writeImage(QStringLiteral("rx4k.bin"), FirmwareImages::ReceiverTarget, 0x0102,
                             "ZR35_RX4K");
        } else {
            bench.useShippedFirmware();
        }
        HomeBench::storeMouseVersion(QStringLiteral("v1.05"));
        SimulationControl::setUpgradeStepDelay(20);
        DialogMain window;
        window.show();
        QVERIFY(waitForTiles(window.homePage(), 1));
        ModalDriver question(ModalDriver::named(QStringLiteral("ContainReset")),
                             QStringLiteral("OK"));
        ModalDriver ended(
            [refused](QWidget *modal) {
                auto *dialog = qobject_cast<UpDateRepair *>(modal);
                return dialog && message(dialog) ==
                                     (refused ? dialog->RepairFailText : dialog->RepairDoneText);
            },
            QLatin1String(refused ? "CloseButton" : "NewHong_2"), 15000);
        Ends ends;
        QTest::keyClick(&window, Qt::Key_Space);
        QVERIFY2(question.fired(), qPrintable(question.failure()));
        QVERIFY2(ended.fired(), qPrintable(ended.failure()));
        QCOMPARE(SimulationControl::calls(QStringLiteral("UsbUpgrade_Start")).size(), 1);
        QCOMPARE(SimulationControl::firmwareVersion(QStringLiteral("R")),
                 refused ? 0x0101 : 0x0102);
        QCOMPARE(SimulationControl::bootMode(QStringLiteral("R")), 0);
        QCOMPARE(SimulationControl::firmwareVersion(QStringLiteral("M")), 0x0104);
        QCOMPARE(SimulationControl::bootMode(QStringLiteral("M")), mouseBootMode);
        QCOMPARE(ends.done(), !refused);
        QCOMPARE(ends.repaired(), QList<int>{refused ? 1 : 0});
        QCOMPARE(RegistryValues::UpdateFailInfo(), record);
        QVERIFY(flagsRestored());
        QTRY_COMPARE(repairButton(window)->isVisible(), !record.isEmpty());
    }

    // While a repair runs, nothing ends the program: not the home page's close button, not the
    // notification area's Exit, not a close request to the window. Once it has ended, the close
    // button ends the program.
    void nothingEndsTheProgramWhileTheRepairRuns_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("close button") << 0;
        QTest::newRow("Exit of the notification area") << 1;
        QTest::newRow("the window closed") << 2;
    }
    void nothingEndsTheProgramWhileTheRepairRuns()
    {
        QFETCH(int, way);
        RegistryValues::SetUpdateFailInfo(ReceiverRecord);
        HomeBench bench(ReceiverFailed);
        QVERIFY(bench.ok());
        bench.useShippedFirmware();
        SimulationControl::setUpgradeStepDelay(100);
        DialogMain window;
        window.show();
        UpDateRepair *dialog = openRepair(window);
        QVERIFY(dialog);
        QCOMPARE(message(dialog), dialog->ReadyText);
        auto *close = window.homePage()->findChild<QToolButton *>(QStringLiteral("CloseButton"));
        const std::function<void()> ways[] = {[close] { close->click(); },
                                              [&window] { window.slotActionExitApp(); },
                                              [&window] { window.close(); }};

        button(dialog, "NewHong_2")->click();
        QVERIFY(RepairRun::Busy());
        // The program's own event loop, which an end would leave at once.
        QCOMPARE(runEventLoop(ways[way], 300), -7);
        QVERIFY(RepairRun::Busy());
        QVERIFY(window.isVisible());
        QVERIFY(dialog->isVisible());

        QTRY_COMPARE_WITH_TIMEOUT(message(dialog), dialog->RepairDoneText, 20000);
        QVERIFY(flagsRestored());
        QCOMPARE(runEventLoop([close] { close->click(); }), 0);
        QVERIFY(!window.isVisible());
    }

    // A start the library refuses, or a start that finds the image gone: nothing is written and
    // nothing looks repaired. The dialog says why and can be closed, the flags are as before the
    // start, and the record stays for the next attempt.
    void startThatWritesNothing_data()
    {
        QTest::addColumn<bool>("imageGone");
        QTest::newRow("refused image") << false;
        QTest::newRow("image gone before the start") << true;
    }
    void startThatWritesNothing()
    {
        QFETCH(bool, imageGone);
        RegistryValues::SetUpdateFailInfo(ReceiverRecord);
        HomeBench bench(ReceiverFailed);
        QVERIFY(bench.ok());
        // Found by its header, refused by the device: it carries no integrity fields.
        bench.writeImage(QStringLiteral("rx4k.bin"), FirmwareImages::ReceiverTarget, 0x0102,
                         "ZR35_RX4K");
        DialogMain window;
        window.show();
        UpDateRepair *dialog = openRepair(window);
        QVERIFY(dialog);
        QCOMPARE(message(dialog), dialog->ReadyText);
        if (imageGone)
            QVERIFY(QFile::remove(bench.appFolder() + QStringLiteral("/bin/rx4k.bin")));

        Ends ends;
        button(dialog, "NewHong_2")->click();
        QCOMPARE(message(dialog), imageGone ? dialog->NoImageText : dialog->RepairFailText);
        QCOMPARE(SimulationControl::calls(QStringLiteral("UsbUpgrade_Start")).size(),
                 imageGone ? 0 : 1);
        QVERIFY(!ends.done());
        QCOMPARE(ends.repaired().count(), imageGone ? 0 : 1);
        if (!imageGone)
            QCOMPARE(ends.repaired().first(), 1);
        QVERIFY(flagsRestored());
        QCOMPARE(RegistryValues::UpdateFailInfo(), ReceiverRecord);
        QVERIFY(button(dialog, "CloseButton")->isEnabled());
        QCOMPARE(SimulationControl::bootMode(QStringLiteral("R")), 1);
        QCOMPARE(SimulationControl::firmwareVersion(QStringLiteral("R")), 0x0101);
        QTRY_VERIFY(repairButton(window)->isVisible());
        button(dialog, "CloseButton")->click();
        QVERIFY(!dialog->isVisible());
    }

    // The receiver is pulled out in the middle of its image: the repair fails, never reports
    // success, writes the record again and the home page offers Repair. Plugged back in, it waits
    // in boot mode: the open dialog's check finds it and the repair completes.
    void unplugDuringTheRepair()
    {
        RegistryValues::SetUpdateFailInfo(ReceiverRecord);
        HomeBench bench(ReceiverFailed);
        QVERIFY(bench.ok());
        bench.useShippedFirmware();
        SimulationControl::setUpgradeStepDelay(100);
        DialogMain window;
        window.show();
        UpDateRepair *dialog = openRepair(window);
        QVERIFY(dialog);
        QCOMPARE(message(dialog), dialog->ReadyText);
        RegistryValues::RemoveUpdateFailInfo(); // written again by the failure
        auto *bar = dialog->findChild<QProgressBar *>(QStringLiteral("progressBar_2"));

        Ends ends;
        button(dialog, "NewHong_2")->click();
        QTRY_VERIFY(bar->value() >= 10);
        // The transfer notices the unplug only at its next step. The steps slow down first, so
        // that the home page has seen the receiver go while the repair still runs: seen after the
        // repair's end, the unplug makes the dialog check the devices again and show what it
        // finds there instead. Two steps later the one pending was posted with the long delay.
        SimulationControl::setUpgradeStepDelay(2000);
        for (int step = 0; step < 2; ++step) {
            const int before = bar->value();
            QTRY_VERIFY_WITH_TIMEOUT(bar->value() > before, 5000);
        }
        QVERIFY(SimulationControl::plugReceiver(QStringLiteral("R"), false));
        QVERIFY(waitForLibraryCallbacks());
        QTRY_COMPARE_WITH_TIMEOUT(message(dialog), dialog->RepairFailText, 10000);
        SimulationControl::setUpgradeStepDelay(100);
        QVERIFY(!ends.done());
        QCOMPARE(ends.repaired().count(), 1);
        QCOMPARE(ends.repaired().first(), 1);
        QCOMPARE(RegistryValues::UpdateFailInfo(), ReceiverRecord);
        QTRY_VERIFY(repairButton(window)->isVisible());
        QVERIFY(flagsRestored());
        QVERIFY(!button(dialog, "NewHong_2")->isVisible()); // only cancel and close
        QCOMPARE(SimulationControl::bootMode(QStringLiteral("R")), 1);

        QVERIFY(SimulationControl::plugReceiver(QStringLiteral("R"), true));
        QTRY_COMPARE(message(dialog), dialog->ReadyText);
        button(dialog, "NewHong_2")->click();
        QTRY_COMPARE_WITH_TIMEOUT(message(dialog), dialog->RepairDoneText, 20000);
        QVERIFY(RegistryValues::UpdateFailInfo().isEmpty());
        QCOMPARE(SimulationControl::bootMode(QStringLiteral("R")), 0);
        QCOMPARE(SimulationControl::firmwareVersion(QStringLiteral("R")), 0x0102);
        QTRY_VERIFY(!repairButton(window)->isVisible());
    }

    // The dialog open on "no device" follows the devices being plugged in: the receiver that
    // waits in boot mode comes back and the dialog turns ready.
    void plugTheWaitingReceiverBackIn()
    {
        RegistryValues::SetUpdateFailInfo(ReceiverRecord);
        HomeBench bench(Receiver + "BootMode=true\nPlugged=false\n" + Mouse + "Cable=true\n");
        QVERIFY(bench.ok());
        bench.useShippedFirmware();
        DialogMain window;
        window.show();
        UpDateRepair *dialog = openRepair(window);
        QVERIFY(dialog);
        QCOMPARE(message(dialog), dialog->NoDeviceText);
        QCOMPARE(button(dialog, "NewHong_2")->text(), dialog->OkText);

        QVERIFY(SimulationControl::plugReceiver(QStringLiteral("R"), true));
        QTRY_COMPARE(message(dialog), dialog->ReadyText);
        QCOMPARE(button(dialog, "NewHong_2")->text(), dialog->RepairButtonText);
        dialog->close();
    }

    // The library takes the image and then never reports again: after the silence limit the
    // repair fails with the record, as the device may be half-written, and the dialog can be
    // closed; a message that comes late changes nothing.
    void silentLibraryFails()
    {
        RegistryValues::SetUpdateFailInfo(ReceiverRecord);
        HomeBench bench(ReceiverFailed);
        QVERIFY(bench.ok());
        bench.useShippedFirmware();
        SimulationControl::setUpgradeSilent(true);
        RepairRun::SetSilenceLimitMsForTest(1500);
        DialogMain window;
        window.show();
        UpDateRepair *dialog = openRepair(window);
        QVERIFY(dialog);
        RegistryValues::RemoveUpdateFailInfo();

        Ends ends;
        button(dialog, "NewHong_2")->click();
        QVERIFY(RepairRun::Busy());
        QTRY_COMPARE_WITH_TIMEOUT(message(dialog), dialog->RepairFailText, 10000);
        QCOMPARE(RegistryValues::UpdateFailInfo(), ReceiverRecord);
        QVERIFY(flagsRestored());
        unsigned char late[] = {7, 2, 1};
        RepairCallback(late);
        QVERIFY(!ends.done());
        QVERIFY(flagsRestored());
        QCOMPARE(RegistryValues::UpdateFailInfo(), ReceiverRecord);
        button(dialog, "CloseButton")->click();
        QVERIFY(!dialog->isVisible());
    }
};

ZR35_TEST_MAIN(TestRepair)
#include "tst_repair.moc"
