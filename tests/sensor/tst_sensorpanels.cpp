#include "core/devicestate.h"
#include "core/postmsg.h"
#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/simulationcontrol.h"
#include "sensor/motionsync.h"
#include "sensor/motionsyncb.h"
#include "sensor/rippecontrol.h"
#include "sensor/rippecontrolb.h"
#include "sensor/sensoreffect.h"
#include "sensor/sensoreffectb.h"
#include "sensor/sensorlod.h"
#include "sensor/sensorrate.h"
#include "sensor/sensorrateb.h"
#include "sensor/straightline.h"
#include "sensor/straightlineb.h"
#include "shell/widgets/myconmbobox.h"
#include "tests/sensor/sensorbench.h"
#include "tests/support/picturecheck.h"
#include "tests/support/testmain.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

#include <memory>

using namespace SensorBench;

namespace {

constexpr auto &state = State;

// What stops a panel from writing, or makes it report instead.
enum Guard
{
    WritesDisabled, // WriteEnabled clear: the change is only shown
    Offline,        // the mouse asleep: nothing stored, one offline notice
    Filling         // the sensor page filling itself
};

void apply(Guard guard)
{
    switch (guard) {
    case WritesDisabled:
        state().WriteEnabled = 0;
        break;
    case Offline:
        QVERIFY(SimulationControl::setOnline(QStringLiteral("M1"), false));
        break;
    case Filling:
        state().SensorFilling = 1;
        break;
    }
    SimulationControl::clearLog();
}

void addGuardColumns()
{
    QTest::addColumn<int>("guard");
    QTest::addColumn<int>("expectedSends");
    QTest::addColumn<int>("expectedNotices");
}

// The panels' two layouts: the sensor page's, and the second one that a host may build instead
// (the title first, check boxes for the choices).
enum Layout
{
    PageLayout,
    SecondLayout
};

const char *layoutName(int layout)
{
    return layout == PageLayout ? "page layout" : "second layout";
}

// A toggle panel of the three in `layout`: 0 ripple control, 1 angle snapping, 2 motion sync.
std::unique_ptr<TogglePanel> makeToggle(int layout, int which)
{
    using Make = TogglePanel *(*)();
    static const Make makers[2][3] = {{[]() -> TogglePanel * { return new RippeControl; },
                                       []() -> TogglePanel * { return new StraightLine; },
                                       []() -> TogglePanel * { return new MotionSync; }},
                                      {[]() -> TogglePanel * { return new RippeControlB; },
                                       []() -> TogglePanel * { return new StraightLineB; },
                                       []() -> TogglePanel * { return new MotionSyncB; }}};
    return std::unique_ptr<TogglePanel>(makers[layout][which]());
}

// The report-rate panel in either layout: a button per rate (SensorRate) or a check box per rate
// (SensorRateB), driven as a user and a host drive it.
class RatePanel
{
public:
    explicit RatePanel(int layout)
    {
        if (layout == SecondLayout)
            boxes.reset(new SensorRateB);
        else
            buttons.reset(new SensorRate);
    }

    QWidget *widget() const
    {
        return buttons ? static_cast<QWidget *>(buttons.get()) : boxes.get();
    }
    void SetRate(int index) { buttons ? buttons->SetRate(index) : boxes->SetRate(index); }
    void ShowHighRates(int level)
    {
        buttons ? buttons->ShowHighRates(level) : boxes->ShowHighRates(level);
    }

    // The button or box of rate 0..6 (125..8000 Hz).
    QAbstractButton *rate(int index) const
    {
        const char *names[] = {"Button125HZ",  "Button250HZ",  "Button500HZ", "Button1000HZ",
                               "Button2000HZ", "Button4000HZ", "Button8000HZ"};
        return child<QAbstractButton>(widget(), QLatin1String(names[index]));
    }
    // A user's click: on a check box, where its indicator is drawn.
    void click(int index) const
    {
        QAbstractButton *target = rate(index);
        const QPoint at = boxes ? QPoint(8, target->height() / 2) : target->rect().center();
        QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, at);
    }
    int checked() const
    {
        for (int i = 0; i < 7; ++i) {
            if (rate(i)->isChecked())
                return i;
        }
        return -1;
    }

private:
    std::unique_ptr<SensorRate> buttons;
    std::unique_ptr<SensorRateB> boxes;
};

// The DPI light's brightness slider of `panel` (either layout) dragged to `step` and let go.
template <typename Panel>
void dragBrightness(int step, int code)
{
    Panel panel;
    auto *slider = child<QSlider>(&panel, QStringLiteral("LightH"));
    auto *box = child<QSpinBox>(&panel, QStringLiteral("LightSpinBox"));
    asFilled([&] { panel.SetBrightness(step == 1 ? 2 : 1); });

    // Dragged: shown beside it, not written; let go: written once.
    slider->setSliderDown(true);
    slider->setSliderPosition(step);
    QCOMPARE(box->value(), step);
    QCOMPARE(sends(), 0);
    slider->setSliderDown(false);
    QCOMPARE(int(stored().DpiLightBrightness), code);
    QCOMPARE(sends(), 1);
}

QToolButton *toggleOf(const TogglePanel *panel)
{
    return panel->findChild<QToolButton *>();
}

int toggleByte(int which, const FlashDataMap &record)
{
    return which == 0 ? record.RippleControl : which == 1 ? record.StraightLine : record.MotionSync;
}

MyConmboBox *lodList(const SensorLOD &panel)
{
    return child<MyConmboBox>(&panel, QStringLiteral("LOD"));
}

} // namespace

// The toggles, the report rate, the lift-off distance and the DPI light: each user change
// reaches the simulated mouse as its record byte; each guard keeps it from being written. Where
// the panels' second layout (which no page builds) behaves the same, one table holds both
// layouts; tst_variantpanels tests what only the second layout has.
class TestSensorPanels : public PanelTest
{
    Q_OBJECT
private slots:
    // --- Toggles ---

    void toggleClicksWriteOnThenOff_data()
    {
        QTest::addColumn<int>("layout");
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("panelName");
        QTest::addColumn<QString>("toggleName");
        // The toggle first with the title beside it, or the title first, right-aligned against
        // the toggle at the right end.
        QTest::addColumn<QRect>("toggleGeometry");
        QTest::addColumn<bool>("titleAlignedRight");
        QTest::addColumn<int>("titleRight");
        for (int layout : {PageLayout, SecondLayout}) {
            const bool second = layout == SecondLayout;
            const QString suffix = second ? "B" : "";
            const QRect toggleGeometry = second ? QRect(165, 0, 36, 18) : QRect(0, 0, 36, 18);
            const auto row = [&](const char *name, int which, const QString &panel) {
                QTest::addRow("%s: %s", layoutName(layout), name)
                    << layout << which << panel + suffix << panel + "_2" << toggleGeometry << second
                    << (second ? 160 : 200);
            };
            row("ripple control", 0, "RippeControl");
            row("angle snapping", 1, "StraightLine");
            row("motion sync", 2, "MotionSync");
        }
    }
    void toggleClicksWriteOnThenOff()
    {
        QFETCH(int, layout);
        QFETCH(int, which);
        QFETCH(QString, panelName);
        QFETCH(QString, toggleName);
        QFETCH(QRect, toggleGeometry);
        QFETCH(bool, titleAlignedRight);
        QFETCH(int, titleRight);
        std::unique_ptr<TogglePanel> panel = makeToggle(layout, which);
        QCOMPARE(panel->objectName(), panelName);
        auto *toggle = child<QToolButton>(panel.get(), toggleName);
        QCOMPARE(panel->findChild<QToolButton *>(), toggle);
        QVERIFY(missingPictures(panel.get()).isEmpty());
        QCOMPARE(toggle->geometry(), toggleGeometry);
        auto *label = child<QLabel>(panel.get(), QStringLiteral("label"));
        QCOMPARE(bool(label->alignment() & Qt::AlignRight), titleAlignedRight);
        QCOMPARE(label->geometry().right(), titleRight);

        // The host setting it writes nothing, however often.
        panel->SetSwitch(true);
        panel->SetSwitch(true);
        QVERIFY(toggle->isChecked());
        QCOMPARE(sends(), 0);
        QTest::mouseClick(toggle, Qt::LeftButton);
        QCOMPARE(toggleByte(which, stored()), 0);
        QTest::mouseClick(toggle, Qt::LeftButton);
        QCOMPARE(toggleByte(which, stored()), 1);
        QCOMPARE(sends(), 2);
        // Kept by the mouse.
        SimulationControl::restartBus();
        QCOMPARE(toggleByte(which, stored()), 1);
    }

    void toggleGuards_data()
    {
        addGuardColumns();
        QTest::newRow("writes disabled") << int(WritesDisabled) << 0 << 0;
        QTest::newRow("offline") << int(Offline) << 0 << 1;
        // A check state set by the page emits no click, so the toggles need no filling guard.
        QTest::newRow("filling") << int(Filling) << 1 << 0;
    }
    void toggleGuards()
    {
        QFETCH(int, guard);
        QFETCH(int, expectedSends);
        QFETCH(int, expectedNotices);
        RippeControl panel;
        apply(Guard(guard));
        QTest::mouseClick(toggleOf(&panel), Qt::LeftButton);
        // The click shows, written or not.
        QVERIFY(toggleOf(&panel)->isChecked());
        QCOMPARE(sends(), expectedSends);
        QCOMPARE(offline->size(), expectedNotices);
        if (expectedNotices)
            QCOMPARE(offline->at(0).at(0).toInt(), 0);
    }

    // --- Report rate ---

    void rateClickWritesItsCode_data()
    {
        QTest::addColumn<int>("layout");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("high");
        const int codes[] = {8, 4, 2, 1, 16, 32, 64};
        const char *names[] = {"125 Hz",  "250 Hz",  "500 Hz", "1000 Hz",
                               "2000 Hz", "4000 Hz", "8000 Hz"};
        for (int layout : {PageLayout, SecondLayout}) {
            for (int i = 0; i < 7; ++i)
                QTest::addRow("%s: %s", layoutName(layout), names[i])
                    << layout << i << codes[i] << (i >= 4 ? 1 : 0);
        }
    }
    void rateClickWritesItsCode()
    {
        QFETCH(int, layout);
        QFETCH(int, index);
        QFETCH(int, code);
        QFETCH(int, high);
        RatePanel panel(layout);
        panel.ShowHighRates(3);
        QVERIFY(missingPictures(panel.widget()).isEmpty());
        panel.SetRate(index == 0 ? 1 : 0);
        panel.click(index);
        QCOMPARE(panel.checked(), index);
        QCOMPARE(int(stored().ReportRate), code);
        QCOMPARE(hideModel->size(), 1);
        QCOMPARE(hideModel->at(0).at(0).toInt(), high);
        // The checked one clicked again stays checked and is written and told again.
        panel.click(index);
        QCOMPARE(panel.checked(), index);
        QCOMPARE(sends(), 2);
        QCOMPARE(hideModel->size(), 2);
    }

    void rateGuards_data()
    {
        addGuardColumns();
        QTest::newRow("writes disabled") << int(WritesDisabled) << 0 << 0;
        QTest::newRow("offline") << int(Offline) << 0 << 1;
        QTest::newRow("filling") << int(Filling) << 1 << 0;
    }
    void rateGuards()
    {
        QFETCH(int, guard);
        QFETCH(int, expectedSends);
        QFETCH(int, expectedNotices);
        SensorRate panel;
        apply(Guard(guard));
        QTest::mouseClick(rateButton(&panel, 2), Qt::LeftButton);
        QCOMPARE(checkedRate(&panel), 2);
        QCOMPARE(sends(), expectedSends);
        QCOMPARE(offline->size(), expectedNotices);
        // Only a rate the mouse took moves the sensor mode.
        QCOMPARE(hideModel->size(), expectedSends);
    }

    void rateSettersWriteNothing_data()
    {
        QTest::addColumn<int>("layout");
        QTest::addColumn<int>("index");
        QTest::addRow("%s", layoutName(PageLayout)) << int(PageLayout) << 5;
        QTest::addRow("%s", layoutName(SecondLayout)) << int(SecondLayout) << 6;
    }
    void rateSettersWriteNothing()
    {
        QFETCH(int, layout);
        QFETCH(int, index);
        RatePanel panel(layout);
        panel.SetRate(index);
        QCOMPARE(panel.checked(), index);
        panel.SetRate(7);
        panel.SetRate(-1);
        QCOMPARE(panel.checked(), index);
        QCOMPARE(sends(), 0);
        QCOMPARE(hideModel->size(), 0);
    }

    void highRatesByLevel_data()
    {
        QTest::addColumn<int>("layout");
        QTest::addColumn<int>("level");
        QTest::addColumn<QList<bool>>("shown"); // 2000, 4000, 8000 Hz
        for (int layout : {PageLayout, SecondLayout}) {
            const char *name = layoutName(layout);
            QTest::addRow("%s: 0", name) << layout << 0 << QList<bool>{false, false, false};
            QTest::addRow("%s: 1", name) << layout << 1 << QList<bool>{true, true, false};
            QTest::addRow("%s: 2", name) << layout << 2 << QList<bool>{true, false, false};
            QTest::addRow("%s: 3", name) << layout << 3 << QList<bool>{true, true, true};
        }
    }
    void highRatesByLevel()
    {
        QFETCH(int, layout);
        QFETCH(int, level);
        QFETCH(QList<bool>, shown);
        RatePanel panel(layout);
        panel.SetRate(6);
        panel.ShowHighRates(3);
        panel.ShowHighRates(level);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(!panel.rate(4 + i)->isHidden(), shown.at(i));
        for (int i = 0; i < 4; ++i)
            QVERIFY(!panel.rate(i)->isHidden());
        // Hiding a rate does not uncheck it; a level the panel does not know changes nothing.
        QCOMPARE(panel.checked(), 6);
        panel.ShowHighRates(4);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(!panel.rate(4 + i)->isHidden(), shown.at(i));
    }

    // --- Lift-off distance ---

    void lodChoiceWritesItsCode_data()
    {
        QTest::addColumn<bool>("shortDistance");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("code");
        QTest::newRow("two entries: 1mm") << false << 0 << 1;
        QTest::newRow("two entries: 2mm") << false << 1 << 2;
        QTest::newRow("three entries: 0.7mm") << true << 0 << 3;
        QTest::newRow("three entries: 1mm") << true << 1 << 1;
        QTest::newRow("three entries: 2mm") << true << 2 << 2;
    }
    void lodChoiceWritesItsCode()
    {
        QFETCH(bool, shortDistance);
        QFETCH(int, index);
        QFETCH(int, code);
        SensorLOD panel;
        panel.SetComboEnabled(true);
        QVERIFY(missingPictures(&panel).isEmpty());
        MyConmboBox *list = lodList(panel);
        asFilled([&] {
            if (shortDistance)
                panel.AddShortDistance();
            list->setCurrentIndex(index == 1 ? 0 : 1);
        });

        list->setCurrentIndex(index);
        QCOMPARE(int(stored().Lod), code);
        QCOMPARE(sends(), 1);
    }

    // Adding or removing 0.7 mm keeps the distance the list shows, and writes it again.
    void shortDistanceComesAndGoes()
    {
        SensorLOD panel;
        MyConmboBox *list = lodList(panel);
        list->setCurrentIndex(1);
        QCOMPARE(int(stored().Lod), 2);
        panel.AddShortDistance();
        panel.AddShortDistance();
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->currentText(), QStringLiteral("2mm"));
        QCOMPARE(int(stored().Lod), 2);
        panel.RemoveShortDistance();
        QCOMPARE(list->currentText(), QStringLiteral("2mm"));

        panel.AddShortDistance();
        list->setCurrentIndex(0);
        QCOMPARE(int(stored().Lod), 3);
        panel.RemoveShortDistance();
        panel.RemoveShortDistance();
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->currentText(), QStringLiteral("1mm"));
        QCOMPARE(int(stored().Lod), 1);
    }

    void lodSetterSelects_data()
    {
        QTest::addColumn<bool>("shortDistance");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("shown");
        QTest::newRow("three entries: 0") << true << 0 << "1mm";
        QTest::newRow("three entries: 1") << true << 1 << "2mm";
        QTest::newRow("three entries: 2") << true << 2 << "0.7mm";
        QTest::newRow("three entries: 5 keeps 2mm") << true << 5 << "2mm";
        QTest::newRow("two entries: 0") << false << 0 << "1mm";
        QTest::newRow("two entries: 1") << false << 1 << "2mm";
    }
    void lodSetterSelects()
    {
        QFETCH(bool, shortDistance);
        QFETCH(int, value);
        QFETCH(QString, shown);
        SensorLOD panel;
        state().SensorFilling = 1;
        if (shortDistance)
            panel.AddShortDistance();
        panel.SetLod(1);
        panel.SetLod(value);
        QCOMPARE(lodList(panel)->currentText(), shown);
        state().SensorFilling = 0;
        QCOMPARE(sends(), 0);
    }

    void lodGuards_data()
    {
        addGuardColumns();
        QTest::newRow("writes disabled") << int(WritesDisabled) << 0 << 0;
        QTest::newRow("offline") << int(Offline) << 0 << 1;
        QTest::newRow("filling") << int(Filling) << 0 << 0;
    }
    void lodGuards()
    {
        QFETCH(int, guard);
        QFETCH(int, expectedSends);
        QFETCH(int, expectedNotices);
        SensorLOD panel;
        apply(Guard(guard));
        lodList(panel)->setCurrentIndex(1);
        QCOMPARE(lodList(panel)->currentIndex(), 1);
        QCOMPARE(sends(), expectedSends);
        QCOMPARE(offline->size(), expectedNotices);
        // An emptied list is no distance: nothing is written for it.
        state().WriteEnabled = 1;
        state().SensorFilling = 0;
        QVERIFY(SimulationControl::setOnline(QStringLiteral("M1"), true));
        SimulationControl::clearLog();
        lodList(panel)->setCurrentIndex(-1);
        QCOMPARE(sends(), 0);
    }

    // --- DPI light ---

    void lightModeChoice_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("lightOn");
        QTest::addColumn<int>("storedMode");
        QTest::addColumn<QStringList>("shown");
        // Off keeps the effect the mouse had (steady in its factory state).
        QTest::newRow("off") << 0 << 0 << 1 << QStringList{"line", "line_2"};
        QTest::newRow("steady") << 1 << 1 << 1 << QStringList{"LightH", "LightSpinBox", "line"};
        QTest::newRow("breathing")
            << 2 << 1 << 2 << QStringList{"SpeedH", "SpeedSpinBox", "line_2"};
    }
    void lightModeChoice()
    {
        QFETCH(int, mode);
        QFETCH(int, lightOn);
        QFETCH(int, storedMode);
        QFETCH(QStringList, shown);
        SensorEffect panel;
        QVERIFY(missingPictures(&panel).isEmpty());
        auto *list = child<MyConmboBox>(&panel, QStringLiteral("Model"));
        asFilled([&] { list->setCurrentIndex(mode == 1 ? 2 : 1); });
        list->setCurrentIndex(mode);
        QCOMPARE(int(stored().DpiLightOn), lightOn);
        QCOMPARE(int(stored().DpiLightMode), storedMode);
        for (const char *name :
             {"SpeedH", "SpeedSpinBox", "LightH", "LightSpinBox", "line", "line_2"}) {
            QCOMPARE(!child(&panel, QLatin1String(name))->isHidden(),
                     shown.contains(QLatin1String(name)));
        }
        for (const char *name : {"label_14", "label_15"})
            QVERIFY(!child(&panel, QLatin1String(name))->isHidden());
    }

    void brightnessStepWritesItsCode_data()
    {
        QTest::addColumn<int>("layout");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("code");
        const int codes[] = {16, 30, 60, 90, 128, 150, 180, 210, 230, 255};
        for (int layout : {PageLayout, SecondLayout}) {
            for (int step = 1; step <= 10; ++step)
                QTest::addRow("%s: %d", layoutName(layout), step)
                    << layout << step << codes[step - 1];
        }
    }
    void brightnessStepWritesItsCode()
    {
        QFETCH(int, layout);
        QFETCH(int, step);
        QFETCH(int, code);
        if (layout == SecondLayout)
            dragBrightness<SensorEffectB>(step, code);
        else
            dragBrightness<SensorEffect>(step, code);
    }

    void speedStepIsStoredAsItIs()
    {
        SensorEffect panel;
        auto *slider = child<QSlider>(&panel, QStringLiteral("SpeedH"));
        slider->setSliderDown(true);
        slider->setSliderPosition(4);
        QCOMPARE(child<QSpinBox>(&panel, QStringLiteral("SpeedSpinBox"))->value(), 4);
        slider->setSliderDown(false);
        QCOMPARE(int(stored().DpiLightSpeed), 4);
        // A click on the groove moves one step and writes at once.
        slider->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(int(stored().DpiLightSpeed), 5);
        QCOMPARE(sends(), 2);
    }

    void lightGuards_data()
    {
        addGuardColumns();
        QTest::newRow("writes disabled") << int(WritesDisabled) << 0 << 0;
        QTest::newRow("offline") << int(Offline) << 0 << 3;
        QTest::newRow("filling") << int(Filling) << 0 << 0;
    }
    void lightGuards()
    {
        QFETCH(int, guard);
        QFETCH(int, expectedSends);
        QFETCH(int, expectedNotices);
        SensorEffect panel;
        apply(Guard(guard));
        child<MyConmboBox>(&panel, QStringLiteral("Model"))->setCurrentIndex(2);
        panel.SetSpeed(4);
        panel.SetBrightness(6);
        QCOMPARE(child<QSpinBox>(&panel, QStringLiteral("SpeedSpinBox"))->value(), 4);
        QCOMPARE(child<QSpinBox>(&panel, QStringLiteral("LightSpinBox"))->value(), 6);
        QCOMPARE(sends(), expectedSends);
        QCOMPARE(offline->size(), expectedNotices);
    }

    void showModeRunsTheModeSlotOnlyOnAChange()
    {
        SensorEffect panel;
        auto *list = child<MyConmboBox>(&panel, QStringLiteral("Model"));
        list->setCurrentIndex(1);
        SimulationControl::clearLog();
        panel.ShowMode(1);
        QCOMPARE(sends(), 0);
        QVERIFY(!child(&panel, QStringLiteral("LightH"))->isHidden());
        // The page's other call while writes are allowed: the list's own slot writes the mode.
        panel.ShowMode(2);
        QCOMPARE(int(stored().DpiLightMode), 2);
        QCOMPARE(sends(), 1);
        // A mode the panel does not have changes nothing.
        panel.ShowMode(3);
        QCOMPARE(list->currentIndex(), 2);
        QVERIFY(!child(&panel, QStringLiteral("SpeedH"))->isHidden());
        QCOMPARE(sends(), 1);
    }
};

ZR35_TEST_MAIN(TestSensorPanels)
#include "tst_sensorpanels.moc"
