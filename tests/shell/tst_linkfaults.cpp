#include "core/devicecache.h"
#include "core/devicediscovery.h"
#include "core/devicestate.h"
#include "core/devicewrite.h"
#include "core/postmsg.h"
#include "core/worker.h"
#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/simulationcontrol.h"
#include "shell/dialogchange.h"
#include "shell/dialogmain.h"
#include "tests/shell/homebench.h"
#include "tests/support/librarycallbacks.h"
#include "tests/support/modaldriver.h"
#include "tests/support/records.h"
#include "tests/support/testmain.h"

#include <QApplication>
#include <QDir>
#include <QRandomGenerator>
#include <QSemaphore>
#include <QThread>
#include <QTimer>
#include <QToolButton>

#include <atomic>
#include <cstring>
#include <functional>
#include <thread>

namespace {

constexpr auto &state = State;

const QString Mouse = QStringLiteral("M");
const QString Receiver = QStringLiteral("R");
const QString CacheName = QStringLiteral("Device_CID0C_MID0A.bin");

FlashDataMap storedRecord()
{
    return mouseRecord(Mouse);
}

// The cache a earlier run left: the mouse's record with a sleep time it never had.
FlashDataMap writeOldCache()
{
    FlashDataMap old = storedRecord();
    old.SleepTime = quint8(old.SleepTime + 77);
    QDir().mkpath(DeviceCachePath(QString()));
    SaveDeviceCache(CacheName, old);
    return old;
}

// What the next start finds: a whole cache that is either the old file or the record the program
// held when it ended, and no temporary file of an unfinished save beside it.
bool cacheIsOldOrNew(const FlashDataMap &old, const FlashDataMap &current)
{
    FlashDataMap loaded{};
    if (!LoadDeviceCache(CacheName, &loaded))
        return false;
    const QStringList files = QDir(DeviceCachePath(QString())).entryList(QDir::Files);
    return (sameRecord(loaded, old) || sameRecord(loaded, current)) &&
           files == QStringList{CacheName};
}

// Posts `action` to the GUI thread from the emitting thread, just before the pages' blocking
// emissions of the record are queued: the GUI thread runs it while the emitter waits for them.
// Connected directly, so it must exist before the pages connect.
class BeforePagesFill : public QObject
{
    Q_OBJECT
public:
    explicit BeforePagesFill(std::function<void()> action) : m_action(std::move(action))
    {
        connect(PostMsg::GetInstance(), SIGNAL(SigUpDataLightUIButton(FlashDataMap)), this,
                SLOT(SlotRecord()), Qt::DirectConnection);
    }
    bool fired() const { return m_fired.load(); }

private slots:
    // Runs on the thread that emits: the device service pass or the device-event callback.
    void SlotRecord()
    {
        if (m_fired.exchange(true))
            return;
        QMetaObject::invokeMethod(
            qApp,
            [this] {
                m_started.release();
                m_action();
            },
            Qt::QueuedConnection);
        // The emission is queued only once the GUI thread is inside the action. The limit only
        // keeps a broken program from hanging the test; the test fails on what follows.
        m_started.tryAcquire(1, 5000);
    }

private:
    std::function<void()> m_action;
    std::atomic<bool> m_fired{false};
    QSemaphore m_started;
};

// The tray menu's Exit, from inside the program's event loop as a user reaches it: true when the
// loop ended with the program's result.
bool exitProgram(DialogMain &window)
{
    return runEventLoop([&] { window.slotActionExitApp(); }) == 0;
}

bool waitForRecordOf(const FlashDataMap &record)
{
    return QTest::qWaitFor([&] { return sameRecord(state().CurrentFlashData.get(), record); },
                           5000);
}

} // namespace

// The device link under faults of the hardware, with the real main window, real threads and the
// simulated library at zero latency. Each case ends in a state the user can go on from (the home
// page, or the device page that says the mouse is offline), and a cache that is whole.
class TestLinkFaults : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        DialogMain::TrayAvailable = [] { return false; };
        QFile::remove(DeviceCachePath(CacheName));
    }

    void faultWhileThePagesFill_data()
    {
        QTest::addColumn<bool>("unplug");
        QTest::addColumn<int>("page");
        QTest::newRow("receiver pulled") << true << 0;
        QTest::newRow("mouse falls asleep") << false << 1;
    }
    void faultWhileThePagesFill()
    {
        QFETCH(bool, unplug);
        QFETCH(int, page);
        HomeBench bench(OneReceiverSet);
        QVERIFY(bench.ok());
        const FlashDataMap old = writeOldCache();
        WhilePagesFill fault([unplug] {
            if (unplug)
                SimulationControl::plugReceiver(Receiver, false);
            else
                SimulationControl::setOnline(Mouse, false);
        });
        DialogMain window;
        window.show();
        QVERIFY(waitForTiles(window.homePage(), 1));
        clickTile(window);
        QTRY_VERIFY_WITH_TIMEOUT(fault.fired(), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(currentPage(window), page, 5000);
        QVERIFY(followUpReadsHandled()); // asked by the callback before the fault
        QCOMPARE(currentPage(window), page);
        if (page == 0) {
            QTRY_COMPARE_WITH_TIMEOUT(DeviceLists::instance()->HomeDeviceList.get().size(), 0,
                                      5000);
        } else {
            // The record that arrived is the one the pages show; a write now finds the mouse
            // asleep, says so, and changes nothing.
            COMPARE_RECORDS(state().CurrentFlashData.get(), storedRecord());
            ModalDriver notice(ModalDriver::named(QStringLiteral("MouseOffLine")),
                               QStringLiteral("CloseButton"));
            QVERIFY(!WriteSleepTime(5));
            QVERIFY(notice.fired());
            COMPARE_RECORDS(state().CurrentFlashData.get(), storedRecord());
        }
        const FlashDataMap atExit = state().CurrentFlashData.get();
        QVERIFY(exitProgram(window));
        QVERIFY(cacheIsOldOrNew(old, atExit));
    }

    // A mouse asleep with nothing on record: the pages can only show their defaults, so the
    // user is told that it is offline; the notice closes itself once the mouse answers, and the
    // pages then show its record.
    void sleepingMouseWithoutRecordSaysOffline()
    {
        HomeBench bench(OneReceiverSet);
        QVERIFY(bench.ok());
        QVERIFY(SimulationControl::setOnline(Mouse, false));
        DialogMain window;
        window.show();
        QVERIFY(waitForTiles(window.homePage(), 1));

        // The notice runs its own event loop: the mouse wakes once it is on screen.
        bool shown = false;
        QTimer wake;
        connect(&wake, &QTimer::timeout, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal || !modal->inherits("MouseOffLine") || !modal->isVisible())
                return;
            wake.stop();
            shown = currentPage(window) == 1;
            SimulationControl::setOnline(Mouse, true);
        });
        wake.start(20);
        clickTile(window);
        QTRY_VERIFY_WITH_TIMEOUT(shown, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(!QApplication::activeModalWidget(), 5000);
        QVERIFY(waitForRecordOf(storedRecord()));
        QVERIFY(followUpReadsHandled());
        QCOMPARE(currentPage(window), 1);
        QVERIFY(exitProgram(window));
    }

    void unplugDuringWrites()
    {
        HomeBench bench(OneReceiverSet);
        QVERIFY(bench.ok());
        const FlashDataMap old = writeOldCache();
        DialogMain window;
        window.show();
        QVERIFY(waitForTiles(window.homePage(), 1));
        clickTile(window);
        QVERIFY(waitForRecordOf(storedRecord()));
        QVERIFY(followUpReadsHandled());

        // The receiver goes at a random moment of a run of writes.
        const unsigned delayUs = QRandomGenerator::global()->bounded(0u, 3000u);
        std::thread puller([delayUs] {
            QThread::usleep(delayUs);
            SimulationControl::plugReceiver(Receiver, false);
        });
        ModalDriver notice(ModalDriver::named(QStringLiteral("MouseOffLine")),
                           QStringLiteral("CloseButton"));
        int lastTaken = -1;
        for (int value = 1; value < 100000; ++value) {
            if (!WriteSleepTime(value % 200 + 1))
                break;
            lastTaken = value % 200 + 1;
        }
        puller.join();
        QTRY_VERIFY_WITH_TIMEOUT(notice.fired(), 5000);

        // What the program holds is what the mouse took: a write the mouse did not take is not
        // reported as done.
        const FlashDataMap held = state().CurrentFlashData.get();
        COMPARE_RECORDS(held, storedRecord());
        if (lastTaken > 0)
            QCOMPARE(int(held.SleepTime), lastTaken);
        QTRY_COMPARE_WITH_TIMEOUT(currentPage(window), 0, 5000);
        QVERIFY(exitProgram(window));
        QVERIFY(cacheIsOldOrNew(old, held));
    }

    void sendTheMouseDoesNotTakeIsNoSuccess()
    {
        HomeBench bench(OneReceiverSet);
        QVERIFY(bench.ok());
        DialogMain window;
        window.show();
        QVERIFY(waitForTiles(window.homePage(), 1));
        clickTile(window);
        QVERIFY(waitForRecordOf(storedRecord()));
        QVERIFY(followUpReadsHandled());
        const FlashDataMap before = state().CurrentFlashData.get();

        // The mouse answers the online question, then the record it is sent gets lost. While the
        // notice is up, one tick of the online check finds the mouse answering: the notice is
        // about the lost change, not about the mouse being away, so it stays for the user.
        SimulationControl::setNoAnswer(QStringLiteral("ProtocolDataUpdate"), 1);
        bool shownAfterCheck = false;
        bool closedByUser = false;
        QTimer::singleShot(0, &window, [&] {
            state().WorkerThread.load()->SlotCheckOnline();
            QCoreApplication::processEvents();
            QWidget *modal = QApplication::activeModalWidget();
            shownAfterCheck = modal && modal->inherits("MouseOffLine") && modal->isVisible();
            if (modal && modal->inherits("MouseOffLine")) {
                modal->findChild<QToolButton *>(QStringLiteral("CloseButton"))->click();
                closedByUser = true;
            }
        });
        QVERIFY(!WriteSleepTime(before.SleepTime + 1));
        QVERIFY(closedByUser);
        QVERIFY(shownAfterCheck);
        QCOMPARE(int(state().KeepOfflineNotice.load()), 0);
        COMPARE_RECORDS(state().CurrentFlashData.get(), before);
        COMPARE_RECORDS(storedRecord(), before);
        // The tick asked for the mouse's record again.
        QVERIFY(followUpReadsHandled());

        QVERIFY(WriteSleepTime(before.SleepTime + 1));
        QCOMPARE(int(storedRecord().SleepTime), before.SleepTime + 1);
        QVERIFY(exitProgram(window));
    }

    void noAnswerToTheFullRead()
    {
        HomeBench bench(OneReceiverSet);
        QVERIFY(bench.ok());
        const FlashDataMap old = writeOldCache();
        SimulationControl::setNoAnswer(QStringLiteral("UsbServer_ReadAllFlashData"), -1);
        DialogMain window;
        window.show();
        QVERIFY(waitForTiles(window.homePage(), 1));
        clickTile(window);
        QVERIFY(QTest::qWaitFor(
            [] { return !SimulationControl::calls("UsbServer_ReadAllFlashData").isEmpty(); },
            5000));
        // The read gets no answer: once no callback is left to run, nothing more comes.
        QVERIFY(waitForLibraryCallbacks());
        QCOMPARE(currentPage(window), 1);
        // Nothing arrived, so nothing is known of the device: no cache is written for it.
        QVERIFY(state().OnlineCacheName.get().isEmpty());
        // Back home, the program leaves the device alone and its cache as it was.
        emit PostMsg::GetInstance()->SigChangeMainDialog(0);
        QCOMPARE(currentPage(window), 0);
        QVERIFY(waitForTiles(window.homePage(), 1));
        SimulationControl::setNoAnswer(QStringLiteral("UsbServer_ReadAllFlashData"), 0);
        QVERIFY(cacheIsOldOrNew(old, old));
    }

    void sleepAndWake()
    {
        HomeBench bench(OneReceiverSet);
        QVERIFY(bench.ok());
        const FlashDataMap old = writeOldCache();
        DialogMain window;
        window.show();
        QVERIFY(waitForTiles(window.homePage(), 1));
        clickTile(window);
        QVERIFY(waitForRecordOf(storedRecord()));
        QVERIFY(followUpReadsHandled());

        QVERIFY(SimulationControl::setOnline(Mouse, false));
        QVERIFY(waitForLibraryCallbacks());
        SimulationControl::clearLog();

        // The offline notice stays until the mouse answers again; the online check then closes
        // it and reads the whole configuration.
        // The mouse wakes once the notice is on screen (the notice runs its own event loop).
        QString shownNotice;
        QTimer wake;
        connect(&wake, &QTimer::timeout, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal)
                return;
            wake.stop();
            shownNotice = QString::fromLatin1(modal->metaObject()->className());
            SimulationControl::setOnline(Mouse, true);
        });
        wake.start(20);
        QElapsedTimer waited;
        waited.start();
        QVERIFY(!WriteSleepTime(9)); // returns once the notice has closed itself
        QVERIFY(waited.elapsed() < 5000);
        QCOMPARE(shownNotice, QStringLiteral("MouseOffLine"));
        QVERIFY(QTest::qWaitFor(
            [] { return !SimulationControl::calls("UsbServer_ReadAllFlashData").isEmpty(); },
            5000));
        QVERIFY(waitForRecordOf(storedRecord()));
        QCOMPARE(currentPage(window), 1);
        QVERIFY(WriteSleepTime(9));
        QCOMPARE(int(storedRecord().SleepTime), 9);

        const FlashDataMap atExit = state().CurrentFlashData.get();
        QVERIFY(exitProgram(window));
        QVERIFY(cacheIsOldOrNew(old, atExit));
    }

    // The receiver is pulled while the parameter-update dialog of the device page waits: before
    // its work starts, or while it waits for the pages of a device that has not sent its
    // configuration. The dialog ends, the program goes home and stays usable.
    void unplugWhileTheParameterDialogWaits_data()
    {
        QTest::addColumn<bool>("answers");
        QTest::addColumn<int>("afterMs");
        QTest::newRow("before its work") << true << 500;
        QTest::newRow("while it waits for the pages") << false << 3500;
    }
    void unplugWhileTheParameterDialogWaits()
    {
        QFETCH(bool, answers);
        QFETCH(int, afterMs);
        HomeBench bench(OneReceiverSet);
        QVERIFY(bench.ok());
        const FlashDataMap old = writeOldCache();
        if (!answers)
            SimulationControl::setNoAnswer(QStringLiteral("UsbServer_ReadAllFlashData"), -1);
        DialogMain window;
        window.show();
        QVERIFY(waitForTiles(window.homePage(), 1));

        // The dialog runs its own event loop, so the test acts from a timer inside it.
        QElapsedTimer shownFor;
        bool pulled = false;
        int notices = 0;
        QTimer act;
        connect(&act, &QTimer::timeout, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            const QString name =
                modal ? QString::fromLatin1(modal->metaObject()->className()) : QString();
            if (name == QLatin1String("UpDataParam") && !pulled) {
                if (!shownFor.isValid())
                    shownFor.start();
                if (shownFor.elapsed() >= afterMs) {
                    pulled = true;
                    SimulationControl::plugReceiver(Receiver, false);
                }
            } else if (name == QLatin1String("MouseOffLine")) {
                ++notices;
                modal->close();
            }
        });
        act.start(20);
        clickTile(window);
        QVERIFY(QTest::qWaitFor(
            [&] {
                return pulled && currentPage(window) == 0 && !QApplication::activeModalWidget();
            },
            20000));
        // The hot-plug notices of the receiver's going, all handled: no notice comes after them.
        QVERIFY(waitForLibraryCallbacks());
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(currentPage(window), 0);
        QVERIFY(DeviceLists::instance()->HomeDeviceList.get().isEmpty());
        qInfo("offline notices after the receiver went: %d", notices);
        act.stop();
        SimulationControl::setNoAnswer(QStringLiteral("UsbServer_ReadAllFlashData"), 0);
        QVERIFY(cacheIsOldOrNew(old, state().CurrentFlashData.get()));

        // Plugged in again, the device opens and reads as before.
        QVERIFY(SimulationControl::plugReceiver(Receiver, true));
        QVERIFY(waitForTiles(window.homePage(), 1));
    }

    // The user leaves by the notification area's Exit while the parameter-update dialog waits for
    // the pages of a device that never sent its configuration: the program ends at once instead of
    // sitting out the dialog's waits.
    void exitWhileTheParameterDialogWaits()
    {
        HomeBench bench(OneReceiverSet);
        QVERIFY(bench.ok());
        SimulationControl::setNoAnswer(QStringLiteral("UsbServer_ReadAllFlashData"), -1);
        DialogMain window;
        window.show();
        QVERIFY(waitForTiles(window.homePage(), 1));

        QElapsedTimer shownFor;
        QElapsedTimer sinceExit;
        QTimer act;
        connect(&act, &QTimer::timeout, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (sinceExit.isValid() || !modal ||
                qstrcmp(modal->metaObject()->className(), "UpDataParam") != 0)
                return;
            if (!shownFor.isValid())
                shownFor.start();
            if (shownFor.elapsed() >= 3500) {
                sinceExit.start();
                window.slotActionExitApp();
            }
        });
        act.start(20);
        QCOMPARE(runEventLoop([&] { clickTile(window); }, 20000), 0);
        QVERIFY(sinceExit.isValid());
        const qint64 endedAfter = sinceExit.elapsed();
        QVERIFY2(endedAfter < 1000, qPrintable(QString::number(endedAfter)));
        SimulationControl::setNoAnswer(QStringLiteral("UsbServer_ReadAllFlashData"), 0);
    }

    // The user closes the program while the device service pass (the mouse asleep: the pages
    // get the cached record) or the device-event callback (the mouse awake: the record it read)
    // waits for the pages in a blocking emission.
    void closeWhileTheLinkWaitsForThePages_data()
    {
        QTest::addColumn<bool>("online");
        QTest::newRow("event callback") << true;
        QTest::newRow("service pass") << false;
    }
    void closeWhileTheLinkWaitsForThePages()
    {
        QFETCH(bool, online);
        HomeBench bench(OneReceiverSet);
        QVERIFY(bench.ok());
        const FlashDataMap old = writeOldCache();
        QVERIFY(SimulationControl::setOnline(Mouse, online));
        auto *window = new DialogMain;
        qint64 closeMs = -1;
        BeforePagesFill close([&] {
            QElapsedTimer timer;
            timer.start();
            window->slotActionExitApp();
            delete window;
            window = nullptr;
            closeMs = timer.elapsed();
        });
        window->show();
        QVERIFY(waitForTiles(window->homePage(), 1));
        // The program's event loop ends with the exit's result, not at the time limit.
        QCOMPARE(runEventLoop([&] { clickTile(*window); }, 10000), 0);
        QVERIFY(close.fired());
        QVERIFY(!window);
        QVERIFY2(closeMs >= 0 && closeMs < 3000, qPrintable(QString::number(closeMs)));
        QVERIFY(!state().WorkerThread.load());
        // Whatever the program held, the cache is whole.
        QVERIFY(cacheIsOldOrNew(old, state().CurrentFlashData.get()));
        // The stopped server's callbacks end before the next case builds its bench.
        QVERIFY(waitForLibraryCallbacks());
    }
};

ZR35_TEST_MAIN(TestLinkFaults)
#include "tst_linkfaults.moc"
