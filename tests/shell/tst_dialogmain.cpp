#include "core/devicecache.h"
#include "core/devicestate.h"
#include "core/firmwareimages.h"
#include "core/languagetables.h"
#include "core/postmsg.h"
#include "core/registryvalues.h"
#include "core/settingsstore.h"
#include "core/startup.h"
#include "platform/devicelib/simulationcontrol.h"
#include "settings/updaterepair.h"
#include "shell/dialog.h"
#include "shell/dialogchange.h"
#include "shell/dialogmain.h"
#include "shell/widgets/myconmbobox.h"
#include "tests/shell/homebench.h"
#include "tests/support/modaldriver.h"
#include "tests/support/testmain.h"

#include <algorithm>

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QToolButton>

using namespace FirmwareImages;

namespace {

constexpr auto &state = State;

// The driver states the program sent since the log was last cleared, in order.
QStringList driverStatuses()
{
    QStringList sent;
    for (const CallLog::Call &call :
         SimulationControl::calls(QStringLiteral("UsbServer_SetPCDriverStatus")))
        sent << call.arguments;
    return sent;
}

void sendMouse(QWidget *window, QEvent::Type type, const QPoint &global, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    QMouseEvent event(type, window->mapFromGlobal(global), global, button, buttons, Qt::NoModifier);
    QApplication::sendEvent(window, &event);
}

} // namespace

class TestDialogMain : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        DialogMain::TrayAvailable = [] { return true; };
        StoreLanguage(0);
        RegistryValues::RemoveUpdateFailInfo();
    }

    void escapeAndF12AreSwallowed_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Escape") << int(Qt::Key_Escape);
        QTest::newRow("F12") << int(Qt::Key_F12);
    }
    // Building the window, showing it and painting it leave the hidden device page unpolished
    // (its own stack shows its first page as it is built): the device page is polished when it
    // first shows.
    void devicePagePolishedWhenItFirstShows()
    {
        HomeBench bench(OneReceiverSet);
        DialogMain window;
        auto polished = [&] {
            const QList<QWidget *> all = window.devicePage()->findChildren<QWidget *>();
            return std::all_of(all.begin(), all.end(), [](const QWidget *w) {
                return w->testAttribute(Qt::WA_WState_Polished);
            });
        };
        // The stack of the device page showed its first page as it was built: not polished yet.
        const QWidget *firstPage =
            window.devicePage()
                ->findChild<QStackedWidget *>(QStringLiteral("stackedWidgetDialog"))
                ->currentWidget();
        QVERIFY(firstPage);
        QVERIFY(!firstPage->testAttribute(Qt::WA_WState_Polished));
        window.show();
        QVERIFY(!window.devicePage()->testAttribute(Qt::WA_WState_Polished));
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        QVERIFY(!window.devicePage()->testAttribute(Qt::WA_WState_Polished));
        QVERIFY(!firstPage->testAttribute(Qt::WA_WState_Polished));
        QVERIFY(window.homePage()->testAttribute(Qt::WA_WState_Polished));
        QVERIFY(waitForTiles(window.homePage(), 1));
        clickTile(window);
        QTRY_COMPARE(currentPage(window), 1);
        QVERIFY(polished());
    }

    void escapeAndF12AreSwallowed()
    {
        QFETCH(int, key);
        HomeBench bench(OneReceiverSet);
        DialogMain window;
        window.show();
        QSignalSpy enter(PostMsg::GetInstance(), SIGNAL(SigEnterKey()));
        QTest::keyClick(&window, Qt::Key(key));
        QVERIFY(window.isVisible());
        QCOMPARE(enter.count(), 0);
    }

    void returnAndEnterAreAnnouncedUnlessRecording()
    {
        HomeBench bench(OneReceiverSet);
        DialogMain window;
        window.show();
        QSignalSpy enter(PostMsg::GetInstance(), SIGNAL(SigEnterKey()));
        QTest::keyClick(&window, Qt::Key_Return);
        QTest::keyClick(&window, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(enter.count(), 2);
        state().MacroRecording = 1;
        QTest::keyClick(&window, Qt::Key_Return);
        state().MacroRecording = 0;
        QCOMPARE(enter.count(), 2);
    }

    void dragsOnlyWithTheLeftButton()
    {
        HomeBench bench(OneReceiverSet);
        DialogMain window;
        window.show();
        const QPoint start = window.pos();
        const QPoint grip = window.mapToGlobal(QPoint(500, 100));
        sendMouse(&window, QEvent::MouseButtonPress, grip, Qt::RightButton, Qt::RightButton);
        sendMouse(&window, QEvent::MouseMove, grip + QPoint(30, 40), Qt::NoButton, Qt::RightButton);
        QCOMPARE(window.pos(), start);
        sendMouse(&window, QEvent::MouseButtonRelease, grip, Qt::RightButton, Qt::NoButton);
        sendMouse(&window, QEvent::MouseMove, grip + QPoint(30, 40), Qt::NoButton, Qt::LeftButton);
        QCOMPARE(window.pos(), start); // released: no drag armed

        sendMouse(&window, QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
        sendMouse(&window, QEvent::MouseMove, grip + QPoint(30, 40), Qt::NoButton, Qt::LeftButton);
        QCOMPARE(window.pos(), start + QPoint(30, 40));
    }

    void homePageHidesToTheNotificationAreaSilently()
    {
        HomeBench bench(OneReceiverSet);
        DialogMain window;
        window.show();
        QVERIFY(waitForTiles(window.homePage(), 1));
        SimulationControl::clearLog();
        window.homePage()->findChild<QToolButton *>(QStringLiteral("MinButton"))->click();
        QVERIFY(!window.isVisible());
        QVERIFY(window.trayIcon()->isVisible());
        const QList<QAction *> actions = window.trayMenu()->actions();
        QCOMPARE(actions.size(), 3);
        QCOMPARE(actions.at(0)->text(), DialogMainTexts.text(0, 0, QStringLiteral("?")));
        QVERIFY(actions.at(1)->isSeparator());
        QCOMPARE(actions.at(2)->text(), DialogMainTexts.text(0, 1, QStringLiteral("?")));

        // A right click: the toolkit opens the menu itself; the slot neither runs it again nor
        // shows the window.
        window.on_activatedSysTrayIcon(QSystemTrayIcon::Context);
        QVERIFY(!window.isVisible());
        QVERIFY(window.trayIcon()->isVisible());

        window.on_activatedSysTrayIcon(QSystemTrayIcon::Trigger);
        // The icon's click handler is still running: nothing of the icon goes away inside it.
        QVERIFY(window.trayIcon()->isVisible());
        QTRY_VERIFY(window.isVisible());
        QVERIFY(!window.trayIcon()->isVisible());
        QCOMPARE(driverStatuses(), QStringList());
    }

    // The menu's first action does what a left click does, once the menu's handler returned.
    void showWindowActionRestoresTheWindow()
    {
        HomeBench bench(OneReceiverSet);
        DialogMain window;
        window.show();
        QVERIFY(openDevicePage(window));
        emit PostMsg::GetInstance()->SigChangeSize(0);
        QVERIFY(!window.isVisible());
        SimulationControl::clearLog();

        window.trayMenu()->actions().at(0)->trigger();
        QVERIFY(window.trayIcon()->isVisible());
        QTRY_VERIFY(window.isVisible());
        QVERIFY(!window.trayIcon()->isVisible());
        QCOMPARE(driverStatuses(), QStringList({"1"}));
    }

    void devicePageTellsTheDeviceWhenHiddenAndBack()
    {
        HomeBench bench(OneReceiverSet);
        DialogMain window;
        window.show();
        QVERIFY(openDevicePage(window));
        SimulationControl::clearLog();

        emit PostMsg::GetInstance()->SigChangeSize(0);
        emit PostMsg::GetInstance()->SigChangeSize(0);
        QVERIFY(!window.isVisible());
        QCOMPARE(driverStatuses(), QStringList({"0", "0"}));

        // A double click reports a click first: both together restore the window once.
        window.on_activatedSysTrayIcon(QSystemTrayIcon::Trigger);
        window.on_activatedSysTrayIcon(QSystemTrayIcon::DoubleClick);
        QTRY_VERIFY(window.isVisible());
        QVERIFY(!window.trayIcon()->isVisible());
        // Both clicks were queued before the window came back: the second has run by now.
        QCoreApplication::processEvents();
        QCOMPARE(driverStatuses(), QStringList({"0", "0", "1"}));
        QCOMPARE(SimulationControl::driverStatus(), 1);
    }

    void withoutNotificationAreaMinimiseAndRestore()
    {
        DialogMain::TrayAvailable = [] { return false; };
        HomeBench bench(OneReceiverSet);
        DialogMain window;
        window.show();
        QVERIFY(openDevicePage(window));
        SimulationControl::clearLog();

        emit PostMsg::GetInstance()->SigChangeSize(0);
        QVERIFY(window.isVisible());
        QVERIFY(window.isMinimized());
        QVERIFY(!window.trayIcon()->isVisible());
        QCOMPARE(driverStatuses(), QStringList({"0"}));

        window.showNormal();
        QTRY_VERIFY(!window.isMinimized());
        QCOMPARE(driverStatuses(), QStringList({"0", "1"}));
    }

    void exitClosesFromTheCurrentPageFirst_data()
    {
        QTest::addColumn<bool>("onDevicePage");
        QTest::addColumn<QStringList>("statuses");
        QTest::newRow("home page") << false << QStringList();
        QTest::newRow("device page") << true << QStringList({"0"});
    }
    void exitClosesFromTheCurrentPageFirst()
    {
        QFETCH(bool, onDevicePage);
        QFETCH(QStringList, statuses);
        PrepareUserFolder();
        HomeBench bench(OneReceiverSet);
        DialogMain window;
        window.show();
        QVERIFY(waitForTiles(window.homePage(), 1));
        if (onDevicePage)
            QVERIFY(openDevicePage(window));
        const QString cacheName = state().OnlineCacheName.get();
        if (onDevicePage)
            QFile::remove(DeviceCachePath(cacheName));
        SimulationControl::clearLog();

        // The exit runs in the program's own event loop and must end it with 0.
        QCOMPARE(runEventLoop([&] { window.slotActionExitApp(); }), 0);

        QVERIFY(!window.isVisible());
        QCOMPARE(driverStatuses(), statuses);
        QVERIFY(!SimulationControl::calls(QStringLiteral("UsbServer_Exit")).isEmpty());
        if (onDevicePage) {
            FlashDataMap cached;
            QVERIFY(LoadDeviceCache(cacheName, &cached));
        }
    }

    void spaceOnTheHomePage_data()
    {
        QTest::addColumn<QString>("mouseVersion");
        QTest::addColumn<bool>("mouseImage");
        QTest::addColumn<bool>("receiverImage");
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("repairRuns");

        QTest::newRow("no stored version: pairing") << QString() << false << true << "Match"
                                                    << "CloseButton" << false;
        QTest::newRow("both images: pairing") << "v1.05" << true << true << "Match"
                                              << "CloseButton" << false;
        QTest::newRow("neither image: pairing") << "v1.05" << false << false << "Match"
                                                << "CloseButton" << false;
        QTest::newRow("receiver image, declined") << "v1.05" << false << true << "ContainReset"
                                                  << "Cancel" << false;
        QTest::newRow("receiver image, confirmed: repair")
            << "v1.05" << false << true << "ContainReset"
            << "OK" << true;
        QTest::newRow("mouse image: firmware notice") << "v1.05" << true << false << "UpDateWarning"
                                                      << "NewHong" << false;
    }
    void spaceOnTheHomePage()
    {
        QFETCH(QString, mouseVersion);
        QFETCH(bool, mouseImage);
        QFETCH(bool, receiverImage);
        QFETCH(QString, dialog);
        QFETCH(QString, answer);
        QFETCH(bool, repairRuns);

        HomeBench bench(OneReceiverSet);
        HomeBench::storeMouseVersion(mouseVersion);
        bench.makeFirmwareFolder();
        if (mouseImage)
            bench.writeImage(QStringLiteral("mouse.bin"), MouseTarget, 0x0106, "ZR35_M10");
        // The receiver is of kind 1: its image is the model's D4M.
        if (receiverImage)
            bench.writeImage(QStringLiteral("receiver.bin"), ReceiverTarget, 0x0301, "ZR35_RX4K");
        DialogMain window;
        window.move(100, 50);
        window.show();
        QVERIFY(waitForTiles(window.homePage(), 1));

        QPoint shownAt;
        QSize shownSize;
        ModalDriver first(
            [&](QWidget *modal) {
                shownAt = modal->pos();
                shownSize = modal->size();
                return modal->inherits(dialog.toLatin1().constData());
            },
            answer);
        ModalDriver repair(ModalDriver::named(QStringLiteral("UpDateRepair")),
                           QStringLiteral("CloseButton"), repairRuns ? 5000 : 300);
        QTest::keyClick(&window, Qt::Key_Space);

        QVERIFY2(first.fired(), qPrintable(first.failure()));
        QCOMPARE(repair.fired(), repairRuns);
        QCOMPARE(currentPage(window), 0);
        if (dialog == QLatin1String("Match"))
            QCOMPARE(state().PairDeviceSet.load(), quint8(0));
        // The 300 x 140 notice over the 1020 x 700 window at (100, 50): centred, 20 to the left.
        if (dialog != QLatin1String("Match")) {
            QCOMPARE(shownSize, QSize(300, 140));
            QCOMPARE(shownAt, QPoint(440, 330));
        }
    }

    void spaceOnTheDevicePagePairsAndRestartsTheServer()
    {
        HomeBench bench(OneReceiverSet);
        DialogMain window;
        window.show();
        QVERIFY(openDevicePage(window));
        SimulationControl::clearLog();
        ModalDriver pairing(ModalDriver::named(QStringLiteral("Match")),
                            QStringLiteral("CloseButton"));
        QTest::keyClick(&window, Qt::Key_Space);
        QVERIFY2(pairing.fired(), qPrintable(pairing.failure()));
        QCOMPARE(state().PairDeviceSet.load(), quint8(1));
        QCOMPARE(currentPage(window), 1);
        // The pairing ran the server with its own callback: the device's server runs again.
        const auto starts = SimulationControl::calls(QStringLiteral("UsbServerC_Start"));
        QCOMPARE(starts.size(), 1);
        QVERIFY(starts.first().arguments.contains(
            QString::fromLatin1(SimulationControl::receiverPath(QStringLiteral("R")))));
    }

    // Pairing from the home page hands hot-plug back to the home page: a receiver plugged in
    // afterwards gets its tile, and no device server runs while no device is open.
    void pairingFromTheHomePageKeepsTheTilesFollowingThePlugs()
    {
        HomeBench bench(OneReceiverSet + "[S]\nType=Receiver\nKind=0\nVID=0x3D7A\nPID=0x1210\n"
                                         "Plugged=false\n"
                                         "[SM]\nType=Mouse\nCid=12\nMid=10\nReceiver=S\n");
        QVERIFY(bench.ok());
        HomeBench::storeMouseVersion(QString());
        DialogMain window;
        window.show();
        QVERIFY(waitForTiles(window.homePage(), 1));
        SimulationControl::clearLog();

        ModalDriver pairing(ModalDriver::named(QStringLiteral("Match")),
                            QStringLiteral("CloseButton"));
        QTest::keyClick(&window, Qt::Key_Space);
        QVERIFY2(pairing.fired(), qPrintable(pairing.failure()));
        QCOMPARE(currentPage(window), 0);
        QVERIFY(SimulationControl::calls(QStringLiteral("UsbServerC_Start")).isEmpty());

        QVERIFY(SimulationControl::plugReceiver(QStringLiteral("S"), true));
        QVERIFY(waitForTiles(window.homePage(), 2));
        QCOMPARE(currentPage(window), 0);
        QVERIFY(SimulationControl::calls(QStringLiteral("UsbServerC_Start")).isEmpty());
    }

    void closeButtonOfTheHomePageEndsTheProgram()
    {
        HomeBench bench(OneReceiverSet);
        DialogMain window;
        window.show();
        QVERIFY(waitForTiles(window.homePage(), 1));
        SimulationControl::clearLog();
        auto *close = window.homePage()->findChild<QToolButton *>(QStringLiteral("CloseButton"));
        QCOMPARE(runEventLoop([&] { close->click(); }), 0);
        QVERIFY(!window.isVisible());
        QCOMPARE(driverStatuses(), QStringList());
        QCOMPARE(SimulationControl::calls(QStringLiteral("UsbServer_Exit")).size(), 1);
    }

    void spaceNeedsExactlyOneReceiverEntry_data()
    {
        QTest::addColumn<QByteArray>("devices");
        QTest::addColumn<int>("tiles");
        QTest::newRow("mouse on its cable only")
            << QByteArray("[M]\nType=Mouse\nCid=12\nMid=10\nCable=true\nCableVID=0x3D7A\n"
                          "CablePID=0x1201\n")
            << 1;
        QTest::newRow("two receivers")
            << QByteArray(OneReceiverSet + "[S]\nType=Receiver\nKind=0\nVID=0x3D7A\nPID=0x1210\n"
                                           "[SM]\nType=Mouse\nCid=12\nMid=10\nReceiver=S\n")
            << 2;
    }
    void spaceNeedsExactlyOneReceiverEntry()
    {
        QFETCH(QByteArray, devices);
        QFETCH(int, tiles);
        HomeBench bench(devices);
        QVERIFY(bench.ok());
        DialogMain window;
        window.show();
        QVERIFY(waitForTiles(window.homePage(), tiles));
        ModalDriver any([](QWidget *) { return true; }, QStringLiteral("CloseButton"), 300);
        QTest::keyClick(&window, Qt::Key_Space);
        QVERIFY(!any.fired());
    }

    void languageChoiceRelabelsTheHomePage()
    {
        HomeBench bench(OneReceiverSet);
        DialogMain window;
        window.show();
        QVERIFY(waitForTiles(window.homePage(), 1));
        QStringList order;
        PostMsg *hub = PostMsg::GetInstance();
        auto all = connect(hub, &PostMsg::SigAllLanguage,
                           [&](int language) { order << QStringLiteral("all %1").arg(language); });
        auto same = connect(hub, &PostMsg::SigLanguageSameB, [&](int language) {
            order << QStringLiteral("sameB %1").arg(language);
        });
        auto *combo = window.homePage()->findChild<MyConmboBox *>(QStringLiteral("comboBox"));
        auto *label3 = window.homePage()->findChild<QLabel *>(QStringLiteral("label_3"));
        const QString english = label3->text();

        combo->setCurrentIndex(1);
        emit combo->activated(1);
        disconnect(all);
        disconnect(same);

        QCOMPARE(order, QStringList({"all 1", "sameB 1"}));
        QCOMPARE(SettingsStore::instance()->value(QStringLiteral("Language"),
                                                  QStringLiteral("Language")),
                 QStringLiteral("1"));
        QCOMPARE(state().CurrentLanguage.load(), 1);
        QCOMPARE(label3->text(), DialogChangeTexts.text(1, 1, QString()));
        QVERIFY(label3->text() != english);
        QVERIFY(window.homePage()->OfflineLabels.first()->toolTip().startsWith(
            DialogChangeTexts.text(1, 5, QString())));

        emit PostMsg::GetInstance()->SigChangeSize(2);
        QCOMPARE(window.trayMenu()->actions().at(0)->text(), DialogMainTexts.text(1, 0, QString()));

        // Another page's choice only moves the box.
        QSignalSpy stored(hub, SIGNAL(SigAllLanguage(int)));
        emit hub->SigLanguageSameA(0);
        QCOMPARE(combo->currentIndex(), 0);
        QCOMPARE(stored.count(), 0);
    }

    void aLanguageTheProgramDoesNotHaveCountsAsEnglish_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::newRow("-1") << "-1";
        QTest::newRow("2") << "2";
        QTest::newRow("5") << "5";
        QTest::newRow("abc") << "abc";
    }
    void aLanguageTheProgramDoesNotHaveCountsAsEnglish()
    {
        QFETCH(QString, stored);
        QVERIFY(SettingsStore::instance()->setValue(QStringLiteral("Language"),
                                                    QStringLiteral("Language"), stored));
        HomeBench bench(OneReceiverSet);
        DialogMain window;
        window.show();
        QVERIFY(waitForTiles(window.homePage(), 1));

        QCOMPARE(state().CurrentLanguage.load(), 0);
        auto *combo = window.homePage()->findChild<MyConmboBox *>(QStringLiteral("comboBox"));
        QCOMPARE(combo->currentIndex(), 0);
        QCOMPARE(combo->currentText(), QStringLiteral("English"));
        const QString english = DialogChangeTexts.text(0, 1, QString());
        QVERIFY(!english.isEmpty());
        QCOMPARE(window.homePage()->findChild<QLabel *>(QStringLiteral("label_3"))->text(),
                 english);
        emit PostMsg::GetInstance()->SigChangeSize(2);
        QCOMPARE(window.trayMenu()->actions().at(0)->text(), DialogMainTexts.text(0, 0, "?"));
        QCOMPARE(window.trayMenu()->actions().at(2)->text(), DialogMainTexts.text(0, 1, "?"));
    }

    void doNotShowAgainIsStored()
    {
        HomeBench bench(OneReceiverSet);
        DialogMain window;
        auto *box = window.homePage()->findChild<QCheckBox *>(QStringLiteral("NoApear"));
        box->click();
        QCOMPARE(
            SettingsStore::instance()->value(QStringLiteral("FindNew"), QStringLiteral("IsShow")),
            QStringLiteral("1"));
        box->click();
        QCOMPARE(
            SettingsStore::instance()->value(QStringLiteral("FindNew"), QStringLiteral("IsShow")),
            QStringLiteral("0"));
    }

    void enterOpensTheRepairDialogWhileAnUpdateIsUnfinished()
    {
        RegistryValues::SetUpdateFailInfo(QStringLiteral("211,1,2,3"));
        HomeBench bench(OneReceiverSet);
        DialogMain window;
        window.move(100, 50);
        window.show();
        QVERIFY(waitForTiles(window.homePage(), 1));
        auto *repairButton = window.homePage()->findChild<QPushButton *>(QStringLiteral("Repair"));
        QVERIFY(repairButton->isVisible());
        QCOMPARE(window.homePage()->findChild<QLabel *>(QStringLiteral("label_2"))->text(),
                 window.homePage()->RepairHintText);

        QTest::keyClick(&window, Qt::Key_Return);
        UpDateRepair *dialog = state().UpdateDialog;
        QVERIFY(dialog);
        QVERIFY(dialog->isVisible());
        QVERIFY(dialog->isModal());
        // The 460 x 289 dialog centred over the home page of the window at (100, 50).
        QCOMPARE(dialog->size(), QSize(460, 289));
        QCOMPARE(dialog->pos(), QPoint(380, 255));
        dialog->hide();

        // A repair that succeeded hides the button: Enter does nothing any more.
        emit PostMsg::GetInstance()->SigUpDateButton(true);
        QVERIFY(!repairButton->isVisible());
        QTest::keyClick(&window, Qt::Key_Return);
        QVERIFY(!dialog->isVisible());
        RegistryValues::RemoveUpdateFailInfo();
    }
};

ZR35_TEST_MAIN(TestDialogMain)
#include "tst_dialogmain.moc"
