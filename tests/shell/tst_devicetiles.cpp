#include "core/devicediscovery.h"
#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/simulationcontrol.h"
#include "shell/dialogchange.h"
#include "shell/dialogs/questiondialogb.h"
#include "tests/shell/homebench.h"
#include "tests/support/librarycallbacks.h"
#include "tests/support/modaldriver.h"
#include "tests/support/picturecheck.h"
#include "tests/support/screens.h"
#include "tests/support/testmain.h"

#include <QApplication>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>

namespace {

// One receiver section and its mouse section of a device set.
QByteArray receiverWithMouse(const QByteArray &name, int kind, const QByteArray &pid, int mid,
                             const QByteArray &extra = QByteArray())
{
    return "[" + name + "]\nType=Receiver\nKind=" + QByteArray::number(kind) +
           "\nVID=0x3D7A\nPID=" + pid + "\nReceiverId=0x1" + QByteArray::number(kind) +
           ", 0x22, 0x33\n[" + name + "M]\nType=Mouse\nCid=12\nMid=" + QByteArray::number(mid) +
           "\nReceiver=" + name + "\nCableVID=0x3D7A\nCablePID=0x1201\n" + extra;
}

QString styleOf(const QWidget *widget)
{
    return widget ? widget->styleSheet() : QString();
}

} // namespace

class TestDeviceTiles : public QObject
{
    Q_OBJECT

private slots:
    void oneReceiverShowsOneCentredTile()
    {
        HomeBench bench(OneReceiverSet);
        QVERIFY(bench.ok());
        DialogChange page;
        page.show();
        QVERIFY(waitForTiles(&page, 1));

        QCOMPARE(tileButton(&page, 0)->objectName(), QStringLiteral("btn0"));
        QCOMPARE(tileButton(&page, 0)->pos(), QPoint(305, 0));
        QCOMPARE(tileButton(&page, 0)->size(), QSize(284, 360));
        QVERIFY(styleOf(tileButton(&page, 0)).contains(QStringLiteral("OnLine0.png")));
        QCOMPARE(connectionIcon(&page, 0)->pos(), QPoint(530, 20));
        QVERIFY(connectionIcon(&page, 0)->isVisible());
        QVERIFY(styleOf(connectionIcon(&page, 0)).contains(QStringLiteral("OnLineWifi.png")));
        QVERIFY(!offlineIcon(&page, 0)->isVisible());
        QCOMPARE(page.RateBadges.size(), 1);
        QCOMPARE(page.RateBadges.first()->pos(), QPoint(312, 10));
        QVERIFY(styleOf(page.RateBadges.first()).contains(QStringLiteral("4KHz.png")));

        QVERIFY(page.findChild<QLabel *>(QStringLiteral("label_3"))->isVisible());
        QVERIFY(!page.findChild<QLabel *>(QStringLiteral("label_2"))->isVisible());
        QVERIFY(!page.findChild<QToolButton *>(QStringLiteral("RightButton"))->isVisible());
        QVERIFY(!page.findChild<QToolButton *>(QStringLiteral("LeftButton"))->isVisible());
    }

    void everyPictureOfTheHomePageIsShipped()
    {
        HomeBench bench(OneReceiverSet + "[S]\nType=Receiver\nKind=0\nVID=0x3D7A\nPID=0x1210\n"
                                         "[SM]\nType=Mouse\nCid=12\nMid=99\nReceiver=S\n");
        QVERIFY(bench.ok());
        DialogChange page;
        page.show();
        QVERIFY(waitForTiles(&page, 2));
        // The hidden firmware panel takes its pictures when it first shows.
        auto *firmwarePanel = page.findChild<QFrame *>(QStringLiteral("FindVer"));
        QVERIFY(firmwarePanel->styleSheet().isEmpty());
        firmwarePanel->show();
        QVERIFY(firmwarePanel->styleSheet().contains(QLatin1String("Picture/WarningDialog/")));
        QCOMPARE(missingPictures(&page), QStringList());
        for (const char *picture : {"OnLine0.png", "DisOnlin0.png", "Unknow.png", "OnLineUsb.png",
                                    "1KHz.png", "2KHz.png", "8KHz.png"})
            QVERIFY2(QFile::exists(page.HomePicturePath + QLatin1String(picture)), picture);
    }

    void withoutDevicesOnlyThePromptShows()
    {
        HomeBench bench("[R]\nType=Receiver\nKind=1\nVID=0x3D7A\nPID=0x1240\nPlugged=false\n");
        QVERIFY(bench.ok());
        DialogChange page;
        page.show();
        QVERIFY(waitForLibraryCallbacks()); // no device: no hot-plug call builds a tile
        QVERIFY(page.findChild<QLabel *>(QStringLiteral("label_2"))->isVisible());
        QVERIFY(!page.findChild<QLabel *>(QStringLiteral("label_3"))->isVisible());

        // Plugging in rebuilds: the tile and the line under it replace the prompt.
        QVERIFY(SimulationControl::plugReceiver(QStringLiteral("R"), true));
        QVERIFY(waitForTiles(&page, 1));
        QVERIFY(!page.findChild<QLabel *>(QStringLiteral("label_2"))->isVisible());
        QVERIFY(page.findChild<QLabel *>(QStringLiteral("label_3"))->isVisible());
    }

    void asleepMouseShowsItsOfflineTile()
    {
        HomeBench bench(OneReceiverSet + "Online=false\n");
        QVERIFY(bench.ok());
        DialogChange page;
        page.show();
        QVERIFY(waitForTiles(&page, 1));
        QVERIFY(styleOf(tileButton(&page, 0)).contains(QStringLiteral("DisOnlin0.png")));
        QVERIFY(offlineIcon(&page, 0)->isVisible());
        QVERIFY(!connectionIcon(&page, 0)->isVisible());
        QVERIFY(offlineIcon(&page, 0)->toolTip().contains(QLatin1Char('\n')));
    }

    void pointerEnteringATileRefreshesIt()
    {
        HomeBench bench(OneReceiverSet);
        QVERIFY(bench.ok());
        DialogChange page;
        page.show();
        QVERIFY(waitForTiles(&page, 1));
        // No hot-plug rebuild from here on: only the tile itself can notice the mouse sleeping.
        StopUsbChanged();
        QVERIFY(SimulationControl::setOnline(QStringLiteral("M"), false));
        QVERIFY(waitForLibraryCallbacks());
        QVERIFY(styleOf(tileButton(&page, 0)).contains(QStringLiteral("OnLine0.png")));

        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(tileButton(&page, 0), &enter);
        QVERIFY(styleOf(tileButton(&page, 0)).contains(QStringLiteral("DisOnlin0.png")));
        QVERIFY(offlineIcon(&page, 0)->isVisible());
        QVERIFY(!connectionIcon(&page, 0)->isVisible());
    }

    void fourDevicesPageThroughTwoPages()
    {
        HomeBench bench(
            receiverWithMouse("A", 0, "0x1210", 10) + receiverWithMouse("B", 4, "0x1220", 10) +
            receiverWithMouse("C", 1, "0x1240", 10) + receiverWithMouse("D", 5, "0x1280", 10));
        QVERIFY(bench.ok());
        DialogChange page;
        page.show();
        QVERIFY(waitForTiles(&page, 4));

        auto *stack = page.findChild<QStackedWidget *>(QStringLiteral("stackedWidget"));
        auto *right = page.findChild<QToolButton *>(QStringLiteral("RightButton"));
        auto *left = page.findChild<QToolButton *>(QStringLiteral("LeftButton"));
        QCOMPARE(stack->count(), 2);
        QCOMPARE(stack->currentIndex(), 0);
        for (int n = 0; n < 4; ++n)
            QCOMPARE(tileButton(&page, n)->objectName(), QStringLiteral("btn%1").arg(n));
        QCOMPARE(tileButton(&page, 0)->pos(), QPoint(0, 0));
        QCOMPARE(tileButton(&page, 2)->pos(), QPoint(600, 0));
        QCOMPARE(tileButton(&page, 3)->pos(), QPoint(305, 0));
        QCOMPARE(page.RateBadges.size(), 4);
        QVERIFY(right->isVisible());
        QVERIFY(!left->isVisible());

        right->click();
        QCOMPARE(stack->currentIndex(), 1);
        QVERIFY(left->isVisible());
        QVERIFY(!right->isVisible());

        left->click();
        QCOMPARE(stack->currentIndex(), 0);
        QVERIFY(right->isVisible());
        QVERIFY(!left->isVisible());

        // Everything unplugged: no page, no arrows, the prompt.
        for (const char *receiver : {"A", "B", "C", "D"})
            QVERIFY(SimulationControl::plugReceiver(QLatin1String(receiver), false));
        QVERIFY(waitForTiles(&page, 0));
        QTRY_COMPARE(stack->count(), 0);
        QVERIFY(!right->isVisible());
        QVERIFY(!left->isVisible());
        QVERIFY(page.findChild<QLabel *>(QStringLiteral("label_2"))->isVisible());
    }

    void twoTilesSitOnTheirOwnRow()
    {
        HomeBench bench(receiverWithMouse("A", 0, "0x1210", 10) +
                        receiverWithMouse("B", 1, "0x1240", 10));
        QVERIFY(bench.ok());
        DialogChange page;
        page.show();
        QVERIFY(waitForTiles(&page, 2));
        QCOMPARE(tileButton(&page, 0)->pos(), QPoint(135, 0));
        QCOMPARE(connectionIcon(&page, 0)->pos(), QPoint(360, 20));
        QCOMPARE(tileButton(&page, 1)->pos(), QPoint(445, 0));
        QCOMPARE(connectionIcon(&page, 1)->pos(), QPoint(665, 20));
    }

    void mouseOnCableAndReceiverShowsOnce()
    {
        HomeBench bench(OneReceiverSet + "Cable=true\n");
        QVERIFY(bench.ok());
        DialogChange page;
        page.show();
        QVERIFY(waitForTiles(&page, 1));
        const QList<DeviceAllInfo> listed = DeviceLists::instance()->HomeDeviceList.get();
        QCOMPARE(listed.size(), 1);
        QCOMPARE(listed.first().Wired, quint8(1));
        QVERIFY(styleOf(connectionIcon(&page, 0)).contains(QStringLiteral("OnLineUsb.png")));
        QVERIFY(page.RateBadges.isEmpty());
    }

    // A device of no configured model shows the unknown picture with the badge and connection
    // icon of the kind it reports, not those of a 1 kHz receiver.
    void unrecognisedModelShowsTheUnknownPicture_data()
    {
        QTest::addColumn<QByteArray>("devices");
        QTest::addColumn<QString>("badge");
        QTest::addColumn<QString>("connection");
        QTest::newRow("receiver kind 1") << receiverWithMouse("A", 1, "0x1240", 99) << "4KHz.png"
                                         << "OnLineWifi.png";
        QTest::newRow("receiver kind 5") << receiverWithMouse("A", 5, "0x1280", 99) << "8KHz.png"
                                         << "OnLineWifi.png";
        QTest::newRow("receiver kind 0") << receiverWithMouse("A", 0, "0x1210", 99) << "1KHz.png"
                                         << "OnLineWifi.png";
        const QByteArray cable = "[C]\nType=Mouse\nCid=12\nMid=99\nCable=true\n"
                                 "CableVID=0x3D7A\nCablePID=0x1201\nCableKind=";
        QTest::newRow("cable kind 2") << cable + "2\n" << QString() << "OnLineUsb.png";
        QTest::newRow("cable kind 3") << cable + "3\n"
                                      << "8KHz.png"
                                      << "OnLineUsb.png";
        QTest::newRow("cable of an unknown kind") << cable + "200\n"
                                                  << QString() << "OnLineUsb.png";
    }
    void unrecognisedModelShowsTheUnknownPicture()
    {
        QFETCH(QByteArray, devices);
        QFETCH(QString, badge);
        QFETCH(QString, connection);
        HomeBench bench(devices);
        QVERIFY(bench.ok());
        DialogChange page;
        page.show();
        QVERIFY(waitForTiles(&page, 1));
        QVERIFY(styleOf(tileButton(&page, 0)).contains(QStringLiteral("Unknow.png")));
        QVERIFY(connectionIcon(&page, 0)->isVisible());
        QVERIFY(styleOf(connectionIcon(&page, 0)).contains(connection));
        if (badge.isEmpty()) {
            QVERIFY(page.RateBadges.isEmpty());
        } else {
            QCOMPARE(page.RateBadges.size(), 1);
            QVERIFY(styleOf(page.RateBadges.first()).contains(badge));
        }
        ZR35_SAVE_SCREEN(&page, QStringLiteral("home-unknown-model-%1")
                                    .arg(QString::fromLatin1(QTest::currentDataTag())
                                             .replace(QLatin1Char(' '), QLatin1Char('-'))));
    }

    void identicalReceiversAreRefused()
    {
        HomeBench bench(receiverWithMouse("A", 1, "0x1240", 10) +
                        receiverWithMouse("B", 1, "0x1240", 10));
        QVERIFY(bench.ok());
        ModalDriver driver(ModalDriver::named(QStringLiteral("QuestiondialogB")),
                           QStringLiteral("CloseButton"));
        DialogChange page;
        page.show();
        QTRY_VERIFY(driver.fired());
        QCOMPARE(page.TileButtons.size(), 0);
        QVERIFY(page.findChild<QLabel *>(QStringLiteral("label_2"))->isVisible());
        QVERIFY(!page.findChild<QLabel *>(QStringLiteral("label_3"))->isVisible());
        QCOMPARE(DeviceLists::instance()->HomeDeviceList.get().size(), 2);
    }

    void rebuildWhileTheWarningIsOpenKeepsItsTiles()
    {
        HomeBench bench(receiverWithMouse("A", 1, "0x1240", 10) +
                        receiverWithMouse("B", 1, "0x1240", 10));
        QVERIFY(bench.ok());
        DialogChange page;
        page.show();
        // Inside the warning's own loop: one receiver goes, the rebuild shows the other's tile;
        // then the user closes the warning.
        bool unplugged = false;
        bool closed = false;
        QTimer poll;
        poll.setInterval(10);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto *warning = qobject_cast<QuestiondialogB *>(QApplication::activeModalWidget());
            if (!warning)
                return;
            if (!unplugged) {
                unplugged = SimulationControl::plugReceiver(QStringLiteral("B"), false);
            } else if (page.TileButtons.size() == 1 && !closed) {
                closed = true;
                warning->close();
            }
        });
        poll.start();
        QTRY_VERIFY_WITH_TIMEOUT(closed, 10000);
        poll.stop();
        QCOMPARE(page.TileButtons.size(), 1);
        QVERIFY(page.findChild<QLabel *>(QStringLiteral("label_3"))->isVisible());
        QVERIFY(styleOf(tileButton(&page, 0)).contains(QStringLiteral("OnLine0.png")));
    }
};

ZR35_TEST_MAIN(TestDeviceTiles)
#include "tst_devicetiles.moc"
