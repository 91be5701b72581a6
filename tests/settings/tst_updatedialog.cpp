#include "core/devicediscovery.h"
#include "core/devicestate.h"
#include "core/postmsg.h"
#include "core/registryvalues.h"
#include "core/startup.h"
#include "core/updatefailinfo.h"
#include "platform/devicelib/simulationcontrol.h"
#include "settings/formsetting.h"
#include "settings/updaterepair.h"
#include "tests/settings/updatebench.h"
#include "tests/support/testmain.h"

#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QSignalSpy>
#include <QToolButton>

namespace {

constexpr auto &state = State;

// The mouse of the example sets on its cable, as the device page switches to it.
constexpr int CableKind = 2;

QByteArray builtInSet()
{
    QFile file(
        QStringLiteral(ZR35_TEST_SOURCE_DIR "/../../platform/devicelib/builtin-devices.ini"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray mouseCable()
{
    return SimulationControl::cablePath(QStringLiteral("Mouse1"));
}

UpDateRepair *dialog()
{
    return state().UpdateDialog;
}

QString message()
{
    return dialog()->findChild<QLabel *>(QStringLiteral("ToolText_2"))->text();
}

QToolButton *button(const char *name)
{
    return dialog()->findChild<QToolButton *>(QLatin1String(name));
}

int bar()
{
    return dialog()->findChild<QProgressBar *>(QStringLiteral("progressBar_2"))->value();
}

QString updateCaption(const FormSetting &page)
{
    return page.findChild<QToolButton *>(QStringLiteral("Receive_2"))->text();
}

// Opens the mouse of an example set on its cable, with the shipped images: the device page's
// new-firmware report brings the update dialog up on the check's result.
bool openOlderDevices(UpdateBench &b)
{
    return b.bench.ok() && b.open(mouseCable(), CableKind) &&
           QTest::qWaitFor([] { return dialog()->isVisible(); }, 5000);
}

} // namespace

class TestUpdateDialog : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { PrepareUserFolder(); }
    void init() { RegistryValues::RemoveUpdateFailInfo(); }
    void cleanup() { RegistryValues::RemoveUpdateFailInfo(); }

    // Devices older than the shipped images: opening the mouse brings the dialog up ready, with
    // the receiver and the mouse to update. Devices at the shipped versions: it stays closed.
    void opensOnNewFirmware_data()
    {
        QTest::addColumn<bool>("older");
        QTest::newRow("older firmware") << true;
        QTest::newRow("built-in devices") << false;
    }
    void opensOnNewFirmware()
    {
        QFETCH(bool, older);
        UpdateBench b(older ? exampleSet("older-firmware.ini") : builtInSet(), true);
        QVERIFY(b.bench.ok());
        QVERIFY(older ? b.open(mouseCable(), CableKind)
                      : b.open(SimulationControl::receiverPath(QStringLiteral("Receiver1")), 1));
        // The new-firmware report is the last thing the version reply brings.
        QTRY_COMPARE(b.hub->frames, QList<bool>{older});
        QCOMPARE(dialog()->isVisible(), older);
        if (!older)
            return;
        QVERIFY(dialog()->isModal());
        QCOMPARE(message(), dialog()->ReadyText);
        QCOMPARE(button("NewHong_2")->text(), dialog()->RepairButtonText);
        QCOMPARE(state().UpdateStageCount.load(), 2);
        const QPoint centre =
            b.page->mapToGlobal(QPoint(0, 0)) + QPoint((b.page->width() - dialog()->width()) / 2,
                                                       (b.page->height() - dialog()->height()) / 2);
        QCOMPARE(dialog()->pos(), centre - QPoint(75, 65));
        dialog()->hide();
    }

    // The dialog's start runs the update to its end: the receiver, then the mouse, the bar to
    // 100 %, the new versions on the page. Meanwhile the new-firmware report and the hot-plug
    // re-check leave the running dialog alone. Closing it tells the page the firmware is current.
    void startRunsTheUpdate()
    {
        UpdateBench b(exampleSet("older-firmware.ini"), true);
        QVERIFY(openOlderDevices(b));
        button("NewHong_2")->click();
        QCOMPARE(message(), dialog()->RunningText);
        emit PostMsg::GetInstance()->SigUpdateFrame(false);
        emit PostMsg::GetInstance()->SigUpdateFrame(true);
        emit PostMsg::GetInstance()->SigCheckUpdate();
        QVERIFY(dialog()->isVisible());
        QCOMPARE(message(), dialog()->RunningText);
        QVERIFY(!button("CloseButton")->isEnabled());

        QTRY_COMPARE_WITH_TIMEOUT(message(), dialog()->RepairDoneText, 40000);
        QCOMPARE(bar(), 100);
        QCOMPARE(b.hub->labels, (QStringList{"0 v1.02", "1 v1.05"}));
        QCOMPARE(child<QLabel>(b.page.get(), "label_5")->text(), QStringLiteral("v1.02"));
        QCOMPARE(child<QLabel>(b.page.get(), "label_7")->text(), QStringLiteral("v1.05"));
        QCOMPARE(b.hub->count(1), 0);
        QCOMPARE(SimulationControl::firmwareVersion(QStringLiteral("Receiver1")), 0x0102);
        QCOMPARE(SimulationControl::firmwareVersion(QStringLiteral("Mouse1")), 0x0105);
        button("NewHong_2")->click();
        QVERIFY(!dialog()->isVisible());
        QCOMPARE(updateCaption(*b.page), b.page->UpToDateCaption);
    }

    // From the start to the end layout nothing closes the dialog: not before the first image is
    // handed over, nor between the receiver's end and the mouse's start, when no image is being
    // written (Escape, the dialog's own close, the buttons); nothing sends the window home
    // meanwhile. The end closes it at once.
    void nothingClosesARunningUpdate()
    {
        UpdateBench b(exampleSet("older-firmware.ini"), true);
        QVERIFY(openOlderDevices(b));
        QSignalSpy home(PostMsg::GetInstance(), SIGNAL(SigChangeMainDialog(int)));
        const auto tryToClose = [] {
            QTest::keyClick(dialog(), Qt::Key_Escape);
            dialog()->close();
            button("CloseButton")->click();
            button("NewHong")->click();
            button("NewHong_2")->click();
        };

        button("NewHong_2")->click();
        QCOMPARE(state().ReceiverUpdateState.load(), 0); // the engine's first tick is to come
        tryToClose();
        QVERIFY(dialog()->isVisible());
        // What keeps the main window and the notification area's Exit from ending the program.
        QVERIFY(FirmwareRunUnderWay());

        QTRY_COMPARE_WITH_TIMEOUT(state().ReceiverUpdateState.load(), 2, 20000);
        QVERIFY(state().MouseUpdateState.load() != 1); // only the engine's ticks start it
        tryToClose();
        QVERIFY(dialog()->isVisible());
        QCOMPARE(message(), dialog()->RunningText);
        QCOMPARE(home.count(), 0);
        QVERIFY(FirmwareRunUnderWay());

        QTRY_COMPARE_WITH_TIMEOUT(message(), dialog()->RepairDoneText, 20000);
        QTest::keyClick(dialog(), Qt::Key_Escape);
        QTRY_VERIFY(!dialog()->isVisible());
        QCOMPARE(home.count(), 0);
        QVERIFY(b.waitForEnd());
        QVERIFY(!FirmwareRunUnderWay());
    }

    // The receiver's upgrade stops at 40 %: the dialog says the update failed and can be closed,
    // the record names the receiver for the repair, and no mouse stage follows.
    void receiverFails()
    {
        UpdateBench b(exampleSet("failing-upgrade.ini"), true);
        QVERIFY(openOlderDevices(b));
        button("NewHong_2")->click();
        QTRY_COMPARE_WITH_TIMEOUT(message(), dialog()->RepairFailText, 20000);
        QVERIFY(b.waitForEnd());
        QCOMPARE(RegistryValues::UpdateFailInfo(), QStringLiteral("211,4,12,10"));
        QCOMPARE(b.hub->count(1), 1);
        QCOMPARE(state().MouseUpdateState.load(), 0);
        QVERIFY(button("CloseButton")->isEnabled());
        QCOMPARE(SimulationControl::bootMode(QStringLiteral("Receiver1")), 1);
        button("CloseButton")->click();
        QVERIFY(!dialog()->isVisible());
    }

    // The mouse's cable is pulled once the receiver is done: the mouse stage finds no mouse to
    // update and writes nothing. The dialog does not wait in its running layout for good: it says
    // the update failed, with the bar where the receiver left it, and can be closed.
    void mouseGoneAfterTheReceiver()
    {
        UpdateBench b(exampleSet("older-firmware.ini"), true);
        QVERIFY(openOlderDevices(b));
        button("NewHong_2")->click();
        QTRY_COMPARE_WITH_TIMEOUT(state().ReceiverUpdateState.load(), 2, 20000);
        QVERIFY(SimulationControl::plugCable(QStringLiteral("Mouse1"), false));

        QTRY_COMPARE_WITH_TIMEOUT(message(), dialog()->RepairFailText, 20000);
        QVERIFY(b.waitForEnd());
        QCOMPARE(bar(), 50);
        QVERIFY(button("CloseButton")->isEnabled());
        QCOMPARE(b.hub->count(2), 0);
        QCOMPARE(SimulationControl::firmwareVersion(QStringLiteral("Mouse1")), 0x0104);
        QTest::keyClick(dialog(), Qt::Key_Escape);
        QTRY_VERIFY(!dialog()->isVisible());
    }

    // The receiver is gone from the list between the check and the start: its stage finds no
    // receiver to write to and nothing is written. The dialog does not wait in its running layout
    // for good: it says the update failed, once, and its buttons close it again.
    void startFindsNoDevice()
    {
        UpdateBench b(exampleSet("older-firmware.ini"), true);
        QVERIFY(openOlderDevices(b));
        QList<DeviceAllInfo> onCable;
        for (const DeviceAllInfo &entry : DeviceLists::instance()->DevicePageList.get()) {
            if (entry.Wired != 0)
                onCable << entry;
        }
        QCOMPARE(onCable.size(), 1);
        DeviceLists::instance()->DevicePageList.set(onCable);

        button("NewHong_2")->click();
        QTRY_COMPARE_WITH_TIMEOUT(message(), dialog()->RepairFailText, 10000);
        QVERIFY(b.waitForEnd());
        QCOMPARE(b.hub->count(1), 1);
        QCOMPARE(b.hub->count(2), 0);
        QVERIFY(SimulationControl::calls(QStringLiteral("UsbUpgrade_Start")).isEmpty());
        QCOMPARE(SimulationControl::firmwareVersion(QStringLiteral("Receiver1")), 0x0101);
        QVERIFY(button("CloseButton")->isEnabled());
        QVERIFY(button("NewHong")->isVisible());
        button("NewHong")->click();
        QVERIFY(!dialog()->isVisible());
    }
};

ZR35_TEST_MAIN(TestUpdateDialog)
#include "tst_updatedialog.moc"
