#include "core/devicestate.h"
#include "core/postmsg.h"
#include "lighting/lamplight.h"
#include "lighting/lightmodeset.h"
#include "settings/inputpica.h"
#include "settings/inputpicb.h"
#include "settings/ledinfo.h"
#include "tests/lighting/lightbench.h"
#include "tests/support/picturecheck.h"
#include "tests/support/screens.h"
#include "tests/support/testmain.h"
#include "tests/support/workerthread.h"

#include <QComboBox>
#include <QToolButton>

namespace {

constexpr auto &state = State;

const char *suffix(int language)
{
    return language == 0 ? "en" : "uk";
}

// The device page's field behind a page.
class PageHost : public QWidget
{
public:
    PageHost()
    {
        setObjectName(QStringLiteral("host"));
        setAttribute(Qt::WA_StyledBackground);
        setStyleSheet(QStringLiteral("#host{background-color: qlineargradient(x1:0, y1:0, "
                                     "x2:0, y2:1, stop:0 rgb(27,29,34), stop:1 rgb(21,23,27));}"));
        resize(883, 630);
    }
};

} // namespace

class TestLightingScreens : public QObject
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

    // The lighting page filled from a record of the mouse: off, single-colour breathing in a
    // preset's orange, and mixed colours steady.
    void lightingPage_data() { languages_data(); }
    void lightingPage()
    {
        QFETCH(int, language);
        LightBench bench;
        QVERIFY(bench.ok() && LightBench::selectMouse());
        state().CurrentLanguage = language;
        PageHost host;
        auto *page = new LampLight(&host);
        host.show();
        QCOMPARE(missingPictures(page), QStringList());
        const struct
        {
            const char *name;
            int on, mode, red, green, blue, brightness, speed;
        } looks[] = {{"off", 0, 2, 255, 80, 0, 6, 4},
                     {"breathing", 1, 2, 255, 80, 0, 6, 4},
                     {"steady", 1, 3, 46, 166, 223, 9, 2}};
        for (const auto &look : looks) {
            const FlashDataMap record = LightBench::record([&](FlashDataMap &r) {
                r.LightOn = quint8(look.on);
                r.LightMode = quint8(look.mode);
                r.LightRed = quint8(look.red);
                r.LightGreen = quint8(look.green);
                r.LightBlue = quint8(look.blue);
                r.LightBrightness = quint8(look.brightness);
                r.LightSpeed = quint8(look.speed);
                r.LightOffWhileMoving = 1;
                r.SleepTime = 30;
            });
            QVERIFY(runOnWorkerThread(
                [record] { emit PostMsg::GetInstance()->SigUpDataLightLight(record); }));
            ZR35_SAVE_SCREEN(&host,
                             QStringLiteral("lighting-page-%1-%2")
                                 .arg(QLatin1String(look.name), QLatin1String(suffix(language))));
        }
        QVERIFY(LightBench::sent().isEmpty());
    }

    // The light-mode dialog in single-colour breathing with a preset chosen, in the language it
    // is asked for.
    void lightModeDialog_data() { languages_data(); }
    void lightModeDialog()
    {
        QFETCH(int, language);
        LightBench bench;
        LightModeSet dialog;
        dialog.SlotAllLanguage(language);
        dialog.findChild<QComboBox *>(QStringLiteral("LightMod"))->setCurrentIndex(2);
        dialog.findChild<QToolButton *>(QStringLiteral("toolButtonColorH"))->click();
        dialog.show();
        QCOMPARE(missingPictures(&dialog), QStringList());
        ZR35_SAVE_SCREEN(&dialog, QStringLiteral("light-mode-dialog-%1").arg(suffix(language)));
    }

    // The two screen picture panels with a picture slot chosen and the screen-off switch on, and
    // the receiver LED panel, as they would look if shown.
    void settingsPanels_data() { languages_data(); }
    void settingsPanels()
    {
        QFETCH(int, language);
        LightBench bench;
        QVERIFY(bench.ok() && LightBench::selectMouse());
        state().CurrentLanguage = language;
        InputPicA upright;
        InputPicB wide;
        const QList<QPair<QDialog *, QString>> panels{{&upright, QStringLiteral("inputpica")},
                                                      {&wide, QStringLiteral("inputpicb")}};
        for (const auto &panel : panels) {
            QMetaObject::invokeMethod(panel.first, "SlotAllLanguage", Q_ARG(int, language));
            panel.first->findChild<QToolButton *>(QStringLiteral("toolButtonB"))->click();
            panel.first->findChild<QToolButton *>(QStringLiteral("CheckButton"))->click();
            panel.first->show();
            QCOMPARE(missingPictures(panel.first), QStringList());
            ZR35_SAVE_SCREEN(panel.first,
                             QStringLiteral("%1-%2").arg(panel.second, suffix(language)));
        }
        LedInfo led;
        led.UpDataLanguage();
        state().CurrentDongleRGB.with([](DongleRGB &rgb) { rgb.Mode = 2; });
        QVERIFY(runOnWorkerThread(
            [] { emit PostMsg::GetInstance()->SigRGBValue(state().CurrentDongleRGB.get()); }));
        led.show();
        ZR35_SAVE_SCREEN(&led, QStringLiteral("ledinfo-lighting-%1").arg(suffix(language)));
    }
};

ZR35_TEST_MAIN(TestLightingScreens)
#include "tst_lightingscreens.moc"
