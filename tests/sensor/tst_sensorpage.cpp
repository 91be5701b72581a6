#include "core/devicestate.h"
#include "core/languageloader.h"
#include "core/languagetables.h"
#include "core/postmsg.h"
#include "platform/appdir.h"
#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/simulationcontrol.h"
#include "sensor/motionsync.h"
#include "sensor/rippecontrol.h"
#include "sensor/sensor.h"
#include "sensor/sensordpi.h"
#include "sensor/sensoreffect.h"
#include "sensor/sensorlod.h"
#include "sensor/sensorrate.h"
#include "sensor/straightline.h"
#include "shell/widgets/myconmbobox.h"
#include "tests/sensor/sensorbench.h"
#include "tests/support/picturecheck.h"
#include "tests/support/testmain.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QToolButton>

#include <memory>

using namespace SensorBench;

namespace {

constexpr auto &state = State;

QString levelFile()
{
    return UserDir::filePath(QStringLiteral("usersetting/SensorPage/Level.ini"));
}

// The page's own controls are enabled by the fill; a test enables them as a fill would.
void enableOwnControls(Sensor &page)
{
    child<MyConmboBox>(&page, QStringLiteral("ModelChoose"))->setEnabled(true);
}

} // namespace

// The sensor page as it is built, its own controls and its texts.
class TestSensorPage : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        ReloadLanguageFilesForTest(AppDir::filePath(QStringLiteral("Language")));
    }
    void init()
    {
        QVERIFY(selectMouse());
        state().SensorFilling = 0;
        state().CurrentLanguage = 0;
    }
    void cleanup()
    {
        state().SensorFilling = 0;
        UsbServer_Exit();
    }

    void formAsBuilt()
    {
        QDir(UserDir::filePath(QStringLiteral("usersetting/SensorPage"))).removeRecursively();
        Sensor page;
        QVERIFY(QDir(UserDir::filePath(QStringLiteral("usersetting/SensorPage"))).exists());
        QCOMPARE(page.size(), QSize(883, 630));
        const struct
        {
            const char *name;
            QRect geometry;
        } places[] = {{"frameDpi", {65, 26, 728, 194}},   {"frameRate", {80, 208, 725, 82}},
                      {"frameLOD", {255, 360, 131, 61}},  {"ModelChoose", {80, 390, 130, 30}},
                      {"frame", {640, 370, 204, 31}},     {"frame_4", {640, 400, 204, 31}},
                      {"frameEffect", {80, 456, 439, 96}}};
        for (const auto &place : places)
            QCOMPARE(child(&page, QLatin1String(place.name))->geometry(), place.geometry);
        QVERIFY(qobject_cast<SensorDPI *>(child(&page, QStringLiteral("frameDpi"))));
        QVERIFY(qobject_cast<RippeControl *>(child(&page, QStringLiteral("frame"))));
        QVERIFY(qobject_cast<MotionSync *>(child(&page, QStringLiteral("frame_3"))));
        QVERIFY(qobject_cast<StraightLine *>(child(&page, QStringLiteral("frame_4"))));
        QVERIFY(child(&page, QStringLiteral("frame_3"))->isHidden());
        QVERIFY(!child(&page, QStringLiteral("ModelChoose"))->isEnabled());
        QVERIFY(!child(&page, QStringLiteral("PerformanceOpen"))->isEnabled());
        QVERIFY(missingPictures(&page).isEmpty());
        // Building the page writes nothing.
        QCOMPARE(sends(), 0);
    }

    void levelCountFromTheUserFolder_data()
    {
        QTest::addColumn<QByteArray>("content"); // "-" for no file
        QTest::addColumn<int>("count");
        QTest::newRow("no file") << QByteArray("-") << 1;
        QTest::newRow("empty") << QByteArray("") << 1;
        QTest::newRow("5") << QByteArray("5\n3\n") << 5;
        QTest::newRow("not a number") << QByteArray("five\n") << 0;
    }
    void levelCountFromTheUserFolder()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, count);
        QDir().mkpath(UserDir::filePath(QStringLiteral("usersetting/SensorPage")));
        QFile::remove(levelFile());
        if (content != "-") {
            QFile file(levelFile());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        Sensor page;
        QCOMPARE(child<SensorDPI>(&page, QStringLiteral("frameDpi"))->GetLevelCount(), count);
        QFile::remove(levelFile());
    }

    // --- Own controls ---

    void sensorModeChoice_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("written"); // -1: nothing
        QTest::newRow("LP") << 0 << 0;
        QTest::newRow("HP") << 1 << 1;
        QTest::newRow("Corded is never written") << 2 << -1;
    }
    void sensorModeChoice()
    {
        QFETCH(int, index);
        QFETCH(int, written);
        Sensor page;
        enableOwnControls(page);
        auto *list = child<MyConmboBox>(&page, QStringLiteral("ModelChoose"));
        asFilled([&] { list->setCurrentIndex(index == 1 ? 0 : 1); });
        list->setCurrentIndex(index);
        QCOMPARE(sends(), written < 0 ? 0 : 1);
        if (written >= 0)
            QCOMPARE(int(stored().SensorMode), written);
        // An emptied list is no mode.
        SimulationControl::clearLog();
        list->setCurrentIndex(-1);
        QCOMPARE(sends(), 0);
    }

    void performanceSwitch()
    {
        Sensor page;
        auto *box = child<QCheckBox>(&page, QStringLiteral("Performance"));
        auto *duration = child<MyConmboBox>(&page, QStringLiteral("PerformanceOpen"));
        box->click();
        QCOMPARE(int(stored().PerformanceMode), 1);
        QVERIFY(duration->isEnabled());
        box->click();
        QCOMPARE(int(stored().PerformanceMode), 0);
        QVERIFY(!duration->isEnabled());
        QCOMPARE(sends(), 2);

        // With writes disabled the box and the duration follow the click; nothing is written.
        state().WriteEnabled = 0;
        box->click();
        QVERIFY(box->isChecked());
        QVERIFY(duration->isEnabled());
        QCOMPARE(sends(), 2);
        state().WriteEnabled = 1;

        // Any change the page goes through puts the duration back in step with the box.
        duration->setEnabled(false);
        page.setEnabled(false);
        page.setEnabled(true);
        QVERIFY(duration->isEnabled());
    }

    void performanceDuration_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<int>("time");
        const int times[] = {3, 6, 12, 30, 60, 90};
        for (int i = 0; i < 6; ++i)
            QTest::newRow(qPrintable(QStringLiteral("item %1").arg(i))) << i << times[i];
    }
    void performanceDuration()
    {
        QFETCH(int, item);
        QFETCH(int, time);
        Sensor page;
        auto *duration = child<MyConmboBox>(&page, QStringLiteral("PerformanceOpen"));
        asFilled([&] { duration->setCurrentIndex(item == 1 ? 0 : 1); });
        duration->setCurrentIndex(item);
        QCOMPARE(int(stored().PerformanceTime), time);
        QCOMPARE(sends(), 1);
    }

    // --- Texts ---

    void bothLanguages_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("English") << 0;
        QTest::newRow("Ukrainian") << 1;
    }
    void bothLanguages()
    {
        QFETCH(int, language);
        Sensor page;
        auto *duration = child<MyConmboBox>(&page, QStringLiteral("PerformanceOpen"));
        asFilled([&] { duration->setCurrentIndex(3); });
        emit PostMsg::GetInstance()->SigAllLanguage(language);

        const auto entry = [language](int i) { return SensorTexts.text(language, i, "?"); };
        const auto label = [&page](const char *parent, const char *name) {
            return child(&page, QLatin1String(parent))->findChild<QLabel *>(QLatin1String(name));
        };
        QCOMPARE(label("frameDpi", "label")->text(), entry(0));
        QCOMPARE(label("frameRate", "label")->text(), entry(1));
        QCOMPARE(child<QLabel>(&page, QStringLiteral("label_5"))->text(), entry(2));
        QCOMPARE(child<QLabel>(&page, QStringLiteral("label_11"))->text(), entry(3));
        QCOMPARE(label("frameLOD", "label")->text(), entry(4));
        QCOMPARE(child<QCheckBox>(&page, QStringLiteral("Performance"))->text(), entry(5));
        QCOMPARE(label("frame", "label")->text(), entry(6));
        QCOMPARE(label("frame_4", "label")->text(), entry(7));
        QCOMPARE(label("frame_3", "label")->text(), entry(8));
        for (int i = 0; i < 6; ++i)
            QCOMPARE(duration->itemText(i), entry(9 + i));
        QCOMPARE(label("frameEffect", "label")->text(), entry(15));
        auto *modes = child(&page, QStringLiteral("frameEffect"))
                          ->findChild<MyConmboBox *>(QStringLiteral("Model"));
        for (int i = 0; i < 3; ++i)
            QCOMPARE(modes->itemText(i), entry(16 + i));
        QCOMPARE(label("frameEffect", "label_14")->text(), entry(19));
        QCOMPARE(label("frameEffect", "label_15")->text(), entry(20));
        QCOMPARE(child<QLabel>(&page, QStringLiteral("label_11"))->toolTip(), entry(21));
        QCOMPARE(label("frameLOD", "label")->toolTip(), entry(22));
        QCOMPARE(child<QCheckBox>(&page, QStringLiteral("Performance"))->toolTip(), entry(23));
        QCOMPARE(label("frame_3", "label")->toolTip(), entry(24));
        QCOMPARE(label("frame_4", "label")->toolTip(), entry(25));
        QCOMPARE(label("frame", "label")->toolTip(), entry(26));
        // The chosen duration stays chosen, and applying the texts wrote nothing.
        QCOMPARE(duration->currentIndex(), 3);
        QCOMPARE(sends(), 0);
        emit PostMsg::GetInstance()->SigAllLanguage(0);
    }
};

ZR35_TEST_MAIN(TestSensorPage)
#include "tst_sensorpage.moc"
