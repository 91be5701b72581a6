#include "core/devicediscovery.h"
#include "core/devicestate.h"
#include "core/hotplug.h"
#include "core/languagetables.h"
#include "core/postmsg.h"
#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/simulationcontrol.h"
#include "settings/inputpica.h"
#include "settings/inputpicb.h"
#include "settings/screenclock.h"
#include "tests/settings/settingsbench.h"
#include "tests/support/picturecheck.h"
#include "tests/support/testmain.h"

#include <QLabel>
#include <QSignalSpy>
#include <QSlider>
#include <QToolButton>

namespace {

// The receiver and mouse of the settings tests with a picture screen on the cable's product
// identifier, which only the screens' search finds.
QByteArray withScreen()
{
    return ReceiverWithMouse + "[S]\nType=Screen\nPID=0x1201\n";
}

const ScreenClock::Reading Thursday{2026, 3, 5, 14, 7, 9, 4};

void tick(InputPicA &panel, int times)
{
    for (int i = 0; i < times; ++i)
        QMetaObject::invokeMethod(&panel, "onEraseChipTimeTimer", Qt::DirectConnection);
}

// The home page's hot-plug handling fills the product identifiers the clock searches.
void collectProductIds()
{
    HandleHomeUsbChanged();
    QVERIFY(!DeviceLists::instance()->AllPidList.get().isEmpty());
}

} // namespace

class TestInputPic : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        ScreenClockSender::setClockForTest(
            [] { return QDateTime(QDate(2026, 3, 5), QTime(14, 7, 9)); });
    }
    void cleanup() { ScreenClockSender::setClockForTest({}); }

    void layouts_data()
    {
        QTest::addColumn<bool>("upright");
        QTest::addColumn<QRect>("slotD");
        QTest::addColumn<QRect>("caption");
        QTest::addColumn<QRect>("output");
        QTest::newRow("upright") << true << QRect(350, 160, 74, 100) << QRect(50, 135, 301, 21)
                                 << QRect(460, 220, 96, 26);
        QTest::newRow("wide") << false << QRect(350, 155, 88, 64) << QRect(50, 75, 301, 21)
                              << QRect(460, 190, 96, 26);
    }
    // The two layouts place the slots, captions and buttons differently; both have all their
    // pictures, and every control changes only its own look: nothing reaches the device or the
    // hub, and the picture slots are exclusive.
    void layouts()
    {
        QFETCH(bool, upright);
        QFETCH(QRect, slotD);
        QFETCH(QRect, caption);
        QFETCH(QRect, output);
        SettingsBench bench(ReceiverWithMouse);
        SettingsBench::select(receiverPath(), 1);
        std::unique_ptr<QDialog> panel(upright ? static_cast<QDialog *>(new InputPicA)
                                               : new InputPicB);
        panel->show();
        QCOMPARE(child<QToolButton>(panel.get(), "toolButtonD")->geometry(), slotD);
        QCOMPARE(child<QLabel>(panel.get(), "label_2")->geometry(), caption);
        QCOMPARE(child<QToolButton>(panel.get(), "Output")->geometry(), output);
        QCOMPARE(missingPictures(panel.get()), QStringList());
        QSignalSpy check(PostMsg::GetInstance(), &PostMsg::SigButtonCheck);
        for (const char *name : {"Input", "Output", "CheckButton", "toolButtonA", "toolButtonC"})
            child<QToolButton>(panel.get(), name)->click();
        child<QSlider>(panel.get(), "SpeedH")->setValue(4);
        QVERIFY(child<QToolButton>(panel.get(), "CheckButton")->isChecked());
        QVERIFY(!child<QToolButton>(panel.get(), "toolButtonA")->isChecked());
        QVERIFY(child<QToolButton>(panel.get(), "toolButtonC")->isChecked());
        QVERIFY(SimulationControl::calls().isEmpty());
        QCOMPARE(check.size(), 0);
        child<QToolButton>(panel.get(), "CloseButton")->click();
        QCOMPARE(check.size(), 1);
        QVERIFY(!panel->isVisible());
    }

    // The panels keep the form's texts until asked; the hub's language signal does not reach them.
    void textsOnlyWhenAsked()
    {
        SettingsBench bench(ReceiverWithMouse);
        DeviceState::instance()->CurrentLanguage = 1;
        InputPicA a;
        InputPicB b;
        emit PostMsg::GetInstance()->SigAllLanguage(1);
        QCOMPARE(child<QLabel>(&a, "label")->text(), QStringLiteral("关闭屏幕"));
        a.UpDataLanguage();
        b.SlotAllLanguage(1);
        for (QDialog *panel : std::initializer_list<QDialog *>{&a, &b}) {
            QCOMPARE(child<QLabel>(panel, "label_2")->text(), ScreenInfoTexts.text(1, 1, "?"));
            QCOMPARE(child<QToolButton>(panel, "Output")->text(), ScreenInfoTexts.text(1, 4, "?"));
        }
        a.SlotAllLanguage(6);
        QCOMPARE(child<QLabel>(&a, "label")->text(), ScreenInfoTexts.text(1, 0, "?"));
        DeviceState::instance()->CurrentLanguage = 0;
    }

    // Started, the clock looks for the screen on the hot-plug notification and sends it the
    // local clock on the 50th tick, not before; the screen keeps it over a restart.
    void clockReachesTheScreen()
    {
        SettingsBench bench(withScreen());
        collectProductIds();
        InputPicA panel;
        panel.StartScreenCheck(false);
        QVERIFY(SimulationControl::calls(QStringLiteral("StartUsbChanged")).isEmpty());
        panel.StartScreenCheck(true);
        QTRY_COMPARE(ScreenClockSender::ScreenDevicePaths(),
                     QStringList{QString::fromLatin1(SimulationControl::screenPath("S"))});
        tick(panel, 49);
        QCOMPARE(SimulationControl::screenExchanges(), 0);
        tick(panel, 1);
        QCOMPARE(SimulationControl::screenExchanges(), 1);
        ScreenClock::Reading clock;
        QVERIFY(SimulationControl::screenClock(QStringLiteral("S"), &clock));
        QVERIFY(clock == Thursday);
        tick(panel, 50);
        QCOMPARE(SimulationControl::screenExchanges(), 2);
        SimulationControl::restartBus();
        QVERIFY(SimulationControl::screenClock(QStringLiteral("S"), &clock));
        QVERIFY(clock == Thursday);
    }

    // A reply with a wrong checksum or day is answered by sending again, five exchanges at most.
    void retries_data()
    {
        QTest::addColumn<bool>("wrongDay");
        QTest::addColumn<int>("spoilt");
        QTest::addColumn<int>("exchanges");
        QTest::addColumn<bool>("passed");
        QTest::newRow("good") << false << 0 << 1 << true;
        QTest::newRow("two wrong checksums") << false << 2 << 3 << true;
        QTest::newRow("wrong day four times") << true << 4 << 5 << true;
        QTest::newRow("never right") << true << 9 << 5 << false;
    }
    void retries()
    {
        QFETCH(bool, wrongDay);
        QFETCH(int, spoilt);
        QFETCH(int, exchanges);
        QFETCH(bool, passed);
        SettingsBench bench(withScreen());
        collectProductIds();
        QCOMPARE(FindScreenDevice(), 1);
        SimulationControl::spoilScreenReplies(wrongDay, spoilt);
        QVERIFY(UsbFinderC_OpenDevice(SimulationControl::screenPath("S").constData()));
        QCOMPARE(ScreenClockSender::SendScreenData(ScreenClock::BuildPacket(Thursday)), passed);
        QCOMPARE(SimulationControl::screenExchanges(), exchanges);
    }

    // A due tick's send says whether the screen took the clock: not when no reply passed in five
    // exchanges.
    void sendReportsTheOutcome_data()
    {
        QTest::addColumn<int>("spoilt");
        QTest::addColumn<bool>("passed");
        QTest::newRow("taken at the fifth exchange") << 4 << true;
        QTest::newRow("never taken") << 9 << false;
    }
    void sendReportsTheOutcome()
    {
        QFETCH(int, spoilt);
        QFETCH(bool, passed);
        SettingsBench bench(withScreen());
        collectProductIds();
        QCOMPARE(FindScreenDevice(), 1);
        SimulationControl::spoilScreenReplies(false, spoilt);
        QCOMPARE(ScreenClockSender::SendClockToScreen(), passed);
        QCOMPARE(SimulationControl::screenExchanges(), 5);
    }

    // Date, time and weekday of a packet come from one reading of the clock: just before
    // midnight on a Sunday the weekday is still Sunday's.
    void oneReadingPerPacket()
    {
        SettingsBench bench(withScreen());
        collectProductIds();
        QCOMPARE(FindScreenDevice(), 1);
        int readings = 0;
        ScreenClockSender::setClockForTest([&readings] {
            ++readings;
            return QDateTime(QDate(2026, 3, 8), QTime(23, 59, 59));
        });
        InputPicA panel;
        tick(panel, 50);
        QCOMPARE(readings, 1);
        ScreenClock::Reading clock;
        QVERIFY(SimulationControl::screenClock(QStringLiteral("S"), &clock));
        QCOMPARE(clock.Weekday, 7);
        QCOMPARE(clock.Day, 8);
    }

    // The panel's thread, were it started, says it runs and ends instead of spinning for ever.
    void threadEnds()
    {
        MyThread thread;
        thread.start();
        QVERIFY(thread.wait(5000));
    }

    // No screen found: a due tick opens nothing and sends nothing.
    void noScreenNoExchange()
    {
        SettingsBench bench(ReceiverWithMouse);
        collectProductIds();
        QCOMPARE(FindScreenDevice(), 0);
        InputPicA panel;
        tick(panel, 50);
        QVERIFY(SimulationControl::calls(QStringLiteral("UsbFinderC_OpenDevice")).isEmpty());
        QCOMPARE(SimulationControl::screenExchanges(), 0);
    }
};

ZR35_TEST_MAIN(TestInputPic)
#include "tst_inputpic.moc"
