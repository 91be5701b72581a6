#include "core/devicestate.h"
#include "core/postmsg.h"
#include "platform/devicelib/simulationcontrol.h"
#include "settings/formsetting.h"
#include "settings/ledinfo.h"
#include "settings/match.h"
#include "tests/settings/settingsbench.h"
#include "tests/support/screens.h"
#include "tests/support/testmain.h"
#include "tests/support/workerthread.h"

#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

namespace {

constexpr auto &state = State;

PostMsg *hub()
{
    return PostMsg::GetInstance();
}

const QByteArray PairingSet = "[R]\nType=Receiver\nKind=1\nVID=0x3D7A\nPID=0x1240\n"
                              "[P]\nType=Mouse\nCid=12\nMid=10\nPairing=true\n"
                              "[C]\nType=Mouse\nCid=12\nMid=10\nCable=true\nCableVID=0x3D7A\n"
                              "CablePID=0x1201\n";

const char *suffix(int language)
{
    return language == 0 ? "en" : "uk";
}

QString matchButtonText(const Match &dialog)
{
    return dialog.findChild<QPushButton *>(QStringLiteral("MatchButton"))->text();
}

} // namespace

class TestSettingsScreens : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { state().CurrentLanguage = 0; }

    void languages_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("English") << 0;
        QTest::newRow("Ukrainian") << 1;
    }

    // The page of a kind-1 receiver of the first model as the device has reported it: both
    // receiver sections and the firmware versions; the top as it opens and the foot scrolled to.
    void settingsPage_data() { languages_data(); }
    void settingsPage()
    {
        QFETCH(int, language);
        SettingsBench bench(ReceiverWithMouse);
        state().CurrentLanguage = language;
        DeviceAllInfo device = SettingsBench::select(receiverPath(), 1);
        device.UsbVersion = QStringLiteral("v2.03");
        device.MouseVersion = QStringLiteral("v1.05");
        state().CurrentDeviceInfo.set(device);

        // The device page's field behind the page.
        QWidget host;
        host.setObjectName(QStringLiteral("host"));
        host.setAttribute(Qt::WA_StyledBackground);
        host.setStyleSheet(
            QStringLiteral("#host{background-color: qlineargradient(x1:0, y1:0, "
                           "x2:0, y2:1, stop:0 rgb(27,29,34), stop:1 rgb(21,23,27));}"));
        host.resize(883, 630);
        auto *page = new FormSetting(&host);
        host.show();
        // As the main window tells the pages at start-up.
        emit hub()->SigLanguageSameB(language);
        emit hub()->SigSetver(0);
        emit hub()->SigLightToFrom(300);
        state().CurrentDongleRGB.with([](DongleRGB &rgb) { rgb.Mode = 2; });
        QVERIFY(runOnWorkerThread([] {
            emit hub()->SigForm();
            emit hub()->SigLongRangeMode(true);
            emit hub()->SigRGBValue(state().CurrentDongleRGB.get());
        }));
        ZR35_SAVE_SCREEN(&host, QStringLiteral("settings-page-%1").arg(suffix(language)));
        QScrollBar *bar = page->findChild<QScrollArea *>()->verticalScrollBar();
        QCOMPARE(bar->maximum(), 860 - 630);
        bar->setValue(bar->maximum());
        ZR35_SAVE_SCREEN(&host, QStringLiteral("settings-page-%1-lower").arg(suffix(language)));
    }

    // The pairing dialog as it opens, while it pairs, paired, failed, and for a mouse on its cable.
    void pairing_data() { languages_data(); }
    void pairing()
    {
        QFETCH(int, language);
        SettingsBench bench(PairingSet);
        state().CurrentLanguage = language;
        const QString name = QStringLiteral("pairing-%1-") + QLatin1String(suffix(language));
        SettingsBench::select(receiverPath(), 1);
        {
            Match dialog;
            dialog.PrepareMatch();
            dialog.show();
            ZR35_SAVE_SCREEN(&dialog, name.arg(QStringLiteral("idle")));
            auto *start = dialog.findChild<QPushButton *>(QStringLiteral("MatchButton"));
            start->click();
            QTRY_VERIFY(matchButtonText(dialog).endsWith(QLatin1String("...")));
            ZR35_SAVE_SCREEN(&dialog, name.arg(QStringLiteral("running")));
            // The library thread stores the outcome before it tells the dialog, which then shows
            // it on the button.
            QTRY_VERIFY_WITH_TIMEOUT(
                state().PairResult.load() == 2 && start->isEnabled() &&
                    start->styleSheet().contains(QLatin1String("PairSuccess.png")),
                10000);
            ZR35_SAVE_SCREEN(&dialog, name.arg(QStringLiteral("paired")));
            dialog.WindowClosedSet();
        }
        {
            SimulationControl::failPairingAtNextRead();
            Match dialog;
            dialog.PrepareMatch();
            dialog.show();
            auto *start = dialog.findChild<QPushButton *>(QStringLiteral("MatchButton"));
            start->click();
            // As above.
            QTRY_VERIFY_WITH_TIMEOUT(
                state().PairResult.load() == 3 &&
                    start->styleSheet().contains(QLatin1String("PairFail.png")),
                10000);
            ZR35_SAVE_SCREEN(&dialog, name.arg(QStringLiteral("failed")));
            dialog.WindowClosedSet();
        }
        {
            SettingsBench::select(SimulationControl::cablePath(QStringLiteral("C")), 2);
            Match dialog;
            dialog.PrepareMatch();
            dialog.show();
            ZR35_SAVE_SCREEN(&dialog, name.arg(QStringLiteral("wired")));
            dialog.WindowClosedSet();
        }
    }

    // The receiver LED panel that the page holds, as it would look if shown.
    void ledPanel()
    {
        SettingsBench bench(ReceiverWithMouse);
        SettingsBench::select(receiverPath(), 1);
        LedInfo panel;
        panel.UpDataLanguage();
        state().CurrentDongleRGB.with([](DongleRGB &rgb) { rgb.Mode = 1; });
        QVERIFY(runOnWorkerThread([] { emit hub()->SigRGBValue(state().CurrentDongleRGB.get()); }));
        panel.show();
        ZR35_SAVE_SCREEN(&panel, QStringLiteral("ledinfo-en"));
    }
};

ZR35_TEST_MAIN(TestSettingsScreens)
#include "tst_settingsscreens.moc"
