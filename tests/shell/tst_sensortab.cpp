#include "core/devicestate.h"
#include "core/languageloader.h"
#include "core/postmsg.h"
#include "platform/devicelib/simulationcontrol.h"
#include "shell/dialog.h"
#include "shell/dialogmain.h"
#include "shell/dialogs/updataparam.h"
#include "tests/shell/homebench.h"
#include "tests/support/child.h"
#include "tests/support/filesizelimit.h"
#include "tests/support/modaldriver.h"
#include "tests/support/screens.h"
#include "tests/support/standarderror.h"
#include "tests/support/testmain.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QToolButton>

#include <cmath>
#include <memory>

namespace {

void setLanguage(int language)
{
    DeviceState::instance()->CurrentLanguage = language;
    emit PostMsg::GetInstance()->SigAllLanguage(language);
}

int sends()
{
    return SimulationControl::calls(QStringLiteral("ProtocolDataUpdate")).size();
}

// The level buttons of the DPI editor, by position.
const char *const LevelButtons[8] = {"BlueButton",      "BrightRedButton",  "RedButton",
                                     "YellowButton",    "GreenButton",      "PurpleButton",
                                     "LightBlueButton", "LightYellowButton"};

QToolButton *levelButton(const QWidget *page, int level)
{
    return child<QToolButton>(page, LevelButtons[level]);
}

// Opens the device page from the home page's only tile, as a user does, and its sensor tab once
// the parameter update is over; null when it does not get there.
Dialog *openSensorTab(DialogMain &window)
{
    Dialog *page = openDevicePageSettled(window);
    if (page)
        child<QToolButton>(page, "SensorButton")->click();
    return page;
}

// A press and release on the value slider where `value` lies, as a user sets a level's value.
void setValueWithTheMouse(QSlider *slider, int value)
{
    const double share =
        double(value - slider->minimum()) / (slider->maximum() - slider->minimum());
    const QPoint at(int(std::ceil(share * slider->width())), slider->height() / 2);
    QTest::mousePress(slider, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(slider, Qt::LeftButton, Qt::NoModifier, at);
}

} // namespace

// The sensor tab of the device page against the virtual mouse, as a user meets it.
class TestSensorTab : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        ReloadLanguageFilesForTest(AppDir::filePath(QStringLiteral("Language")));
    }

    void tabShowsTheMouse_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("English") << 0;
        QTest::newRow("Ukrainian") << 1;
    }
    void tabShowsTheMouse()
    {
        QFETCH(int, language);
        HomeBench bench(OneReceiverSet);
        QVERIFY(bench.ok());
        DialogMain window;
        Dialog *page = openSensorTab(window);
        QVERIFY(page);
        setLanguage(language);
        // The mouse's factory levels, its second level current.
        const QStringList values{"400", "800", "1600", "2400", "3200", "6400", "10000", "12000"};
        for (int i = 0; i < 8; ++i)
            QCOMPARE(levelButton(page, i)->text(), values.at(i));
        QVERIFY(levelButton(page, 0)->isChecked());
        QVERIFY(child<QToolButton>(page, "Button1000HZ")->isChecked());
        ZR35_SAVE_SCREEN(page, language == 0 ? "sensor-tab-en" : "sensor-tab-uk");
        setLanguage(0);
    }

    // Level 3 set to 3200 and 500 Hz chosen reach the mouse, stay there over a restart of the
    // bus (the next start of the program), and the page shows them again from the mouse.
    void editsReachTheMouseAndStay()
    {
        HomeBench bench(OneReceiverSet);
        QVERIFY(bench.ok());
        {
            DialogMain window;
            Dialog *page = openSensorTab(window);
            QVERIFY(page);
            levelButton(page, 2)->click();
            auto *slider = child<QSlider>(page, "horizontalSliderC");
            setValueWithTheMouse(slider, 3200);
            QTRY_COMPARE(levelButton(page, 2)->text(), QStringLiteral("3200"));
            child<QToolButton>(page, "Button500HZ")->click();
            QTRY_COMPARE(int(mouseRecord(QStringLiteral("M")).ReportRate), 2);
        }
        SimulationControl::restartBus();
        const FlashDataMap kept = mouseRecord(QStringLiteral("M"));
        QCOMPARE(int(kept.ReportRate), 2);
        QCOMPARE(int(kept.CurrentDpiStage), 2);
        // 3200 in the first model's register code: steps of 50 from 50.
        QCOMPARE(int(kept.DpiStages[2].CodeX), 3200 / 50 - 1);

        DialogMain window;
        Dialog *page = openSensorTab(window);
        QVERIFY(page);
        QCOMPARE(levelButton(page, 2)->text(), QStringLiteral("3200"));
        QVERIFY(levelButton(page, 2)->isChecked());
        QVERIFY(child<QToolButton>(page, "Button500HZ")->isChecked());
    }

    // The mouse cannot store a new rate (its state folder is read-only, or the disk is full): it
    // does not take it, as a mouse whose flash failed, the user is told the mouse is offline, and
    // the next start finds the old rate. The simulated library names the file it could not write.
    void aRateTheMouseCannotStoreIsNotTaken_data()
    {
        QTest::addColumn<bool>("readOnlyFolder"); // else a file-size limit
        QTest::newRow("read-only state folder") << true;
        QTest::newRow("full disk") << false;
    }
    void aRateTheMouseCannotStoreIsNotTaken()
    {
        QFETCH(bool, readOnlyFolder);
        HomeBench bench(OneReceiverSet);
        QVERIFY(bench.ok());
        const QString folder = SimulationControl::stateFolder();
        const FlashDataMap before = mouseRecord(QStringLiteral("M"));
        QVERIFY(before.ReportRate != 2);
        DialogMain window;
        Dialog *page = openSensorTab(window);
        QVERIFY(page);
        QVERIFY(QDir().mkpath(folder));
        if (readOnlyFolder) {
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
            QFile probe(folder + QStringLiteral("/probe"));
            if (probe.open(QIODevice::WriteOnly)) {
                probe.remove();
                QFile::setPermissions(folder,
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
                QSKIP("this user writes into read-only folders");
            }
        }
        ModalDriver notice(ModalDriver::named(QStringLiteral("MouseOffLine")),
                           QStringLiteral("CloseButton"));
        const QByteArray message = standardError([&] {
            // The mouse's state file is some 9 KB; what the test captures of standard error fits.
            std::unique_ptr<FileSizeLimit> full;
            if (!readOnlyFolder) {
                full = std::make_unique<FileSizeLimit>(4096);
                QVERIFY(full->ok());
            }
            child<QToolButton>(page, "Button500HZ")->click();
            QTRY_VERIFY(notice.fired());
        });
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY2(notice.fired(), qPrintable(notice.failure()));
        QCOMPARE(int(mouseRecord(QStringLiteral("M")).ReportRate), int(before.ReportRate));
        const QByteArray file =
            QDir::toNativeSeparators(QDir(folder).filePath(QStringLiteral("mouse-M.ini")))
                .toLocal8Bit();
        QCOMPARE(message.count(file + ": "), 1);

        SimulationControl::restartBus();
        QCOMPARE(int(mouseRecord(QStringLiteral("M")).ReportRate), int(before.ReportRate));
    }

    // The mouse's DPI button moves the marker; the page sends nothing back (the one send is the
    // device link's own, after the reply).
    void dpiButtonMovesTheMarker()
    {
        HomeBench bench(OneReceiverSet);
        QVERIFY(bench.ok());
        DialogMain window;
        Dialog *page = openSensorTab(window);
        QVERIFY(page);
        auto *marker = child(page, "frameDpi")->findChild<QLabel *>(QStringLiteral("label_8"));
        QCOMPARE(marker->pos(), QPoint(27, 154));
        SimulationControl::clearLog();
        QVERIFY(SimulationControl::pressDpiButton(QStringLiteral("M")));
        QTRY_COMPARE(marker->pos(), QPoint(118, 154));
        QVERIFY(levelButton(page, 1)->isChecked());
        // A later event of the mouse's is handled after the level's: once the battery shows, the
        // level's reply is over.
        QVERIFY(SimulationControl::setBattery(QStringLiteral("M"), 55, false));
        QTRY_COMPARE(child<QLabel>(page, "label_2")->text(), QStringLiteral("55%"));
        QCOMPARE(sends(), 1);
        QCOMPARE(int(mouseRecord(QStringLiteral("M")).CurrentDpiStage), 1);
    }
};

ZR35_TEST_MAIN(TestSensorTab)
#include "tst_sensortab.moc"
