#include "core/devicediscovery.h"
#include "core/devicestate.h"
#include "core/firmwareimages.h"
#include "core/postmsg.h"
#include "core/record/flashdatamap.h"
#include "platform/devicelib/simulationcontrol.h"
#include "settings/match.h"
#include "shell/dialogchange.h"
#include "shell/dialogmain.h"
#include "tests/shell/homebench.h"
#include "tests/support/modaldriver.h"
#include "tests/support/records.h"
#include "tests/support/testmain.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>

using namespace FirmwareImages;

namespace {

constexpr auto &state = State;

// Receiver "A" (kind 0) and receiver "B" (kind 1), each with a mouse of model Drive1; the mouse
// on A is asleep, the one on B awake. A is listed first (its product id comes first in
// Config.ini).
const QByteArray TwinSet = "[A]\nType=Receiver\nKind=0\nVID=0x3D7A\nPID=0x1210\n"
                           "ReceiverId=0x0A, 0x22, 0x33\nVersion=0x0203\n"
                           "[AM]\nType=Mouse\nCid=12\nMid=10\nReceiver=A\nOnline=false\n"
                           "[B]\nType=Receiver\nKind=1\nVID=0x3D7A\nPID=0x1240\n"
                           "ReceiverId=0x0B, 0x22, 0x33\n"
                           "[BM]\nType=Mouse\nCid=12\nMid=10\nReceiver=B\n";

} // namespace

class TestDeviceSelection : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        DialogMain::TrayAvailable = [] { return false; };
    }

    void clickOpensTheDeviceAndReadsItsConfiguration()
    {
        HomeBench bench(OneReceiverSet);
        QVERIFY(bench.ok());
        DialogMain window;
        window.show();
        QVERIFY(waitForTiles(window.homePage(), 1));
        const QByteArray path = SimulationControl::receiverPath(QStringLiteral("R"));
        // What the previous device left behind must not be read for this one.
        state().DevicePath.set("sim/previous-device");
        SimulationControl::clearLog();

        QSignalSpy selected(PostMsg::GetInstance(), SIGNAL(SigSelectMouseInfo(DeviceAllInfo)));
        clickTile(window);

        QCOMPARE(currentPage(window), 1);
        QCOMPARE(selected.count(), 1);
        QCOMPARE(state().DevicePath.get(), path);
        QCOMPARE(state().CurrentDeviceInfo.get().Path, QString::fromLatin1(path));
        QCOMPARE(state().OnDevicePage.load(), 1);

        const QByteArray stored = SimulationControl::storedRecord(QStringLiteral("M"));
        QCOMPARE(stored.size(), int(FlashDataMap::Size));
        QTRY_VERIFY2_WITH_TIMEOUT(
            recordBytes(state().CurrentFlashData.get()) == stored,
            qPrintable(recordDifference(recordBytes(state().CurrentFlashData.get()), stored)),
            5000);
        const auto starts = SimulationControl::calls(QStringLiteral("UsbServerC_Start"));
        QVERIFY(!starts.isEmpty());
        QVERIFY(starts.first().arguments.contains(QString::fromLatin1(path)));
    }

    // A click anywhere on the card opens it, also on its lowest rows, over which the line under
    // the tiles lies. Clicked as a user does: at a point of the window, which finds the widget.
    void clickAnywhereOnATileOpensTheDevice_data()
    {
        QTest::addColumn<int>("fromBottom");
        QTest::addColumn<bool>("underThePromptLine");
        QTest::newRow("middle") << -1 << false;
        QTest::newRow("lower edge") << 3 << true;
        QTest::newRow("30 px above the lower edge") << 29 << true;
    }
    void clickAnywhereOnATileOpensTheDevice()
    {
        QFETCH(int, fromBottom);
        QFETCH(bool, underThePromptLine);
        HomeBench bench(OneReceiverSet);
        QVERIFY(bench.ok());
        DialogMain window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(waitForTiles(window.homePage(), 1));
        QWidget *tile = tileButton(window.homePage(), 0);
        const int y = fromBottom < 0 ? tile->height() / 2 : tile->height() - 1 - fromBottom;
        const QPoint at = tile->mapTo(&window, QPoint(tile->width() / 2, y));
        const QWidget *prompt = window.homePage()->findChild<QLabel *>(QStringLiteral("label_3"));
        QCOMPARE(QRect(prompt->mapTo(&window, QPoint(0, 0)), prompt->size()).contains(at),
                 underThePromptLine);

        QSignalSpy selected(PostMsg::GetInstance(), SIGNAL(SigSelectMouseInfo(DeviceAllInfo)));
        const QPoint windowAt = window.pos();
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
        QCOMPARE(selected.count(), 1);
        QCOMPARE(currentPage(window), 1);
        QCOMPARE(window.pos(), windowAt);
    }

    void clickOnAVanishedEntryIsIgnored()
    {
        HomeBench bench(OneReceiverSet);
        QVERIFY(bench.ok());
        DialogMain window;
        window.show();
        QVERIFY(waitForTiles(window.homePage(), 1));
        QToolButton stale;
        stale.setObjectName(QStringLiteral("btn7"));
        connect(&stale, SIGNAL(clicked()), window.homePage(), SLOT(slotButtonClicked()));
        QSignalSpy selected(PostMsg::GetInstance(), SIGNAL(SigSelectMouseInfo(DeviceAllInfo)));
        stale.click();
        QCOMPARE(selected.count(), 0);
        QCOMPARE(currentPage(window), 0);
    }

    void unrecognisedWiredEntryDoesNothing()
    {
        HomeBench bench("[M]\nType=Mouse\nCid=12\nMid=99\nCable=true\nCableVID=0x3D7A\n"
                        "CablePID=0x1201\n");
        QVERIFY(bench.ok());
        HomeBench::storeMouseVersion(QString());
        DialogMain window;
        window.show();
        QVERIFY(waitForTiles(window.homePage(), 1));
        ModalDriver anyDialog([](QWidget *) { return true; }, QStringLiteral("CloseButton"), 500);
        QSignalSpy selected(PostMsg::GetInstance(), SIGNAL(SigSelectMouseInfo(DeviceAllInfo)));
        clickTile(window);
        QVERIFY(!anyDialog.fired());
        QCOMPARE(selected.count(), 0);
        QCOMPARE(currentPage(window), 0);
        QCOMPARE(state().PairDeviceSet.load(), quint8(0));
    }

    void rebuildDuringAClickLeavesTheClickedTileAlive()
    {
        HomeBench bench(TwinSet);
        QVERIFY(bench.ok());
        DialogMain window;
        window.show();
        QVERIFY(waitForTiles(window.homePage(), 2));
        // While the pairing dialog of the click is open, the other receiver goes: the tiles are
        // rebuilt inside the dialog's loop, and the click then returns through its own tile.
        bool unplugged = false;
        bool closed = false;
        QTimer poll;
        poll.setInterval(10);
        connect(&poll, &QTimer::timeout, [&] {
            auto *pairing = qobject_cast<Match *>(QApplication::activeModalWidget());
            if (!pairing || closed)
                return;
            if (!unplugged)
                unplugged = SimulationControl::plugReceiver(QStringLiteral("B"), false);
            else if (window.homePage()->TileButtons.size() == 1) {
                closed = true;
                pairing->WindowClosedSet();
            }
        });
        poll.start();
        QPointer<QWidget> clicked = tileButton(window.homePage(), 0);
        static_cast<QToolButton *>(clicked.data())->click();
        poll.stop();
        QVERIFY(closed);
        QCOMPARE(window.homePage()->TileButtons.size(), 1);
        QTRY_VERIFY(clicked.isNull()); // the old tile page goes once the click is over
    }

    void offlineTwinDecides_data()
    {
        QTest::addColumn<QString>("mouseVersion");
        QTest::addColumn<bool>("mouseImage");
        QTest::addColumn<bool>("receiverImage");
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("pairs");
        QTest::addColumn<bool>("opens");

        QTest::newRow("no stored version: pairing") << QString() << true << true << "Match"
                                                    << "CloseButton" << true << false;
        QTest::newRow("both images, declined") << "v1.05" << true << true << "RePair"
                                               << "Cancel" << false << false;
        QTest::newRow("both images, confirmed") << "v1.05" << true << true << "RePair"
                                                << "OK" << true << false;
        QTest::newRow("neither image, declined") << "v1.05" << false << false << "RePair"
                                                 << "CloseButton" << false << false;
        QTest::newRow("mouse image only: firmware notice")
            << "v1.05" << true << false << "UpDateWarning"
            << "NewHong" << false << false;
        QTest::newRow("receiver image only: opens the device")
            << "v1.05" << false << true << QString() << QString() << false << true;
    }
    void offlineTwinDecides()
    {
        QFETCH(QString, mouseVersion);
        QFETCH(bool, mouseImage);
        QFETCH(bool, receiverImage);
        QFETCH(QString, dialog);
        QFETCH(QString, answer);
        QFETCH(bool, pairs);
        QFETCH(bool, opens);

        HomeBench bench(TwinSet);
        QVERIFY(bench.ok());
        HomeBench::storeMouseVersion(mouseVersion);
        bench.makeFirmwareFolder();
        if (mouseImage)
            bench.writeImage(QStringLiteral("mouse.bin"), MouseTarget, 0x0106, "ZR35_M10");
        if (receiverImage)
            bench.writeImage(QStringLiteral("receiver.bin"), ReceiverTarget, 0x0301, "ZR35_RX1K");

        DialogMain window;
        window.move(100, 50);
        window.show();
        QVERIFY(waitForTiles(window.homePage(), 2));
        const DeviceAllInfo asleep = DeviceLists::instance()->HomeDeviceList.get().at(0);
        QCOMPARE(asleep.Path, QString::fromLatin1(SimulationControl::receiverPath("A")));

        QPoint shownAt;
        QSize shownSize;
        ModalDriver first(
            [&](QWidget *modal) {
                shownAt = modal->pos();
                shownSize = modal->size();
                return modal->inherits(dialog.toLatin1().constData());
            },
            answer.isEmpty() ? QStringLiteral("CloseButton") : answer,
            dialog.isEmpty() ? 500 : 5000);
        // A confirmed re-pair question leads into pairing.
        ModalDriver pairing(ModalDriver::named(QStringLiteral("Match")),
                            QStringLiteral("CloseButton"), 5000);
        clickTile(window);

        QCOMPARE(first.fired(), !dialog.isEmpty());
        QCOMPARE(state().PairDeviceSet.load(), quint8(pairs ? 1 : 0));
        if (pairs) {
            QVERIFY(pairing.fired() || dialog == QLatin1String("Match"));
            QCOMPARE(state().PairDeviceInfo.get().Path, asleep.Path);
        }
        // The 300 x 140 notice over the 1020 x 700 home page of the window at (100, 50): centred,
        // 20 to the left.
        if (dialog == QLatin1String("UpDateWarning")) {
            QCOMPARE(shownSize, QSize(300, 140));
            QCOMPARE(shownAt, QPoint(440, 330));
        }
        QCOMPARE(currentPage(window), opens ? 1 : 0);
        if (opens)
            QCOMPARE(state().CurrentDeviceInfo.get().Path, asleep.Path);
    }
};

ZR35_TEST_MAIN(TestDeviceSelection)
#include "tst_deviceselection.moc"
