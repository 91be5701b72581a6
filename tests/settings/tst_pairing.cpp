#include "core/devicediscovery.h"
#include "core/devicestate.h"
#include "core/languagetables.h"
#include "core/pairevent.h"
#include "core/postmsg.h"
#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/simulationcontrol.h"
#include "settings/formsetting.h"
#include "settings/match.h"
#include "tests/settings/pairingscript.h"
#include "tests/settings/settingsbench.h"
#include "tests/support/picturecheck.h"
#include "tests/support/testmain.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>

namespace {

// Receiver "R" (kind 1) with no mouse; mouse "P" of the first model held in its pairing state.
const QByteArray PairingSet = "[R]\nType=Receiver\nKind=1\nVID=0x3D7A\nPID=0x1240\nLedMode=2\n"
                              "[P]\nType=Mouse\nCid=12\nMid=10\nPairing=true\n";

constexpr auto &state = State;

QString text(int entry)
{
    return MatchTexts.text(0, entry, QStringLiteral("?"));
}

int calls(const char *operation)
{
    return SimulationControl::calls(QLatin1String(operation)).size();
}

// The last hot-plug and server registrations the program made.
QString lastCall(const char *operation)
{
    const auto log = SimulationControl::calls(QLatin1String(operation));
    return log.isEmpty() ? QString() : log.last().arguments;
}

int midBehind(const QByteArray &path)
{
    return UsbFinderC_GetDeviceInfo(path.constData()).Mid;
}

bool visible(Match *dialog, const char *name)
{
    return !dialog->findChild<QWidget *>(QLatin1String(name))->isHidden();
}

using namespace PairingLook;

} // namespace

class TestPairing : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { Match::setTimeLimitForTests(0); }

    // From the settings page of the receiver: start pairs the mouse held in its pairing state.
    // While it runs the dialog cannot be closed and the device page's flag is taken; the outcome
    // shows on the button, later starts are ignored, and afterwards the page has its hot-plug
    // callback and its device server back, so the receiver's events reach the page. The pairing
    // is the receiver's own: it is still there after a restart.
    void pairsFromTheSettingsPage()
    {
        SettingsBench bench(PairingSet);
        SettingsBench::select(receiverPath(), 1);
        FormSetting page;
        page.show();
        int startsBefore = 0;
        PairingScript script;
        script
            .then(
                "ready to pair",
                [](Match *d) {
                    return buttonEnabled(d) && buttonText(d) == text(2) && visible(d, "textEdit") &&
                           !visible(d, "label");
                },
                [&](Match *d) {
                    startsBefore = calls("UsbServerC_Start");
                    clickStart(d);
                })
            .then(
                "pairing, refusing to close",
                [](Match *d) {
                    return state().PairActive.load() == 1 && state().OnDevicePage.load() == 0 &&
                           buttonText(d).startsWith(text(3));
                },
                [](Match *d) {
                    clickClose(d);
                    pressKey(d, Qt::Key_Escape);
                    d->close();
                })
            .then(
                "still open, the dots moving",
                [](Match *d) { return d->isVisible() && buttonText(d) == text(3) + ".."; },
                [](Match *) {})
            .then(
                "paired",
                [](Match *d) {
                    // Enabled again by the next device tick, showing the outcome.
                    return buttonText(d) == text(5) && buttonShows(d, "PairSuccess.png") &&
                           state().PairResult.load() == PairEvent::Paired && buttonEnabled(d);
                },
                [](Match *d) { clickStart(d); })
            .close("a later start ignored", [&](Match *d) {
                return state().PairResult.load() == PairEvent::Paired && buttonText(d) == text(5) &&
                       calls("UsbServerC_Start") == startsBefore + 1;
            });
        SimulationControl::clearLog();
        child<QPushButton>(&page, "pushButton_2")->click();
        QVERIFY2(script.finished(), qPrintable(script.failure()));

        QCOMPARE(state().OnDevicePage.load(), 1);
        QCOMPARE(state().PairActive.load(), quint8(0));
        QCOMPARE(calls("UsbServer_EnterDonglePairOnlyCid"), 1);
        QCOMPARE(lastCall("UsbServer_EnterDonglePairOnlyCid"), QStringLiteral("12"));
        QCOMPARE(lastCall("UsbServerC_Start"), QString::fromLatin1(receiverPath()));
        QCOMPARE(midBehind(receiverPath()), 10);

        // The receiver's events reach the page again: its LED report shows the LED section.
        QVERIFY(child<QCheckBox>(&page, "ReUntil")->isHidden());
        QVERIFY(SimulationControl::setReceiverLed(QStringLiteral("R"), 2));
        QTRY_VERIFY(!child<QCheckBox>(&page, "ReUntil")->isHidden());

        SimulationControl::restartBus();
        QCOMPARE(midBehind(receiverPath()), 10);
    }

    // The receiver reports failure: the button says so and stays enabled, the page flag comes
    // back; a second start runs the server and the request again and pairs.
    void failureThenRetry()
    {
        SettingsBench bench(PairingSet);
        SettingsBench::select(receiverPath(), 1);
        SimulationControl::failPairingAtNextRead();
        Match dialog;
        dialog.PrepareMatch();
        PairingScript script;
        script.then("ready", buttonEnabled, clickStart)
            .then(
                "failed",
                [](Match *d) {
                    return buttonText(d) == text(4) && buttonShows(d, "PairFail.png") &&
                           buttonEnabled(d) && state().PairResult.load() == PairEvent::Failed &&
                           state().PairActive.load() == 0;
                },
                [](Match *d) {
                    QVERIFY(state().OnDevicePage.load() == 1);
                    QCOMPARE(calls("UsbServerC_Start"), 1);
                    clickStart(d);
                })
            .close("paired at the second try", [](Match *d) {
                return buttonText(d) == text(5) && calls("UsbServerC_Start") == 2 &&
                       calls("UsbServer_EnterDonglePairOnlyCid") == 2;
            });
        dialog.exec();
        QVERIFY2(script.finished(), qPrintable(script.failure()));
        QCOMPARE(midBehind(receiverPath()), 10);
    }

    // The receiver goes away while it pairs, or keeps answering "pairing" past the time limit:
    // the dialog ends the pairing as failed by itself and gives the page flag back.
    void pairingEndsWithoutAnOutcome_data()
    {
        QTest::addColumn<bool>("unplug");
        QTest::newRow("receiver unplugged") << true;
        QTest::newRow("time limit") << false;
    }
    void pairingEndsWithoutAnOutcome()
    {
        QFETCH(bool, unplug);
        SettingsBench bench(PairingSet);
        SettingsBench::select(receiverPath(), 1);
        SimulationControl::setPairingStaysOpen(true);
        Match::setTimeLimitForTests(unplug ? 60000 : 1500);
        Match dialog;
        dialog.PrepareMatch();
        PairingScript script;
        script.then("ready", buttonEnabled, clickStart)
            .then(
                "pairing", [](Match *) { return state().PairActive.load() == 1; },
                [unplug](Match *) {
                    if (unplug)
                        SimulationControl::plugReceiver(QStringLiteral("R"), false);
                })
            .close("failed", [](Match *d) {
                return buttonText(d) == text(4) && buttonShows(d, "PairFail.png") &&
                       state().PairActive.load() == 0 &&
                       state().PairResult.load() == PairEvent::Failed &&
                       state().OnDevicePage.load() == 1;
            });
        dialog.exec();
        QVERIFY2(script.finished(), qPrintable(script.failure()));
        QCOMPARE(midBehind(receiverPath()), 0);
    }

    // Idle, Escape closes the dialog like its close button: the home page's hot-plug callback is
    // registered again and the page flag stays as it was.
    void escapeClosesWhenIdle()
    {
        SettingsBench bench(PairingSet);
        SettingsBench::select(receiverPath(), 1);
        Match dialog;
        dialog.PrepareMatch();
        PairingScript script;
        script.then("ready", buttonEnabled, [](Match *d) { pressKey(d, Qt::Key_Escape); });
        SimulationControl::clearLog();
        dialog.exec();
        QVERIFY2(script.finished(), qPrintable(script.failure()));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(calls("StartUsbChanged"), 1);
        QCOMPARE(calls("UsbServerC_Start"), 0);
        QCOMPARE(state().OnDevicePage.load(), 1);
    }

    // A mouse on its cable cannot pair, and with no device to pair there is nothing to start:
    // the button is disabled, and neither a click nor the space bar asks the library anything.
    void nothingToPair_data()
    {
        QTest::addColumn<bool>("wired");
        QTest::addColumn<bool>("notice");
        QTest::newRow("mouse on its cable") << true << true;
        QTest::newRow("no device") << false << false;
    }
    void nothingToPair()
    {
        QFETCH(bool, wired);
        QFETCH(bool, notice);
        SettingsBench bench(PairingSet + "[C]\nType=Mouse\nCid=12\nMid=10\nCable=true\n"
                                         "CableVID=0x3D7A\nCablePID=0x1201\n");
        if (wired) {
            SettingsBench::select(SimulationControl::cablePath(QStringLiteral("C")), 2);
        } else {
            state().OnDevicePage = 0;
            state().PairDeviceSet = 0;
            DeviceLists::instance()->HomeDeviceList.set({});
        }
        Match dialog;
        dialog.PrepareMatch();
        PairingScript script;
        script
            .then(
                "disabled",
                [notice](Match *d) {
                    return !buttonEnabled(d) && visible(d, "label") == notice &&
                           visible(d, "textEdit") == !notice;
                },
                [](Match *d) {
                    pressKey(d, Qt::Key_Space);
                    // Even a start that reaches the dialog past the disabled button does nothing.
                    QMetaObject::invokeMethod(d, "on_MatchButton_clicked");
                })
            .close("still idle", [](Match *) { return state().PairResult.load() == 0; });
        SimulationControl::clearLog();
        dialog.exec();
        QVERIFY2(script.finished(), qPrintable(script.failure()));
        QCOMPARE(calls("UsbServerC_Start"), 0);
        QCOMPARE(calls("UsbServer_EnterDonglePairOnlyCid"), 0);
    }

    // The space bar starts a pairing like the button (the dialog takes the keyboard when shown,
    // which the window manager does not do for it).
    void spaceStarts()
    {
        SettingsBench bench(PairingSet);
        SettingsBench::select(receiverPath(), 1);
        Match dialog;
        dialog.PrepareMatch();
        PairingScript script;
        // A shortcut reaches only the active window: wait until the dialog has taken the keyboard.
        script
            .then(
                "ready and active",
                [](Match *d) { return buttonEnabled(d) && d->isActiveWindow(); },
                [](Match *d) { pressKey(d, Qt::Key_Space); })
            .close("paired", [](Match *d) { return buttonText(d) == text(5); });
        dialog.exec();
        QVERIFY2(script.finished(), qPrintable(script.failure()));
        QCOMPARE(calls("UsbServer_EnterDonglePairOnlyCid"), 1);
    }

    // Opened from the home page for a listed device, the pairing leaves the device page's flag
    // alone; and the dialog names only pictures that are shipped.
    void fromTheHomePage()
    {
        SettingsBench bench(PairingSet);
        DeviceAllInfo receiver = SettingsBench::select(receiverPath(), 1);
        state().OnDevicePage = 0;
        state().PairDeviceSet = 1;
        state().PairDeviceInfo.set(receiver);
        Match dialog;
        dialog.PrepareMatch();
        QCOMPARE(missingPictures(&dialog), QStringList());
        PairingScript script;
        script.then("ready", buttonEnabled, clickStart).close("paired", [](Match *d) {
            return buttonText(d) == text(5) && state().OnDevicePage.load() == 0;
        });
        dialog.exec();
        QVERIFY2(script.finished(), qPrintable(script.failure()));
        QCOMPARE(midBehind(receiverPath()), 10);
    }
};

ZR35_TEST_MAIN(TestPairing)
#include "tst_pairing.moc"
