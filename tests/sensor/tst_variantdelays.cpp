#include "core/devicestate.h"
#include "core/devicewrite.h"
#include "core/postmsg.h"
#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/simulationcontrol.h"
#include "sensor/debouncetimeb.h"
#include "sensor/debouncetimec.h"
#include "sensor/stopclosetimeb.h"
#include "tests/sensor/sensorbench.h"
#include "tests/support/picturecheck.h"
#include "tests/support/testmain.h"

#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

#include <memory>

using namespace SensorBench;

namespace {

constexpr auto &state = State;

QSpinBox *display(const QWidget *panel)
{
    return child<QSpinBox>(panel, QStringLiteral("spinBoxA"));
}

// A debounce value in the mouse the test can tell from the panel's own.
void storeDebounce(int value)
{
    QVERIFY(WriteDebounceTime(value));
    SimulationControl::clearLog();
}

} // namespace

// The debounce-time and sleep-time panels' second and third layouts, which no page builds: the
// values the user sets reach the simulated mouse as they are shown; the host's setters write
// nothing. The sleep-time guards of both layouts are one table in tst_hostedpanels.
class TestVariantDelays : public PanelTest
{
    Q_OBJECT
private slots:
    // --- Debounce time on a slider ---

    void debounceSliderWritesTheValue_data()
    {
        QTest::addColumn<int>("value");
        QTest::newRow("1") << 1;
        QTest::newRow("7") << 7;
        QTest::newRow("20") << 20;
    }
    void debounceSliderWritesTheValue()
    {
        QFETCH(int, value);
        DebouncetimeB panel;
        QVERIFY(missingPictures(&panel).isEmpty());
        panel.SetValue(value == 1 ? 2 : 1);
        auto *slider = child<QSlider>(&panel, QStringLiteral("Debunce"));
        letGo(slider, value);
        QCOMPARE(display(&panel)->value(), value);
        QCOMPARE(int(stored().DebounceTime), value);
        QCOMPARE(sends(), 1);
        SimulationControl::restartBus();
        QCOMPARE(int(stored().DebounceTime), value);
    }

    void debounceSliderSetters()
    {
        DebouncetimeB panel;
        panel.SetValue(12);
        QCOMPARE(child<QSlider>(&panel, QStringLiteral("Debunce"))->value(), 12);
        QCOMPARE(display(&panel)->value(), 12);
        // The unit follows the value; the last one given stays.
        panel.SetItemText(0, QStringLiteral(" s"));
        panel.SetItemText(15, QStringLiteral(" ms"));
        QCOMPARE(display(&panel)->text(), QStringLiteral("12 ms"));
        QCOMPARE(sends(), 0);
        // With writes disabled a move is shown only.
        state().WriteEnabled = 0;
        letGo(child<QSlider>(&panel, QStringLiteral("Debunce")), 5);
        QCOMPARE(display(&panel)->value(), 5);
        QCOMPARE(sends(), 0);
    }

    // --- Debounce time with plus and minus ---

    void debounceSteps_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<bool>("plus");
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("written"); // -1: nothing written
        QTest::newRow("plus from 0") << 0 << true << 1 << 1;
        QTest::newRow("plus from 1") << 1 << true << 2 << 2;
        QTest::newRow("plus at 20") << 20 << true << 20 << -1;
        QTest::newRow("minus from 0 writes 0") << 0 << false << 0 << 0;
        QTest::newRow("minus at 1") << 1 << false << 1 << -1;
        QTest::newRow("minus from 20") << 20 << false << 19 << 19;
    }
    void debounceSteps()
    {
        QFETCH(int, start);
        QFETCH(bool, plus);
        QFETCH(int, shown);
        QFETCH(int, written);
        storeDebounce(9);
        DebouncetimeC panel;
        QVERIFY(missingPictures(&panel).isEmpty());
        QCOMPARE(display(&panel)->value(), 0);
        panel.SetValue(start);
        SimulationControl::clearLog();
        QTest::mouseClick(child<QToolButton>(&panel, plus ? QStringLiteral("AddLevelA")
                                                          : QStringLiteral("ReduceLevelA")),
                          Qt::LeftButton);
        QCOMPARE(display(&panel)->value(), shown);
        QCOMPARE(sends(), written < 0 ? 0 : 1);
        QCOMPARE(int(stored().DebounceTime), written < 0 ? 9 : written);
    }

    void debounceStepsKeepTheirRange()
    {
        DebouncetimeC panel;
        panel.SetValue(25);
        QCOMPARE(display(&panel)->value(), 20);
        panel.SetValue(-3);
        QCOMPARE(display(&panel)->value(), 0);
        QCOMPARE(sends(), 0);
        state().WriteEnabled = 0;
        QTest::mouseClick(child<QToolButton>(&panel, QStringLiteral("AddLevelA")), Qt::LeftButton);
        QCOMPARE(display(&panel)->value(), 1);
        QCOMPARE(sends(), 0);
    }

    // --- Sleep time on a slider ---

    void sleepPositions_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("code");
        QTest::newRow("1") << 1 << "10 s" << 1;
        QTest::newRow("2") << 2 << "30 s" << 3;
        QTest::newRow("3") << 3 << "1 min" << 6;
        QTest::newRow("4") << 4 << "5 min" << 30;
        QTest::newRow("6") << 6 << "15 min" << 90;
        QTest::newRow("11") << 11 << "40 min" << 240;
    }
    void sleepPositions()
    {
        QFETCH(int, position);
        QFETCH(QString, shown);
        QFETCH(int, code);
        StopCloseTimeB panel;
        QVERIFY(missingPictures(&panel).isEmpty());
        panel.SetItemText(0, QStringLiteral("10 s"));
        panel.SetItemText(5, QStringLiteral("15 min"));
        panel.SetIndex(position == 2 ? 3 : 1);
        letGo(child<QSlider>(&panel, QStringLiteral("StopClose")), position);
        QCOMPARE(display(&panel)->text(), shown);
        QCOMPARE(int(stored().SleepTime), code);
        QCOMPARE(sends(), 1);
        SimulationControl::restartBus();
        QCOMPARE(int(stored().SleepTime), code);
    }

    void sleepSetIndexWritesNothing_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("shown");
        QTest::newRow("2") << 2 << 3 << "1 min";
        QTest::newRow("10") << 10 << 11 << "40 min";
        // Not an entry of the list: the panel keeps showing what it showed.
        QTest::newRow("11") << 11 << 5 << "10 min";
        QTest::newRow("-1") << -1 << 5 << "10 min";
    }
    void sleepSetIndexWritesNothing()
    {
        QFETCH(int, index);
        QFETCH(int, position);
        QFETCH(QString, shown);
        StopCloseTimeB panel;
        panel.SetItemText(0, QStringLiteral("10 s"));
        panel.SetItemText(5, QStringLiteral("15 min"));
        panel.SetIndex(4);
        panel.SetIndex(index);
        QCOMPARE(child<QSlider>(&panel, QStringLiteral("StopClose"))->value(), position);
        QCOMPARE(display(&panel)->text(), shown);
        QCOMPARE(sends(), 0);
    }

    // The units come from entries 0 and 5 of the list's texts, without their numbers; the shown
    // time takes the new unit at once.
    void sleepUnitsFromTheListTexts()
    {
        StopCloseTimeB panel;
        panel.SetIndex(2);
        QCOMPARE(display(&panel)->text(), QStringLiteral("1"));
        panel.SetItemText(3, QStringLiteral("5 min"));
        QCOMPARE(display(&panel)->text(), QStringLiteral("1"));
        panel.SetItemText(5, QStringLiteral("15分钟"));
        QCOMPARE(display(&panel)->text(), QStringLiteral("1分钟"));
        panel.SetItemText(0, QStringLiteral("10秒"));
        panel.SetIndex(1);
        QCOMPARE(display(&panel)->text(), QStringLiteral("30秒"));
        QCOMPARE(sends(), 0);
    }
};

ZR35_TEST_MAIN(TestVariantDelays)
#include "tst_variantdelays.moc"
