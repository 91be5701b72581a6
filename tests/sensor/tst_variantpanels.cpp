#include "core/devicestate.h"
#include "core/postmsg.h"
#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/simulationcontrol.h"
#include "sensor/motionsyncb.h"
#include "sensor/rippecontrolb.h"
#include "sensor/sensor.h"
#include "sensor/sensoreffectb.h"
#include "sensor/sensorlodb.h"
#include "sensor/sensorrateb.h"
#include "sensor/straightlineb.h"
#include "tests/sensor/sensorbench.h"
#include "tests/support/picturecheck.h"
#include "tests/support/testmain.h"

#include <QCheckBox>
#include <QLabel>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

#include <memory>

using namespace SensorBench;

namespace {

constexpr auto &state = State;

QCheckBox *box(const QWidget *panel, const char *name)
{
    return child<QCheckBox>(panel, QLatin1String(name));
}

QCheckBox *rateBox(const QWidget *panel, int index)
{
    const char *names[] = {"Button125HZ",  "Button250HZ",  "Button500HZ", "Button1000HZ",
                           "Button2000HZ", "Button4000HZ", "Button8000HZ"};
    return box(panel, names[index]);
}

int checkedRateBox(const QWidget *panel)
{
    for (int i = 0; i < 7; ++i) {
        if (rateBox(panel, i)->isChecked())
            return i;
    }
    return -1;
}

// A click on a check box where its indicator is drawn.
void clickBox(QCheckBox *box)
{
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(8, box->height() / 2));
}

QStringList shownOf(const QWidget *panel, const QStringList &names)
{
    QStringList shown;
    for (const QString &name : names) {
        if (!child(panel, name)->isHidden())
            shown << name;
    }
    return shown;
}

const QStringList LightRowWidgets = {"SpeedH",       "SpeedSpinBox", "LightH",
                                     "LightSpinBox", "line",         "line_2"};

} // namespace

// The second layouts of the toggles, the report rate, the lift-off distance and the DPI light,
// which no page builds: each click of the user's reaches the simulated mouse as the twin's code;
// the host's setters write nothing. What both layouts do alike is tested in tst_sensorpanels, one
// table for both.
class TestVariantPanels : public PanelTest
{
    Q_OBJECT
private slots:
    // The second layouts stand ready for a host; the sensor page keeps its live panels.
    void theSensorPageBuildsNoneOfThem()
    {
        Sensor page;
        const QStringList variants = {
            "RippeControlB", "StraightLineB", "MotionSyncB",   "SensorRateB",   "SensorLODB",
            "SensorEffectB", "SensorDPIB",    "DebouncetimeB", "DebouncetimeC", "StopCloseTimeB"};
        QStringList built;
        for (const QObject *object : page.findChildren<QObject *>())
            built << QLatin1String(object->metaObject()->className());
        for (const QString &variant : variants)
            QVERIFY2(!built.contains(variant), qPrintable(variant));
        QVERIFY(built.contains(QStringLiteral("SensorDPI")));
        QVERIFY(built.contains(QStringLiteral("SensorRate")));
    }

    // --- Toggles ---

    void toggleWithWritesDisabledOnlyShows()
    {
        MotionSyncB panel;
        state().WriteEnabled = 0;
        auto *toggle = child<QToolButton>(&panel, QStringLiteral("MotionSync_2"));
        QTest::mouseClick(toggle, Qt::LeftButton);
        QVERIFY(toggle->isChecked());
        QCOMPARE(sends(), 0);
        QCOMPARE(offline->size(), 0);
    }

    // A title longer than the form's label is shown whole: the label widens and the toggle moves
    // on beside it, still right of the title's end.
    void longTitleIsShownWhole()
    {
        RippeControlB panel;
        auto *label = child<QLabel>(&panel, QStringLiteral("label"));
        auto *toggle = child<QToolButton>(&panel, QStringLiteral("RippeControl_2"));
        panel.SetTitle(QStringLiteral("Ripple"));
        QCOMPARE(toggle->pos(), QPoint(165, 0));
        QCOMPARE(panel.width(), 204);
        const QString title = QStringLiteral("A title far longer than the panel was drawn for");
        panel.SetTitle(title);
        QVERIFY(label->width() >= label->fontMetrics().horizontalAdvance(title));
        QVERIFY(toggle->x() > label->geometry().right());
        QCOMPARE(toggle->size(), QSize(36, 18));
        QVERIFY(panel.width() >= toggle->geometry().right());
    }

    // --- Report rate ---

    void rateOfflineTellsNothing()
    {
        SensorRateB panel;
        QVERIFY(SimulationControl::setOnline(QStringLiteral("M1"), false));
        SimulationControl::clearLog();
        clickBox(rateBox(&panel, 6));
        QCOMPARE(checkedRateBox(&panel), 6);
        QCOMPARE(sends(), 0);
        QCOMPARE(offline->size(), 1);
        QCOMPARE(hideModel->size(), 0);
    }

    // --- Lift-off distance ---

    void distanceClickWritesItsCode_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("code");
        QTest::newRow("1 mm") << "MM1" << 1;
        QTest::newRow("2 mm") << "MM2" << 2;
        QTest::newRow("0.7 mm") << "MM0" << 3;
    }
    void distanceClickWritesItsCode()
    {
        QFETCH(QString, name);
        QFETCH(int, code);
        SensorLODB panel;
        QVERIFY(missingPictures(&panel).isEmpty());
        panel.AddShortDistance();
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        auto *distance = child<QCheckBox>(&panel, name);
        clickBox(distance);
        QCOMPARE(int(stored().Lod), code);
        clickBox(distance);
        QVERIFY(distance->isChecked());
        QCOMPARE(sends(), 2);
        SimulationControl::restartBus();
        QCOMPARE(int(stored().Lod), code);
    }

    void distanceRowPlaces()
    {
        SensorLODB panel;
        QVERIFY(box(&panel, "MM0")->isHidden());
        QCOMPARE(box(&panel, "MM1")->x(), 165);
        QCOMPARE(box(&panel, "MM2")->x(), 250);
        panel.RemoveShortDistance();
        QCOMPARE(box(&panel, "MM1")->x(), 80);
        QCOMPARE(box(&panel, "MM2")->x(), 165);
        panel.AddShortDistance();
        QVERIFY(!box(&panel, "MM0")->isHidden());
        QCOMPARE(box(&panel, "MM0")->x(), 80);
        QCOMPARE(box(&panel, "MM1")->x(), 165);
        QCOMPARE(box(&panel, "MM2")->x(), 250);
        // The short distance is 0.7 mm and says so.
        QCOMPARE(box(&panel, "MM0")->text(), QStringLiteral("0.7mm"));
    }

    // The host sets the stored distance before it shows the panel: 0.7 mm is checked whenever
    // the panel offers it, on screen or not, and never when it does not.
    void setLodChecksTheOfferedDistance_data()
    {
        QTest::addColumn<bool>("offered");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("checked");
        QTest::newRow("0 with 0.7 mm") << true << 0 << "MM1";
        QTest::newRow("1 with 0.7 mm") << true << 1 << "MM2";
        QTest::newRow("2 with 0.7 mm") << true << 2 << "MM0";
        QTest::newRow("2 without 0.7 mm keeps 2 mm") << false << 2 << "MM2";
        QTest::newRow("3 keeps 2 mm") << true << 3 << "MM2";
        QTest::newRow("-1 keeps 2 mm") << true << -1 << "MM2";
    }
    void setLodChecksTheOfferedDistance()
    {
        QFETCH(bool, offered);
        QFETCH(int, value);
        QFETCH(QString, checked);
        SensorLODB panel;
        if (offered)
            panel.AddShortDistance();
        else
            panel.RemoveShortDistance();
        QVERIFY(!panel.isVisible());
        panel.SetLod(1);
        panel.SetLod(value);
        for (const char *name : {"MM0", "MM1", "MM2"})
            QCOMPARE(box(&panel, name)->isChecked(), checked == QLatin1String(name));
        QCOMPARE(sends(), 0);
    }

    void distanceGuards_data()
    {
        QTest::addColumn<bool>("filling");
        QTest::newRow("writes disabled") << false;
        QTest::newRow("sensor page filling") << true;
    }
    void distanceGuards()
    {
        QFETCH(bool, filling);
        SensorLODB panel;
        if (filling)
            state().SensorFilling = 1;
        else
            state().WriteEnabled = 0;
        clickBox(box(&panel, "MM2"));
        QVERIFY(box(&panel, "MM2")->isChecked());
        QCOMPARE(sends(), 0);
        QCOMPARE(offline->size(), 0);
    }

    // --- DPI light ---

    void modeClickShowsItsRowsAndWrites_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("lightOn");
        QTest::addColumn<int>("storedMode");
        QTest::addColumn<QStringList>("shown");
        // Off keeps the effect the mouse had.
        QTest::newRow("off") << "MM3" << 0 << 1 << QStringList{"line", "line_2"};
        QTest::newRow("steady") << "MM1" << 1 << 1 << QStringList{"LightH", "LightSpinBox", "line"};
        QTest::newRow("breathing")
            << "MM2" << 1 << 2 << QStringList{"SpeedH", "SpeedSpinBox", "line_2"};
    }
    void modeClickShowsItsRowsAndWrites()
    {
        QFETCH(QString, name);
        QFETCH(int, lightOn);
        QFETCH(int, storedMode);
        QFETCH(QStringList, shown);
        SensorEffectB panel;
        QVERIFY(missingPictures(&panel).isEmpty());
        auto *mode = child<QCheckBox>(&panel, name);
        clickBox(mode);
        QCOMPARE(int(stored().DpiLightOn), lightOn);
        QCOMPARE(int(stored().DpiLightMode), storedMode);
        QCOMPARE(shownOf(&panel, LightRowWidgets), shown);
        for (const char *always : {"label_14", "label_15", "MM1", "MM2", "MM3"})
            QVERIFY(!child(&panel, QLatin1String(always))->isHidden());
        // Clicked again: still checked, written again.
        clickBox(mode);
        QVERIFY(mode->isChecked());
        QCOMPARE(sends(), 2);
    }

    void showModeWritesNothing()
    {
        SensorEffectB panel;
        panel.ShowMode(1);
        QVERIFY(box(&panel, "MM1")->isChecked());
        QCOMPARE(shownOf(&panel, LightRowWidgets), (QStringList{"LightH", "LightSpinBox", "line"}));
        panel.ShowMode(3);
        panel.ShowMode(-1);
        QVERIFY(box(&panel, "MM1")->isChecked());
        QCOMPARE(shownOf(&panel, LightRowWidgets), (QStringList{"LightH", "LightSpinBox", "line"}));
        QCOMPARE(sends(), 0);
    }

    // The host's speed and brightness are not blocked: the sliders' guards keep a fill from
    // writing, and outside a fill they are written as the user's would be.
    void speedIsStoredAsItIs()
    {
        SensorEffectB panel;
        asFilled([&] { panel.SetSpeed(2); });
        QCOMPARE(child<QSpinBox>(&panel, QStringLiteral("SpeedSpinBox"))->value(), 2);
        QCOMPARE(sends(), 0);
        panel.SetSpeed(4);
        QCOMPARE(int(stored().DpiLightSpeed), 4);
        QCOMPARE(sends(), 1);
    }

    void lightTextsGoToTheirBoxes()
    {
        SensorEffectB panel;
        panel.SetModeItemText(0, QStringLiteral("Off"));
        panel.SetModeItemText(1, QStringLiteral("Steady"));
        panel.SetModeItemText(2, QStringLiteral("Breathing"));
        panel.SetModeItemText(3, QStringLiteral("None"));
        QCOMPARE(box(&panel, "MM3")->text(), QStringLiteral("Off"));
        QCOMPARE(box(&panel, "MM1")->text(), QStringLiteral("Steady"));
        QCOMPARE(box(&panel, "MM2")->text(), QStringLiteral("Breathing"));
    }
};

ZR35_TEST_MAIN(TestVariantPanels)
#include "tst_variantpanels.moc"
