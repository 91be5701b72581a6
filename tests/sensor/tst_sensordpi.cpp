#include "core/configini.h"
#include "core/devicestate.h"
#include "core/languageloader.h"
#include "core/languagetables.h"
#include "platform/appdir.h"
#include "platform/devicelib/devicelib.h"
#include "sensor/sensordpi.h"
#include "shell/widgets/myconmbobox.h"
#include "shell/widgets/myslider.h"
#include "tests/sensor/dpieditorhost.h"
#include "tests/support/picturecheck.h"
#include "tests/support/screens.h"
#include "tests/support/testmain.h"

#include <QAbstractItemView>
#include <QColorDialog>
#include <QLabel>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolButton>

using namespace DpiEditorHost;

namespace {

// Points the current device at model group Drive<n> of a Config.ini the test writes.
struct ModelFixture
{
    QTemporaryDir dir;
    explicit ModelFixture(const QByteArray &groups, int driveIndex)
    {
        const QString path = dir.filePath(QStringLiteral("Config.ini"));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write("[Option]\nDeviceTotal=3\n" + groups);
        file.close();
        ConfigIni::resetForTests(path);
        DeviceAllInfo info;
        info.DriveIndex = driveIndex;
        state().CurrentDeviceInfo.set(info);
    }
    ~ModelFixture()
    {
        ConfigIni::resetForTests(QString());
        state().CurrentDeviceInfo.set(DeviceAllInfo());
    }
};

QStringList levelTexts(SensorDPI *editor)
{
    QStringList texts;
    for (int i = 0; i < DpiLevels::Count; ++i)
        texts << levelButton(editor, i)->text();
    return texts;
}

QStringList levelColors(SensorDPI *editor)
{
    QStringList colours;
    for (int i = 0; i < DpiLevels::Count; ++i)
        colours << editor->GetLevelColor(i);
    return colours;
}

} // namespace

// The DPI editor's form, its look and the operations the sensor page fills it with.
class TestSensorDpi : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        state().SensorFilling = 0;
        state().WriteEnabled = 0;
    }

    void formAsBuilt()
    {
        SensorDPI editor;
        QCOMPARE(editor.size(), QSize(728, 194));
        for (int i = 0; i < DpiLevels::Count; ++i) {
            QToolButton *button = levelButton(&editor, i);
            QToolButton *bar = levelBar(&editor, i);
            QVERIFY(button && bar);
            QCOMPARE(button->geometry(), QRect(15 + 91 * i, 99, 54, 56));
            QCOMPARE(bar->geometry(), QRect(17 + 91 * i, 141, 50, 12));
            QVERIFY(button->isCheckable() && bar->isCheckable() && !button->isChecked());
            QCOMPARE(button->text(), QString(i == 1 || i == 2 || i == 5 || i == 7 ? "200" : "100"));
            // The bar lies across the button's lower edge and must be drawn over it.
            QVERIFY(editor.children().indexOf(bar) > editor.children().indexOf(button));
        }
        QCOMPARE(marker(&editor)->geometry(), QRect(103, 154, 30, 30));
        QVERIFY(marker(&editor)->testAttribute(Qt::WA_TransparentForMouseEvents));
        MySlider *s = slider(&editor);
        QCOMPARE(s->geometry(), QRect(18, 56, 561, 25));
        QCOMPARE(s->minimum(), 50);
        QCOMPARE(s->maximum(), 32000);
        QVERIFY(!s->hasTracking());
        QVERIFY(valueBox(&editor)->isReadOnly());
        QCOMPARE(valueBox(&editor)->maximum(), 100000);
        QCOMPARE(countBox(&editor)->maxVisibleItems(), 5);
        QCOMPARE(minusButton(&editor)->size(), QSize(14, 4));
        QCOMPARE(plusButton(&editor)->size(), QSize(14, 14));
        for (QWidget *child : editor.findChildren<QWidget *>()) {
            if (child->parentWidget() == &editor)
                QCOMPARE(child->focusPolicy(), Qt::NoFocus);
        }
        QCOMPARE(editor.GetCurrentLevel(), 1);
        QCOMPARE(editor.GetLevelCount(), 1);
        QCOMPARE(missingPictures(&editor), QStringList());
    }

    void moveLevelMark_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QPoint>("at");
        QTest::newRow("first") << 1 << QPoint(27, 154);
        QTest::newRow("sixth, 92 pixels after the fifth") << 6 << QPoint(483, 154);
        QTest::newRow("eighth") << 8 << QPoint(664, 154);
        QTest::newRow("0 does nothing") << 0 << QPoint(103, 154);
        QTest::newRow("9 does nothing") << 9 << QPoint(103, 154);
    }
    void moveLevelMark()
    {
        QFETCH(int, position);
        QFETCH(QPoint, at);
        SensorDPI editor;
        editor.MoveLevelMark(position);
        QCOMPARE(marker(&editor)->pos(), at);
    }

    void showLevelButtons_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("shown");
        QTest::newRow("three levels") << 2 << 3;
        QTest::newRow("one level") << 0 << 1;
        QTest::newRow("eight levels") << 7 << 8;
        QTest::newRow("8 changes nothing") << 8 << 4;
        QTest::newRow("-1 changes nothing") << -1 << 4;
    }
    void showLevelButtons()
    {
        QFETCH(int, n);
        QFETCH(int, shown);
        SensorDPI editor;
        editor.ShowLevelButtons(3);
        editor.ShowLevelButtons(n);
        for (int i = 0; i < DpiLevels::Count; ++i) {
            QCOMPARE(levelButton(&editor, i)->isHidden(), i >= shown);
            QCOMPARE(levelBar(&editor, i)->isHidden(), i >= shown);
        }
        // Hidden levels keep their places: the visible ones never move.
        QVERIFY(levelButton(&editor, 7)->sizePolicy().retainSizeWhenHidden());
    }

    void levelColorIsStoredThenShown()
    {
        SensorDPI editor;
        const QString before = levelBar(&editor, 2)->styleSheet();
        editor.SetLevelColor(2, QStringLiteral("#0a10ff"));
        QCOMPARE(editor.GetLevelColor(2), QStringLiteral("10,16,255"));
        QCOMPARE(levelBar(&editor, 2)->styleSheet(), before);

        editor.MarkCurrentBar(2);
        QVERIFY(levelBar(&editor, 2)->styleSheet().contains(QLatin1String("rgb(10,16,255)")));
        QVERIFY(levelBar(&editor, 2)->styleSheet().contains(QLatin1String("MaxB.png")));
        QVERIFY(levelBar(&editor, 3)->styleSheet().contains(QLatin1String("MinB.png")));

        // Texts that are not "#rrggbb" change nothing.
        for (const char *bad : {"0a10ff", "#0a10f", "#zz10ff", "#0a10ff0", ""})
            editor.SetLevelColor(2, QLatin1String(bad));
        editor.SetLevelColor(8, QStringLiteral("#ffffff"));
        QCOMPARE(editor.GetLevelColor(2), QStringLiteral("10,16,255"));

        editor.MarkCurrentBar(9);
        for (int i = 0; i < DpiLevels::Count; ++i)
            QVERIFY(levelBar(&editor, i)->styleSheet().contains(QLatin1String("MinB.png")));
    }

    // A click on a level's colour bar opens the colour dialog on that level's colour.
    void colorDialogOpensOnTheLevelsColor()
    {
        SensorDPI editor;
        editor.SetLevelColor(2, QStringLiteral("#0a10ff"));
        editor.SetLevelColor(5, QStringLiteral("#20c040"));
        auto *dialog = editor.findChild<QColorDialog *>();
        QVERIFY(dialog);
        for (const auto &level :
             {qMakePair(2, QColor(10, 16, 255)), qMakePair(5, QColor(32, 192, 64))}) {
            levelBar(&editor, level.first)->click();
            QTRY_VERIFY(dialog->isVisible());
            QCOMPARE(dialog->currentColor(), level.second);
            if (level.first == 2)
                ZR35_SAVE_SCREEN(dialog, QStringLiteral("sensordpi-colordialog"));
            dialog->hide();
        }
    }

    void defaultLevelsFromTheModel_data()
    {
        QTest::addColumn<QByteArray>("group");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QStringList>("colours");
        const QStringList formTexts{"100", "200", "200", "100", "100", "200", "100", "200"};
        const QStringList formColours{"255,0,0",   "0,255,0",   "0,00,255",    "255,255,0",
                                      "255,0,255", "255,255,0", "255,255,255", "0,212,252"};
        QTest::newRow("eight values, four colours")
            << QByteArray("DPIGrade=400,800,1600,2400,3200,6400,10000,12000\n"
                          "DPIColor=1,2,3,4,5,6,7,8,9,10,11,12\n")
            << QStringList{"400", "800", "1600", "2400", "3200", "6400", "10000", "12000"}
            << QStringList{"1,2,3", "4,5,6", "7,8,9", "10,11,12"} + formColours.mid(4);
        QTest::newRow("seven values change no text")
            << QByteArray("DPIGrade=400,800,1600,2400,3200,6400,10000\n") << formTexts
            << formColours;
        QTest::newRow("an incomplete triple keeps that colour")
            << QByteArray("DPIColor=1,2,3,4,5\n") << formTexts
            << QStringList{"1,2,3"} + formColours.mid(1);
        QTest::newRow("more than eight triples")
            << QByteArray("DPIColor=" + QByteArray("9,9,9,").repeated(9) + "\n") << formTexts
            << QString("9,9,9|").repeated(8).split('|', Qt::SkipEmptyParts);
    }
    void defaultLevelsFromTheModel()
    {
        QFETCH(QByteArray, group);
        QFETCH(QStringList, texts);
        QFETCH(QStringList, colours);
        ModelFixture model("[Drive2]\n" + group, 1);
        SensorDPI editor;
        editor.SetDefaultDPI();
        QCOMPARE(levelTexts(&editor), texts);
        QCOMPARE(levelColors(&editor), colours);
        for (int i = 0; i < DpiLevels::Count; ++i)
            QVERIFY(!levelButton(&editor, i)->isChecked());
    }

    void selectLevelShowsItsValueWithoutWriting()
    {
        QVERIFY(selectShippedMouse());
        SensorDPI editor;
        fillFromDevice(&editor);
        const QRect normal = levelButton(&editor, 3)->geometry();
        state().SensorFilling = 1;
        editor.SelectLevel(3);
        state().SensorFilling = 0;
        QVERIFY(levelButton(&editor, 3)->isChecked());
        QCOMPARE(levelButton(&editor, 3)->geometry(), normal.adjusted(-7, -7, 7, 7));
        QCOMPARE(levelBar(&editor, 3)->geometry(), QRect(290 - 8, 141 + 6, 66, 14));
        QCOMPARE(levelBar(&editor, 0)->geometry(), QRect(17, 141, 50, 12));
        QCOMPARE(slider(&editor)->value(), 2400);
        QCOMPARE(valueBox(&editor)->value(), 2400);

        // Selecting the level already checked still shows its value.
        editor.SetSliderValue(5000);
        editor.SelectLevel(3);
        QCOMPARE(slider(&editor)->value(), 2400);
        editor.SelectLevel(8);
        QVERIFY(levelButton(&editor, 3)->isChecked());
        QCOMPARE(sends(), 0);
        UsbServer_Exit();
    }

    // The picture of the editor as the sensor page shows it: on the page's dark ground, eight
    // coloured levels, the selected one enlarged and the marker under it.
    void picture()
    {
        QVERIFY(selectShippedMouse());
        ReloadLanguageFilesForTest(AppDir::filePath(QStringLiteral("Language")));
        QFrame page;
        page.setObjectName(QStringLiteral("page"));
        page.setStyleSheet(QStringLiteral("#page{background-color: rgb(21, 23, 27);}"));
        page.resize(800, 240);
        auto *editor = new SensorDPI(&page);
        editor->move(36, 23);
        editor->SetTitle(SensorTexts.text(0, 0, QString()));
        fillFromDevice(editor);
        showReportedStage(editor, 2);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QCOMPARE(marker(editor)->pos(), QPoint(209, 154));
        QVERIFY(levelButton(editor, 2)->isChecked());
        QCOMPARE(editor->findChild<QLabel *>(QStringLiteral("label"))->text(),
                 QStringLiteral("DPI settings"));
        QCOMPARE(missingPictures(&page), QStringList());
        ZR35_SAVE_SCREEN(&page, QStringLiteral("sensordpi"));
        QCOMPARE(sends(), 0);
        UsbServer_Exit();
    }
};

ZR35_TEST_MAIN(TestSensorDpi)
#include "tst_sensordpi.moc"
